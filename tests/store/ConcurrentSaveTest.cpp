#include "store/ClosingSave.h"
#include "store/IniErrors.h"
#include "store/StyleLibrary.h"

#include "support/StoreFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Two copies of the program on one settings file: each has its own store and library.
class TwoCopies : public TStoreFixture {
protected:
    struct TCopy {
        std::unique_ptr<TIniGT> store;
        std::unique_ptr<TStyleLibrary> library;
    };

    TCopy Start(std::shared_ptr<TFileOps> ops = DefaultFileOps()) {
        TIniEnvironment environment;
        environment.ProgramPath = temp_.File("tintrel");
        environment.FileOps = std::move(ops);
        TCopy copy{std::make_unique<TIniGT>(environment), nullptr};
        copy.store->Loaded();
        copy.library = std::make_unique<TStyleLibrary>(*copy.store);
        copy.library->ReadList();
        return copy;
    }

    static void Close(TCopy& copy) {
        SaveClosingState(*copy.store, TOptionSet{}, TStyleRecord{}, *copy.library);
    }

    std::vector<std::string> Listed() {
        TCopy reader = Start();
        return reader.library->Names();
    }

    const std::string kStart =
        "[STYLES]\r\nSTYLE.Count=2\r\nSTYLE.0=old\r\nSTYLE.1=gone\r\n[old]\r\nHead=1\r\n"
        "[gone]\r\nHead=1\r\n";
};

class ClosingOrder : public TwoCopies, public testing::WithParamInterface<bool> {};

TEST_P(ClosingOrder, KeepsTheStylesBothCopiesAddedAndDropsWhatOneDeleted) {
    WriteBytes(IniPath(), kStart);
    TCopy first = Start();
    TCopy second = Start();
    first.library->Add("fromFirst", TStyleRecord{});
    first.library->Delete(*first.library->IndexOf("gone"));
    second.library->Add("fromSecond", TStyleRecord{});
    if (GetParam()) {
        Close(first);
        Close(second);
    } else {
        Close(second);
        Close(first);
    }
    // The copy that did not delete "gone" still lists it when it closes last.
    const std::vector<std::string> expected =
        GetParam() ? std::vector<std::string>{"fromFirst", "fromSecond", "gone", "old"}
                   : std::vector<std::string>{"fromFirst", "fromSecond", "old"};
    EXPECT_EQ(Listed(), expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, ClosingOrder, testing::Bool(), [](const auto& param) {
    return param.param ? "FirstClosesFirst" : "SecondClosesFirst";
});

// Another copy may list the style this one deleted in other letters; it stays deleted.
TEST_F(TwoCopies, ADeletedStyleStaysDeletedWhateverItsLetterCase) {
    for (const char* spelling : {"GONE", "gone", "gOnE"}) {
        WriteBytes(IniPath(),
                   "[STYLES]\r\nSTYLE.Count=2\r\nSTYLE.0=old\r\nSTYLE.1=Gone\r\n[Gone]\r\nHead=1\r\n");
        TCopy first = Start();
        TCopy other = Start();
        other.library->Rename(*other.library->IndexOf("Gone"), spelling);
        Close(other);
        first.library->Delete(*first.library->IndexOf("Gone"));
        Close(first);
        EXPECT_EQ(Listed(), std::vector<std::string>{"old"}) << spelling;
    }
}

// File operations that let another copy save the file while this save flushes its own.
class TRacingFileOps : public TFileOps {
public:
    std::function<void()> Meanwhile;
    int Races = 0;
    int Renames = 0;

    int Sync(int fd) override {
        if (Races-- > 0 && Meanwhile) {
            Meanwhile();
        }
        return TFileOps::Sync(fd);
    }
    int Rename(const std::string& from, const std::string& to) override {
        ++Renames;
        return TFileOps::Rename(from, to);
    }
};

// A program that writes the file without taking the lock.
class TUnlockedFileOps : public TFileOps {
public:
    int LockExclusive(const std::string&) override { return -1; }
};

TEST_F(TwoCopies, SaveThatAnotherCopyOvertakesIsMadeAgainOverItsFile) {
    WriteBytes(IniPath(), kStart);
    auto ops = std::make_shared<TRacingFileOps>();
    TCopy mine = Start(ops);
    mine.library->Add("mine", TStyleRecord{});
    TCopy other = Start(std::make_shared<TUnlockedFileOps>());
    int otherSaves = 0;
    ops->Meanwhile = [&] {
        other.library->Add("theirs" + std::to_string(++otherSaves), TStyleRecord{});
        Close(other);
    };

    ops->Races = 1;
    Close(mine);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"gone", "mine", "old", "theirs1"}));

    // Overtaken twice, the close gives up and says so; the other copy's file stays whole.
    mine.library->Add("mine2", TStyleRecord{});
    ops->Races = 2;
    ops->Renames = 0;
    try {
        Close(mine);
        ADD_FAILURE() << "the close did not report the race";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.Problem(), TFileProblem::ChangedMeanwhile) << error.what();
    }
    EXPECT_EQ(ops->Renames, 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"gone", "mine", "old", "theirs1", "theirs2", "theirs3"}));
}

// File operations whose rename waits: another process is let go first, and given the time to
// save in the gap between the stamp check and the rename.
class TSlowRenameFileOps : public TFileOps {
public:
    int Go = -1;
    int Rename(const std::string& from, const std::string& to) override {
        if (Go >= 0) {
            EXPECT_EQ(::write(Go, "g", 1), 1);
            ::close(std::exchange(Go, -1));
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        return TFileOps::Rename(from, to);
    }
};

// Another copy of the program, in a process of its own, that adds a style while this copy's
// save waits to rename: it waits for the lock, so its style is added to the saved file.
TEST_F(TwoCopies, ACopyThatSavesDuringAnotherCopysSaveWaitsForIt) {
    WriteBytes(IniPath(), kStart);
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(go[1]);
        char c = 0;
        const bool started = ::read(go[0], &c, 1) == 1;
        TCopy other = Start();
        other.library->Add("theirs", TStyleRecord{});
        Close(other);
        ::_exit(started ? 0 : 1);
    }
    ::close(go[0]);
    auto ops = std::make_shared<TSlowRenameFileOps>();
    TCopy mine = Start(ops);
    mine.library->Add("mine", TStyleRecord{});
    ops->Go = go[1];
    Close(mine);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"gone", "mine", "old", "theirs"}));
}

} // namespace
