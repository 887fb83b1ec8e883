#pragma once

// The pieces the readers of the kinds share (TargetReader.cpp puts them together).

#include "engine/Color.h"
#include "engine/FontStyle.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What one reader finds: runs of text in one colour, or (for the kinds whose colours the
// reader computes: css-clip, MiniMessage's gradient tag) the text and the gradient's stops.
struct TReadRun {
    std::size_t Offset = 0; // of its text in the runs' text
    std::size_t Length = 0;
    TColor Color = 0;
};

struct TReadRuns {
    std::vector<TReadRun> Runs;
    std::string Text;          // every run's text, one after the other (a run per character is common)
    std::vector<TColor> Stops; // not empty: the colours run through these across the text
    TFontStyles Style = 0;

    void Add(std::string_view text, TColor color) {
        if (!text.empty()) {
            Runs.push_back({Text.size(), text.size(), color});
            Text += text;
        }
    }
    std::string_view RunText(const TReadRun& run) const {
        return std::string_view(Text).substr(run.Offset, run.Length);
    }
    void Clear() {
        Runs.clear();
        Text.clear();
    }
};

// A letter A to Z in lower case; any other byte as it is (UTF-8 stays whole).
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Six hexadecimal digits RRGGBB (either case) as a colour value; none for anything else.
std::optional<TColor> ColorOfHex(std::string_view six);
// Appends a code point as UTF-8; one that is no scalar value (a surrogate, beyond U+10FFFF) as U+FFFD.
void AppendCodePoint(std::string& out, unsigned long c);

TReadRuns ReadMarkupRuns(std::string_view utf8);            // font, css, pango, css-clip
TReadRuns ReadBbcodeRuns(std::string_view utf8);            // bbcode
TReadRuns ReadMiniMessageRuns(std::string_view utf8);       // minimessage
TReadRuns ReadLegacyRuns(std::string_view utf8);            // amp-hex, amp-x, section-x
TReadRuns ReadIrcRuns(std::string_view utf8);               // irc
TReadRuns ReadSgrRuns(std::string_view utf8, bool discord); // discord, ansi, ansi256
TReadRuns ReadJsonRuns(std::string_view utf8);              // json
TReadRuns ReadGithubRuns(std::string_view utf8);            // github
