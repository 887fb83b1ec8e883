#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The encoding a settings or style file is stored in. A file without a byte-order mark is
// Shift-JIS (code page 932) and is used byte for byte, unless its first character is an ASCII
// one beside a zero byte (UTF-16 without a mark); a text editor may have saved it as UTF-8 or
// UTF-16 (either byte order, with or without a mark), and it is then
// converted to code page 932 for reading and back to its own encoding, mark and all, for saving.
// A UTF-8 mark in front of text that is not UTF-8 is taken as it always was: Shift-JIS bytes, the
// mark kept. UTF-32 (by its mark) is recognised but neither read nor written.
enum class TFileEncoding : std::uint8_t {
    ShiftJis,
    Utf8,
    Utf16Le,
    Utf16Be,
    Utf16LeNoMark,
    Utf16BeNoMark,
    Utf32Le,
    Utf32Be
};

// Why a text cannot be read or written in its encoding; each has a message of its own.
enum class TEncodingProblem : std::uint8_t {
    None,
    Unholdable,       // a character that code page 932 cannot hold
    NotKeptUnchanged, // a character that code page 932 cannot give back unchanged
    Invalid,          // the bytes are not valid in the encoding the mark or the zero bytes say
    NotWritten,       // an encoding Tintrel recognises but does not write (UTF-32)
    NotCp932,         // (saving) the text holds bytes that are not code page 932
    ZeroBytes,        // (saving) Shift-JIS text whose zero bytes would make it read as UTF-16
    ReadsAsUtf8       // (saving) Shift-JIS text behind a UTF-8 mark that would read back as UTF-8
};

struct TStoredText {
    TFileEncoding Encoding = TFileEncoding::ShiftJis;
    // The text in code page 932, without the mark.
    std::string Cp932;
    // Empty, or why the text cannot be used (English, valid UTF-8).
    std::string Problem;
    TEncodingProblem Cause = TEncodingProblem::None;
};

// The text of a file's bytes. A character that code page 932 cannot hold, or cannot give back
// unchanged, is a problem: the file would not survive being written back.
TStoredText DecodeStoredText(std::string bytes);

// The bytes of the text in `encoding`. Shift-JIS text is its own bytes, unless a zero byte among
// its first two would make it read back as UTF-16: then `problem` is set and the result empty.
// For the other encodings: the bytes mark first when the encoding has one. `problem` is set
// (and the result empty) when the text cannot be converted; `cause`, when given, says why.
std::string EncodeStoredText(std::string_view cp932, TFileEncoding encoding, std::string& problem,
                             TEncodingProblem* cause = nullptr);
