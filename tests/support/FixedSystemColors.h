#pragma once

#include "support/SystemColorsScope.h"

// One fixed system-colour table, installed while it lives. The interface colours differ from each
// other, from black, white and grey, and from pure red, green and blue, so a pixel tells which
// one was drawn; the window frame stays black as on the desktop.
class TFixedSystemColors final : public TSystemColorResolver {
public:
    static constexpr TColor Window = 0x00F0F8FF;     // #FFF8F0
    static constexpr TColor WindowText = 0x00100804; // #040810
    static constexpr TColor Face = 0x00D8E9EC;       // #ECE9D8
    static constexpr TColor Shadow = 0x00998877;     // #778899
    static constexpr TColor Highlight = 0x00F0FAFF;  // #FFFAF0
    static constexpr TColor DarkShadow = 0x00332211; // #112233
    static constexpr TColor Light = 0x00E0E8F0;      // #F0E8E0
    static constexpr TColor Other = 0x00123456;      // every other index

    TFixedSystemColors() = default;
    TFixedSystemColors(const TFixedSystemColors&) = delete;
    TFixedSystemColors& operator=(const TFixedSystemColors&) = delete;

    TColor SystemColor(int index) const override {
        switch (index) {
        case 0x05:
            return Window;
        case 0x06:
            return clBlack; // window frame
        case 0x08:
        case 0x12:
            return WindowText; // window and button text
        case 0x0F:
            return Face;
        case 0x10:
            return Shadow;
        case 0x14:
            return Highlight;
        case 0x15:
            return DarkShadow;
        case 0x16:
            return Light;
        default:
            return Other;
        }
    }

private:
    TSystemColorsScope installed_{this};
};
