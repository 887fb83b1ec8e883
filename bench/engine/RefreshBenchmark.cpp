#include "engine/PreviewCanvas.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "engine/jstrm.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Work that stands for what a real canvas spends: font shaping for each measurement (a fixed
// part and a part per byte) and rasterising for each drawn character.
void Spend(int units) {
    for (int k = 0; k < units; ++k) {
        benchmark::DoNotOptimize(k);
    }
}

// Widths like a proportional font: 0.6 of the size for a one-byte character, 1.0 for two bytes.
class TCostlyCanvas final : public TPreviewCanvas {
public:
    int Width() const override { return 393; }
    int Height() const override { return 104; }
    void FillRect(int, int, int, int, TColor) override { Spend(2000); }
    void SetFont(const TPreviewFont& font) override {
        points_ = font.Points;
        Spend(1000);
    }
    int TextWidth(std::string_view text) override {
        Spend(500 + 20 * static_cast<int>(text.size()));
        measuredBytes += text.size();
        int width = 0;
        for (std::size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset)) {
            width += CharLengthAt(text, offset) == 2 ? points_ : points_ * 6 / 10;
        }
        return width;
    }
    void DrawText(int, int, std::string_view, TColor, TColor) override { Spend(3000); }

    std::size_t measuredBytes = 0;

private:
    int points_ = 9;
};

// "Tintrel グラデーション " in Shift-JIS.
const std::string kPattern = "Tintrel \x83\x4F\x83\x89\x83\x66\x81\x5B\x83\x56\x83\x87\x83\x93 ";

std::string MixedText(int characters) {
    std::string text;
    for (int count = 0; count < characters;) {
        for (std::size_t offset = 0; offset < kPattern.size() && count < characters; ++count) {
            const std::size_t length = CharLengthAt(kPattern, offset);
            text.append(kPattern, offset, length);
            offset += length;
        }
    }
    return text;
}

// One refresh at the largest size step (27 points) in the preview's 393 pixels, all wrappers on.
void BM_Refresh(benchmark::State& state) {
    TRefreshInput input;
    input.Text = MixedText(static_cast<int>(state.range(0)));
    input.Gradient = {SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    input.PreviewFont = {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", 27,
                         fsBold | fsItalic | fsUnderline | fsStrikeOut};
    input.Html.SizeStep = 4;
    input.Html.FirstLetterLarger = true;
    input.Html.FaceTag = true;
    input.Html.Comment = true;
    input.Html.BreakInTag = true;
    input.Html.Table = true;
    TTagVocabulary tg;
    TCostlyCanvas canvas;
    int points = 0;
    for (auto _ : state) {
        canvas.measuredBytes = 0;
        const TRefreshResult result = Refresh(input, canvas, tg);
        benchmark::DoNotOptimize(result.Html.Written().data());
        points = result.DrawingPoints;
    }
    state.counters["drawn_at_points"] = points;
    state.counters["measured_bytes"] = static_cast<double>(canvas.measuredBytes);
}

BENCHMARK(BM_Refresh)->ArgName("chars")->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What one measurement of the costly canvas takes, to show that its cost is realistic.
void BM_CanvasMeasureOneCharacter(benchmark::State& state) {
    TCostlyCanvas canvas;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.TextWidth("A"));
    }
}

BENCHMARK(BM_CanvasMeasureOneCharacter);

} // namespace
