#include "engine/TargetPalettes.h"

#include <array>

namespace {

// 0xRRGGBB as written in the targets' documentation, to 0x00BBGGRR.
constexpr TColor Rgb(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

constexpr std::array<TColor, 8> kDiscord = {Rgb(0x4F545C), Rgb(0xDC322F), Rgb(0x859900), Rgb(0xB58900),
                                            Rgb(0x268BD2), Rgb(0xD33682), Rgb(0x2AA198), Rgb(0xFFFFFF)};

constexpr std::array<TColor, 99> kIrc = {
    // 0-15, every client
    Rgb(0xFFFFFF), Rgb(0x000000), Rgb(0x00007F), Rgb(0x009300), Rgb(0xFF0000), Rgb(0x7F0000), Rgb(0x9C009C),
    Rgb(0xFC7F00), Rgb(0xFFFF00), Rgb(0x00FC00), Rgb(0x009393), Rgb(0x00FFFF), Rgb(0x0000FC), Rgb(0xFF00FF),
    Rgb(0x7F7F7F), Rgb(0xD2D2D2),
    // 16-27
    Rgb(0x470000), Rgb(0x472100), Rgb(0x474700), Rgb(0x324700), Rgb(0x004700), Rgb(0x00472C), Rgb(0x004747),
    Rgb(0x002747), Rgb(0x000047), Rgb(0x2E0047), Rgb(0x470047), Rgb(0x47002A),
    // 28-39
    Rgb(0x740000), Rgb(0x743A00), Rgb(0x747400), Rgb(0x517400), Rgb(0x007400), Rgb(0x007449), Rgb(0x007474),
    Rgb(0x004074), Rgb(0x000074), Rgb(0x4B0074), Rgb(0x740074), Rgb(0x740045),
    // 40-51
    Rgb(0xB50000), Rgb(0xB56300), Rgb(0xB5B500), Rgb(0x7DB500), Rgb(0x00B500), Rgb(0x00B571), Rgb(0x00B5B5),
    Rgb(0x0063B5), Rgb(0x0000B5), Rgb(0x7500B5), Rgb(0xB500B5), Rgb(0xB5006B),
    // 52-63
    Rgb(0xFF0000), Rgb(0xFF8C00), Rgb(0xFFFF00), Rgb(0xB2FF00), Rgb(0x00FF00), Rgb(0x00FFA0), Rgb(0x00FFFF),
    Rgb(0x008CFF), Rgb(0x0000FF), Rgb(0xA500FF), Rgb(0xFF00FF), Rgb(0xFF0098),
    // 64-75
    Rgb(0xFF5959), Rgb(0xFFB459), Rgb(0xFFFF71), Rgb(0xCFFF60), Rgb(0x6FFF6F), Rgb(0x65FFC9), Rgb(0x6DFFFF),
    Rgb(0x59B4FF), Rgb(0x5959FF), Rgb(0xC459FF), Rgb(0xFF66FF), Rgb(0xFF59BC),
    // 76-87
    Rgb(0xFF9C9C), Rgb(0xFFD39C), Rgb(0xFFFF9C), Rgb(0xE2FF9C), Rgb(0x9CFF9C), Rgb(0x9CFFDB), Rgb(0x9CFFFF),
    Rgb(0x9CD3FF), Rgb(0x9C9CFF), Rgb(0xDC9CFF), Rgb(0xFF9CFF), Rgb(0xFF94D3),
    // 88-98
    Rgb(0x000000), Rgb(0x131313), Rgb(0x282828), Rgb(0x363636), Rgb(0x4D4D4D), Rgb(0x656565), Rgb(0x818181),
    Rgb(0x9F9F9F), Rgb(0xBCBCBC), Rgb(0xE2E2E2), Rgb(0xFFFFFF)};

} // namespace

std::span<const TColor> DiscordPalette() {
    return kDiscord;
}

std::span<const TColor> IrcPalette() {
    return kIrc;
}

namespace {

std::vector<TOklab> PointsOf(std::span<const TColor> palette) {
    std::vector<TOklab> points;
    points.reserve(palette.size());
    for (const TColor color : palette) {
        points.push_back(OklabOf(color));
    }
    return points;
}

// The targets' own palettes in OKLab are worked out once: an animation makes a mapper for every
// frame, and the conversions would cost more than the frame.
std::vector<TOklab> KnownPointsOf(std::span<const TColor> palette) {
    static const std::vector<TOklab> discord = PointsOf(kDiscord);
    static const std::vector<TOklab> irc = PointsOf(kIrc);
    if (palette.data() == kDiscord.data() && palette.size() == kDiscord.size()) {
        return discord;
    }
    if (palette.data() == kIrc.data() && palette.size() == kIrc.size()) {
        return irc;
    }
    return PointsOf(palette);
}

} // namespace

TPaletteMapper::TPaletteMapper(std::span<const TColor> palette)
    : palette_(palette), points_(KnownPointsOf(palette)) {}

int TPaletteMapper::Nearest(TColor color) const {
    // The frames of an animation ask for the same few colours again and again, each frame with a
    // mapper of its own: the answers are remembered for the thread, by palette and colour.
    struct TRemembered {
        const TColor* Palette = nullptr;
        TColor Color = 0;
        int Index = 0;
    };
    constexpr std::size_t kRemembered = 1024;
    thread_local std::array<TRemembered, kRemembered> remembered{};
    TRemembered& slot = remembered[(color * 2654435761u) >> 22 & (kRemembered - 1)];
    if (slot.Palette == palette_.data() && slot.Color == color) {
        return slot.Index;
    }
    slot = {palette_.data(), color, NearestOf(color)};
    return slot.Index;
}

int TPaletteMapper::NearestOf(TColor color) const {
    const TOklab target = OklabOf(color);
    int nearest = 0;
    double best = 0;
    for (std::size_t index = 0; index < points_.size(); ++index) {
        const double distance = OklabDistance2(points_[index], target);
        // Strictly nearer only: of two equally near, the lower index stays.
        if (index == 0 || distance < best) {
            best = distance;
            nearest = static_cast<int>(index);
        }
    }
    return nearest;
}
