#pragma once

#include "engine/Color.h"
#include "engine/ColorSpace.h"

// Colour distances in Oklab (TOklab and the conversions are in ColorSpace.h), where the distance
// between two colours follows how different they look far better than a distance between their
// sRGB channels does.

// The Oklab value of a plain colour (0x00BBGGRR, sRGB).
TOklab OklabOf(TColor color);

// The squared distance of two colours in Oklab.
inline double OklabDistance2(const TOklab& x, const TOklab& y) {
    const double dL = x.L - y.L;
    const double da = x.A - y.A;
    const double db = x.B - y.B;
    return dL * dL + da * da + db * db;
}
