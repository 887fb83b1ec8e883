#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The code point that starts at `offset` in `text` (offset < size); `offset` moves past it. For an
// ill-formed piece it returns -1 and moves past the longest start of a sequence that could still
// have gone on (at least one byte), as Unicode recommends, so that each such piece is one U+FFFD.
// Encoded surrogates, overlong forms and code points above U+10FFFF are ill-formed.
inline std::int32_t NextUtf8CodePoint(std::string_view text, std::size_t& offset) {
    const auto lead = static_cast<unsigned char>(text[offset++]);
    if (lead < 0x80) {
        return lead;
    }
    int trails = 0;
    std::int32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trails = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trails = 2;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : low;   // overlong below
        high = lead == 0xED ? 0x9F : high; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trails = 3;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : low;   // overlong below
        high = lead == 0xF4 ? 0x8F : high; // beyond U+10FFFF above
    } else {
        return -1;
    }
    for (int k = 0; k < trails; ++k) {
        if (offset >= text.size()) {
            return -1;
        }
        const auto trail = static_cast<unsigned char>(text[offset]);
        if (trail < low || trail > high) {
            return -1;
        }
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (trail & 0x3F);
        ++offset;
    }
    return codePoint;
}

// Appends the UTF-8 of a code point (a scalar value) to `out`.
template <typename TString> void AppendUtf8(char32_t c, TString& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
