#include "CompanionFuzzTarget.h"
#include "ImportFuzzTarget.h"
#include "IniFuzzTarget.h"
#include "ReaderFuzzTarget.h"
#include "SaveFuzzTarget.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

// Each fuzz target with the folder of its checked-in inputs.
using TRun = void (*)(const std::uint8_t*, std::size_t);

struct TTarget {
    const char* corpus;
    TRun run;
};

const TTarget kTargets[] = {{"ini", RunIniFuzzInput},
                            {"save", RunSaveFuzzInput},
                            {"import", RunImportFuzzInput},
                            {"companion", RunCompanionFuzzInput},
                            {"reader", RunReaderFuzzInput}};

std::vector<std::pair<std::string, std::string>> CorpusFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    for (const TTarget& target : kTargets) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(TINTREL_FUZZ_CORPUS) + "/" + target.corpus)) {
            files.emplace_back(target.corpus, entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzCorpus : public testing::TestWithParam<std::pair<std::string, std::string>> {};

// The fuzz targets abort when a rule breaks, so each checked-in input passing is the check.
TEST_P(FuzzCorpus, InputKeepsEveryRuleOfTheStore) {
    const auto& [corpus, file] = GetParam();
    const std::string bytes = ReadBytes(std::string(TINTREL_FUZZ_CORPUS) + "/" + corpus + "/" + file);
    for (const TTarget& target : kTargets) {
        if (corpus == target.corpus) {
            target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FuzzCorpus, testing::ValuesIn(CorpusFiles()), [](const auto& param) {
    std::string name = param.param.first + "_" + param.param.second;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
});

} // namespace
