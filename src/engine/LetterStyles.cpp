#include "engine/LetterStyles.h"

#include "engine/ReaderRuns.h"

#include <array>

namespace {

// The small capitals of a to z; x has none of its own and stays.
constexpr std::array<char32_t, 26> kSmallCaps = {
    U'\u1D00', U'\u0299', U'\u1D04', U'\u1D05', U'\u1D07', U'\uA730', U'\u0262', U'\u029C', U'\u026A',
    U'\u1D0A', U'\u1D0B', U'\u029F', U'\u1D0D', U'\u0274', U'\u1D0F', U'\u1D18', U'\u01EB', U'\u0280',
    U'\uA731', U'\u1D1B', U'\u1D1C', U'\u1D20', U'\u1D21', U'x',      U'\u028F', U'\u1D22'};

// The styled form of an ASCII character; none when it has none.
std::optional<char32_t> Styled(char c, TLetterStyle style) {
    const bool upper = c >= 'A' && c <= 'Z';
    const bool lower = c >= 'a' && c <= 'z';
    const bool digit = c >= '0' && c <= '9';
    switch (style) {
    case TLetterStyle::SmallCaps:
        if (upper || lower) {
            return kSmallCaps[static_cast<std::size_t>(AsciiLower(c) - 'a')];
        }
        return std::nullopt;
    case TLetterStyle::FullWidth:
        // Every printable ASCII character but the space has a full-width twin.
        if (c > ' ' && c < 0x7F) {
            return static_cast<char32_t>(0xFF01 + (c - '!'));
        }
        return std::nullopt;
    case TLetterStyle::Circled:
        if (upper) {
            return static_cast<char32_t>(0x24B6 + (c - 'A'));
        }
        if (lower) {
            return static_cast<char32_t>(0x24D0 + (c - 'a'));
        }
        if (digit) {
            return c == '0' ? char32_t{0x24EA} : static_cast<char32_t>(0x2460 + (c - '1'));
        }
        return std::nullopt;
    case TLetterStyle::None:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<TLetterStyle> LetterStyleFromName(std::string_view name) {
    if (name == "smallcaps") {
        return TLetterStyle::SmallCaps;
    }
    if (name == "fullwidth") {
        return TLetterStyle::FullWidth;
    }
    if (name == "circled") {
        return TLetterStyle::Circled;
    }
    return std::nullopt;
}

std::string_view LetterStyleNames() {
    return "smallcaps, fullwidth or circled";
}

std::string StyledLetters(std::string_view utf8, TLetterStyle style) {
    std::string styled;
    styled.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        // Only ASCII has styled forms; the bytes of other characters are copied as they are.
        if (const std::optional<char32_t> form = Styled(c, style)) {
            AppendCodePoint(styled, *form);
        } else {
            styled += c;
        }
    }
    return styled;
}
