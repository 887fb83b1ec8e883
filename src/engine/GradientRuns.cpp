// Runs of characters of one colour. Of a million characters, the rounded colour changes at most a
// few thousand times; a character's colour is computed in full, and with it how far each channel
// lies from the bounds where its rounding would change. A bound on how fast the channels move
// then tells how many of the following characters are sure to round the same way, and those are
// not computed at all.
#include "engine/GradientBlend.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The two matrices of OklabToLinear: Oklab (its a and b) to the cube roots of the cone
// responses, and their cubes to linear light.
constexpr double kToCones[3][2] = {
    {0.3963377774, 0.2158037573}, {-0.1055613458, -0.0638541728}, {-0.0894841775, -1.2914855480}};
constexpr double kToLinear[3][3] = {{4.0767416621, -3.3077115913, 0.2309699292},
                                    {-1.2684380046, 2.6097574011, -0.3413193965},
                                    {-0.0041960863, -0.7034186147, 1.7076147010}};

// Room kept for the rounding errors of the computations (about 1e-15), in linear light and in
// 8-bit steps; and a shortening of every run for those of the bounds.
constexpr double kLinearSlack = 1e-9;
constexpr double kChannelSlack = 1e-7;
constexpr double kRunShortening = 1 - 1e-6;

double Cone(int k, double lightness, double a, double b) {
    return lightness + kToCones[k][0] * a + kToCones[k][1] * b;
}

// Bounds on the speed of linear light from bounds on the size and the speed of the three cone
// values q: the derivative of sum M q^3 is sum 3 M q^2 q'.
void LinearSlopes(const double size[3], const double speed[3], double slope[3]) {
    for (int c = 0; c < 3; ++c) {
        slope[c] = 0;
        for (int k = 0; k < 3; ++k) {
            slope[c] += 3 * std::abs(kToLinear[c][k]) * size[k] * size[k] * speed[k];
        }
    }
}

// OKLCH with |L| at most lightness and chroma at most chroma, moving by at most dL, dC and dH
// (radians). A cone value is L + C (x cos H + y sin H), and x cos H + y sin H is at most
// hypot(x, y) and moves by at most hypot(x, y) dH.
void PolarSlopes(double lightness, double chroma, double dL, double dC, double dH, double slope[3]) {
    double size[3];
    double speed[3];
    for (int k = 0; k < 3; ++k) {
        const double weight = std::hypot(kToCones[k][0], kToCones[k][1]);
        size[k] = lightness + weight * chroma;
        speed[k] = dL + weight * (dC + chroma * dH);
    }
    LinearSlopes(size, speed, slope);
}

} // namespace

void TGradientBlend::SetSlopes(TPoint& a, const TPoint& b) const {
    // Part by part, from the sizes at its ends (lightness, chroma and the cone values move in
    // straight lines) and the speeds, which are the same all the way.
    for (int part = 0; part < kSlopeParts; ++part) {
        const double from = static_cast<double>(part) / kSlopeParts;
        const double to = static_cast<double>(part + 1) / kSlopeParts;
        const auto larger = [from, to](double x, double y) {
            return std::max(std::abs(x + (y - x) * from), std::abs(x + (y - x) * to));
        };
        double* slope = a.Slope[part];
        switch (space_) {
        case csSrgb:
        case csLinear:
            for (int c = 0; c < 3; ++c) {
                slope[c] = std::abs(b.C[c] - a.C[c]);
            }
            break;
        case csOklab: {
            double size[3];
            double speed[3];
            for (int k = 0; k < 3; ++k) {
                const double coneA = Cone(k, a.C[0], a.C[1], a.C[2]);
                const double coneB = Cone(k, b.C[0], b.C[1], b.C[2]);
                size[k] = larger(coneA, coneB);
                speed[k] = std::abs(coneB - coneA);
            }
            LinearSlopes(size, speed, slope);
            break;
        }
        case csOklch:
        case csOklchLong:
            PolarSlopes(larger(a.C[0], b.C[0]), larger(a.C[1], b.C[1]), std::abs(b.C[0] - a.C[0]),
                        std::abs(b.C[1] - a.C[1]), std::abs(a.HueTurn) * std::numbers::pi / 180, slope);
            break;
        }
    }
}

void TGradientBlend::Values(const TPoint& a, const TPoint& b, double t, double values[3]) const {
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    TRgbLinear linear;
    switch (space_) {
    case csSrgb:
    case csLinear:
        for (int c = 0; c < 3; ++c) {
            values[c] = lerp(a.C[c], b.C[c]);
        }
        return;
    case csOklab:
        linear = OklabToLinear({lerp(a.C[0], b.C[0]), lerp(a.C[1], b.C[1]), lerp(a.C[2], b.C[2])});
        break;
    case csOklch:
    case csOklchLong:
        linear = OklabToLinear(
            OklchToOklab({lerp(a.C[0], b.C[0]), lerp(a.C[1], b.C[1]), a.HueFrom + a.HueTurn * t}));
        break;
    }
    values[0] = linear.R;
    values[1] = linear.G;
    values[2] = linear.B;
}

TColor TGradientBlend::Rounded(const double values[3], double room[3]) const {
    TColor color = 0;
    for (int c = 0; c < 3; ++c) {
        int channel = 0;
        if (space_ == csSrgb && !rainbow_) {
            // Rounded to nearest, halves up: channel k stands for k - 0.5 up to k + 0.5.
            channel = std::clamp(static_cast<int>(std::lround(values[c])), 0, 255);
            const double below = channel == 0 ? HUGE_VAL : values[c] - (channel - 0.5);
            const double above = channel == 255 ? HUGE_VAL : channel + 0.5 - values[c];
            room[c] = std::min(below, above) - kChannelSlack;
        } else {
            channel = ChannelOfLinear(values[c]);
            room[c] = ChannelRoom(values[c]) - kLinearSlack;
        }
        color |= static_cast<TColor>(channel) << (8 * c);
    }
    return color;
}

TGradientBlend::TStretch TGradientBlend::StretchOf(int i) const {
    // The same expressions as At's, so that the positions are the same to the last bit.
    const double first = i - 1;
    if (mode_ == gmTwoColor) {
        return i == n_ ? TStretch{1, 0, i} : TStretch{first * inverseLast_, inverseLast_, n_ - 1};
    }
    const bool firstHalf = 2 * static_cast<long long>(i) <= static_cast<long long>(n_) + 1;
    const bool turn = 2 * static_cast<long long>(i - 1) == static_cast<long long>(n_) - 1;
    const int lastBeforeTurn = (n_ + 1) / 2 - (n_ % 2 == 1 ? 1 : 0);
    if (turn) {
        return {mode_ == gmMirror ? 1 : 0.5, 0, i};
    }
    if (mode_ == gmMirror) {
        return firstHalf ? TStretch{2 * first * inverseLast_, 2 * inverseLast_, lastBeforeTurn}
                         : TStretch{2 * (n_ - i) * inverseCount_, -2 * inverseCount_, n_};
    }
    if (firstHalf) {
        return {first * inverseLast_, inverseLast_, lastBeforeTurn};
    }
    return i == n_ ? TStretch{1, 0, i} : TStretch{i * inverseCount_, inverseCount_, n_ - 1};
}

TColor TGradientBlend::RainbowWithRun(int i, int& same) const {
    same = 0;
    if (n_ < 2) {
        return Rainbow(i);
    }
    const double turn = static_cast<double>(i - 1) / n_;
    const double hue = std::fmod(std::fmod(phase_ + 360 * turn, 360) + 360, 360);
    const TRgbLinear linear = OklabToLinear(OklchToOklab({kRainbowLightness, kRainbowChroma, hue}));
    const double values[3] = {linear.R, linear.G, linear.B};
    double room[3];
    const TColor color = Rounded(values, room);
    // The hue turns by 2 pi / n a character; cosine and sine take no notice of the wrap at 360.
    double slope[3];
    PolarSlopes(kRainbowLightness, kRainbowChroma, 0, 0, 2 * std::numbers::pi / n_, slope);
    double ahead = n_ - i;
    for (int c = 0; c < 3; ++c) {
        ahead = std::min(ahead, room[c] / slope[c]);
    }
    same = ahead > 0 ? static_cast<int>(ahead * kRunShortening) : 0;
    return color;
}

TColor TGradientBlend::AtWithRun(int i, int& same) const {
    same = 0;
    if (rainbow_) {
        return RainbowWithRun(i, same);
    }
    if (n_ < 2 || points_.empty()) {
        return At(i);
    }
    const TStretch stretch = StretchOf(i);
    const double p = stretch.Position;
    if (stretch.Last <= i || p <= points_.front().Position) {
        return AtPosition(p);
    }
    const std::size_t k = StopBefore(p);
    if (k + 1 == points_.size()) {
        return points_.back().Color;
    }
    const TPoint& a = points_[k];
    const TPoint& b = points_[k + 1];
    const double t = (p - a.Position) * a.InverseWidth;
    const double dt = std::abs(stretch.Step * a.InverseWidth); // the step of t per character
    if (t <= 0 || t >= 1 || !(dt > 0)) {
        return Mix(a, b, t);
    }
    double values[3];
    double room[3];
    Values(a, b, t, values);
    const TColor color = Rounded(values, room);
    // The characters that stay in this part of the way between the two stops (one step kept
    // back from its ends), and whose channels cannot reach a rounding bound.
    const int part = std::min(static_cast<int>(t * kSlopeParts), kSlopeParts - 1);
    const double partEnd = static_cast<double>(stretch.Step > 0 ? part + 1 : part) / kSlopeParts;
    double ahead = std::min(std::abs(partEnd - t) / dt - 1, static_cast<double>(stretch.Last - i));
    for (int c = 0; c < 3; ++c) {
        if (a.Slope[part][c] > 0) {
            ahead = std::min(ahead, room[c] / (a.Slope[part][c] * dt));
        }
    }
    same = ahead > 0 ? static_cast<int>(ahead * kRunShortening) : 0;
    return color;
}
