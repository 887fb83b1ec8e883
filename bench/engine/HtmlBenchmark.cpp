#include "AllocationCounter.h"

#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/jstrm.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// "Tintrel グラデーション " in Shift-JIS: one- and two-byte characters mixed.
const std::string kPattern = "Tintrel \x83\x4F\x83\x89\x83\x66\x81\x5B\x83\x56\x83\x87\x83\x93 ";

std::string MixedText(int characters) {
    std::string text;
    int count = 0;
    while (count < characters) {
        for (std::size_t offset = 0; offset < kPattern.size() && count < characters; ++count) {
            const std::size_t length = CharLengthAt(kPattern, offset);
            text.append(kPattern, offset, length);
            offset += length;
        }
    }
    return text;
}

THtmlOptions AllWrappers() {
    THtmlOptions options;
    options.FaceName = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
    options.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    options.SizeStep = 2;
    options.FirstLetterLarger = true;
    options.FaceTag = true;
    options.LogicalTags = true;
    options.Comment = true;
    options.BreakInTag = true;
    options.Table = true;
    return options;
}

// The whole HTML text, all wrappers on; args: characters, gradient mode.
void BM_HtmlText(benchmark::State& state) {
    const std::string text = MixedText(static_cast<int>(state.range(0)));
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF),
                             static_cast<TGradientMode>(state.range(1))};
    const THtmlOptions options = AllWrappers();
    TTagVocabulary tg;
    tg.ApplyTagCase(true);

    std::size_t outputBytes = 0;
    std::size_t peakExtra = 0;
    for (auto _ : state) {
        const std::size_t before = AllocationCounter::CurrentBytes();
        AllocationCounter::ResetPeak();
        const THtmlText html = BuildHtmlText(text, gradient, options, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
        peakExtra = AllocationCounter::PeakBytes() - before;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
    // Heap in use at the peak of one build, in multiples of the output.
    state.counters["peak_per_output"] = static_cast<double>(peakExtra) / static_cast<double>(outputBytes);
}

BENCHMARK(BM_HtmlText)
    ->ArgNames({"chars", "mode"})
    ->ArgsProduct({{10, 1000, 100000, 1000000}, {gmTwoColor, gmMirror, gmThreeColor}})
    ->Unit(benchmark::kMicrosecond);

// Every output kind over every gradient mode, 1,000,000 characters with the default options
// (what most users copy); args: kind, gradient mode.
void BM_OutputKinds(benchmark::State& state) {
    const std::string text = MixedText(1000000);
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF),
                             static_cast<TGradientMode>(state.range(1))};
    THtmlOptions options;
    options.Kind = static_cast<TOutputKind>(state.range(0));
    TTagVocabulary tg;
    tg.ApplyTagCase(true);

    std::size_t outputBytes = 0;
    for (auto _ : state) {
        const THtmlText html = BuildHtmlText(text, gradient, options, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
    }
    state.SetLabel(std::string(OutputKindName(options.Kind)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
}

BENCHMARK(BM_OutputKinds)
    ->ArgNames({"kind", "mode"})
    ->ArgsProduct({{okFont, okCss, okBbcode, okAnsi, okAnsi256}, {gmTwoColor, gmMirror, gmThreeColor}})
    ->Unit(benchmark::kMillisecond);

} // namespace
