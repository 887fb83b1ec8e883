#include "engine/TerminalColors.h"

#include "engine/Oklab.h"

#include <array>
#include <cstring>
#include <span>

namespace {

constexpr unsigned kCubeLevels[6] = {0, 95, 135, 175, 215, 255};

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// Black, red, green, yellow, blue, magenta, cyan, white, then their bright forms (xterm).
constexpr TColor kBasic16[16] = {
    Rgb(0x00, 0x00, 0x00), Rgb(0xCD, 0x00, 0x00), Rgb(0x00, 0xCD, 0x00), Rgb(0xCD, 0xCD, 0x00),
    Rgb(0x00, 0x00, 0xEE), Rgb(0xCD, 0x00, 0xCD), Rgb(0x00, 0xCD, 0xCD), Rgb(0xE5, 0xE5, 0xE5),
    Rgb(0x7F, 0x7F, 0x7F), Rgb(0xFF, 0x00, 0x00), Rgb(0x00, 0xFF, 0x00), Rgb(0xFF, 0xFF, 0x00),
    Rgb(0x5C, 0x5C, 0xFF), Rgb(0xFF, 0x00, 0xFF), Rgb(0x00, 0xFF, 0xFF), Rgb(0xFF, 0xFF, 0xFF),
};

// The palette colours 16 to 255 as a terminal shows them.
constexpr std::array<TColor, 240> MakePalette256() {
    std::array<TColor, 240> colors{};
    std::size_t k = 0;
    for (const unsigned r : kCubeLevels) {
        for (const unsigned g : kCubeLevels) {
            for (const unsigned b : kCubeLevels) {
                colors[k++] = Rgb(r, g, b);
            }
        }
    }
    for (unsigned grey = 0; grey < 24; ++grey) {
        const unsigned level = 8 + 10 * grey;
        colors[k++] = Rgb(level, level, level);
    }
    return colors;
}

template <std::size_t N> std::array<TOklab, N> OklabOfAll(const TColor (&colors)[N]) {
    std::array<TOklab, N> values{};
    for (std::size_t k = 0; k < N; ++k) {
        values[k] = OklabOf(colors[k]);
    }
    return values;
}

std::size_t Nearest(std::span<const TOklab> palette, TColor color) {
    const TOklab target = OklabOf(color);
    std::size_t best = 0;
    double bestDistance = OklabDistance2(target, palette[0]);
    for (std::size_t k = 1; k < palette.size(); ++k) {
        if (const double distance = OklabDistance2(target, palette[k]); distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    }
    return best;
}

// The last answers by colour: a gradient asks for the same few hundred colours again and again,
// and each answer compares 240 colours.
struct TNearestCache {
    static constexpr std::size_t kSize = 4096;
    std::array<TColor, kSize> colors;
    std::array<unsigned char, kSize> indexes{};
    TNearestCache() { colors.fill(0xFFFFFFFFu); }

    static std::size_t Slot(TColor color) { return (color * 2654435761u) >> 20 & (kSize - 1); }
};

} // namespace

TColorDepth DetectColorDepth(const char* colorTerm, const char* noColor, const char* forceColor,
                             bool isTerminal) {
    if (forceColor != nullptr) {
        constexpr std::pair<const char*, TColorDepth> forced[] = {
            {"0", TColorDepth::None},
            {"false", TColorDepth::None},
            {"2", TColorDepth::Palette256},
            {"3", TColorDepth::TrueColor},
        };
        for (const auto& [value, depth] : forced) {
            if (std::strcmp(forceColor, value) == 0) {
                return depth;
            }
        }
        // "1", "true", "" and any other value force colour, the basic 16 that every terminal shows.
        return TColorDepth::Basic16;
    }
    if ((noColor != nullptr && *noColor != '\0') || !isTerminal) {
        return TColorDepth::None;
    }
    if (colorTerm != nullptr &&
        (std::strcmp(colorTerm, "truecolor") == 0 || std::strcmp(colorTerm, "24bit") == 0)) {
        return TColorDepth::TrueColor;
    }
    return TColorDepth::Palette256;
}

int Palette256Index(TColor color) {
    static const std::array<TOklab, 240> palette = [] {
        constexpr std::array<TColor, 240> colors = MakePalette256();
        std::array<TOklab, 240> values{};
        for (std::size_t k = 0; k < colors.size(); ++k) {
            values[k] = OklabOf(colors[k]);
        }
        return values;
    }();
    thread_local TNearestCache cache;
    color &= 0xFFFFFF;
    const std::size_t slot = TNearestCache::Slot(color);
    if (cache.colors[slot] != color) {
        cache.colors[slot] = color;
        cache.indexes[slot] = static_cast<unsigned char>(Nearest(palette, color));
    }
    return 16 + cache.indexes[slot];
}

int Basic16Index(TColor color) {
    static const std::array<TOklab, 16> palette = OklabOfAll(kBasic16);
    return static_cast<int>(Nearest(palette, color & 0xFFFFFF));
}

TColor Palette256Color(int index) {
    static constexpr int levels[] = {0, 95, 135, 175, 215, 255};
    if (index >= 232) {
        const auto grey = static_cast<TColor>(8 + 10 * (index - 232));
        return grey | (grey << 8) | (grey << 16);
    }
    if (index < 16) {
        const TColor full = (index & 8) != 0 ? 255 : 128;
        return ((index & 1) != 0 ? full : 0) | (((index & 2) != 0 ? full : 0) << 8) |
               (((index & 4) != 0 ? full : 0) << 16);
    }
    const int cube = index - 16;
    return static_cast<TColor>(levels[cube / 36]) | (static_cast<TColor>(levels[cube / 6 % 6]) << 8) |
           (static_cast<TColor>(levels[cube % 6]) << 16);
}
