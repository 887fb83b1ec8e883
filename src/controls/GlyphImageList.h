#pragma once

#include "controls/GlyphImage.h"

#include <vector>

// An ordered list of pictures of one common size, each kept with its transparent colour: when
// a picture is drawn, every pixel exactly equal to that colour is left out. The transparent
// colour of a picture is the colour of its bottom-left pixel, taken when it is added.
class TGlyphImageList {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(entries_.size()); }

    // Removes every picture.
    void Clear();
    // Removes every picture and sets the common size (negative sizes count as 0).
    void SetSize(int width, int height);
    // Adds a copy of `image`, which must have the common size (std::invalid_argument
    // otherwise). A picture without pixels gets black as its transparent colour.
    void Add(const TGlyphImage& image);

    // Throw std::out_of_range for an index outside 0 .. Count() - 1.
    const TGlyphImage& Image(int index) const;
    TColor TransparentColor(int index) const;

private:
    struct Entry {
        TGlyphImage Image;
        TColor Transparent = clBlack;
    };
    const Entry& At(int index) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Entry> entries_;
};
