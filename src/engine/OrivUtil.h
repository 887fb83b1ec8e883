#pragma once

// OrivUtil: the maker's utility unit (colour split and join, gradient arithmetic, the base font
// size label). The name is the program's historical one, after the maker's settings key.

#include "engine/Color.h"

#include <cstdint>
#include <string>
#include <string_view>

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

struct TGradient {
    TOrivRGB Start;
    TOrivRGB Middle;
    TOrivRGB Finish;
    TGradientMode Mode = gmTwoColor;
};

// The colour of character i of n (1 <= i <= n).
TColor GradientColor(const TGradient& gradient, int i, int n);
