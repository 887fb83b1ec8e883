#include "platform/UiLanguage.h"

#include <QLocale>

TUiLanguage UiLanguageFor(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        // "ja", "ja-JP", "ja_JP.UTF-8" ... the language is what comes before the first separator.
        const QString language =
            name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("ja")) {
            return TUiLanguage::Japanese;
        }
        if (language == QLatin1String("en")) {
            return TUiLanguage::English;
        }
    }
    return TUiLanguage::English;
}

TUiLanguage SystemUiLanguage() {
    return UiLanguageFor(QLocale::system().uiLanguages());
}

QString UiLanguageCode(TUiLanguage language) {
    return language == TUiLanguage::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
}
