#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the bytes of an output text are encoded: Shift-JIS for the design's HTML, UTF-8 for the
// newer output kinds.
enum class TTextEncoding { Cp932, Utf8 };

// The HTML text the last refresh built (the window's hidden memo): a list of lines, held as it
// is written out, every line followed by CR LF. Empty when the text had fewer than two
// characters. The bytes are Shift-JIS, or UTF-8 for the newer output kinds.
class THtmlText {
public:
    THtmlText() = default;
    // `written` holds whole lines, each followed by CR LF; a last line without one gets it.
    explicit THtmlText(std::string written, TTextEncoding encoding = TTextEncoding::Cp932);

    TTextEncoding Encoding() const { return encoding_; }

    bool Empty() const { return written_.empty(); }
    // Every line followed by CR LF: the whole-text copy and the bytes of a file.
    const std::string& Written() const { return written_; }
    // The lines without their line ends.
    std::vector<std::string_view> Lines() const;
    // All lines joined with nothing between them: the one-line copy.
    std::string OneLine() const;

    friend bool operator==(const THtmlText&, const THtmlText&) = default;

private:
    std::string written_;
    TTextEncoding encoding_ = TTextEncoding::Cp932;
};
