#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Code page 932 as two tables that the build makes from the system's iconv (Cp932TableGen.cpp):
// the program converts as iconv does without calling it, and so does the page in the browser,
// which has no iconv.

// The leading bytes of a two-byte character.
constexpr bool IsCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
// The bytes that may follow a leading byte.
constexpr bool IsCp932Trail(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The code point of one character unit (one byte, or a leading byte and the byte after it);
// U+FFFD where code page 932 defines nothing (a leading byte alone among them).
char32_t Cp932CodePoint(std::string_view character);

// The generated data: the code points of the 256 single bytes and of each leading byte's 256
// pairs (U+FFFD: nothing), and the code of every code point of the Basic Multilingual Plane
// (0xFFFF: none; code page 932 holds nothing beyond it).
inline constexpr std::size_t kCp932Leads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
inline constexpr std::size_t kCp932DecodeSize = 256 + kCp932Leads * 256;
extern const std::uint16_t kCp932Decode[kCp932DecodeSize];
extern const std::uint16_t kCp932Encode[0x10000];

// The code page 932 code of a code point: below 0x100 one byte, else a leading byte (high) and
// a trailing byte (low); none for a code point that code page 932 cannot hold.
inline std::optional<std::uint16_t> Cp932Code(char32_t codePoint) {
    if (codePoint >= 0x10000 || kCp932Encode[codePoint] == 0xFFFF) {
        return std::nullopt;
    }
    return kCp932Encode[codePoint];
}
