#pragma once

// OrivUtil: the maker's utility unit (colour split and join, gradient arithmetic, the base font
// size label). The name is the program's historical one, after the maker's settings key.

#include "engine/Color.h"
#include "engine/ColorSpace.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A colour split into its channels, with the six upper-case hexadecimal digits the HTML and the
// colour labels show (red first, no "#").
struct TOrivRGB {
    std::int32_t R = 0;
    std::int32_t G = 0;
    std::int32_t B = 0;
    std::string Hex = "000000";

    friend bool operator==(const TOrivRGB&, const TOrivRGB&) = default;
};

// Resolves a system colour through the current resolver, then splits the plain value.
TOrivRGB SplitColor(TColor color);
// Always a plain colour; each channel taken as its lowest 8 bits.
TColor JoinColor(const TOrivRGB& rgb);

// The six hexadecimal digits of a plain colour, written to `out` (which must hold six bytes).
void WriteColorHex(TColor color, char* out);

// The caption of the base-font-size menu item, in Shift-JIS: "ベースフォントサイズ 11pt".
std::string FontSizeLabel(int points);
// The number in such a caption; 11 when there is none.
int FontSizeFromLabel(std::string_view label);

// One channel of the two-colour gradient: a at i = 1, b at i = n, truncated toward zero between.
int Ramp(int a, int b, int i, int n);
// One channel running from a to b over the first half (middle included) and on to c.
int Fold(int a, int b, int c, int i, int n);

enum TGradientMode : int { gmTwoColor, gmMirror, gmThreeColor };

// The mode the two toggle buttons select; three colours win when both are pressed.
constexpr TGradientMode GradientModeOf(bool threeColorDown, bool mirrorDown) {
    return threeColorDown ? gmThreeColor : (mirrorDown ? gmMirror : gmTwoColor);
}

// One colour of a gradient of more colours than the design's three.
struct TColorStop {
    TColor Color = clBlack;
    double Position = -1; // 0 to 1 along the text; below 0: spread evenly between its neighbours

    friend bool operator==(const TColorStop&, const TColorStop&) = default;
};

inline constexpr std::size_t kMinColorStops = 2;
inline constexpr std::size_t kMaxColorStops = 16;

struct TGradient {
    TOrivRGB Start;
    TOrivRGB Middle;
    TOrivRGB Finish;
    TGradientMode Mode = gmTwoColor;
    // Beside the design: the space the colours are mixed in, stops in place of the three colours
    // (when two or more are given), and the rainbow, which turns the hue from Phase degrees.
    TColorSpace Space = csSrgb;
    std::vector<TColorStop> Stops = {};
    bool Rainbow = false;
    double Phase = 0;

    // Whether the design's per-channel steps make the colours (nothing beside it chosen).
    bool Designed() const { return Space == csSrgb && Stops.size() < kMinColorStops && !Rainbow; }
};

// The colour of character i of n (1 <= i <= n).
TColor GradientColor(const TGradient& gradient, int i, int n);
