#include "settings/store/IniFile.h"
#include "settings/store/IniErrors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

enum class TFault { None, Open, HalfWrite, Sync, Close, Rename };

// File operations that fail at one step, the way a read-only folder, a full disk or a failing
// device would, and count the saves that got through.
class TFaultyFileOps : public TFileOps {
public:
    TFault Fault = TFault::None;
    int Renames = 0;

    int Open(const std::string& path, int flags, mode_t mode) override {
        if (Fault == TFault::Open) {
            errno = EACCES;
            return -1;
        }
        return TFileOps::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (Fault == TFault::HalfWrite) {
            if (written_ == 0) {
                written_ = size / 2;
                return TFileOps::Write(fd, data, written_);
            }
            errno = ENOSPC;
            return -1;
        }
        return TFileOps::Write(fd, data, size);
    }
    int Sync(int fd) override {
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
        ++Renames;
        return TFileOps::Rename(from, to);
    }

private:
    std::size_t written_ = 0;
};

const std::string kOld = "; kept\r\n[Option]\r\nOpt1=1\r\n[@@Prev@@]\r\nHead=0\r\n";

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct FaultCase {
    const char* name;
    TFault fault;
    const char* reason;

    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class FailedSave : public testing::TestWithParam<FaultCase> {};

TEST_P(FailedSave, LeavesTheOldFileAndNoTemporaryFile) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    auto ops = std::make_shared<TFaultyFileOps>();
    ops->Fault = GetParam().fault;
    TIniFile file(path, ops);
    {
        auto update = file.BeginUpdate();
        file.EraseSection("Option");
        file.Write("Option", "Opt1", std::string(100000, 'x'));
        try {
            update.Commit();
            FAIL() << "the save did not fail";
        } catch (const EIniFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(path), std::string::npos) << message;
            EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
        }
    }
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"Tintrel.ini"});
    // The store shows the file as it is, not the change that never reached it.
    EXPECT_EQ(file.Read("Option", "Opt1"), "1");
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedSave,
                         testing::Values(FaultCase{"ReadOnlyFolder", TFault::Open, "Permission denied"},
                                         FaultCase{"DiskFullHalfWay", TFault::HalfWrite, "No space left"},
                                         FaultCase{"FlushFails", TFault::Sync, "Input/output error"},
                                         FaultCase{"CloseFails", TFault::Close, "Input/output error"},
                                         FaultCase{"RenameFails", TFault::Rename, "cross-device"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(IniFile, DirectoryInTheFilesPlaceIsReportedAndLeftAlone) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    fs::create_directory(path);
    TIniFile file(path);
    EXPECT_THROW(file.Read("a", "k"), EIniFileError);
    EXPECT_THROW(file.Write("a", "k", "v"), EIniFileError);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"Tintrel.ini"});
}

TEST(IniFile, MissingFileReadsEmptyAndIsCreatedByTheFirstWrite) {
    TTempFolder temp;
    const std::string path = temp.File("new.ini");
    TIniFile file(path);
    EXPECT_EQ(file.Read("a", "k"), std::nullopt);
    EXPECT_FALSE(fs::exists(path));
    file.Write("a", "k", "v");
    EXPECT_EQ(ReadBytes(path), "[a]\r\nk=v\r\n");
}

TEST(IniFile, SaveKeepsTheLinkAndWritesItsTarget) {
    TTempFolder temp;
    fs::create_directory(temp.File("real"));
    const std::string target = temp.File("real/Tintrel.ini");
    WriteBytes(target, "[a]\r\nk=1\r\n");
    const std::string link = temp.File("Tintrel.ini");
    fs::create_symlink("real/Tintrel.ini", link);
    TIniFile file(link);
    file.Write("a", "k", "2");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[a]\r\nk=2\r\n");
    EXPECT_EQ(FolderEntries(temp.File("real")), std::vector<std::string>{"Tintrel.ini"});
}

TEST(IniFile, SaveKeepsThePermissions) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, "[a]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    TIniFile file(path);
    file.Write("a", "k", "2");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(IniFile, ChangeBySomeoneElseIsReadBeforeTheNextReadOrWrite) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, "[a]\r\nk=1\r\n");
    TIniFile file(path);
    EXPECT_EQ(file.Read("a", "k"), "1");

    // Another program replaces the file with one of the same size.
    WriteBytes(temp.File("other"), "[a]\r\nk=7\r\n");
    fs::rename(temp.File("other"), path);
    EXPECT_EQ(file.Read("a", "k"), "7");

    // Another program edits it in place; its time changes.
    WriteBytes(path, "[a]\r\nk=8\r\nj=1\r\n");
    file.Write("b", "x", "y");
    EXPECT_EQ(ReadBytes(path), "[a]\r\nk=8\r\nj=1\r\n[b]\r\nx=y\r\n");
}

TEST(IniFile, EraseAndRewriteReachTheDiskAsOneSave) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    auto ops = std::make_shared<TFaultyFileOps>();
    TIniFile file(path, ops);
    auto update = file.BeginUpdate();
    file.EraseSection("@@Prev@@");
    EXPECT_EQ(ReadBytes(path), kOld);
    file.Write("@@Prev@@", "Head", "1");
    file.Write("@@Prev@@", "Trico", "0");
    update.Commit();
    EXPECT_EQ(ops->Renames, 1);
    EXPECT_EQ(ReadBytes(path), "; kept\r\n[Option]\r\nOpt1=1\r\n[@@Prev@@]\r\nHead=1\r\nTrico=0\r\n");
}

TEST(IniFile, UpdateLeftByAnExceptionSavesNothingOfIt) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    auto ops = std::make_shared<TFaultyFileOps>();
    TIniFile file(path, ops);
    try {
        auto outer = file.BeginUpdate();
        file.EraseSection("Option");
        auto inner = file.BeginUpdate();
        file.Write("Option", "Opt1", "0");
        file.Write("Option", "bad\n", "0");
        inner.Commit();
        outer.Commit();
    } catch (const EIniRefusedError&) {
    }
    EXPECT_EQ(ops->Renames, 0);
    EXPECT_EQ(file.Read("Option", "Opt1"), "1");
    EXPECT_EQ(ReadBytes(path), kOld);
}

TEST(IniFile, CaughtFailureInsideAnUpdateStopsTheWholeUpdate) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    TIniFile file(path);
    auto outer = file.BeginUpdate();
    file.EraseSection("Option");
    try {
        auto inner = file.BeginUpdate();
        file.Write("Option", "Opt1", "0");
        throw std::runtime_error("failed half-way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_THROW(outer.Commit(), EIniError);
    EXPECT_EQ(ReadBytes(path), kOld);
}

TEST(IniFile, UnchangedWritesDoNotSave) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    auto ops = std::make_shared<TFaultyFileOps>();
    TIniFile file(path, ops);
    file.Write("Option", "Opt1", "1");
    file.EraseSection("absent");
    EXPECT_EQ(ops->Renames, 0);
}

} // namespace
