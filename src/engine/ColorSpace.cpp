#include "engine/ColorSpace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr std::string_view kNames[kColorSpaceCount] = {"srgb", "linear", "oklab", "oklch", "oklch-long"};

// Channel k stands for the encoded values from (k - 0.5) / 255 to (k + 0.5) / 255; the bounds in
// linear light are Limits[k] = SrgbToLinear((k + 0.5) / 255). The bounds lie at least 1/3300
// apart (the steepest part of the curve is its linear foot, 12.92 * 255 channels per unit), so a
// bucket of 1/4096 holds at most one: the bucket's first channel and one comparison settle it.
struct TChannelTables {
    static constexpr int kBuckets = 4096;
    std::array<double, 256> Linear{};
    std::array<double, 256> Limits{}; // Limits[255]: past every value
    std::array<std::uint8_t, kBuckets + 1> FirstOfBucket{};

    TChannelTables() {
        for (int k = 0; k < 256; ++k) {
            Linear[static_cast<std::size_t>(k)] = SrgbToLinear(k / 255.0);
            Limits[static_cast<std::size_t>(k)] = k < 255 ? SrgbToLinear((k + 0.5) / 255.0) : 2.0;
        }
        std::size_t channel = 0;
        for (int bucket = 0; bucket <= kBuckets; ++bucket) {
            const double low = static_cast<double>(bucket) / kBuckets;
            while (channel < 255 && Limits[channel] <= low) {
                ++channel;
            }
            FirstOfBucket[static_cast<std::size_t>(bucket)] = static_cast<std::uint8_t>(channel);
        }
    }
};

const TChannelTables kTables;

} // namespace

std::string_view ColorSpaceName(TColorSpace space) {
    return space >= 0 && space < kColorSpaceCount ? kNames[space] : kNames[csSrgb];
}

std::optional<TColorSpace> ColorSpaceFromName(std::string_view name) {
    for (int k = 0; k < kColorSpaceCount; ++k) {
        if (kNames[k] == name) {
            return static_cast<TColorSpace>(k);
        }
    }
    return std::nullopt;
}

std::string ColorSpaceNames() {
    std::string names;
    for (int k = 0; k < kColorSpaceCount; ++k) {
        names.append(k == 0 ? "" : (k + 1 == kColorSpaceCount ? " or " : ", ")).append(kNames[k]);
    }
    return names;
}

double SrgbToLinear(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double linear) {
    return linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

double LinearOfChannel(int channel) {
    return kTables.Linear[static_cast<std::size_t>(std::clamp(channel, 0, 255))];
}

int ChannelOfLinear(double linear) {
    if (!(linear > 0)) { // NaN too
        return 0;
    }
    if (linear >= 1) {
        return 255;
    }
    const std::size_t channel =
        kTables.FirstOfBucket[static_cast<std::size_t>(linear * TChannelTables::kBuckets)];
    return static_cast<int>(channel) + (kTables.Limits[channel] <= linear ? 1 : 0);
}

double ChannelRoom(double linear) {
    if (std::isnan(linear)) {
        return 0;
    }
    const auto channel = static_cast<std::size_t>(ChannelOfLinear(linear));
    const double below = channel == 0 ? HUGE_VAL : linear - kTables.Limits[channel - 1];
    const double above = channel == 255 ? HUGE_VAL : kTables.Limits[channel] - linear;
    return std::min(below, above);
}

TRgbLinear LinearOf(TColor color) {
    return {kTables.Linear[color & 0xFF], kTables.Linear[(color >> 8) & 0xFF],
            kTables.Linear[(color >> 16) & 0xFF]};
}

TColor ColorOfLinear(const TRgbLinear& linear) {
    return static_cast<TColor>(ChannelOfLinear(linear.R)) |
           (static_cast<TColor>(ChannelOfLinear(linear.G)) << 8) |
           (static_cast<TColor>(ChannelOfLinear(linear.B)) << 16);
}

namespace {

// Oklab from the cube roots of the cone responses, the last step from linear sRGB and from XYZ.
TOklab LmsToOklab(double l, double m, double s) {
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

} // namespace

TOklab LinearToOklab(const TRgbLinear& c) {
    const double l = std::cbrt(0.4122214708 * c.R + 0.5363325363 * c.G + 0.0514459929 * c.B);
    const double m = std::cbrt(0.2119034982 * c.R + 0.6806995451 * c.G + 0.1073969566 * c.B);
    const double s = std::cbrt(0.0883024619 * c.R + 0.2817188376 * c.G + 0.6299787005 * c.B);
    return LmsToOklab(l, m, s);
}

TRgbLinear OklabToLinear(const TOklab& lab) {
    const double l1 = lab.L + 0.3963377774 * lab.A + 0.2158037573 * lab.B;
    const double m1 = lab.L - 0.1055613458 * lab.A - 0.0638541728 * lab.B;
    const double s1 = lab.L - 0.0894841775 * lab.A - 1.2914855480 * lab.B;
    const double l = l1 * l1 * l1;
    const double m = m1 * m1 * m1;
    const double s = s1 * s1 * s1;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

TOklch OklabToOklch(const TOklab& lab) {
    double hue = std::atan2(lab.B, lab.A) * 180 / std::numbers::pi;
    if (hue < 0) {
        hue += 360;
    }
    return {lab.L, std::hypot(lab.A, lab.B), hue};
}

TOklab OklchToOklab(const TOklch& lch) {
    const double radians = lch.H * std::numbers::pi / 180;
    return {lch.L, lch.C * std::cos(radians), lch.C * std::sin(radians)};
}

TOklab XyzToOklab(const TXyz& c) {
    const double l = std::cbrt(0.8189330101 * c.X + 0.3618667424 * c.Y - 0.1288597137 * c.Z);
    const double m = std::cbrt(0.0329845436 * c.X + 0.9293118715 * c.Y + 0.0361456387 * c.Z);
    const double s = std::cbrt(0.0482003018 * c.X + 0.2643662691 * c.Y + 0.6338517070 * c.Z);
    return LmsToOklab(l, m, s);
}

bool InSrgbGamut(const TRgbLinear& c) {
    constexpr double slack = 1e-6;
    return c.R >= -slack && c.G >= -slack && c.B >= -slack && c.R <= 1 + slack && c.G <= 1 + slack &&
           c.B <= 1 + slack;
}
