#pragma once

#include "engine/Color.h"

#include <vector>

// A picture as plain pixels: Width x Height colour values in the 0x00BBGGRR layout, stored row
// after row from the top. Pixels are always plain colours, never system colours. A picture
// with no pixels (width or height 0) is empty.
class TGlyphImage {
public:
    TGlyphImage() = default;
    // A picture of the given size with every pixel set to `fill`. Negative sizes count as 0.
    TGlyphImage(int width, int height, TColor fill = clBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Throws std::out_of_range for a pixel outside the picture.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);

    // The width x height region whose top-left pixel is (left, top); pixels of the region that
    // lie outside this picture are black.
    TGlyphImage Copy(int left, int top, int width, int height) const;

    friend bool operator==(const TGlyphImage&, const TGlyphImage&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> pixels_;
};
