#include "engine/GradientBlend.h"

#include <algorithm>
#include <cmath>

namespace {

TColor PlainColor(const TOrivRGB& rgb) {
    return JoinColor({std::clamp(rgb.R, 0, 255), std::clamp(rgb.G, 0, 255), std::clamp(rgb.B, 0, 255), {}});
}

double Channel(TColor color, int k) {
    return static_cast<double>((color >> (8 * k)) & 0xFF);
}

int RoundedChannel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// The hue step from a to b: the shorter way round, or the longer one.
double HueStep(double a, double b, bool longer) {
    double step = b - a;
    if (!longer) {
        if (step > 180) {
            step -= 360;
        } else if (step < -180) {
            step += 360;
        }
    } else if (step > 0 && step < 180) {
        step -= 360;
    } else if (step > -180 && step <= 0) {
        step += 360;
    }
    return step;
}

// Below this chroma a colour is grey and its hue means nothing: it takes its neighbour's.
constexpr double kGreyChroma = 1e-4;

} // namespace

std::vector<TColorStop> SettledStops(const TGradient& gradient) {
    std::vector<TColorStop> stops;
    if (gradient.Stops.size() >= kMinColorStops) {
        stops = gradient.Stops;
        if (stops.size() > kMaxColorStops) {
            stops.resize(kMaxColorStops);
        }
        for (TColorStop& stop : stops) {
            stop.Color = ResolveColor(stop.Color) & 0xFFFFFF;
        }
    } else {
        stops.push_back({PlainColor(gradient.Start), 0});
        if (gradient.Mode == gmThreeColor) {
            stops.push_back({PlainColor(gradient.Middle), 0.5});
        }
        stops.push_back({PlainColor(gradient.Finish), 1});
        return stops;
    }
    if (stops.front().Position < 0) {
        stops.front().Position = 0;
    }
    if (stops.back().Position < 0) {
        stops.back().Position = 1;
    }
    std::size_t known = 0;
    for (std::size_t k = 1; k < stops.size(); ++k) {
        if (stops[k].Position < 0) {
            continue;
        }
        stops[k].Position = std::clamp(stops[k].Position, stops[known].Position, 1.0);
        const double step = (stops[k].Position - stops[known].Position) / static_cast<double>(k - known);
        for (std::size_t between = known + 1; between < k; ++between) {
            stops[between].Position = stops[known].Position + step * static_cast<double>(between - known);
        }
        known = k;
    }
    return stops;
}

TGradientBlend::TGradientBlend(const TGradient& gradient, int n)
    : space_(gradient.Space), mode_(gradient.Mode), rainbow_(gradient.Rainbow), phase_(gradient.Phase),
      n_(n) {
    if (rainbow_) {
        return;
    }
    for (const TColorStop& stop : SettledStops(gradient)) {
        TPoint point{stop.Position, 0, stop.Color, {}};
        switch (space_) {
        case csSrgb:
            for (int k = 0; k < 3; ++k) {
                point.C[k] = Channel(stop.Color, k);
            }
            break;
        case csLinear: {
            const TRgbLinear linear = LinearOf(stop.Color);
            point.C[0] = linear.R;
            point.C[1] = linear.G;
            point.C[2] = linear.B;
            break;
        }
        case csOklab: {
            const TOklab lab = LinearToOklab(LinearOf(stop.Color));
            point.C[0] = lab.L;
            point.C[1] = lab.A;
            point.C[2] = lab.B;
            break;
        }
        case csOklch:
        case csOklchLong: {
            const TOklch lch = OklabToOklch(LinearToOklab(LinearOf(stop.Color)));
            point.C[0] = lch.L;
            point.C[1] = lch.C;
            point.C[2] = lch.H;
            break;
        }
        }
        points_.push_back(point);
    }
    for (std::size_t k = 0; k + 1 < points_.size(); ++k) {
        const double width = points_[k + 1].Position - points_[k].Position;
        points_[k].InverseWidth = width > 0 ? 1 / width : 0;
        if (space_ == csOklch || space_ == csOklchLong) {
            double hueA = points_[k].C[2];
            double hueB = points_[k + 1].C[2];
            if (points_[k].C[1] < kGreyChroma) {
                hueA = hueB;
            } else if (points_[k + 1].C[1] < kGreyChroma) {
                hueB = hueA;
            }
            points_[k].HueFrom = hueA;
            points_[k].HueTurn = HueStep(hueA, hueB, space_ == csOklchLong);
        }
        SetSlopes(points_[k], points_[k + 1]);
    }
    inverseLast_ = n > 1 ? 1.0 / (n - 1) : 0;
    inverseCount_ = n > 0 ? 1.0 / n : 0;
}

TColor TGradientBlend::Mix(const TPoint& a, const TPoint& b, double t) const {
    if (t <= 0) {
        return a.Color;
    }
    if (t >= 1) {
        return b.Color;
    }
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    switch (space_) {
    case csSrgb:
        return static_cast<TColor>(RoundedChannel(lerp(a.C[0], b.C[0]))) |
               (static_cast<TColor>(RoundedChannel(lerp(a.C[1], b.C[1]))) << 8) |
               (static_cast<TColor>(RoundedChannel(lerp(a.C[2], b.C[2]))) << 16);
    case csLinear:
        return ColorOfLinear({lerp(a.C[0], b.C[0]), lerp(a.C[1], b.C[1]), lerp(a.C[2], b.C[2])});
    case csOklab:
        return ColorOfLinear(
            OklabToLinear({lerp(a.C[0], b.C[0]), lerp(a.C[1], b.C[1]), lerp(a.C[2], b.C[2])}));
    case csOklch:
    case csOklchLong:
        break;
    }
    double hueA = a.C[2];
    double hueB = b.C[2];
    if (a.C[1] < kGreyChroma) {
        hueA = hueB;
    } else if (b.C[1] < kGreyChroma) {
        hueB = hueA;
    }
    const double hue = hueA + HueStep(hueA, hueB, space_ == csOklchLong) * t;
    return ColorOfLinear(OklabToLinear(OklchToOklab({lerp(a.C[0], b.C[0]), lerp(a.C[1], b.C[1]), hue})));
}

std::size_t TGradientBlend::StopBefore(double p) const {
    std::size_t k = 0;
    while (k + 1 < points_.size() && points_[k + 1].Position <= p) {
        ++k;
    }
    return k;
}

TColor TGradientBlend::AtPosition(double p) const {
    if (points_.empty()) {
        return clBlack;
    }
    if (p <= points_.front().Position) {
        return points_.front().Color;
    }
    // Between the last stop at or before p and the next the colour is mixed.
    const std::size_t k = StopBefore(p);
    if (k + 1 == points_.size()) {
        return points_.back().Color;
    }
    const TPoint& a = points_[k];
    const TPoint& b = points_[k + 1];
    return Mix(a, b, (p - a.Position) * a.InverseWidth);
}

TColor TGradientBlend::Rainbow(int i) const {
    const double turn = n_ < 2 ? 0 : static_cast<double>(i - 1) / n_;
    const double hue = std::fmod(std::fmod(phase_ + 360 * turn, 360) + 360, 360);
    return ColorOfLinear(OklabToLinear(OklchToOklab({kRainbowLightness, kRainbowChroma, hue})));
}

TColor TGradientBlend::At(int i) const {
    if (rainbow_) {
        return Rainbow(i);
    }
    if (n_ < 2) {
        return AtPosition(0);
    }
    // Products with the reciprocals instead of divisions; the characters where the stops stand
    // exactly are given their positions outright.
    const double first = i - 1;
    if (mode_ == gmTwoColor) {
        return AtPosition(i == n_ ? 1 : first * inverseLast_);
    }
    // The fold of the design: the first half while 2i <= n + 1, reaching the turn at its last
    // character; the second half from the turn on, reaching the far end at character n.
    const bool firstHalf = 2 * static_cast<long long>(i) <= static_cast<long long>(n_) + 1;
    const bool turn = 2 * static_cast<long long>(i - 1) == static_cast<long long>(n_) - 1;
    if (mode_ == gmMirror) {
        return AtPosition(firstHalf ? (turn ? 1 : 2 * first * inverseLast_) : 2 * (n_ - i) * inverseCount_);
    }
    return AtPosition(firstHalf ? (turn ? 0.5 : first * inverseLast_) : (i == n_ ? 1 : i * inverseCount_));
}
