#pragma once

#include <QColor>
#include <QImage>

// Glyphs are drawn for a light button face: black outlines and letters. On a dark desktop
// scheme (light text on a dark face) that ink would vanish, so it takes the scheme's text
// colour instead; coloured pixels keep their colours. On a light face nothing changes.

// The relative luminance of a colour (0 black .. 1 white), as the WCAG contrast ratio uses it.
double RelativeLuminance(const QColor& color);
// The WCAG contrast ratio of two colours, 1 .. 21.
double ContrastRatio(const QColor& first, const QColor& second);

// True when `text` is lighter than `face`: the desktop draws light text on a dark face.
bool IsDarkFace(const QColor& face, const QColor& text);

// Black and the near-black grays of the glyphs (the gray picture turns dark colours into such
// grays too): every channel at most 80 and the channels within 24 of each other.
bool IsDarkInk(QRgb pixel);
// A dark colour of a glyph that is not gray, such as navy or maroon: not dark ink, and a relative
// luminance of at most 0.06.
bool IsDarkColour(QRgb pixel);

// `image` for a dark `face` against `ink`: dark ink drawn in `ink`, dark colours turned into
// their light counterparts of the same hue (lightness mirrored), every other colour kept; fully
// transparent pixels stay transparent. On a light face the image is returned as it is.
QImage InkOnFace(const QImage& image, const QColor& face, const QColor& ink);
