#include "window/WindowsFaceFontSource.h"

#include "platform/FontSubstitutes.h"

TWindowsFaceFontSource::TWindowsFaceFontSource(const TFontSource& installed) : installed_(installed) {}

std::vector<TFontFace> TWindowsFaceFontSource::ScreenFaces() const {
    std::vector<TFontFace> faces = installed_.ScreenFaces();
    for (const QString& name : WindowsFaceNames()) {
        if (IsDrawableWindowsFace(name)) {
            const bool japanese = name.front().unicode() > 0x7F;
            faces.push_back(TFontFace{name, japanese ? kShiftJisCharSet : kAnsiCharSet, kVariablePitch,
                                      kTrueTypeFontType});
        }
    }
    return faces;
}

std::vector<TFontFace> TWindowsFaceFontSource::PrinterFaces() const {
    return installed_.PrinterFaces();
}
