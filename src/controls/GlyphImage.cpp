#include "controls/GlyphImage.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

TGlyphImage::TGlyphImage(int width, int height, TColor fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

TColor TGlyphImage::Pixel(int x, int y) const {
    if (!Contains(x, y)) {
        throw std::out_of_range("Illegal Index");
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void TGlyphImage::SetPixel(int x, int y, TColor color) {
    if (!Contains(x, y)) {
        throw std::out_of_range("Illegal Index");
    }
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
        color;
}

void TGlyphImage::Fill(TColor color) {
    std::fill(pixels_.begin(), pixels_.end(), color);
}

TGlyphImage TGlyphImage::Copy(int left, int top, int width, int height) const {
    TGlyphImage region(width, height, clBlack);
    for (int y = 0; y < region.Height(); ++y) {
        for (int x = 0; x < region.Width(); ++x) {
            if (Contains(left + x, top + y)) {
                region.SetPixel(x, y, Pixel(left + x, top + y));
            }
        }
    }
    return region;
}
