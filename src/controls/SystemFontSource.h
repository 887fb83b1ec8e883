#pragma once

#include "controls/FontSource.h"

// The fonts installed on this system, from QFontDatabase. Outline fonts count as TrueType,
// bitmap-only fonts as raster; a face that covers Latin text has the ANSI character set, one
// made for Japanese the Shift-JIS set, a symbol font the symbol set. There are no printer fonts.
// The face name of a font family as the font database lists it: a family offered by several
// foundries is listed once per foundry as "Name [Foundry]"; the face name is "Name".
QString FaceNameOfFamily(const QString& family);

class TSystemFontSource final : public TFontSource {
public:
    std::vector<TFontFace> ScreenFaces() const override;
    std::vector<TFontFace> PrinterFaces() const override;
};
