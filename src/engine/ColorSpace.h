#pragma once

// The colour spaces a gradient can be mixed in, and the conversions between 8-bit sRGB,
// linear-light sRGB, Oklab and its polar form OKLCH. Oklab's matrices are the ones published with
// it; the sRGB transfer function is the standard one (linear below 0.04045).

#include "engine/Color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum TColorSpace : int {
    csSrgb,      // the design's per-channel steps on the 8-bit values
    csLinear,    // linear-light sRGB
    csOklab,     // Oklab, straight lines
    csOklch,     // OKLCH, the shorter way round the hue circle
    csOklchLong, // OKLCH, the longer way round
};

inline constexpr int kColorSpaceCount = 5;

// "srgb", "linear", "oklab", "oklch", "oklch-long".
std::string_view ColorSpaceName(TColorSpace space);
std::optional<TColorSpace> ColorSpaceFromName(std::string_view name);
// "srgb, linear, oklab, oklch or oklch-long".
std::string ColorSpaceNames();

struct TRgbLinear {
    double R = 0;
    double G = 0;
    double B = 0;
};

struct TOklab {
    double L = 0;
    double A = 0;
    double B = 0;
};

struct TOklch {
    double L = 0;
    double C = 0;
    double H = 0; // degrees, 0 to 360
};

struct TXyz {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

// The sRGB transfer function and its inverse, on values 0 to 1.
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);
// An 8-bit channel in linear light (from a table).
double LinearOfChannel(int channel);
// The nearest 8-bit channel of a linear-light value, clipped into 0 to 255; exact by thresholds,
// without a power per call.
int ChannelOfLinear(double linear);
// How far a linear-light value lies inside the range that rounds to its channel: the distance to
// the nearer bound of that range (none below channel 0 or above 255); 0 for NaN.
double ChannelRoom(double linear);

// A plain colour (0x00BBGGRR) in linear light, and back, rounded to nearest and clipped.
TRgbLinear LinearOf(TColor color);
TColor ColorOfLinear(const TRgbLinear& linear);

TOklab LinearToOklab(const TRgbLinear& linear);
TRgbLinear OklabToLinear(const TOklab& lab);
TOklch OklabToOklch(const TOklab& lab);
TOklab OklchToOklab(const TOklch& lch);
// CIE XYZ (D65) to Oklab, by the published M1 and M2.
TOklab XyzToOklab(const TXyz& xyz);

// Whether a linear-light colour lies inside the sRGB cube (with a little room for rounding).
bool InSrgbGamut(const TRgbLinear& linear);
