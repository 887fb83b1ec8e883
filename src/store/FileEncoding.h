#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The encoding a settings or style file is stored in. A file without a byte-order mark is
// Shift-JIS (code page 932) and is used byte for byte; a text editor may have saved it as UTF-8
// or UTF-16LE with a mark, and it is then converted to code page 932 for reading and back to its
// own encoding, mark first, for saving. A UTF-8 mark in front of text that is not UTF-8 is taken
// as it always was: Shift-JIS bytes, the mark kept.
enum class TFileEncoding : std::uint8_t { ShiftJis, Utf8, Utf16Le };

struct TStoredText {
    TFileEncoding Encoding = TFileEncoding::ShiftJis;
    // The text in code page 932, without the mark.
    std::string Cp932;
    // Empty, or why the text cannot be used (English, valid UTF-8).
    std::string Problem;
};

// The text of a file's bytes. A character that code page 932 cannot hold, or cannot give back
// unchanged, is a problem: the file would not survive being written back.
TStoredText DecodeStoredText(std::string bytes);

// The bytes of the text in `encoding`, mark first. `problem` is set (and the result empty) when
// the text is not valid code page 932 and so cannot be converted.
std::string EncodeStoredText(std::string_view cp932, TFileEncoding encoding, std::string& problem);
