#pragma once

#include "controls/FontSource.h"

#include <vector>

// The installed fonts, plus the Windows Japanese faces that the program's files and HTML name
// ("ＭＳ Ｐゴシック" ...) for which a stand-in is installed, so a stored face can be chosen
// and shown in the font list although no font of that name exists here.
class TWindowsFaceFontSource final : public TFontSource {
public:
    // `installed` must outlive this source.
    explicit TWindowsFaceFontSource(const TFontSource& installed);

    std::vector<TFontFace> ScreenFaces() const override;
    std::vector<TFontFace> PrinterFaces() const override;

private:
    const TFontSource& installed_;
};
