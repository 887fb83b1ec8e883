#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

// Aborts with the rule that broke, so the fuzzer keeps the input.
inline void Check(bool condition, const char* rule) {
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

// A folder of its own for the files a run works on, removed when it goes.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tintrel-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
        folder_ = pattern;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return folder_; }
    std::string File(const std::string& name) const { return folder_ + "/" + name; }

    // The names in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Empties the folder for the next run.
    void Clear() const {
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }

private:
    std::string folder_;
};
