#include "SaveFuzzTarget.h"

#include "FuzzCheck.h"

#include "settings/store/IniErrors.h"
#include "settings/store/IniFile.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class TFault : std::uint8_t { None, Open, Write, Sync, Close, Rename, OtherWriter, Count };

constexpr std::size_t kMostChanges = 32;

class TFaultyOps : public TFileOps {
public:
    TFault Fault = TFault::None;
    std::size_t WriteBudget = 0;
    std::string Target;
    std::string OtherBytes;

    int Open(const std::string& path, int flags, mode_t mode) override {
        if (Fault == TFault::Open) {
            errno = EACCES;
            return -1;
        }
        return TFileOps::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (Fault == TFault::Write) {
            if (WriteBudget == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::min(size, WriteBudget);
            WriteBudget -= size;
        }
        return TFileOps::Write(fd, data, size);
    }
    int Sync(int fd) override {
        if (Fault == TFault::OtherWriter) {
            std::ofstream out(Target, std::ios::binary | std::ios::trunc);
            out.write(OtherBytes.data(), static_cast<std::streamsize>(OtherBytes.size()));
        }
        if (Fault == TFault::Sync) {
            errno = EIO;
            return -1;
        }
        return TFileOps::Sync(fd);
    }
    int Close(int fd) override {
        const int result = TFileOps::Close(fd);
        if (Fault == TFault::Close) {
            errno = EIO;
            return -1;
        }
        return result;
    }
    int Rename(const std::string& from, const std::string& to) override {
        if (Fault == TFault::Rename) {
            errno = EXDEV;
            return -1;
        }
        return TFileOps::Rename(from, to);
    }
};

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
    const auto fault = static_cast<TFault>(data[0] % static_cast<std::uint8_t>(TFault::Count));
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

    auto ops = std::make_shared<TFaultyOps>();
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
        Check(fault != TFault::None || error.Problem() == TFileProblem::Encoding,
              "a save without a fault fails only for a text that cannot be converted");
        // A text that cannot be converted fails before the other writer has a chance.
        if (fault == TFault::OtherWriter && error.Problem() != TFileProblem::Encoding) {
            Check(error.Problem() == TFileProblem::ChangedMeanwhile, "another writer is noticed");
        }
    } catch (const EIniRefusedError&) {
        Check(refused, "a refusal comes from a refused write");
    }

    const std::vector<std::string> entries = FolderEntries(scratch.Path());
    Check(entries.empty() || entries == std::vector<std::string>{"Fuzz.ini"}, "no temporary file is left");
    const std::optional<std::string> after = FileBytes(path);
    if (!saved) {
        if (fault == TFault::OtherWriter && after && *after == ops->OtherBytes) {
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
