#pragma once

#include "engine/FontStyle.h"
#include "engine/OutputKind.h"
#include "engine/TerminalColors.h"
#include "engine/TextShadow.h"

#include <string>

// What the paste-target kinds leave out to fit a length budget (TargetFit.h chooses it).
struct TFitting {
    bool MergeRuns = false;   // one code for a run of equal colours
    bool PlainSpaces = false; // a space carries no code of its own

    friend bool operator==(const TFitting&, const TFitting&) = default;
};

// Everything besides the text and its colours that shapes the output. The tag case is the
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
    // term: the colours the terminal shows (the companion finds them in the environment).
    TColorDepth TermDepth = TColorDepth::TrueColor;
    // css: the plain text once more, for screen readers, beside the coloured spans. A paste into a
    // word processor or a mail composer goes without it: those drop the CSS that hides it.
    bool ScreenReaderText = true;
    // css: the text's language ("ja", "en"), named on the plain text that screen readers read;
    // empty: none named.
    std::string Language{};
    bool IrcHex = false;  // irc: each colour also as its 0x04 RRGGBB form
    TFitting Fit{};       // the paste-target kinds: how the output is shortened
    TTextShadow Shadow{}; // json, minimessage

    // Whether a size is written: the size list's positions 1 to 4 (position 0 and no selection
    // write none).
    bool Sized() const { return SizeStep >= 1 && SizeStep <= 4; }

    friend bool operator==(const THtmlOptions&, const THtmlOptions&) = default;
};
