#pragma once

#include "engine/Color.h"

// A colour in the OKLab space, where the distance between two colours follows how different
// they look far better than a distance between their sRGB channels does.
struct TOklab {
    double L = 0;
    double a = 0;
    double b = 0;
};

// The OKLab value of a plain colour (0x00BBGGRR, sRGB).
TOklab OklabOf(TColor color);

// The squared distance of two colours in OKLab.
inline double OklabDistance2(const TOklab& x, const TOklab& y) {
    const double dL = x.L - y.L;
    const double da = x.a - y.a;
    const double db = x.b - y.b;
    return dL * dL + da * da + db * db;
}
