#pragma once

// The colours of a gradient chosen beside the design: mixed in another colour space, through two
// to sixteen stops, or the rainbow. The character positions are the design's: character i of n
// stands at (i - 1) / (n - 1) of a two-colour gradient, and a folded gradient (mirror, three
// colours) turns at the same character as the design's, so the ends and the middle are exact.

#include "engine/Color.h"
#include "engine/ColorSpace.h"
#include "engine/OrivUtil.h"

#include <cstddef>
#include <vector>

// The rainbow's lightness and chroma in OKLCH: every hue at them lies inside sRGB.
inline constexpr double kRainbowLightness = 0.75;
inline constexpr double kRainbowChroma = 0.125;

// The stops of a gradient with their positions settled: the design's two or three colours, or
// the given stops, positions missing spread evenly between their neighbours, and none before
// the one ahead of it.
std::vector<TColorStop> SettledStops(const TGradient& gradient);

class TGradientBlend {
public:
    TGradientBlend(const TGradient& gradient, int n);
    // The colour of character i (1 to n).
    TColor At(int i) const;
    // The colour at position p (0 to 1) along the stops.
    TColor AtPosition(double p) const;
    // The colour of character i, as At gives it, and in `same` how many of the characters after
    // it are sure to have that colour too: none of their channels can reach a rounding bound
    // before them, by a bound on how fast the channels change.
    TColor AtWithRun(int i, int& same) const;

private:
    static constexpr int kSlopeParts = 16;

    struct TPoint {
        double Position = 0;
        double InverseWidth = 0; // 1 / (the next stop's position - Position), 0 for none
        TColor Color = clBlack;
        double C[3] = {0, 0, 0}; // the colour in the space
        // Bounds on how fast each channel before rounding (8-bit or linear light) can change
        // per unit of t towards the next stop, in each of kSlopeParts equal parts of the way.
        double Slope[kSlopeParts][3] = {};
        // OKLCH: the hue at this stop and its turn to the next one, as Mix takes them.
        double HueFrom = 0;
        double HueTurn = 0;
    };

    // The position of a character as At gives it, the step of the position per character, and
    // the last character whose position follows the same formula.
    struct TStretch {
        double Position = 0;
        double Step = 0;
        int Last = 0;
    };

    TStretch StretchOf(int i) const;
    // The last stop at or before p, whose way to the next stop p lies on; the last stop itself
    // when p is at or beyond it.
    std::size_t StopBefore(double p) const;
    // The channels of the mix before rounding, rounded, and each one's room to its rounding bounds.
    TColor Rounded(const double values[3], double room[3]) const;
    void Values(const TPoint& a, const TPoint& b, double t, double values[3]) const;
    void SetSlopes(TPoint& a, const TPoint& b) const;
    TColor RainbowWithRun(int i, int& same) const;

    TColor Mix(const TPoint& a, const TPoint& b, double t) const;
    TColor Rainbow(int i) const;

    std::vector<TPoint> points_;
    TColorSpace space_ = csSrgb;
    TGradientMode mode_ = gmTwoColor;
    bool rainbow_ = false;
    double phase_ = 0;
    int n_ = 0;
    double inverseLast_ = 0;  // 1 / (n - 1)
    double inverseCount_ = 0; // 1 / n
};
