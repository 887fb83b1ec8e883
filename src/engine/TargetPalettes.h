#pragma once

#include "engine/Color.h"
#include "engine/Oklab.h"

#include <span>
#include <vector>

// The few colours of the paste targets that take no colour of their own choosing. Values are
// 0x00BBGGRR, indexed from the target's first code.

// Discord's ansi blocks: codes 30 to 37, as the desktop client shows them.
std::span<const TColor> DiscordPalette();
inline constexpr int kDiscordFirstCode = 30;
// mIRC colours 0 to 98 (99 means the default colour).
std::span<const TColor> IrcPalette();

// Maps colours to the nearest of one palette (OKLab, ties to the lower index), remembering the
// last colour asked: a gradient asks for the same colour many times in a row.
class TPaletteMapper {
public:
    explicit TPaletteMapper(std::span<const TColor> palette);
    int Index(TColor color) {
        if (color != lastColor_ || lastIndex_ < 0) {
            lastColor_ = color;
            lastIndex_ = Nearest(color);
        }
        return lastIndex_;
    }
    TColor Color(int index) const { return palette_[static_cast<std::size_t>(index)]; }

private:
    int Nearest(TColor color) const;
    int NearestOf(TColor color) const; // worked out, not remembered

    std::span<const TColor> palette_;
    std::vector<TOklab> points_;
    TColor lastColor_ = 0;
    int lastIndex_ = -1;
};
