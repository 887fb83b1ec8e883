#pragma once

// jstrm: the Japanese string routines. The name is the program's historical one for this unit.

#include <cstddef>
#include <string>
#include <string_view>

// Character units of a Shift-JIS (code page 932) byte string. A character is one byte, or two
// when the first is a lead byte; no function here ever splits a two-byte character. Positions
// are 1-based byte positions, character indexes 1-based counts of characters.

// The lead-byte test of code page 932: 0x81 to 0x9F and 0xE0 to 0xFC.
constexpr bool IsDBCSLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The byte length (1 or 2) of the character that starts at the 0-based byte offset. A lead
// byte at the very end of the text stands alone as a one-byte character.
inline std::size_t CharLengthAt(std::string_view text, std::size_t offset) {
    return IsDBCSLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}

// Whether the byte at `position` is the second byte of a two-byte character. Throws
// std::out_of_range("Illegal Index") when the position lies outside 1 to the byte length.
bool IsTrailByte(std::string_view text, int position);

// The number of characters; 0 for an empty text.
int CharCount(std::string_view text);

// Characters `first` to `first + count - 1`; characters beyond either end are simply absent.
std::string CharCopy(std::string_view text, int first, int count);

// The character index at which `part` first occurs in `text`, trying only positions where a
// character starts; 0 when it does not occur or the text is empty.
int CharPos(std::string_view part, std::string_view text);

// Cuts the first token off `text`: the bytes before the first delimiter byte that is not the
// second byte of a two-byte character. `text` keeps what follows that delimiter (the delimiter
// itself is dropped), or becomes empty when there is none. Empty delimiters take the whole text.
std::string CutToken(std::string& text, std::string_view delimiters);
