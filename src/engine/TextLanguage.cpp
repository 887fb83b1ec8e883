#include "engine/TextLanguage.h"

#include <algorithm>
#include <cstddef>

namespace {

bool IsKanaOrKanji(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) ||   // hiragana, katakana
           (c >= 0x31F0 && c <= 0x31FF) ||   // katakana extensions
           (c >= 0xFF66 && c <= 0xFF9F) ||   // half-width katakana
           (c >= 0x3400 && c <= 0x4DBF) ||   // kanji, extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||   // kanji
           (c >= 0xF900 && c <= 0xFAFF) ||   // compatibility kanji
           (c >= 0x20000 && c <= 0x3134F) || // kanji, extensions B to G
           c == 0x3005;                      // the repeat mark 々
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string TextLanguage(std::string_view utf8, std::string_view otherwise) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (IsKanaOrKanji(c)) {
            return "ja";
        }
        i += length;
    }
    return std::string(otherwise);
}

std::optional<std::string> LocaleLanguage(std::string_view localeName) {
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@-"));
    if (language.size() < 2 || language.size() > 8 ||
        !std::all_of(language.begin(), language.end(), IsAsciiLetter)) {
        return std::nullopt; // "C" among them
    }
    std::string lower(language);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    if (lower == "posix") {
        return std::nullopt;
    }
    return lower;
}

bool IsLanguageTag(std::string_view tag) {
    std::size_t start = 0;
    bool first = true;
    while (true) {
        const std::size_t end = std::min(tag.find('-', start), tag.size());
        const std::string_view part = tag.substr(start, end - start);
        const bool wellFormed =
            first
                ? part.size() >= 2 && part.size() <= 8 && std::all_of(part.begin(), part.end(), IsAsciiLetter)
                : !part.empty() && part.size() <= 8 && std::all_of(part.begin(), part.end(), [](char c) {
                      return IsAsciiLetter(c) || IsAsciiDigit(c);
                  });
        if (!wellFormed) {
            return false;
        }
        if (end == tag.size()) {
            return true;
        }
        start = end + 1;
        first = false;
    }
}
