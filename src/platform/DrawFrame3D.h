#pragma once

#include "engine/Color.h"

class QPainter;

// A rectangle given as left, top, right, bottom with right and bottom exclusive: the way the
// controls' drawing code measures its frames.
struct TRectLTRB {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const TRectLTRB&, const TRectLTRB&) = default;
};

// Draws `width` nested one-pixel rings inside `rect`, the first on its outer edge: the left
// column and the top row in `top`, the right column and the bottom row in `bottom` (the
// top-right and bottom-left corner pixels belong to the bottom colour). Afterwards `rect` is
// shrunk by `width` on every side, so a second call draws just inside the first. Nothing is
// drawn for a width of 0 or less.
void DrawFrame3D(QPainter& painter, TRectLTRB& rect, TColor top, TColor bottom, int width);
