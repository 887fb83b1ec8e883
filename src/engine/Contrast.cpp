#include "engine/Contrast.h"

#include "engine/ColorSpace.h"
#include "engine/GradientWalk.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The luminance weight of each channel value, per channel.
struct TLuminanceTables {
    std::array<double, 256> R{};
    std::array<double, 256> G{};
    std::array<double, 256> B{};

    TLuminanceTables() {
        for (int k = 0; k < 256; ++k) {
            const double linear = LinearOfChannel(k);
            R[static_cast<std::size_t>(k)] = 0.2126 * linear;
            G[static_cast<std::size_t>(k)] = 0.7152 * linear;
            B[static_cast<std::size_t>(k)] = 0.0722 * linear;
        }
    }
};

const TLuminanceTables& Luminances() {
    static const TLuminanceTables tables;
    return tables;
}

double Ratio(double a, double b) {
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

// The colour of lightness L, chroma at most C and hue H, with the chroma lowered only as far as
// sRGB needs.
TColor ColorAtLightness(double lightness, double chroma, double hue) {
    if (InSrgbGamut(OklabToLinear(OklchToOklab({lightness, chroma, hue})))) {
        return ColorOfLinear(OklabToLinear(OklchToOklab({lightness, chroma, hue})));
    }
    double low = 0;
    double high = chroma;
    for (int step = 0; step < 24; ++step) {
        const double middle = (low + high) / 2;
        (InSrgbGamut(OklabToLinear(OklchToOklab({lightness, middle, hue}))) ? low : high) = middle;
    }
    return ColorOfLinear(OklabToLinear(OklchToOklab({lightness, low, hue})));
}

// The least lightness move of `color` (darker or lighter) after which it has `ratio` against the
// background, or the far end of the scale when none reaches it.
TColor MoveToRatio(TColor color, bool darker, double backgroundLuminance, double ratio, double& move) {
    TOklch lch = OklabToOklch(LinearToOklab(LinearOf(color)));
    if (lch.C < 1e-4) {
        lch.C = 0; // a grey stays grey
    }
    const auto passes = [&](TColor c) { return Ratio(RelativeLuminance(c), backgroundLuminance) >= ratio; };
    move = 0;
    if (passes(color)) {
        return color;
    }
    const double room = darker ? lch.L : 1 - lch.L;
    const auto at = [&](double distance) {
        return ColorAtLightness(std::clamp(darker ? lch.L - distance : lch.L + distance, 0.0, 1.0), lch.C,
                                lch.H);
    };
    if (!passes(at(room))) {
        move = darker ? -room : room;
        return at(room);
    }
    double low = 0;
    double high = room;
    for (int step = 0; step < 30; ++step) {
        const double middle = (low + high) / 2;
        (passes(at(middle)) ? high : low) = middle;
    }
    move = darker ? -high : high;
    return at(high);
}

} // namespace

std::vector<TColor> ColorsToMove(const TGradient& gradient) {
    std::vector<TColor> colors;
    if (gradient.Stops.size() >= kMinColorStops) {
        for (const TColorStop& stop : gradient.Stops) {
            colors.push_back(ResolveColor(stop.Color) & 0xFFFFFF);
        }
        return colors;
    }
    colors.push_back(JoinColor(gradient.Start));
    if (gradient.Mode == gmThreeColor) {
        colors.push_back(JoinColor(gradient.Middle));
    }
    colors.push_back(JoinColor(gradient.Finish));
    return colors;
}

namespace {

void SetColors(TGradient& gradient, const std::vector<TColor>& colors) {
    if (gradient.Stops.size() >= kMinColorStops) {
        for (std::size_t k = 0; k < colors.size(); ++k) {
            gradient.Stops[k].Color = colors[k];
        }
        return;
    }
    gradient.Start = SplitColor(colors.front());
    if (gradient.Mode == gmThreeColor) {
        gradient.Middle = SplitColor(colors[1]);
    }
    gradient.Finish = SplitColor(colors.back());
}

} // namespace

double RelativeLuminance(TColor color) {
    const TLuminanceTables& tables = Luminances();
    return tables.R[color & 0xFF] + tables.G[(color >> 8) & 0xFF] + tables.B[(color >> 16) & 0xFF];
}

double ContrastRatio(TColor a, TColor b) {
    return Ratio(RelativeLuminance(ResolveColor(a)), RelativeLuminance(ResolveColor(b)));
}

TContrastNeed ContrastNeedOf(int sizeStep, bool firstLetterLarger) {
    constexpr double large = 3;
    constexpr double normal = 4.5;
    const bool sized = sizeStep >= 1 && sizeStep <= 4;
    const int first = sized && firstLetterLarger ? sizeStep + 1 : sizeStep;
    return {sized && first >= 2 ? large : normal, sized && sizeStep >= 2 ? large : normal};
}

TContrastReport CheckContrast(const TGradient& gradient, int n, TColor background, const TContrastNeed& need,
                              std::size_t keep) {
    const TLuminanceTables& tables = Luminances();
    const double backgroundLuminance = RelativeLuminance(ResolveColor(background));
    TContrastReport report;
    report.Lowest.Ratio = 22;
    TGradientWalk walk(gradient, n);
    for (int i = 1; i <= n; ++i) {
        const TColor color = walk.Next();
        const double luminance =
            tables.R[color & 0xFF] + tables.G[(color >> 8) & 0xFF] + tables.B[color >> 16];
        const double ratio = Ratio(luminance, backgroundLuminance);
        if (ratio < report.Lowest.Ratio) {
            report.Lowest = {i, color, ratio};
        }
        if (ratio < need.Of(i)) [[unlikely]] {
            if (report.FirstFailed.size() < keep) {
                report.FirstFailed.push_back({i, color, ratio});
            }
            ++report.Failures;
        }
        // The characters known to have the same colour: none lower, each short as this one is.
        const int same = std::min(walk.KnownAhead(), n - i);
        if (same > 0) {
            if (ratio < need.Rest) {
                for (int j = i + 1; j <= i + same && report.FirstFailed.size() < keep; ++j) {
                    report.FirstFailed.push_back({j, color, ratio});
                }
                report.Failures += static_cast<std::size_t>(same);
            }
            walk.Skip(same);
            i += same;
        }
    }
    if (n < 1) {
        report.Lowest = {};
    }
    return report;
}

TContrastFix FixContrast(const TGradient& gradient, int n, TColor background, const TContrastNeed& need) {
    TContrastFix fix;
    fix.Gradient = gradient;
    const double backgroundLuminance = RelativeLuminance(ResolveColor(background));
    if (gradient.Rainbow) {
        fix.Rainbow = true;
        fix.Passes = CheckContrast(gradient, n, background, need).Passes();
        return fix;
    }
    // Towards the end of the scale with more room: black on a light background, white on a dark one.
    const bool darker = Ratio(0, backgroundLuminance) >= Ratio(1, backgroundLuminance);
    const std::vector<TColor> original = ColorsToMove(gradient);
    fix.Moves.assign(original.size(), 0);
    fix.Colors = original;
    fix.Before = original;
    const double wanted = std::max(need.First, need.Rest);
    // The colours between two that pass may still fall short (the steps of a space are not those
    // of luminance); each round asks a little more of every colour until all characters pass.
    for (double margin = 0; margin <= 2.0; margin += 0.125) {
        for (std::size_t k = 0; k < original.size(); ++k) {
            fix.Colors[k] =
                MoveToRatio(original[k], darker, backgroundLuminance, wanted + margin, fix.Moves[k]);
        }
        SetColors(fix.Gradient, fix.Colors);
        if (CheckContrast(fix.Gradient, n, background, need).Passes()) {
            fix.Passes = true;
            return fix;
        }
    }
    return fix;
}
