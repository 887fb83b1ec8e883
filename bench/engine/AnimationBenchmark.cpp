#include "engine/Animation.h"
#include "engine/HtmlOptions.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"
#include "engine/UnicodeText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// 64 characters: a server greeting with a space every few letters.
const std::string kText = "Welcome to the Tintrel server! Gradients that move, 64 letters..";

void EveryKindAndType(benchmark::internal::Benchmark* benchmark) {
    for (const TOutputKindRow& row : OutputKinds()) {
        for (const TAnimationType type :
             {TAnimationType::Shift, TAnimationType::Pulse, TAnimationType::Rainbow}) {
            benchmark->Args({row.Kind, static_cast<long>(type)});
        }
    }
}

// 100 frames of a 64-character text; args: kind, animation type. The goal: under 5 ms.
void BM_AnimationFrames(benchmark::State& state) {
    const TUnitText text = UnitTextFromUtf8(kText);
    THtmlOptions options;
    options.Kind = static_cast<TOutputKind>(state.range(0));
    const auto type = static_cast<TAnimationType>(state.range(1));
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    TTagVocabulary tg;
    for (auto _ : state) {
        const TAnimationFrames frames({.Type = type, .Frames = 100}, gradient, 64);
        std::size_t bytes = 0;
        for (int k = 0; k < frames.Count(); ++k) {
            bytes += BuildAnimationFrame(frames, k, text.Text, text.Clusters, options, tg).Written().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetLabel(std::string(OutputKindName(options.Kind)) + " " + std::string(AnimationTypeName(type)));
}
BENCHMARK(BM_AnimationFrames)->Apply(EveryKindAndType)->Unit(benchmark::kMillisecond);

} // namespace
