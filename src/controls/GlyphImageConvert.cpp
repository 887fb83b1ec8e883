#include "controls/GlyphImageConvert.h"

namespace {

TColor FromRgb(QRgb rgb) {
    return static_cast<TColor>(qRed(rgb)) | (static_cast<TColor>(qGreen(rgb)) << 8) |
           (static_cast<TColor>(qBlue(rgb)) << 16);
}

QRgb ToRgb(TColor color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

} // namespace

TGlyphImage GlyphImageFromQImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TGlyphImage result(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            result.SetPixel(x, y, FromRgb(line[x]));
        }
    }
    return result;
}

QImage MaskedQImage(const TGlyphImage& image, TColor transparent) {
    if (image.IsEmpty()) {
        return {};
    }
    QImage result(image.Width(), image.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            const TColor color = image.Pixel(x, y);
            line[x] = color == transparent ? qRgba(0, 0, 0, 0) : ToRgb(color);
        }
    }
    return result;
}
