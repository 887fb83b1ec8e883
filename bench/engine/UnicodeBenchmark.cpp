#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/UnicodeText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Japanese with emoji between: every fourth unit a cluster outside code page 932.
const char* const kUnits[] = {"お",       "は", "よ", "う", "☀️", "グ", "ラ", "デ",
                              "👍🏽", "ー", "シ", "ョ", "🇯🇵",     "ン", " ",  "👨‍👩‍👧"};

std::string MixedUtf8(int units) {
    std::string text;
    for (int count = 0; count < units; ++count) {
        text += kUnits[count % std::size(kUnits)];
    }
    return text;
}

// The whole HTML text of a text with clusters, default options; arg: units.
void BM_UnicodeHtmlText(benchmark::State& state) {
    const TUnitText units = UnitTextFromUtf8(MixedUtf8(static_cast<int>(state.range(0))));
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    TTagVocabulary tg;
    tg.ApplyTagCase(true);
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        const THtmlText html = BuildHtmlText(units.Text, units.Clusters, gradient, THtmlOptions{}, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
}

BENCHMARK(BM_UnicodeHtmlText)->ArgName("units")->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// From the text field's UTF-8 to units: the code page, the grapheme clusters and the written
// forms; arg: units. Bytes are those of the UTF-8 read.
void BM_UnitTextFromUtf8(benchmark::State& state) {
    const std::string utf8 = MixedUtf8(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TUnitText units = UnitTextFromUtf8(utf8);
        benchmark::DoNotOptimize(units.Text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * utf8.size()));
}

BENCHMARK(BM_UnitTextFromUtf8)->ArgName("units")->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
