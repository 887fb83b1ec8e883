#pragma once

#include "engine/PreviewCanvas.h"
#include "engine/jstrm.h"

#include <string>
#include <vector>

// A preview canvas of known widths: a one-byte character is as many pixels wide as the font has
// points, a two-byte character twice that, a cluster three times. It records what it is asked to
// do; a cluster is recorded with its UTF-8.
class TFakeCanvas final : public TPreviewCanvas {
public:
    struct TFill {
        int left, top, right, bottom;
        TColor color;
        friend bool operator==(const TFill&, const TFill&) = default;
    };
    struct TDraw {
        int x, y;
        std::string text;
        TColor color, background;
        int points;
        friend bool operator==(const TDraw&, const TDraw&) = default;
    };

    TFakeCanvas(int width, int height) : width_(width), height_(height) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(int left, int top, int right, int bottom, TColor color) override {
        fills.push_back({left, top, right, bottom, color});
    }
    void SetFont(const TPreviewFont& font) override { font_ = font; }
    int TextWidth(std::string_view text) override {
        measuredBytes += text.size();
        int width = 0;
        for (std::size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset)) {
            width += static_cast<int>(CharLengthAt(text, offset)) * font_.Points;
        }
        return width;
    }
    void DrawText(int x, int y, std::string_view text, TColor color, TColor background) override {
        draws.push_back({x, y, std::string(text), color, background, font_.Points});
    }
    int ClusterWidth(TTextUnit cluster) override {
        measuredBytes += cluster.Bytes.size();
        return 3 * font_.Points;
    }
    void DrawCluster(int x, int y, TTextUnit cluster, TColor color, TColor background) override {
        draws.push_back({x, y, std::string(cluster.Utf8), color, background, font_.Points});
    }

    std::vector<TFill> fills;
    std::vector<TDraw> draws;
    std::size_t measuredBytes = 0;

private:
    int width_;
    int height_;
    TPreviewFont font_;
};
