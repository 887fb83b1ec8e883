#include "SaveFuzzTarget.h"

#include "FuzzCheck.h"

#include "store/IniErrors.h"
#include "store/IniFile.h"
#include "support/FaultyFileOps.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMostChanges = 32;

struct TChange {
    bool erase = false;
    std::string section;
    std::string key;
    std::string value;
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos) {
            return parts;
        }
        begin = end + 1;
    }
}

std::vector<TChange> ParseChanges(const std::string& text) {
    std::vector<TChange> changes;
    for (const std::string& line : Split(text, '\n')) {
        if (changes.size() == kMostChanges) {
            break;
        }
        if (!line.empty() && line.front() == '-') {
            changes.push_back({true, line.substr(1), {}, {}});
            continue;
        }
        const std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() == 3) {
            changes.push_back({false, fields[0], fields[1], fields[2]});
        }
    }
    return changes;
}

std::optional<std::string> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const TTempFolder& Scratch() {
    static const TTempFolder folder;
    return folder;
}

} // namespace

void RunSaveFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return;
    }
    const auto fault = static_cast<TFileFault>(data[0] % static_cast<std::uint8_t>(TFileFault::Count));
    const std::size_t writeBudget = data[1];
    const std::string rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t marker = rest.find("\n\x01\n");
    const std::string before = rest.substr(0, marker);
    const std::vector<TChange> changes =
        marker == std::string::npos ? std::vector<TChange>{} : ParseChanges(rest.substr(marker + 3));

    const TTempFolder& scratch = Scratch();
    ClearFolder(scratch.Path());
    const std::string path = scratch.File("Fuzz.ini");
    const bool existed = !before.empty();
    if (existed) {
        std::ofstream out(path, std::ios::binary);
        out.write(before.data(), static_cast<std::streamsize>(before.size()));
    }

    auto ops = std::make_shared<TFaultyFileOps>();
    ops->Target = path;
    ops->OtherBytes = "[other]\r\nk=1\r\n";
    TIniFile file(path, ops);
    try {
        file.SectionNames();
    } catch (const EIniFileError& error) {
        // Only a marked file with characters that code page 932 cannot hold is unreadable here.
        Check(error.Problem() == TFileProblem::Encoding, "only an unconvertible file is unreadable");
        return;
    }
    ops->Fault = fault;
    ops->WriteBudget = writeBudget;

    bool saved = false;
    bool refused = false;
    try {
        auto update = file.BeginUpdate();
        for (const TChange& change : changes) {
            if (change.erase) {
                file.EraseSection(change.section);
            } else {
                try {
                    file.Write(change.section, change.key, change.value);
                } catch (const EIniRefusedError&) {
                    refused = true; // the update goes on without it; abandoned below
                    throw;
                }
            }
        }
        update.Commit();
        saved = true;
    } catch (const EIniFileError& error) {
        Check(fault != TFileFault::None || error.Problem() == TFileProblem::Encoding,
              "a save without a fault fails only for a text that cannot be converted");
        // A text that cannot be converted fails before the other writer has a chance.
        if (fault == TFileFault::OtherWriter && error.Problem() != TFileProblem::Encoding) {
            Check(error.Problem() == TFileProblem::ChangedMeanwhile, "another writer is noticed");
        }
    } catch (const EIniRefusedError&) {
        Check(refused, "a refusal comes from a refused write");
    }

    const std::vector<std::string> entries = FolderEntries(scratch.Path());
    Check(entries.empty() || entries == std::vector<std::string>{"Fuzz.ini"}, "no temporary file is left");
    const std::optional<std::string> after = FileBytes(path);
    if (!saved) {
        if (fault == TFileFault::OtherWriter && after && *after == ops->OtherBytes) {
            return; // the other writer's file stands
        }
        Check(after.has_value() == existed && (!after || *after == before),
              "a failed save leaves the old file");
        return;
    }
    // What reached the disk reads back as the store saw it.
    TIniFile reread(path);
    Check(reread.SectionNames() == file.SectionNames(), "saved sections read back");
    for (const TChange& change : changes) {
        Check(reread.Read(change.section, change.key) == file.Read(change.section, change.key),
              "saved values read back");
    }
    if (existed && after && (before.starts_with("\xEF\xBB\xBF") || before.starts_with("\xFF\xFE"))) {
        Check(after->substr(0, 2) == before.substr(0, 2), "a marked file keeps its mark");
    }
}
