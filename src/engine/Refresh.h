#pragma once

#include "engine/Color.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlText.h"
#include "engine/OrivUtil.h"
#include "engine/PreviewCanvas.h"
#include "engine/TextUnits.h"

#include <string>

class TTagVocabulary;

// Everything one refresh reads from the window's controls.
struct TRefreshInput {
    std::string Text;            // the text field, Shift-JIS
    TClusterTable Clusters;      // the clusters of Text that CP932 cannot hold (UnicodeText.h)
    TGradient Gradient;          // start, middle and finish colours and the mode
    TColor Background = clWhite; // the background button's colour; may be a system colour
    TPreviewFont PreviewFont;    // face, size and style bits of the preview font
    bool SmartPreview = true; // true while "ｽﾏｰﾄﾌﾟﾚﾋﾞｭｰを無効にする" is not checked
    bool UpperCaseTags = true; // "タグは大文字にする"
    // The switches of the output: the size list's position (-1 when nothing is selected),
    // "頭文字は＋１", the face, logical tags, comment and break switches of the options menu,
    // "テーブル" and the output kind. Its face name, style bits and background are set from the
    // drawing font and Background when the output is made (HtmlOptionsOf).
    THtmlOptions Html;
};

struct TRefreshResult {
    THtmlText Html;        // empty below two units
    bool Painted = false;  // false when the text was too short: nothing was drawn, not even the fill
    int DrawingPoints = 0; // the size the text was drawn at, after the smart preview
};

// The HTML options of a refresh: the window's switches, the face and style bits of the drawing
// font, and the background's six digits.
THtmlOptions HtmlOptionsOf(const TRefreshInput& input, const TPreviewFont& drawingFont);

// Repaints the preview and rebuilds the HTML text: sets the tag case of `tg`, fills the area with
// the background, shrinks the drawing font until the text fits (smart preview), draws each unit
// in its gradient colour at the sum of the widths before it, then builds the output of the whole
// text in the output kind (BuildHtmlText, at the drawing font). Units beyond the right edge are
// not drawn or measured; the picture is the same as if they were.
TRefreshResult Refresh(const TRefreshInput& input, TPreviewCanvas& canvas, TTagVocabulary& tg);
