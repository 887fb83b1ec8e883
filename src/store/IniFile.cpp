#include "store/IniFile.h"

#include "store/FileEncoding.h"
#include "store/IniErrors.h"

namespace {

// ".Tintrel.ini.lock" in the folder of "Tintrel.ini".
std::string LockPathOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameAt) + "." + path.substr(nameAt) + ".lock";
}

} // namespace

class TIniFile::TChangeLock {
public:
    explicit TChangeLock(TIniFile& file) : file_(file.updateDepth_ == 0 ? &file : nullptr) {
        if (file_ != nullptr) {
            file_->Lock();
        }
    }
    ~TChangeLock() {
        if (file_ != nullptr) {
            file_->Unlock();
        }
    }
    TChangeLock(const TChangeLock&) = delete;
    TChangeLock& operator=(const TChangeLock&) = delete;

private:
    TIniFile* file_;
};

TIniFile::TIniFile(std::string path, std::shared_ptr<TFileOps> ops, bool createFolder)
    : path_(std::move(path)), ops_(std::move(ops)), createFolder_(createFolder) {}

void TIniFile::Lock() {
    if (lockDepth_++ == 0 && !path_.empty()) {
        lockFd_ = ops_->LockExclusive(LockPathOf(path_));
    }
}

void TIniFile::Unlock() noexcept {
    if (--lockDepth_ == 0 && lockFd_ >= 0) {
        ops_->Unlock(LockPathOf(path_), lockFd_);
        lockFd_ = -1;
    }
}

void TIniFile::Refresh() {
    if (path_.empty()) {
        loaded_ = true;
        return;
    }
    if (loaded_ && StampOfFile(path_) == stamp_) {
        return;
    }
    TFileStamp stamp;
    TStoredText text = DecodeStoredText(ReadFileBytes(path_, stamp));
    if (!text.Problem.empty()) {
        throw EIniFileError(path_, "read", text.Problem, text.Cause);
    }
    document_ = TIniDocument(std::move(text.Cp932));
    encoding_ = text.Encoding;
    stamp_ = stamp;
    loaded_ = true;
}

void TIniFile::Discard() noexcept {
    loaded_ = false;
    document_ = TIniDocument();
    dirty_ = false;
}

void TIniFile::Save() {
    std::string bytes = document_.Serialize();
    try {
        // A Shift-JIS file is saved as it stands; one in another encoding is converted.
        std::string problem;
        TEncodingProblem cause = TEncodingProblem::None;
        const std::string converted = EncodeStoredText(bytes, encoding_, problem, &cause);
        if (!problem.empty()) {
            throw EIniFileError(path_, "save", problem, cause);
        }
        // A save by someone else since the file was read is not overwritten unseen.
        stamp_ = SaveFileSafely(path_, converted, *ops_, createFolder_, &stamp_);
    } catch (...) {
        Discard();
        throw;
    }
    // Parsing what was written drops the bytes of replaced lines.
    document_ = TIniDocument(std::move(bytes));
    dirty_ = false;
}

void TIniFile::Changed() {
    ++changes_;
    if (updateDepth_ > 0) {
        dirty_ = true;
    } else {
        Save();
    }
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) {
    if (updateDepth_ == 0) {
        Refresh();
    }
    return document_.Find(section, key);
}

std::vector<std::pair<std::string, std::string>> TIniFile::SectionValues(std::string_view section) {
    if (updateDepth_ == 0) {
        Refresh();
    }
    return document_.SectionValues(section);
}

bool TIniFile::HasSection(std::string_view section) {
    if (updateDepth_ == 0) {
        Refresh();
    }
    return document_.HasSection(section);
}

std::vector<std::string> TIniFile::SectionNames() {
    if (updateDepth_ == 0) {
        Refresh();
    }
    return document_.SectionNames();
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    const TChangeLock lock(*this);
    if (updateDepth_ == 0) {
        Refresh();
    }
    if (document_.Write(section, key, value)) {
        Changed();
    }
}

void TIniFile::EraseSection(std::string_view section) {
    const TChangeLock lock(*this);
    if (updateDepth_ == 0) {
        Refresh();
    }
    if (document_.EraseSection(section)) {
        Changed();
    }
}

TIniTransaction TIniFile::BeginUpdate() {
    return TIniTransaction(*this);
}

void TIniFile::EndUpdate() {
    if (--updateDepth_ > 0) {
        return;
    }
    // The lock taken when the update began is let go however the save ends.
    struct TRelease {
        TIniFile& file;
        ~TRelease() { file.Unlock(); }
    } release{*this};
    if (abandoned_) {
        abandoned_ = false;
        Discard();
        throw EIniError("A change of \"" + path_ + "\" was left unfinished; nothing was saved");
    }
    if (dirty_) {
        Save();
    }
}

void TIniFile::AbandonUpdate(bool changedInside) noexcept {
    // An update left half-done (an exception passed after some of its writes) must not reach the
    // disk, nor may the updates around it save their part of the change.
    if (changedInside) {
        abandoned_ = true;
    }
    if (--updateDepth_ > 0) {
        return;
    }
    Unlock();
    // Every change since the outermost update began counts as inside it, so when nothing changed
    // there is nothing unsaved either: this end never saves.
    if (abandoned_) {
        abandoned_ = false;
        Discard();
    }
}

TIniTransaction::TIniTransaction(TIniFile& file) : file_(&file) {
    if (file.updateDepth_ == 0) {
        file.Lock();
        try {
            file.Refresh();
        } catch (...) {
            file.Unlock();
            throw;
        }
    }
    ++file.updateDepth_;
    changesAtBegin_ = file.changes_;
}

TIniTransaction::~TIniTransaction() noexcept {
    if (file_ != nullptr) {
        file_->AbandonUpdate(file_->changes_ != changesAtBegin_);
    }
}

void TIniTransaction::Commit() {
    TIniFile* file = file_;
    file_ = nullptr;
    if (file != nullptr) {
        file->EndUpdate();
    }
}
