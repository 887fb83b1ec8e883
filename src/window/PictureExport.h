#pragma once

#include "engine/Refresh.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class QPainter;

enum class TPictureFormat { Png, Svg };

// No side of a picture may be longer, in pixels at its scale: beyond it Qt's raster painter no
// longer draws reliably and many image viewers refuse the file.
inline constexpr int kLargestPictureSide = 32767;

struct TPictureSettings {
    int Scale = 1;            // 1, 2 or 4 pixels per pixel of the preview
    bool Transparent = false; // no background: only the characters are drawn
    int LogicalDpi = 96;      // the preview's, so that the picture at 1x is the preview's drawing
    // The face the preview draws in (TQPainterCanvas::DrawInFace); none: the preview font's own.
    std::optional<QString> DrawingFace;
    // An SVG's characters as filled outlines (colour emoji as images) instead of text.
    bool TextAsOutlines = false;
};

// A picture of the preview's drawing: the text on one line in its gradient colours, drawn by
// the same refresh and canvas as the preview, at the preview font's own size (the smart preview
// never shrinks a picture) and trimmed to the text.

// The size of the text's line at 1x, where the refresh draws: as wide as the characters side by
// side, as high as one line of the font. Empty when the text has fewer than two characters,
// which the preview does not draw.
QSize PictureSize(const TRefreshInput& input, const TPictureSettings& settings);

// Where a picture at its scale shows the text's line: the picture is the ink of the characters
// with the same margin on every side, and `Origin` is where the line's top-left corner lands,
// in the picture's own pixels. An empty `Pixels` when there is nothing to draw or the picture
// would be too large.
struct TPictureFrame {
    QSize Pixels;
    QPoint Origin;
    int Margin = 0; // in the picture's pixels
};
TPictureFrame PictureFrame(const TRefreshInput& input, const TPictureSettings& settings);
// Whether a picture of that size at that scale stays within kLargestPictureSide.
bool PictureFits(QSize size, int scale);

// Draws the picture on `painter`, whose area at 1x is `size` (from PictureSize).
void DrawPicture(QPainter& painter, QSize size, const TRefreshInput& input, const TPictureSettings& settings);

// The picture as an image of the frame's pixels; a null image when it is empty or too large.
QImage PictureImage(const TRefreshInput& input, const TPictureSettings& settings);
// The picture as an SVG document whose characters stay text, one text element each with its
// own fill, at the position and in the width measured here; or, with TextAsOutlines, one filled
// path each. Its width and height are the frame's pixels. Empty when the picture is empty or too
// large.
QByteArray PictureSvg(const TRefreshInput& input, const TPictureSettings& settings);
// The bytes of a PNG or SVG file of the picture; empty when it is empty or too large.
QByteArray PictureFile(TPictureFormat format, const TRefreshInput& input, const TPictureSettings& settings);
