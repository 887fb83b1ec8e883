#pragma once

// The flat glyph button's rules that need no widget: its enumerations, the placement of glyph
// and caption, the choice of the prepared picture, the frames of each state and the accelerator.

#include "engine/Color.h"

#include <string>
#include <vector>

// How the flat glyph button frames itself.
enum TFrameStyle {
    fsRegular = 0,
    fsIndent = 1,
    fsExplorer = 2,
    fsNone = 3,
    fsLight = 4,
    fsDark = 5,
    fsMono = 6
};

// Where the caption goes; the glyph goes to the opposite edge and is centred the other way.
enum TTextAlign {
    ttaTopLeft = 0,
    ttaTop = 1,
    ttaTopRight = 2,
    ttaRight = 3,
    ttaBottomRight = 4,
    ttaBottom = 5,
    ttaBottomLeft = 6,
    ttaLeft = 7,
    ttaCenter = 8
};

// Top-left corners of the glyph (GX, GY) and of the caption (TX, TY) inside the button.
struct TButtonLayout {
    int GX = 0;
    int GY = 0;
    int TX = 0;
    int TY = 0;

    friend bool operator==(const TButtonLayout&, const TButtonLayout&) = default;
};

// Places a glyphWidth x glyphHeight glyph and a textWidth x textHeight caption in a width x
// height button with `spacing` pixels against the edges and between the two. Halves are taken
// with division truncating toward zero: the glyph is centred with (W - GW) / 2, the caption with
// W / 2 - TW / 2, which differ by a pixel for some sizes. An empty glyph counts as 0 x 0, so the
// caption is still placed against it.
TButtonLayout LayoutGlyphAndCaption(TTextAlign align, int width, int height, int glyphWidth, int glyphHeight,
                                    int textWidth, int textHeight, int spacing);

// The width of one glyph cell: the strip width divided by the cell count, or the whole strip
// width when that quotient is 0 or less.
int GlyphCellWidth(int stripWidth, int numGlyphs);

// What decides which prepared picture the button draws.
struct TGlyphChoice {
    int NumGlyphs = 1;
    bool Enabled = true;
    bool ShownPressed = false;
    TFrameStyle FrameStyle = fsExplorer;
    bool AutoGray = true;
    bool Hot = false;
    int ImageCount = 0; // entries in the prepared list: the cells, the gray and the disabled picture
};

// The index into the prepared list: the cell for the state (1 when disabled, 2 when pressed
// with three or four cells, else 0); the gray picture for an fsExplorer button with AutoGray
// while the pointer is elsewhere; the disabled picture for a disabled one-cell button. -1 when
// the list is empty; never beyond the list.
int ChooseGlyphImage(const TGlyphChoice& choice);

// One call of DrawFrame3D: the colours of the top-left and bottom-right edges and the width.
struct TFrame3D {
    TColor Top = clBlack;
    TColor Bottom = clBlack;
    int Width = 1;

    friend bool operator==(const TFrame3D&, const TFrame3D&) = default;
};

// The state of the button that its frame depends on.
struct TButtonLook {
    bool ShownPressed = false;
    bool ShowPressed = true;
    bool Hot = false;
    bool Down = false;
};

// The frames the button draws over its base for its current state, outermost first; each next
// frame lies just inside the one before.
std::vector<TFrame3D> StateStepFrames(TFrameStyle style, const TButtonLook& look, int borderWidth);

// The accelerator of a caption: the character after a single ampersand ("&&" stands for an
// ampersand and is skipped); a null character when there is none.
char16_t AcceleratorChar(const std::u16string& caption);
