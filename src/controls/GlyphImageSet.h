#pragma once

#include "controls/GlyphImage.h"
#include "controls/GlyphImageList.h"

// The pictures a glyph button prepares from its glyph strip whenever the glyph changes, so that
// painting only draws what is ready. After a build with N cells, GlyphImages holds the N cells
// from left to right, then the gray picture, then the disabled picture: the gray picture is
// always the second-to-last entry and the disabled picture the last.
struct TGlyphImageSet {
    TGlyphImageList GlyphImages;
    TGlyphImage GrayImage;
    TGlyphImage DisabledImage;
};

// The weights the button makes its gray picture with: red 11, green 59, blue 30.
inline constexpr int kGrayRedWeight = 11;
inline constexpr int kGrayGreenWeight = 59;
inline constexpr int kGrayBlueWeight = 30;

// Cuts `strip` into `numGlyphs` cells of (strip width div numGlyphs) x strip height and derives
// the gray and the disabled picture from the first cell. A cell count outside 1 to 4 is taken
// as the nearest of them. An empty strip leaves `set` as it was. Pixels beyond numGlyphs times
// the cell width are not used; a strip narrower than numGlyphs gives cells without pixels,
// which draw as nothing.
void BuildGlyphImages(TGlyphImageSet& set, const TGlyphImage& strip, int numGlyphs);

// Turns every pixel into the gray (r * redWeight + g * greenWeight + b * blueWeight) div (sum of
// the weights), clamped to 0 .. 255. Weights that add up to 0 or less leave the picture as it is.
void MakeGrayImage(TGlyphImage& image, int redWeight, int greenWeight, int blueWeight);

// Replaces the picture by its embossed disabled look: every pixel that is neither white nor the
// colour of the top-left pixel is ink; the ink is drawn in button shadow over a button-highlight
// copy one pixel down and to the right, on button face. The system colours are resolved at the
// time of the call.
void MakeDisabledImage(TGlyphImage& image);
// The same emboss in the given plain colours: the ink in `shadow` over a `highlight` copy one
// pixel down and to the right, on `face`. A dark desktop scheme draws it in its own colours.
void MakeDisabledImageIn(TGlyphImage& image, TColor face, TColor highlight, TColor shadow);
