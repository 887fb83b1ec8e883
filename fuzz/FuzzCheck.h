#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Aborts with the rule that broke, so the fuzzer keeps the input.
inline void Check(bool condition, const char* rule) {
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Empties a folder for the next run.
inline void ClearFolder(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}
