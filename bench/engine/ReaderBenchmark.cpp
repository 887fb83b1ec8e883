#include "engine/TargetReader.h"

#include <benchmark/benchmark.h>

#include <string>

// The reader over the shapes of text that once took it time growing with the square of the
// length: its time per byte stays the same from 1 to 16 MiB.

namespace {

// A head, then a piece repeated to `bytes`.
std::string Repeated(const std::string& head, const std::string& piece, std::size_t bytes) {
    std::string text = head;
    while (text.size() < bytes) {
        text += piece;
    }
    return text;
}

// Components nested 200 deep (400 levels of objects and arrays), again and again in one array.
std::string NestedComponents(std::size_t bytes) {
    const std::string open = R"({"text":"a","color":"#FF0000","extra":[)";
    std::string nest;
    for (int k = 0; k < 200; ++k) {
        nest += open;
    }
    for (int k = 0; k < 200; ++k) {
        nest += "]}";
    }
    return Repeated("[" + nest, "," + nest, bytes) + "]";
}

std::string Shape(int shape, std::size_t bytes) {
    switch (shape) {
    case 0: // elements never closed
        return Repeated("<font color=#FF0000>", "<b>x", bytes);
    case 1: // MiniMessage < without >
        return Repeated("<#FF0000>", "<", bytes);
    case 2: // & without ; in markup
        return Repeated("<font color=#FF0000>", "&", bytes);
    default:
        return NestedComponents(bytes);
    }
}

// arg 0: the shape (0 unclosed tags, 1 MiniMessage <, 2 markup &, 3 nested JSON); arg 1: MiB.
void BM_ReaderShapes(benchmark::State& state) {
    const std::string text = Shape(static_cast<int>(state.range(0)), std::size_t(state.range(1)) << 20);
    if (!ReadGradientText(text)) {
        state.SkipWithError("the shape reads as nothing: the reader was not measured");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadGradientText(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReaderShapes)
    ->ArgsProduct({{0, 1, 2, 3}, {1, 4, 16}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
