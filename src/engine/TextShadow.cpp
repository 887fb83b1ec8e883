#include "engine/TextShadow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

TColor ShadowColor(const TTextShadow& shadow, TColor color) {
    if (shadow.Mode == TShadowMode::Fixed) {
        return shadow.Color;
    }
    // The game's own shade: each channel divided by four, rounded down.
    return (color >> 2) & 0x3F3F3F;
}

std::int32_t ShadowArgb(const TTextShadow& shadow, TColor color) {
    const TColor rgb = ShadowColor(shadow, color);
    const auto alpha = shadow.Mode == TShadowMode::Fixed
                           ? static_cast<std::uint32_t>(std::lround(std::clamp(shadow.Alpha, 0.0, 1.0) * 255))
                           : 255u;
    const std::uint32_t argb = (alpha << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return static_cast<std::int32_t>(argb);
}

std::string FractionText(double fraction) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.3f", std::clamp(fraction, 0.0, 1.0));
    std::string_view written(buffer.data());
    while (written.ends_with('0')) {
        written.remove_suffix(1);
    }
    if (written.ends_with('.')) {
        written.remove_suffix(1);
    }
    return std::string(written);
}
