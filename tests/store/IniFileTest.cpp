#include "store/IniFile.h"
#include "store/IniErrors.h"

#include "support/FaultyFileOps.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include "engine/CodePage.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

namespace {

namespace fs = std::filesystem;

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
    TFileFault fault;
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
                         testing::Values(FaultCase{"ReadOnlyFolder", TFileFault::Open, "Permission denied"},
                                         FaultCase{"DiskFullHalfWay", TFileFault::Write, "No space left"},
                                         FaultCase{"FlushFails", TFileFault::Sync, "Input/output error"},
                                         FaultCase{"CloseFails", TFileFault::Close, "Input/output error"},
                                         FaultCase{"RenameFails", TFileFault::Rename, "cross-device"}),
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

// Makes a file system object of one kind at the path; false when this machine cannot.
struct NodeCase {
    const char* name;
    std::function<bool(const std::string&)> make;

    friend void PrintTo(const NodeCase& c, std::ostream* os) { *os << c.name; }
};

bool MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::strcpy(address.sun_path, path.c_str());
    const bool made = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return made;
}

mode_t KindOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

class NotARegularFile : public testing::TestWithParam<NodeCase> {};

// A link to a device must never turn into a regular file (as root, a link to /dev/null would
// replace /dev/null), and a FIFO must not hold up the start waiting for a writer.
TEST_P(NotARegularFile, IsNeitherReadNorReplacedThroughALink) {
    TTempFolder temp;
    const std::string node = temp.File("node");
    if (!GetParam().make(node)) {
        GTEST_SKIP() << "cannot make a " << GetParam().name << " here";
    }
    const mode_t kind = KindOf(node);
    const std::string link = temp.File("Tintrel.ini");
    fs::create_symlink("node", link);
    for (const std::string& path : {link, node}) {
        TIniFile file(path);
        try {
            file.Read("a", "k");
            ADD_FAILURE() << "read through " << path;
        } catch (const EIniFileError& error) {
            EXPECT_EQ(error.Problem(), TFileProblem::NotRegularFile) << error.what();
        }
        try {
            file.Write("a", "k", "v");
            ADD_FAILURE() << "wrote through " << path;
        } catch (const EIniFileError& error) {
            EXPECT_EQ(error.Problem(), TFileProblem::NotRegularFile) << error.what();
        }
        // The same check guards an exported style file and a saved page.
        EXPECT_THROW(SaveFileSafely(path, "[a]\r\n", *DefaultFileOps()), EIniFileError);
    }
    EXPECT_EQ(KindOf(node), kind);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"Tintrel.ini", "node"}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    testing::Values(NodeCase{"Fifo", [](const std::string& p) { return ::mkfifo(p.c_str(), 0644) == 0; }},
                    NodeCase{"Socket", MakeSocket},
                    NodeCase{"Device",
                             [](const std::string& p) {
                                 return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
                             }},
                    NodeCase{"Folder", [](const std::string& p) { return ::mkdir(p.c_str(), 0755) == 0; }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(IniFile, FileWithoutOwnerWritePermissionIsLeftAloneEvenForRoot) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    TIniFile file(path);
    EXPECT_EQ(file.Read("Option", "Opt1"), "1");
    try {
        file.Write("Option", "Opt1", "0");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.Problem(), TFileProblem::ReadOnly) << error.what();
    }
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(file.Read("Option", "Opt1"), "1");
}

TEST(IniFile, SaveRemovesTemporaryFilesOfKilledSaves) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, kOld);
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_GT(gone, 0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string goneId = std::to_string(gone);
    const std::string running = std::to_string(::getppid());
    const std::vector<std::string> kept{".Other.ini.tmp-" + goneId + "-0",
                                        ".Tintrel.ini.tmp-" + goneId + "-x",
                                        ".Tintrel.ini.tmp-" + running + "-2", "Tintrel.ini"};
    for (const std::string& name : kept) {
        if (name != "Tintrel.ini") {
            WriteBytes(temp.File(name), "left");
        }
    }
    WriteBytes(temp.File(".Tintrel.ini.tmp-" + goneId + "-0"), std::string(1 << 20, 'x'));
    WriteBytes(temp.File(".Tintrel.ini.tmp-" + goneId + "-17"), "x");
    TIniFile file(path);
    file.Write("Option", "Opt1", "0");
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(temp.Path()), expected);
}

// Tintrel.ini as a text editor may save it: 緑 for the section, 青 for the value.
struct EncodingCase {
    const char* name;
    std::string (*encode)(const std::string& utf8);

    friend void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }
};

std::string AsUtf8WithMark(const std::string& utf8) {
    return "\xEF\xBB\xBF" + utf8;
}

std::string AsUtf16LeWithMark(const std::string& utf8) {
    return "\xFF\xFE" + Utf8ToUtf16Le(utf8).value();
}

std::string AsUtf16Be(const std::string& utf8) {
    std::string bytes = Utf8ToUtf16Le(utf8).value();
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        std::swap(bytes[pos], bytes[pos + 1]);
    }
    return bytes;
}

std::string AsUtf16BeWithMark(const std::string& utf8) {
    return "\xFE\xFF" + AsUtf16Be(utf8);
}

std::string AsUtf16LeWithoutMark(const std::string& utf8) {
    return Utf8ToUtf16Le(utf8).value();
}

class MarkedEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(MarkedEncoding, IsReadAndWrittenBackInItsOwnEncoding) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    const std::string green = "\xE7\xB7\x91";
    WriteBytes(path, GetParam().encode("[" + green + "]\r\nk=\xE9\x9D\x92\r\nj=1\r\n"));
    TIniFile file(path);
    EXPECT_EQ(file.Read("\x97\xCE", "k"), "\x90\xC2");
    file.Write("\x97\xCE", "j", "\x90\xD4");
    EXPECT_EQ(ReadBytes(path), GetParam().encode("[" + green + "]\r\nk=\xE9\x9D\x92\r\nj=\xE8\xB5\xA4\r\n"));

    // A character that code page 932 cannot hold is reported, and the file stays as it is.
    const std::string unholdable = GetParam().encode("[a]\r\nk=\xF0\x9F\x98\x80\r\n");
    WriteBytes(path, unholdable);
    TIniFile other(path);
    try {
        other.Write("a", "j", "1");
        ADD_FAILURE() << "a file that cannot be held was written";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.Problem(), TFileProblem::Encoding) << error.what();
    }
    EXPECT_EQ(ReadBytes(path), unholdable);
}

INSTANTIATE_TEST_SUITE_P(Marks, MarkedEncoding,
                         testing::Values(EncodingCase{"Utf8", AsUtf8WithMark},
                                         EncodingCase{"Utf16Le", AsUtf16LeWithMark},
                                         EncodingCase{"Utf16Be", AsUtf16BeWithMark},
                                         EncodingCase{"Utf16LeWithoutMark", AsUtf16LeWithoutMark},
                                         EncodingCase{"Utf16BeWithoutMark", AsUtf16Be}),
                         [](const auto& param) { return std::string(param.param.name); });

// Files that cannot be read in their encoding are never written, and each says its own cause.
TEST(IniFile, UnusableEncodingsAreNamedAndTheFileIsLeftAlone) {
    using namespace std::string_literals;
    const std::string text = "[a]\r\nk=1\r\n";
    std::string utf32le;
    for (const char c : text) {
        utf32le += std::string{c, '\0', '\0', '\0'};
    }
    const struct {
        std::string bytes;
        TEncodingProblem cause;
    } cases[] = {
        {"\xFF\xFE\0\0"s + utf32le, TEncodingProblem::NotWritten},
        {"\0\0\xFE\xFF\0\0\0["s, TEncodingProblem::NotWritten},
        {AsUtf16LeWithMark(text) + "x", TEncodingProblem::Invalid},
        {utf32le, TEncodingProblem::Invalid},
        {AsUtf8WithMark("k=\xC2\xA5\r\n"), TEncodingProblem::NotKeptUnchanged},
        {AsUtf16BeWithMark("k=\xF0\x9F\x98\x80\r\n"), TEncodingProblem::Unholdable},
    };
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        TIniFile file(path);
        try {
            file.Write("a", "j", "2");
            ADD_FAILURE() << "written: " << testing::PrintToString(c.bytes);
        } catch (const EIniFileError& error) {
            EXPECT_EQ(error.Problem(), TFileProblem::Encoding) << error.what();
            EXPECT_EQ(error.EncodingProblem(), c.cause) << error.what();
        }
        EXPECT_EQ(ReadBytes(path), c.bytes);
    }
}

TEST(IniFile, ShiftJisBehindAUtf8MarkIsKeptByteForByte) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, "\xEF\xBB\xBF[\x97\xCE]\r\nk=\x90\xC2\r\n");
    TIniFile file(path);
    EXPECT_EQ(file.Read("\x97\xCE", "k"), "\x90\xC2");
    file.Write("\x97\xCE", "j", "\x90\xD4");
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF[\x97\xCE]\r\nk=\x90\xC2\r\nj=\x90\xD4\r\n");
}

TEST(IniFile, ErrorMessagesAreValidTextAndNameTheCause) {
    TTempFolder temp;
    const std::string looped = temp.File("loop\x82\xA0\x1B.ini");
    fs::create_symlink(looped, looped);
    TIniFile file(looped);
    try {
        file.Read("a", "k");
        ADD_FAILURE() << "a link loop was read";
    } catch (const EIniFileError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("loop\\x82\\xA0\\x1B.ini"), std::string::npos) << message;
        EXPECT_EQ(error.ErrorCode(), ELOOP) << message;
        EXPECT_NE(message.find(std::strerror(ELOOP)), std::string::npos) << message;
    }
}

// Another program rewrote the file in place with a value of the same length: only the time
// tells the versions apart, and the next read sees the new value.
TEST(IniFile, AChangeOfTheSameSizeIsSeen) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    WriteBytes(path, "[a]\r\nk=1\r\n");
    TIniFile file(path);
    EXPECT_EQ(file.Read("a", "k"), "1");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ofstream(path, std::ios::binary | std::ios::in | std::ios::out) << "[a]\r\nk=2\r\n";
    EXPECT_EQ(file.Read("a", "k"), "2");
}

// Bytes that are not code page 932 cannot go into a UTF-8 or UTF-16 file: refused, not saved
// with replacement characters.
TEST(IniFile, TextThatIsNotCp932IsNotConvertedLossily) {
    for (const TFileEncoding encoding :
         {TFileEncoding::Utf8, TFileEncoding::Utf16Le, TFileEncoding::Utf16Be}) {
        std::string problem;
        TEncodingProblem cause = TEncodingProblem::None;
        EXPECT_EQ(EncodeStoredText("k=\x81\r\n", encoding, problem, &cause), "");
        EXPECT_EQ(cause, TEncodingProblem::NotCp932) << problem;
    }
}

// Shift-JIS behind a UTF-8 mark is kept as it is while one byte of it is not UTF-8; a save that
// erased that byte would make the rest read as other characters, and is refused.
TEST(IniFile, MarkedShiftJisThatWouldReadAsUtf8IsNotSaved) {
    TTempFolder temp;
    const std::string path = temp.File("Tintrel.ini");
    const std::string before = "\xEF\xBB\xBF[\xE7\xB7\x91]\r\nk=1\r\n[x]\r\nk=\x82\xA0\r\n";
    WriteBytes(path, before);
    TIniFile file(path);
    const std::string section = file.SectionNames().front();
    EXPECT_EQ(section, "\xE7\xB7\x91");
    try {
        file.EraseSection("x");
        ADD_FAILURE() << "the save went through";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.EncodingProblem(), TEncodingProblem::ReadsAsUtf8) << error.what();
    }
    EXPECT_EQ(ReadBytes(path), before);
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
