#pragma once

#include "controls/FontSource.h"

#include <memory>

// The installed fonts, plus the Windows Japanese faces that the program's files and HTML name
// ("ＭＳ Ｐゴシック" ...) for which a stand-in is installed, so a stored face can be chosen
// and shown in the font list although no font of that name exists here.
class TWindowsFaceFontSource final : public TFontSource {
public:
    explicit TWindowsFaceFontSource(std::unique_ptr<TFontSource> installed);

    std::vector<TFontFace> ScreenFaces() const override;
    std::vector<TFontFace> PrinterFaces() const override;

private:
    std::unique_ptr<TFontSource> installed_;
};
