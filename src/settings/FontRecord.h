#pragma once

#include "engine/Color.h"

#include <cstdint>
#include <string>

// Font style bits as stored: 1 bold, 2 italic, 4 underline, 8 strike-out.
inline constexpr std::uint8_t fsBoldBit = 1;
inline constexpr std::uint8_t fsItalicBit = 2;
inline constexpr std::uint8_t fsUnderlineBit = 4;
inline constexpr std::uint8_t fsStrikeOutBit = 8;

// A font as the settings file holds it; the window maps it onto a QFont.
struct TFontRecord {
    std::string Name; // face name, Shift-JIS
    int Size = 0;     // points
    std::uint8_t Style = 0;
    TColor Color = clWindowText;

    friend bool operator==(const TFontRecord&, const TFontRecord&) = default;
};
