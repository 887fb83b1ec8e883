#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"
#include "engine/HtmlText.h"
#include "engine/OrivUtil.h"
#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputKind.h"
#include "engine/TextUnits.h"

#include <cstddef>
#include <string>
#include <string_view>

class TTagVocabulary;

// Everything besides the text and its colours that shapes the HTML. The tag case is the
// vocabulary's, set before building.
struct THtmlOptions {
    std::string FaceName;                 // Shift-JIS; written only with FaceTag
    TFontStyles Style = 0;                // fsBold, fsItalic, fsUnderline, fsStrikeOut
    int SizeStep = 0;                     // the size list's position: 1 to 4 write "+1" to "+4"; others none
    bool FirstLetterLarger = false;       // the first character one size step larger (with a size only)
    bool FaceTag = false;                 // wrap in a font tag naming the face
    bool LogicalTags = false;             // strong and cite instead of b and i
    bool Comment = false;                 // a comment line before and after
    bool BreakInTag = false;              // a line break inside every character's font tag
    bool Table = false;                   // a one-cell table with the background colour
    std::string BackgroundHex = "FFFFFF"; // the table cell's colour, six digits without "#"
    TOutputKind Kind = okFont;            // what is written; font: the design's HTML
    // css: the plain text once more, for screen readers, beside the coloured spans. A paste into a
    // word processor or a mail composer goes without it: those drop the CSS that hides it.
    bool ScreenReaderText = true;
};

// Builds the HTML text in the order the refresh draws: the constructor looks up the words and
// lays down what comes before the first character, AppendCharacter adds one character's font
// tag, and Finish closes the wrappers and hands over the text. The output is reserved once at
// its final size, so building never copies it.
class THtmlBuilder final : public TOutputEmitter {
public:
    // `text` is the whole text (written in the comment lines), `characterCount` its number of
    // units and `clusters` the table of its clusters. Every word is looked up here, once; a
    // failed lookup is reported by the vocabulary and the word stays empty.
    THtmlBuilder(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                 int characterCount, const TClusterTable& clusters = kNoClusters);

    // The next character (its bytes, one or two) in the colour given.
    void AppendCharacter(std::string_view character, TColor color);
    // The next unit in the colour given: a character, or a cluster in its written form.
    void AppendUnit(const TTextUnit& unit, TColor color) override { AppendCharacter(unit.Bytes, color); }

    // Closes the fragment and returns the HTML text; the builder is spent afterwards.
    THtmlText Finish() override;

private:
    TOutputBuffer out_;
    TPiece firstOpen_;   // "<font " up to `color="#`, with the first-letter size
    TPiece open_;        // the same for every later character
    TPiece close_;       // "</font>"
    std::string suffix_; // everything after the last character
    bool first_ = true;
};

// The whole output of `text` (Shift-JIS) in the kind of `options`: empty below two characters,
// else every character in the colour of `gradient`, wrapped as `options` say.
THtmlText BuildHtmlText(std::string_view text, const TGradient& gradient, const THtmlOptions& options,
                        const TTagVocabulary& tg);
// The same for a text with clusters: each unit one colour.
THtmlText BuildHtmlText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                        const THtmlOptions& options, const TTagVocabulary& tg);
