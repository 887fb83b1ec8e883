#include "engine/Oklab.h"

#include <array>
#include <cmath>

namespace {

// sRGB channel (0 to 255) to linear light.
double Linear(unsigned channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (unsigned channel = 0; channel < 256; ++channel) {
            values[channel] = Linear(channel);
        }
        return values;
    }();
    return table;
}

} // namespace

TOklab OklabOf(TColor color) {
    const std::array<double, 256>& linear = LinearTable();
    const double r = linear[color & 0xFF];
    const double g = linear[(color >> 8) & 0xFF];
    const double b = linear[(color >> 16) & 0xFF];
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}
