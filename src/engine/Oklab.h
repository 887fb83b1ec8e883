#pragma once

#include "engine/Color.h"

// OKLab, the perceptual colour space the palette kinds measure distances in. Small and
// self-contained: only what mapping a colour to the nearest of a few palette colours needs.
struct TOklab {
    double L = 0;
    double A = 0;
    double B = 0;
};

// The OKLab coordinates of a plain sRGB colour (0x00BBGGRR).
TOklab OklabOf(TColor color);

// The squared Euclidean distance of two points.
double OklabDistance2(const TOklab& x, const TOklab& y);
