#pragma once

#include "controls/FontSource.h"

// The fonts installed on this system, from QFontDatabase. Outline fonts count as TrueType,
// bitmap-only fonts as raster; a face that covers Latin text has the ANSI character set, one
// made for Japanese the Shift-JIS set, a symbol font the symbol set. There are no printer fonts.
class TSystemFontSource final : public TFontSource {
public:
    std::vector<TFontFace> ScreenFaces() const override;
    std::vector<TFontFace> PrinterFaces() const override;
};
