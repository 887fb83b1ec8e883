#include "controls/GlyphImageList.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

void TGlyphImageList::Clear() {
    entries_.clear();
}

void TGlyphImageList::SetSize(int width, int height) {
    entries_.clear();
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
}

void TGlyphImageList::Add(const TGlyphImage& image) {
    if (image.Width() != width_ || image.Height() != height_) {
        throw std::invalid_argument("image size differs from the list's");
    }
    const TColor transparent = image.IsEmpty() ? clBlack : image.Pixel(0, image.Height() - 1);
    entries_.push_back({image, transparent});
}

const TGlyphImageList::Entry& TGlyphImageList::At(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("Illegal Index");
    }
    return entries_[static_cast<std::size_t>(index)];
}

const TGlyphImage& TGlyphImageList::Image(int index) const {
    return At(index).Image;
}

TColor TGlyphImageList::TransparentColor(int index) const {
    return At(index).Transparent;
}
