#include "engine/Contrast.h"
#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string LatinText(int characters) {
    std::string text;
    const std::string_view pattern = "Gradient text as the eye sees it. ";
    while (text.size() < static_cast<std::size_t>(characters)) {
        text.append(pattern.substr(0, std::min(pattern.size(), characters - text.size())));
    }
    return text;
}

// The default font HTML of 1,000,000 characters in each space; args: space, gradient mode.
void BM_ColourSpaces(benchmark::State& state) {
    const std::string text = LatinText(1000000);
    TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FF00),
                       static_cast<TGradientMode>(state.range(1))};
    gradient.Space = static_cast<TColorSpace>(state.range(0));
    const THtmlOptions options;
    TTagVocabulary tg;
    tg.ApplyTagCase(true);
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        const THtmlText html = BuildHtmlText(text, gradient, options, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
    }
    state.SetLabel(std::string(ColorSpaceName(gradient.Space)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
}

BENCHMARK(BM_ColourSpaces)
    ->ArgNames({"space", "mode"})
    ->ArgsProduct({{csSrgb, csLinear, csOklab, csOklch, csOklchLong}, {gmTwoColor, gmThreeColor}})
    ->Unit(benchmark::kMillisecond);

// Five stops (`which` 0) or the rainbow (1) in `space`.
TGradient StopsOrRainbow(std::int64_t which, TColorSpace space) {
    TGradient gradient;
    gradient.Space = space;
    if (which == 0) {
        gradient.Stops = {{0x0000FF, -1}, {0x00FFFF, -1}, {0x00FF00, -1}, {0xFF0000, -1}, {0xFF00FF, -1}};
    } else {
        gradient.Rainbow = true;
    }
    return gradient;
}

// Five stops and the rainbow, 1,000,000 characters in Oklab.
void BM_StopsAndRainbow(benchmark::State& state) {
    const std::string text = LatinText(1000000);
    const TGradient gradient = StopsOrRainbow(state.range(0), csOklab);
    const THtmlOptions options;
    TTagVocabulary tg;
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        const THtmlText html = BuildHtmlText(text, gradient, options, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
    }
    state.SetLabel(state.range(0) == 0 ? "stops" : "rainbow");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
}

BENCHMARK(BM_StopsAndRainbow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The contrast of 1,000,000 characters against white; args: space.
void BM_ContrastCheck(benchmark::State& state) {
    TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    gradient.Space = static_cast<TColorSpace>(state.range(0));
    for (auto _ : state) {
        const TContrastReport report = CheckContrast(gradient, 1000000, clWhite, {4.5, 4.5}, 1000);
        benchmark::DoNotOptimize(report.Failures);
    }
    state.SetLabel(std::string(ColorSpaceName(gradient.Space)));
}

BENCHMARK(BM_ContrastCheck)->DenseRange(csSrgb, csOklchLong)->Unit(benchmark::kMillisecond);

// The contrast of 1,000,000 characters of the rainbow and of five stops against white.
void BM_ContrastCheckStopsAndRainbow(benchmark::State& state) {
    const TGradient gradient = StopsOrRainbow(state.range(0), csOklch);
    for (auto _ : state) {
        const TContrastReport report = CheckContrast(gradient, 1000000, clWhite, {4.5, 4.5}, 1000);
        benchmark::DoNotOptimize(report.Failures);
    }
    state.SetLabel(state.range(0) == 0 ? "stops" : "rainbow");
}

BENCHMARK(BM_ContrastCheckStopsAndRainbow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
