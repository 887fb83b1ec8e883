#include "LibraryFuzzTarget.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TINTREL_FUZZ_CORPUS)) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class LibraryFuzzCorpus : public testing::TestWithParam<std::string> {};

// The fuzz target aborts when a rule breaks, so each checked-in input passing is the check.
TEST_P(LibraryFuzzCorpus, InputKeepsEveryRuleOfTheInterface) {
    const std::string bytes = ReadBytes(std::string(TINTREL_FUZZ_CORPUS) + "/" + GetParam());
    RunLibraryFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Seeds, LibraryFuzzCorpus, testing::ValuesIn(CorpusFiles()), [](const auto& param) {
    std::string name = param.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; },
        '_');
    return name;
});

} // namespace
