#pragma once

#include <optional>
#include <string>
#include <string_view>

// The language an HTML5 page declares for its text (lang="..."), so that a screen reader picks
// the right voice.

// "ja" when the UTF-8 text holds kana or kanji (a mixed text too), else `otherwise`, the
// language of the user's desktop.
std::string TextLanguage(std::string_view utf8, std::string_view otherwise);

// The language of a POSIX locale name ("de_DE.UTF-8", "pt_BR", "ja"): its first part in lower
// case; nothing for "C", "POSIX", an empty name or one that is no language.
std::optional<std::string> LocaleLanguage(std::string_view localeName);

// Whether `tag` may stand as a language tag: subtags of 1 to 8 ASCII letters or digits joined
// by hyphens, the first of 2 to 8 letters ("en", "pt-BR", "zh-Hant-TW").
bool IsLanguageTag(std::string_view tag);
