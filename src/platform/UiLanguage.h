#pragma once

#include <QString>
#include <QStringList>

// The language the window speaks. Its own texts are written in Japanese; English comes from
// the translation built into the program.
enum class TUiLanguage { Japanese, English };

// Japanese when the user's languages, in their order of preference, name Japanese before
// English; English otherwise, also when neither is named.
TUiLanguage UiLanguageFor(const QStringList& uiLanguages);

// The choice for the desktop's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
TUiLanguage SystemUiLanguage();

// The language's code as Qt's translation files and the help pages name it: "ja" or "en".
QString UiLanguageCode(TUiLanguage language);
