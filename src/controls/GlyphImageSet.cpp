#include "controls/GlyphImageSet.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace {

constexpr int RedOf(TColor color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(TColor color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(TColor color) {
    return static_cast<int>((color >> 16) & 0xFF);
}
constexpr TColor GrayOf(int value) {
    const auto v = static_cast<TColor>(value);
    return v | (v << 8) | (v << 16);
}

} // namespace

void MakeGrayImage(TGlyphImage& image, int redWeight, int greenWeight, int blueWeight) {
    const int sum = redWeight + greenWeight + blueWeight;
    if (sum <= 0) {
        return;
    }
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const TColor color = image.Pixel(x, y);
            const int value =
                (RedOf(color) * redWeight + GreenOf(color) * greenWeight + BlueOf(color) * blueWeight) / sum;
            image.SetPixel(x, y, GrayOf(std::clamp(value, 0, 255)));
        }
    }
}

void MakeDisabledImage(TGlyphImage& image) {
    MakeDisabledImageIn(image, ResolveColor(clBtnFace), ResolveColor(clBtnHighlight),
                        ResolveColor(clBtnShadow));
}

void MakeDisabledImageIn(TGlyphImage& image, TColor face, TColor highlight, TColor shadow) {
    if (image.IsEmpty()) {
        return;
    }
    const TColor background = image.Pixel(0, 0);
    std::vector<unsigned char> ink(static_cast<std::size_t>(image.Width()) *
                                   static_cast<std::size_t>(image.Height()));
    const auto inkAt = [&](int x, int y) -> unsigned char& {
        return ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width()) +
                   static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const TColor color = image.Pixel(x, y);
            // Background pixels take the corner colour and all others black, so a black corner
            // leaves nothing but ink.
            inkAt(x, y) = (background == clBlack || (color != clWhite && color != background)) ? 1 : 0;
        }
    }

    TGlyphImage embossed(image.Width(), image.Height(), face);
    // The highlight pass goes first so that the shadow wins where the two meet.
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (inkAt(x, y) && embossed.Contains(x + 1, y + 1)) {
                embossed.SetPixel(x + 1, y + 1, highlight);
            }
        }
    }
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (inkAt(x, y)) {
                embossed.SetPixel(x, y, shadow);
            }
        }
    }
    image = std::move(embossed);
}

void BuildGlyphImages(TGlyphImageSet& set, const TGlyphImage& strip, int numGlyphs) {
    if (strip.IsEmpty()) {
        return;
    }
    const int cells = std::clamp(numGlyphs, 1, 4);
    const int cellWidth = strip.Width() / cells;
    const int cellHeight = strip.Height();
    set.GlyphImages.SetSize(cellWidth, cellHeight);
    for (int i = 0; i < cells; ++i) {
        const TGlyphImage cell = strip.Copy(i * cellWidth, 0, cellWidth, cellHeight);
        if (i == 0) {
            set.GrayImage = cell;
            MakeGrayImage(set.GrayImage, kGrayRedWeight, kGrayGreenWeight, kGrayBlueWeight);
            set.DisabledImage = cell;
            MakeDisabledImage(set.DisabledImage);
        }
        set.GlyphImages.Add(cell);
    }
    set.GlyphImages.Add(set.GrayImage);
    set.GlyphImages.Add(set.DisabledImage);
}
