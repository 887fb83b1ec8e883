#include "platform/InkOnFace.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& color) {
    return 0.2126 * Linear(color.red()) + 0.7152 * Linear(color.green()) + 0.0722 * Linear(color.blue());
}

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDarkFace(const QColor& face, const QColor& text) {
    return RelativeLuminance(text) > RelativeLuminance(face);
}

bool IsDarkInk(QRgb pixel) {
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    return high <= 80 && high - low <= 24;
}

bool IsDarkColour(QRgb pixel) {
    return !IsDarkInk(pixel) && RelativeLuminance(QColor::fromRgb(pixel)) <= 0.06;
}

QImage InkOnFace(const QImage& image, const QColor& face, const QColor& ink) {
    if (image.isNull() || !IsDarkFace(face, ink)) {
        return image;
    }
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb inkRgb = ink.rgb();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(line[x]) == 0) {
                continue;
            }
            if (IsDarkInk(line[x])) {
                line[x] = qRgba(qRed(inkRgb), qGreen(inkRgb), qBlue(inkRgb), qAlpha(line[x]));
            } else if (IsDarkColour(line[x])) {
                const QColor dark = QColor::fromRgb(line[x]).toHsl();
                const QColor light =
                    QColor::fromHsl(dark.hslHue(), dark.hslSaturation(), 255 - dark.lightness());
                line[x] = qRgba(light.red(), light.green(), light.blue(), qAlpha(line[x]));
            }
        }
    }
    return result;
}
