#pragma once

#include "store/FileEncoding.h"
#include "store/FileOps.h"
#include "store/IniDocument.h"
#include "store/SafeFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniTransaction;

// A settings file on disk. Reads see the file as it is now: when someone else changed it since
// it was read (size, time or identity), it is read again first. Every write is saved at once,
// crash-safe, unless it is part of an update (BeginUpdate), which saves all its writes as one.
// A save that fails leaves the file as it was and the store as the file is. A save refuses to
// overwrite a change that someone else saved after the file was read (EIniFileError with
// ChangedMeanwhile); the store then reads the file again. A file that a text editor saved as
// UTF-8 or UTF-16 is read and saved in that encoding. Copies of Tintrel hold an advisory lock
// (flock on a lock file beside the settings file) from the read a change starts from to the
// rename of its save, so two copies never interleave their saves; a writer that takes no lock is
// still caught by the stamp check.
class TIniFile {
public:
    explicit TIniFile(std::string path, std::shared_ptr<TFileOps> ops = DefaultFileOps(),
                      bool createFolder = false);

    const std::string& Path() const { return path_; }

    std::optional<std::string> Read(std::string_view section, std::string_view key);
    std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section);
    bool HasSection(std::string_view section);
    std::vector<std::string> SectionNames();

    void Write(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);

    // Groups writes into one save: erasing a section and writing it again reaches the disk
    // whole or not at all. Updates nest; the outermost one saves.
    [[nodiscard]] TIniTransaction BeginUpdate();

private:
    friend class TIniTransaction;

    void Refresh();
    void Changed();
    void Save();
    void Discard() noexcept;
    void EndUpdate();
    void AbandonUpdate(bool changedInside) noexcept;
    // Holds the lock for the outermost change; nested calls count.
    void Lock();
    void Unlock() noexcept;
    // Locks for the span of one change made outside an update.
    class TChangeLock;

    std::string path_;
    std::shared_ptr<TFileOps> ops_;
    bool createFolder_;
    TIniDocument document_;
    TFileStamp stamp_;
    TFileEncoding encoding_ = TFileEncoding::ShiftJis;
    bool loaded_ = false;
    int updateDepth_ = 0;
    int lockDepth_ = 0;
    int lockFd_ = -1;
    bool dirty_ = false;
    bool abandoned_ = false;
    // Counts the changes made to the document, so an update can tell whether it changed anything.
    unsigned long changes_ = 0;
};

// One update of a TIniFile. Commit saves (in the outermost update); an update that ends
// without Commit, as when an exception passes, drops every change made in the outermost update.
// Ending without Commit never saves, so the destructor cannot throw while an exception passes.
class TIniTransaction {
public:
    explicit TIniTransaction(TIniFile& file);
    ~TIniTransaction() noexcept;
    TIniTransaction(const TIniTransaction&) = delete;
    TIniTransaction& operator=(const TIniTransaction&) = delete;

    void Commit();

private:
    TIniFile* file_;
    unsigned long changesAtBegin_ = 0;
};
