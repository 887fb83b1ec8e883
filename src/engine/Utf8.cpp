#include "engine/Utf8.h"

#include "engine/Utf8Decode.h"

std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) {
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t start = offset;
        if (NextUtf8CodePoint(text, offset) < 0) {
            return start;
        }
    }
    return std::nullopt;
}

std::string WithReplacementCharacters(std::string_view text) {
    std::string repaired;
    repaired.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t start = offset;
        if (NextUtf8CodePoint(text, offset) < 0) {
            repaired += "\xEF\xBF\xBD";
        } else {
            repaired.append(text.substr(start, offset - start));
        }
    }
    return repaired;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        char32_t c = text[k];
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < text.size() && text[k + 1] >= 0xDC00 &&
            text[k + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[k + 1] - 0xDC00);
            ++k;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // unpaired
        }
        AppendUtf8(c, utf8);
    }
    return utf8;
}

bool HoldsControlCharacter(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
        // U+0080-U+009F are C2 80 to C2 9F; C2 is never a continuation byte.
        if (byte == 0xC2 && pos + 1 < utf8.size() && static_cast<unsigned char>(utf8[pos + 1]) < 0xA0) {
            return true;
        }
    }
    return false;
}
