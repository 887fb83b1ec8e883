#include "engine/Utf8.h"

#include <unicode/utf8.h>

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
