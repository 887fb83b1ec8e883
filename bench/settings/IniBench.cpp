// Settings-file speed: the saves that closing the window makes on a file with 200 styles, reading
// every style of it, and reading files of growing size (the time should grow in step with it).
#include "settings/IniDocument.h"
#include "settings/IniGT.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kStyles = 200;

class TBenchFolder {
public:
    TBenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tintrel-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string StyleName(int i) {
    return "\x83\x58\x83\x5E\x83\x43\x83\x8B" + std::to_string(i); // "スタイル" + number
}

void SaveStyle(TIniGT& store, const std::string& section, int seed) {
    auto update = store.BeginUpdate();
    store.EraseSection(section);
    store.WriteFont(section, "DrawFont",
                    {"\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", 9, 0, clWindowText});
    store.WriteInteger(section, "SizeIndex", seed % 5);
    store.WriteBool(section, "Head", false);
    store.WriteColor(section, "StartColor", 0x000000FF);
    store.WriteColor(section, "FinishColor", 0x0000FFFF);
    store.WriteColor(section, "MiddleColor", 0x00FFFFFF);
    store.WriteColor(section, "BGColor", clBtnFace);
    store.WriteBool(section, "Mirror", false);
    store.WriteBool(section, "Trico", false);
    update.Commit();
}

void SaveOptionGroup(TIniGT& store, int left) {
    auto update = store.BeginUpdate();
    store.EraseSection("Option");
    store.WritePosition("Option", "Position", {left, 80});
    store.WriteBool("Option", "Opt1", true);
    store.WriteInteger("Option", "Opt2-1", 11);
    for (const char* key : {"Opt3", "Opt4", "Opt5", "Opt6", "Opt7", "Opt8"}) {
        store.WriteBool("Option", key, false);
    }
    store.WriteBool("Option", "Opt9", true);
    update.Commit();
}

std::vector<std::string> StyleNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kStyles; ++i) {
        names.push_back(StyleName(i));
    }
    return names;
}

std::unique_ptr<TIniGT> StoreWithStyles(const TBenchFolder& folder) {
    auto store = std::make_unique<TIniGT>(TIniEnvironment::Current());
    store->SetDefaultDir(ddNone);
    store->SetFileName(folder.File("Tintrel.ini"));
    auto update = store->BeginUpdate();
    SaveOptionGroup(*store, 0);
    SaveStyle(*store, "@@Prev@@", 0);
    store->WriteStrings("STYLES", "STYLE", StyleNames());
    for (int i = 0; i < kStyles; ++i) {
        SaveStyle(*store, StyleName(i), i);
    }
    update.Commit();
    return store;
}

void BM_CloseSaves200Styles(benchmark::State& state) {
    const TBenchFolder folder;
    auto store = StoreWithStyles(folder);
    std::vector<std::string> names = StyleNames();
    int round = 0;
    for (auto _ : state) {
        // Every save really changes the file: the position moves and the list changes order.
        ++round;
        std::swap(names[0], names[1]);
        SaveOptionGroup(*store, round);
        SaveStyle(*store, "@@Prev@@", round);
        store->WriteStrings("STYLES", "STYLE", names);
    }
}
BENCHMARK(BM_CloseSaves200Styles)->Unit(benchmark::kMillisecond);

void BM_ReadEvery200Styles(benchmark::State& state) {
    const TBenchFolder folder;
    const std::string path = StoreWithStyles(folder)->Path();
    for (auto _ : state) {
        TIniGT store(TIniEnvironment::Current());
        store.SetDefaultDir(ddNone);
        store.SetFileName(path);
        std::vector<std::string> names;
        store.ReadStrings("STYLES", "STYLE", names);
        for (const std::string& name : names) {
            TFontRecord font;
            store.ReadFont(name, "DrawFont", font);
            benchmark::DoNotOptimize(store.ReadInteger(name, "SizeIndex", 0));
            benchmark::DoNotOptimize(store.ReadBool(name, "Head", false));
            for (const char* key : {"StartColor", "FinishColor", "MiddleColor", "BGColor"}) {
                benchmark::DoNotOptimize(store.ReadColor(name, key, 0));
            }
            benchmark::DoNotOptimize(store.ReadBool(name, "Mirror", false));
            benchmark::DoNotOptimize(store.ReadBool(name, "Trico", false));
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
