#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TargetReader.h"
#include "engine/UnicodeText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// "Tintrel グラデーション " in UTF-8, repeated to `characters`.
std::string MixedUtf8(int characters) {
    const std::u32string pattern = U"Tintrel グラデーション ";
    std::u32string text;
    for (int k = 0; k < characters; ++k) {
        text += pattern[static_cast<std::size_t>(k) % pattern.size()];
    }
    std::string utf8;
    for (const char32_t c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

// Every paste-target kind, and every kind that reads back, as benchmark arguments.
void EveryTarget(benchmark::internal::Benchmark* benchmark) {
    for (const TOutputKindRow& row : OutputKinds()) {
        if (row.OtherTarget) {
            benchmark->Arg(row.Kind);
        }
    }
}

void EveryReadableKind(benchmark::internal::Benchmark* benchmark) {
    for (const TOutputKindRow& row : OutputKinds()) {
        if (row.Reading.Sure.Looks != nullptr) {
            benchmark->Arg(row.Kind);
        }
    }
}

const TGradient kGradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};

// Every paste-target kind, 1,000,000 characters, bold; arg: kind.
void BM_TargetKinds(benchmark::State& state) {
    const TUnitText text = UnitTextFromUtf8(MixedUtf8(1000000));
    THtmlOptions options;
    options.Kind = static_cast<TOutputKind>(state.range(0));
    options.Style = fsBold;
    TTagVocabulary tg;
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        const THtmlText html = BuildHtmlText(text.Text, text.Clusters, kGradient, options, tg);
        benchmark::DoNotOptimize(html.Written().data());
        outputBytes = html.Written().size();
    }
    state.SetLabel(std::string(OutputKindName(options.Kind)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputBytes));
}

BENCHMARK(BM_TargetKinds)->Apply(EveryTarget)->Unit(benchmark::kMillisecond);

// --fit into the 256 code units of the Minecraft kinds, for a 40-character name that needs the
// shared steps; arg: kind.
void BM_FitTo256(benchmark::State& state) {
    const TUnitText text = UnitTextFromUtf8("Gradient text for forums, chats and more");
    THtmlOptions options;
    options.Kind = static_cast<TOutputKind>(state.range(0));
    TTagVocabulary tg;
    for (auto _ : state) {
        const TFitResult fit = FitTargetText(text.Text, text.Clusters, kGradient, options, tg, 256);
        benchmark::DoNotOptimize(fit.Length);
    }
    state.SetLabel(std::string(OutputKindName(options.Kind)));
}

BENCHMARK(BM_FitTo256)
    ->Arg(okMiniMessage)
    ->Arg(okAmpHex)
    ->Arg(okSectionX)
    ->Arg(okJson)
    ->Unit(benchmark::kMicrosecond);

// --decode of 1,000,000 characters written in a kind, per byte read; arg: kind.
void BM_Decode(benchmark::State& state) {
    const TUnitText text = UnitTextFromUtf8(MixedUtf8(1000000));
    THtmlOptions options;
    options.Kind = static_cast<TOutputKind>(state.range(0));
    TTagVocabulary tg;
    const std::string written = BuildHtmlText(text.Text, text.Clusters, kGradient, options, tg).Written();
    for (auto _ : state) {
        const std::optional<TReadText> read = ReadGradientText(written);
        benchmark::DoNotOptimize(read->Units.data());
    }
    state.SetLabel(std::string(OutputKindName(options.Kind)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written.size()));
}

BENCHMARK(BM_Decode)->Apply(EveryReadableKind)->Unit(benchmark::kMillisecond);

} // namespace
