#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"

#include <cstdint>
#include <string>

// A font as the settings file holds it; the window maps it onto a QFont.
struct TFontRecord {
    std::string Name;       // face name, Shift-JIS
    int Size = 0;           // points
    std::uint8_t Style = 0; // the TFontStyles bits fsBold, fsItalic, fsUnderline, fsStrikeOut
    TColor Color = clWindowText;

    friend bool operator==(const TFontRecord&, const TFontRecord&) = default;
};
