#include "controls/SystemFontSource.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

QString FaceNameOfFamily(const QString& family) {
    const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
    if (open > 0 && family.endsWith(u']')) {
        return family.left(open);
    }
    return family;
}

std::vector<TFontFace> TSystemFontSource::ScreenFaces() const {
    std::vector<TFontFace> faces;
    const QStringList families = QFontDatabase::families();
    faces.reserve(static_cast<std::size_t>(families.size()));
    for (const QString& family : families) {
        if (QFontDatabase::isPrivateFamily(family)) {
            continue;
        }
        TFontFace face;
        face.Name = FaceNameOfFamily(family);
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        if (systems.contains(QFontDatabase::Latin)) {
            face.CharSet = kAnsiCharSet;
        } else if (systems.contains(QFontDatabase::Japanese)) {
            face.CharSet = kShiftJisCharSet;
        } else if (systems.contains(QFontDatabase::Symbol)) {
            face.CharSet = kSymbolCharSet;
        } else {
            face.CharSet = kDefaultCharSet;
        }
        face.PitchAndFamily = QFontDatabase::isFixedPitch(family) ? kFixedPitch : kVariablePitch;
        face.FontType = QFontDatabase::isSmoothlyScalable(family) ? kTrueTypeFontType : kRasterFontType;
        faces.push_back(face);
    }
    return faces;
}

std::vector<TFontFace> TSystemFontSource::PrinterFaces() const {
    return {};
}
