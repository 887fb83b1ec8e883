#include "companion/CompanionIo.h"
#include "companion/LineColourer.h"

#include "engine/OutputKind.h"
#include "engine/OutputSink.h"
#include "engine/TagVocabulary.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

// About 4 MB of lines as a chat log or a listing holds them: words, and in the emoji lines a
// skin tone, a flag, a family and a sun with its emoji form among them.
std::string Lines(bool emoji) {
    const char* const words[] = {"Good", "morning", "everyone,", "the", "build", "is", "green", "again"};
    const char* const pictures[] = {"👍🏽", "🇯🇵", "👨‍👩‍👧", "☀️", "🎉", "お早う"};
    std::string text;
    for (int line = 0; text.size() < (std::size_t{4} << 20); ++line) {
        for (int word = 0; word < 8; ++word) {
            text += words[(line + word) % 8];
            text += ' ';
            if (emoji && word % 3 == 1) {
                text += pictures[(line + word) % 6];
                text += ' ';
            }
        }
        text += '\n';
    }
    return text;
}

// Standard input coloured line by line for --format ansi (every line a gradient of its own), as
// the program streams it; bytes are those of the input. arg: 1 for emoji lines.
void BM_ColourEveryLine(benchmark::State& state) {
    const std::string input = Lines(state.range(0) != 0);
    TTagVocabulary tg;
    tg.ApplyTagCase(true);
    THtmlOptions options;
    options.Kind = *OutputKindFromName("ansi");
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};
    std::string out;
    std::string err;
    for (auto _ : state) {
        out.clear();
        std::istringstream in(input);
        TStreamInput stream(in);
        TStringSink outSink(out);
        TStringSink errSink(err);
        TLineColourer colourer(tg, options, gradient, outSink);
        ColourEveryLine(stream, TLineInput{.MaxLine = input.size()}, colourer, errSink);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

BENCHMARK(BM_ColourEveryLine)->ArgName("emoji")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
