#include "engine/Utf8.h"

#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <stdexcept>

namespace {

// The next code point from `offset`, which moves past it (or past the ill-formed piece there);
// negative for an ill-formed piece.
UChar32 NextCodePoint(std::string_view text, std::size_t& offset) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t length = text.size();
    UChar32 c = 0;
    U8_NEXT(bytes, offset, length, c);
    return c;
}

} // namespace

std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) {
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t start = offset;
        if (NextCodePoint(text, offset) < 0) {
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
        if (NextCodePoint(text, offset) < 0) {
            repaired += "\xEF\xBF\xBD";
        } else {
            repaired.append(text.substr(start, offset - start));
        }
    }
    return repaired;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    if (text.size() > static_cast<std::size_t>(INT32_MAX / 3)) {
        throw std::length_error("text too long to convert");
    }
    const auto length = static_cast<int32_t>(text.size());
    // At most three UTF-8 bytes for each UTF-16 unit.
    std::string utf8(text.size() * 3, '\0');
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &written, text.data(), length, 0xFFFD,
                       nullptr, &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU cannot convert UTF-16: ") + u_errorName(status));
    }
    utf8.resize(static_cast<std::size_t>(written));
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
