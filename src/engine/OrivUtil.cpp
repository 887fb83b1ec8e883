#include "engine/OrivUtil.h"

#include "engine/GradientBlend.h"
#include "engine/jstrm.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

// "ベースフォントサイズ " in Shift-JIS.
constexpr std::string_view kFontSizeLabelHead = "\x83\x78\x81\x5B\x83\x58\x83\x74\x83\x48"
                                                "\x83\x93\x83\x67\x83\x54\x83\x43\x83\x59 ";

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The quotient truncated toward zero. Products are formed in 64 bits, so very long texts cannot
// overflow them; 32-bit division is used whenever it gives the same quotient, as it is faster.
inline int TruncatedQuotient(std::int64_t numerator, std::int64_t denominator) {
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min() + 1;
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    if (numerator >= low && numerator <= high && denominator <= high) {
        return static_cast<std::int32_t>(numerator) / static_cast<std::int32_t>(denominator);
    }
    return static_cast<int>(numerator / denominator);
}

inline TColor JoinChannels(int r, int g, int b) {
    return (static_cast<TColor>(r) & 0xFF) | ((static_cast<TColor>(g) & 0xFF) << 8) |
           ((static_cast<TColor>(b) & 0xFF) << 16);
}

} // namespace

TOrivRGB SplitColor(TColor color) {
    const TColor plain = ResolveColor(color);
    TOrivRGB rgb;
    rgb.R = static_cast<std::int32_t>(plain & 0xFF);
    rgb.G = static_cast<std::int32_t>((plain >> 8) & 0xFF);
    rgb.B = static_cast<std::int32_t>((plain >> 16) & 0xFF);
    WriteColorHex(plain, rgb.Hex.data());
    return rgb;
}

TColor JoinColor(const TOrivRGB& rgb) {
    return JoinChannels(rgb.R, rgb.G, rgb.B);
}

void WriteColorHex(TColor color, char* out) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const unsigned value = (color >> (8 * channel)) & 0xFF;
        out[2 * channel] = kHexDigits[value >> 4];
        out[2 * channel + 1] = kHexDigits[value & 0xF];
    }
}

std::string FontSizeLabel(int points) {
    return std::string(kFontSizeLabelHead) + std::to_string(points) + "pt";
}

int FontSizeFromLabel(std::string_view label) {
    constexpr int fallback = 11;
    std::string rest(label);
    CutToken(rest, " ");
    const std::string number = CutToken(rest, "p");
    const char* first = number.data();
    const char* last = number.data() + number.size();
    if (last - first > 1 && first[0] == '+' && first[1] >= '0' && first[1] <= '9') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last) {
        return fallback;
    }
    return value;
}

int Ramp(int a, int b, int i, int n) {
    if (n < 2) {
        return a;
    }
    return a + TruncatedQuotient((static_cast<std::int64_t>(b) - a) * (i - 1), n - 1);
}

int Fold(int a, int b, int c, int i, int n) {
    if (n < 2) {
        return a;
    }
    if (2 * static_cast<std::int64_t>(i) <= static_cast<std::int64_t>(n) + 1) {
        return a + TruncatedQuotient(2 * (static_cast<std::int64_t>(b) - a) * (i - 1), n - 1);
    }
    return c +
           TruncatedQuotient(2 * (static_cast<std::int64_t>(c) - b) * (static_cast<std::int64_t>(i) - n), n);
}

TColor GradientColor(const TGradient& gradient, int i, int n) {
    if (!gradient.Designed()) {
        return TGradientBlend(gradient, n).At(i);
    }
    const TOrivRGB& s = gradient.Start;
    const TOrivRGB& m = gradient.Middle;
    const TOrivRGB& f = gradient.Finish;
    switch (gradient.Mode) {
    case gmThreeColor:
        return JoinChannels(Fold(s.R, m.R, f.R, i, n), Fold(s.G, m.G, f.G, i, n), Fold(s.B, m.B, f.B, i, n));
    case gmMirror:
        return JoinChannels(Fold(s.R, f.R, s.R, i, n), Fold(s.G, f.G, s.G, i, n), Fold(s.B, f.B, s.B, i, n));
    case gmTwoColor:
        break;
    }
    return JoinChannels(Ramp(s.R, f.R, i, n), Ramp(s.G, f.G, i, n), Ramp(s.B, f.B, i, n));
}
