#pragma once

#include <QString>

#include <vector>

// Character-set codes of a face, as the font list's filters know them.
inline constexpr int kAnsiCharSet = 0;
inline constexpr int kDefaultCharSet = 1;
inline constexpr int kSymbolCharSet = 2;
inline constexpr int kShiftJisCharSet = 128;
inline constexpr int kOemCharSet = 255;

// Bits of a face's pitch-and-family byte.
inline constexpr int kFixedPitch = 1;
inline constexpr int kVariablePitch = 2;

// Font-type flags of a face; they may combine.
inline constexpr int kRasterFontType = 1;
inline constexpr int kDeviceFontType = 2;
inline constexpr int kTrueTypeFontType = 4;

// One typeface offered by a device.
struct TFontFace {
    QString Name;
    int CharSet = kAnsiCharSet;
    int PitchAndFamily = kVariablePitch;
    int FontType = kTrueTypeFontType;
};

// Where the font list gets its faces: the installed fonts in the program, a fixed list in tests.
class TFontSource {
public:
    virtual ~TFontSource() = default;
    // One entry per typeface of the screen, in any order.
    virtual std::vector<TFontFace> ScreenFaces() const = 0;
    // The faces of the default printer; may throw when there is no printer.
    virtual std::vector<TFontFace> PrinterFaces() const = 0;
};
