#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>

#include <utility>
#include <vector>

namespace {

const QStringList& ProportionalGothic() {
    static const QStringList faces{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("VL PGothic"), QStringLiteral("IPAGothic"),
                                   QStringLiteral("Droid Sans Fallback")};
    return faces;
}

const QStringList& FixedGothic() {
    static const QStringList faces{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                   QStringLiteral("VL Gothic"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("Droid Sans Fallback")};
    return faces;
}

const QStringList& ProportionalMincho() {
    static const QStringList faces{QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP"),
                                   QStringLiteral("IPAMincho"), QStringLiteral("IPAPGothic")};
    return faces;
}

const QStringList& FixedMincho() {
    static const QStringList faces{QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP"),
                                   QStringLiteral("IPAPMincho"), QStringLiteral("IPAGothic")};
    return faces;
}

const QStringList& SansSerif() {
    static const QStringList faces{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("IPAPGothic")};
    return faces;
}

// Windows face -> stand-ins in order of preference. Both the Japanese and the romanised
// names are listed, as Japanese Windows files use either.
const std::vector<std::pair<QString, const QStringList*>>& Substitutes() {
    static const std::vector<std::pair<QString, const QStringList*>> table{
        {QStringLiteral("ＭＳ Ｐゴシック"), &ProportionalGothic()},
        {QStringLiteral("ＭＳ ゴシック"), &FixedGothic()},
        {QStringLiteral("ＭＳ Ｐ明朝"), &ProportionalMincho()},
        {QStringLiteral("ＭＳ 明朝"), &FixedMincho()},
        {QStringLiteral("MS UI Gothic"), &ProportionalGothic()},
        {QStringLiteral("MS PGothic"), &ProportionalGothic()},
        {QStringLiteral("MS Gothic"), &FixedGothic()},
        {QStringLiteral("MS PMincho"), &ProportionalMincho()},
        {QStringLiteral("MS Mincho"), &FixedMincho()},
        {QStringLiteral("メイリオ"), &ProportionalGothic()},
        {QStringLiteral("Meiryo"), &ProportionalGothic()},
        {QStringLiteral("MS Sans Serif"), &SansSerif()},
    };
    return table;
}

} // namespace

void InstallWindowsFontSubstitutes() {
    for (const auto& [face, standIns] : Substitutes()) {
        QFont::insertSubstitutions(face, *standIns);
    }
}

QStringList WindowsFaceNames() {
    QStringList names;
    for (const auto& [face, standIns] : Substitutes()) {
        names << face;
    }
    return names;
}

bool IsDrawableWindowsFace(const QString& face) {
    const QStringList families = QFontDatabase::families();
    for (const auto& [name, standIns] : Substitutes()) {
        if (name.compare(face, Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const QString& standIn : *standIns) {
            // On a Japanese desktop the font list names the IPA fonts in Japanese ("IPA Pゴシック");
            // their romanised names are aliases then.
            if (families.contains(standIn, Qt::CaseInsensitive) || QFontDatabase::hasFamily(standIn)) {
                return true;
            }
        }
    }
    return false;
}
