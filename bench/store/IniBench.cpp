// Settings-file speed: the saves that closing the window makes on a file with 200 styles, reading
// every style of it, and reading files of growing size (the time should grow in step with it).
#include "store/ClosingSave.h"
#include "store/IniDocument.h"
#include "store/IniGT.h"
#include "store/OptionSet.h"
#include "store/StyleLibrary.h"
#include "store/StyleRecord.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kStyles = 200;

std::string StyleName(int i) {
    return "\x83\x58\x83\x5E\x83\x43\x83\x8B" + std::to_string(i); // "スタイル" + number
}

TStyleRecord StyleFor(int seed) {
    TStyleRecord style;
    style.SizeIndex = seed % 5;
    style.StartColor = static_cast<TColor>(seed);
    return style;
}

TOptionSet OptionsAt(int left) {
    TOptionSet options;
    options.Position = {left, 80};
    return options;
}

std::vector<std::string> StyleNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kStyles; ++i) {
        names.push_back(StyleName(i));
    }
    return names;
}

std::unique_ptr<TIniGT> StoreWithStyles(const TTempFolder& folder) {
    auto store = std::make_unique<TIniGT>(TIniEnvironment::Current());
    store->SetDefaultDir(ddNone);
    store->SetFileName(folder.File("Tintrel.ini"));
    auto update = store->BeginUpdate();
    SaveOptionSet(*store, OptionsAt(0));
    SaveStyleRecord(*store, kPrevSection, StyleFor(0));
    store->WriteStrings(kStylesSection, kStyleListIdent, StyleNames());
    for (int i = 0; i < kStyles; ++i) {
        SaveStyleRecord(*store, StyleName(i), StyleFor(i));
    }
    update.Commit();
    return store;
}

void BM_CloseSaves200Styles(benchmark::State& state) {
    const TTempFolder folder;
    auto store = StoreWithStyles(folder);
    TStyleLibrary library(*store);
    library.ReadList();
    int round = 0;
    for (auto _ : state) {
        // Every save really changes the file: the position moves, the state changes, and a style
        // added or deleted during the run changes the list.
        ++round;
        state.PauseTiming();
        if (const auto extra = library.IndexOf("extra")) {
            library.Delete(*extra);
        } else {
            library.Add("extra", StyleFor(round));
        }
        state.ResumeTiming();
        SaveClosingState(*store, OptionsAt(round), StyleFor(round), library);
    }
}
BENCHMARK(BM_CloseSaves200Styles)->Unit(benchmark::kMillisecond);

void BM_ReadEvery200Styles(benchmark::State& state) {
    const TTempFolder folder;
    const std::string path = StoreWithStyles(folder)->Path();
    for (auto _ : state) {
        TIniGT store(TIniEnvironment::Current());
        store.SetDefaultDir(ddNone);
        store.SetFileName(path);
        TStyleLibrary library(store);
        library.ReadList();
        for (std::size_t i = 0; i < library.Names().size(); ++i) {
            TStyleRecord style;
            benchmark::DoNotOptimize(library.Load(i, style));
        }
    }
}
BENCHMARK(BM_ReadEvery200Styles)->Unit(benchmark::kMillisecond);

// Short lines (the worst case per byte) and 1 MB lines.
void BM_ParseFile(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
    const bool longLines = state.range(1) != 0;
    const std::string line =
        longLines ? "k=" + std::string(1 << 20, 'v') + "\r\n" : "[s]\r\nk\x81=\x83]v\r\n";
    std::string file;
    file.reserve(size + line.size());
    while (file.size() < size) {
        file += line;
    }
    for (auto _ : state) {
        TIniDocument document(file);
        benchmark::DoNotOptimize(document.Find("s", "k"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ParseFile)
    ->ArgsProduct({{1, 10, 50}, {0, 1}})
    ->ArgNames({"MB", "long_lines"})
    ->Unit(benchmark::kMillisecond);

} // namespace
