#pragma once

#include "engine/jstrm.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Byte-level helpers for settings text. Names and values are Shift-JIS bytes; a scan for an
// ASCII sign must never look at the second byte of a double-byte character, and letter case is
// folded only for ASCII letters that start a character.

// Bytes that can follow a lead byte in one character: 0x40-0x7E and 0x80-0xFC.
constexpr bool IsSjisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Tab, LF, VT, FF, CR and space. The full-width space (0x81 0x40) is not a blank.
constexpr bool IsIniBlank(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

// The byte length (1 or 2) of the character that starts at `pos`. A lead byte that is not
// followed by a trail byte stands alone.
std::size_t SjisCharLength(std::string_view text, std::size_t pos);

// True when the last byte of `text` is a lead byte that starts a character of its own, so the
// byte written after it would be taken as its second byte.
bool EndsWithLoneLeadByte(std::string_view text);

std::string_view TrimIniBlanks(std::string_view text);

// Position of the first / last character equal to `c` (an ASCII byte), or npos.
std::size_t FindFirstChar(std::string_view text, char c);
std::size_t FindLastChar(std::string_view text, char c);

// True when some character of `text` is one of `chars` (ASCII bytes).
bool ContainsAnyChar(std::string_view text, std::string_view chars);

// The name trimmed of blanks with its ASCII letters in lower case: the form under which section
// and key names are compared.
std::string FoldIniName(std::string_view name);
bool SameIniName(std::string_view a, std::string_view b);

// The parts joined into one string. (Chains of operator+ on strings draw a false warning from
// GCC 12 at -O3.)
std::string ConcatText(std::initializer_list<std::string_view> parts);

// A whole decimal number, as the settings read integers: an optional sign ("+" or "-") and
// digits, nothing else; nothing when the text is not one or does not fit an int.
std::optional<int> ParseIniInteger(std::string_view text);
