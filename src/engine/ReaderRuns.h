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
// target computes: css-clip, MiniMessage's gradient tag) runs whose colours go through a
// gradient's stops.
struct TReadRun {
    std::size_t Offset = 0; // of its text in the runs' text
    std::size_t Length = 0;
    TColor Color = 0;
    std::size_t Gradient = 0; // not 0: its units go through the stops of Gradients[Gradient - 1]
};

struct TReadRuns {
    std::vector<TReadRun> Runs;
    std::string Text; // every run's text, one after the other (a run per character is common)
    std::vector<std::vector<TColor>> Gradients; // the stops of the runs that go through them
    // How the target spreads a gradient's stops over its characters (i of n); nullptr: as the
    // writer's gradient through the first, middle and last stop does.
    TColor (*StopColour)(const std::vector<TColor>& stops, int i, int n) = nullptr;
    TFontStyles Style = 0;
    bool TooDeep = false; // nested deeper than the reader follows: the text is refused

    void Add(std::string_view text, TColor color) {
        if (!text.empty()) {
            Runs.push_back({Text.size(), text.size(), color});
            Text += text;
        }
    }
    // Text whose units go from the first stop to the last (none: the text is left out).
    void AddThrough(std::string_view text, std::vector<TColor> stops) {
        if (!text.empty() && !stops.empty()) {
            Gradients.push_back(std::move(stops));
            Runs.push_back({Text.size(), text.size(), 0, Gradients.size()});
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

// Whether `lowerNeedle` (lower case) stands in the text in any ASCII case.
bool ContainsNoCase(std::string_view text, std::string_view lowerNeedle);

// The readers of the kinds, and the tests that tell a kind's text (its leading white space
// removed) by its look; the kind table says which belongs to which kind and in what order the
// tests are tried. A markup kind's text that begins with its markup (LeadsWith...) is that kind
// even where the text holds the codes of another.
TReadRuns ReadMarkupRuns(std::string_view utf8); // font, css, pango, css-clip
bool LooksLikeFontTags(std::string_view text);
bool LooksLikeCssSpans(std::string_view text);
bool LooksLikePango(std::string_view text);
bool LooksLikeCssClip(std::string_view text);
bool LeadsWithFontTags(std::string_view text);
bool LeadsWithCssSpans(std::string_view text);
bool LeadsWithPango(std::string_view text);
bool LeadsWithCssClip(std::string_view text);
TReadRuns ReadBbcodeRuns(std::string_view utf8);
bool LooksLikeBbcode(std::string_view text);
bool LeadsWithBbcode(std::string_view text);
TReadRuns ReadMiniMessageRuns(std::string_view utf8);
bool LooksLikeMiniMessage(std::string_view text); // begins with a colour, after style tags
bool HasMiniMessageTag(std::string_view text);
TReadRuns ReadLegacyRuns(std::string_view utf8); // amp-hex, amp-x, section-x
bool BeginsWithAmpHex(std::string_view text);
bool HasAmpHex(std::string_view text);
bool BeginsWithAmpX(std::string_view text);
bool HasAmpX(std::string_view text);
bool BeginsWithSectionX(std::string_view text);
bool HasSectionX(std::string_view text);
TReadRuns ReadIrcRuns(std::string_view utf8);
bool HasIrcCodes(std::string_view text);
TReadRuns ReadSgrRuns(std::string_view utf8, bool discord);
TReadRuns ReadDiscordRuns(std::string_view utf8);
bool LooksLikeDiscordBlock(std::string_view text);
TReadRuns ReadTerminalRuns(std::string_view utf8); // ansi, ansi256, term
bool LooksLikeSgr(std::string_view text);
bool LooksLikeSgr256(std::string_view text);
TReadRuns ReadJsonRuns(std::string_view utf8);
bool LooksLikeJsonText(std::string_view text);
TReadRuns ReadGithubRuns(std::string_view utf8);
bool LooksLikeGithubMath(std::string_view text);
