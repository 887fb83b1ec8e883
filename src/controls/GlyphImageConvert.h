#pragma once

#include "controls/GlyphImage.h"

#include <QImage>

// The picture's pixels as plain colours; alpha is ignored. A null image gives an empty picture.
TGlyphImage GlyphImageFromQImage(const QImage& image);

// The picture ready for drawing: every pixel equal to `transparent` is fully transparent, every
// other pixel opaque.
QImage MaskedQImage(const TGlyphImage& image, TColor transparent);
