#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"
#include "engine/TextUnits.h"

#include <string>
#include <string_view>

// The font the preview draws in.
struct TPreviewFont {
    std::string Face; // Shift-JIS, as the font list and the HTML carry it
    int Points = 9;
    TFontStyles Style = 0;

    friend bool operator==(const TPreviewFont&, const TPreviewFont&) = default;
};

// The drawing surface of the preview. The window implements it with QPainter; tests use a
// canvas of known character widths. Texts are Shift-JIS bytes; colours are plain (resolved).
class TPreviewCanvas {
public:
    virtual ~TPreviewCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Fills the rectangle whose right and bottom edges are exclusive.
    virtual void FillRect(int left, int top, int right, int bottom, TColor color) = 0;
    // Selects the font for the measuring and drawing that follow.
    virtual void SetFont(const TPreviewFont& font) = 0;
    // The width in pixels of `text` in the selected font. A text is never narrower than any of
    // its beginnings, so the refresh may stop measuring once a beginning is too wide.
    virtual int TextWidth(std::string_view text) = 0;
    // Draws `text` with its top-left corner at (x, y) in `color` on an opaque `background`.
    virtual void DrawText(int x, int y, std::string_view text, TColor color, TColor background) = 0;
    // A cluster (a unit that CP932 cannot hold) is measured and drawn as one string from its
    // UTF-8. A canvas that knows only CP932 takes its written form instead.
    virtual int ClusterWidth(TTextUnit cluster) { return TextWidth(cluster.Bytes); }
    virtual void DrawCluster(int x, int y, TTextUnit cluster, TColor color, TColor background) {
        DrawText(x, y, cluster.Bytes, color, background);
    }
};
