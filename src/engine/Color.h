#pragma once

#include <cstdint>

// A colour value laid out 0x00BBGGRR (red in the lowest byte). A value whose highest byte is
// 0x80 is a system colour: its lowest byte indexes the desktop's current interface colours.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;
inline constexpr TColor cl3DDkShadow = 0x80000015;
inline constexpr TColor cl3DLight = 0x80000016;
inline constexpr TColor clWindowFrame = 0x80000006;

constexpr bool IsSystemColor(TColor color) {
    return (color & 0xFF000000u) == clSystemColor;
}

// Where system colours come from. The program installs one that reads the application's
// palette; tests install a fixed table.
class TSystemColorResolver {
public:
    virtual ~TSystemColorResolver() = default;
    // The plain 0x00BBGGRR value of system colour `index` (the low byte of 0x800000xx).
    virtual TColor SystemColor(int index) const = 0;
};

// The resolver in use; nullptr restores the built-in classic table.
void SetSystemColorResolver(const TSystemColorResolver* resolver);
const TSystemColorResolver& CurrentSystemColors();

// A system colour resolved to its current plain value; any other value is returned as it is.
TColor ResolveColor(TColor color);
