#include "store/StyleLibrary.h"
#include "engine/CodePage.h"
#include "store/IniErrors.h"

#include "support/FaultyFileOps.h"
#include "support/StoreFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kZo = "\x83\x5D"; // ends in the byte "]"
const std::string kFace = std::string(kDefaultFaceName);

const std::string kDefaultStyleFile =
    "[blue]\r\n"
    "DrawFont.Name=" +
    kFace +
    "\r\n"
    "DrawFont.Size=9\r\nDrawFont.Style=0\r\nDrawFont.Color=0x80000008\r\n"
    "SizeIndex=0\r\nHead=0\r\n"
    "StartColor=0x000000FF\r\nFinishColor=0x0000FFFF\r\nMiddleColor=0x00FFFFFF\r\n"
    "BGColor=0x8000000F\r\nMirror=0\r\nTrico=0\r\n";

class StyleLibraryFixture : public TStoreFixture {
protected:
    TStyleLibrary& Library(const std::string& content = {}) {
        library_ = std::make_unique<TStyleLibrary>(Store(content));
        library_->ReadList();
        return *library_;
    }

    std::unique_ptr<TStyleLibrary> library_;
};

TEST_F(StyleLibraryFixture, ListIsReadSortedAndWrittenSorted) {
    TStyleLibrary& library = Library("[STYLES]\r\nSTYLE.Count=4\r\nSTYLE.0=b\r\nSTYLE.1=" + kZo +
                                     "\r\nSTYLE.2=C\r\nSTYLE.3=a\r\n");
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"a", "b", "C", kZo}));
    library.Add("B2", TStyleRecord{});
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"a", "b", "B2", "C", kZo}));
    library.WriteList();
    std::vector<std::string> stored;
    store_->ReadStrings("STYLES", "STYLE", stored);
    EXPECT_EQ(stored, library.Names());
}

TEST_F(StyleLibraryFixture, ListThatWasNeverReadIsNeverWritten) {
    TIniGT& store = Store("[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=keep\r\n");
    TStyleLibrary library(store);
    EXPECT_FALSE(library.WriteList());
    EXPECT_EQ(Saved(), "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=keep\r\n");
}

TEST_F(StyleLibraryFixture, AddWithAnotherLetterCaseOverwritesTheListedStyle) {
    TStyleLibrary& library = Library("[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=Blue\r\n[Blue]\r\nHead=0\r\n");
    TStyleRecord style;
    style.Head = true;
    EXPECT_EQ(library.Add("BLUE", style), 0u);
    EXPECT_EQ(library.Names(), std::vector<std::string>{"Blue"});
    TStyleRecord loaded;
    library.Load(0, loaded);
    EXPECT_TRUE(loaded.Head);
    EXPECT_EQ(store_->ReadString("STYLES", "STYLE.0", ""), "Blue");
}

TEST_F(StyleLibraryFixture, SecondBytesDoNotMakeNamesEqual) {
    TStyleLibrary& library = Library();
    library.Add("\x83\x42", TStyleRecord{}); // ィ
    library.Add("\x83\x62", TStyleRecord{}); // ッ, the same bytes but for the case bit
    EXPECT_EQ(library.Names().size(), 2u);
}

TEST_F(StyleLibraryFixture, DeleteErasesTheSectionAndLeavesTheOthers) {
    TStyleLibrary& library = Library();
    library.Add("a", TStyleRecord{});
    library.Add("b", TStyleRecord{});
    library.Delete(0);
    EXPECT_EQ(library.Names(), std::vector<std::string>{"b"});
    EXPECT_FALSE(store_->SectionExists("a"));
    EXPECT_TRUE(store_->SectionExists("b"));
}

TEST_F(StyleLibraryFixture, DeletingOneOfTwoEqualEntriesKeepsTheSharedStyle) {
    TStyleLibrary& library = Library(
        "[STYLES]\r\nSTYLE.Count=2\r\nSTYLE.0=red\r\nSTYLE.1=Red\r\n[red]\r\nStartColor=0x00000001\r\n");
    library.Delete(1);
    ASSERT_EQ(library.Names().size(), 1u);
    TStyleRecord style;
    library.Load(0, style);
    EXPECT_EQ(style.StartColor, 1u);
}

// Rename moves the style's keys to the new name, keeps the list sorted and the other styles as
// they were, and refuses a name another style has with nothing written.
TEST_F(StyleLibraryFixture, RenameMovesTheStyleAndKeepsTheListSorted) {
    struct TRenameCase {
        std::size_t index;
        std::string name;
        std::vector<std::string> names; // empty: refused
        std::size_t renamed;
    };
    const std::string before = "[STYLES]\r\nSTYLE.Count=3\r\nSTYLE.0=blue\r\nSTYLE.1=green\r\nSTYLE.2=red\r\n"
                               "[blue]\r\nStartColor=0x00FF0000\r\n[green]\r\nStartColor=0x0000FF00\r\n"
                               "[red]\r\nStartColor=0x000000FF\r\nHead=1\r\n";
    const std::vector<TRenameCase> cases{
        {2, "amber", {"amber", "blue", "green"}, 0},
        {0, "yellow", {"green", "red", "yellow"}, 2},
        {2, "Red", {"blue", "green", "Red"}, 2},
        {2, "GREEN", {}, 0},
        {0, "green", {}, 0},
    };
    for (const TRenameCase& c : cases) {
        TStyleLibrary& library = Library(before);
        TStyleRecord old;
        library.Load(c.index, old);
        if (c.names.empty()) {
            EXPECT_THROW(library.Rename(c.index, c.name), EStyleNameError) << c.name;
            EXPECT_EQ(Saved(), before);
            continue;
        }
        EXPECT_EQ(library.Rename(c.index, c.name), c.renamed) << c.name;
        EXPECT_EQ(library.Names(), c.names);
        TStyleRecord renamed;
        library.Load(c.renamed, renamed);
        EXPECT_EQ(renamed.StartColor, old.StartColor) << c.name;
        EXPECT_EQ(renamed.Head, old.Head) << c.name;
        library.WriteList();
        // A fresh read of the file sees the same list, the old name gone.
        TStyleLibrary reread(*store_);
        reread.ReadList();
        EXPECT_EQ(reread.Names(), c.names);
    }
}

struct NameCase {
    const char* name;
    std::string styleName;

    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedStyleName : public StyleLibraryFixture, public testing::WithParamInterface<NameCase> {};

TEST_P(RefusedStyleName, IsRefusedByAddAndImportWithNothingWritten) {
    const std::string before = "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=x\r\n[Option]\r\nOpt1=1\r\n";
    TStyleLibrary& library = Library(before);
    EXPECT_THROW(library.Add(GetParam().styleName, TStyleRecord{}), EStyleNameError);
    const std::string file = temp_.File("in.tsy");
    // Without a closing bracket the name runs to the end of the line, blanks included.
    WriteBytes(file, "[" + GetParam().styleName + "\r\nHead=1\r\nSTYLE.Count=0\r\n");
    EXPECT_THROW(library.Import(file), EStyleNameError);
    EXPECT_THROW(library.Rename(0, GetParam().styleName), EStyleNameError);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(library.Names(), std::vector<std::string>{"x"});
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedStyleName,
                         testing::Values(NameCase{"Option", "Option"}, NameCase{"OptionLower", "option"},
                                         NameCase{"Prev", "@@prev@@"}, NameCase{"Styles", "Styles"},
                                         NameCase{"Save", "SAVE"}, NameCase{"Tab", "a\tb"},
                                         NameCase{"Delete", "a\x7F"}, NameCase{"LeadingBlank", " a"},
                                         NameCase{"TrailingBlank", "a "},
                                         NameCase{"LoneLeadByteAtTheEnd", "a\x81"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(StyleLibraryFixture, BracketInANameIsRefusedBeforeTheFileIsCut) {
    TStyleLibrary& library = Library();
    EXPECT_THROW(library.Add("a]b", TStyleRecord{}), EStyleNameError);
    EXPECT_FALSE(StyleNameProblem(kZo + "x"));
    EXPECT_FALSE(StyleNameProblem(""));
}

TEST_F(StyleLibraryFixture, ExportWritesTheSectionAsAStyleFile) {
    TStyleLibrary& library = Library();
    const std::size_t index = library.Add("blue", TStyleRecord{});
    const std::string file = temp_.File("blue.tsy");
    WriteBytes(file, "old content that is longer than the new one ........................................."
                     "...................................................................................."
                     "....................................................................................");
    library.Export(index, file, *ops_);
    EXPECT_EQ(ReadBytes(file), kDefaultStyleFile);
}

struct FileNameCase {
    const char* given;
    const char* expected;

    friend void PrintTo(const FileNameCase& c, std::ostream* os) { *os << c.given; }
};

class StyleFileNames : public testing::TestWithParam<FileNameCase> {};

TEST_P(StyleFileNames, GetTheStyleFileExtension) {
    EXPECT_EQ(StyleFileName(GetParam().given), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, StyleFileNames,
                         testing::Values(FileNameCase{"blue", "blue.tsy"}, FileNameCase{"my.style", "my.tsy"},
                                         FileNameCase{"a.b.c", "a.b.tsy"}, FileNameCase{"", ".tsy"},
                                         FileNameCase{"a/b.c", "a_b.tsy"}));

TEST(StyleFilePath, GetsTheExtensionOnItsLastPartOnly) {
    EXPECT_EQ(WithStyleFileExtension("/home/u/page.html"), "/home/u/page.tsy");
    EXPECT_EQ(WithStyleFileExtension("/home/u.v/page"), "/home/u.v/page.tsy");
    EXPECT_EQ(WithStyleFileExtension("/home/u/blue.tsy"), "/home/u/blue.tsy");
}

struct ImportCase {
    const char* name;
    std::string file;
    std::string styleName; // "-" when the file is ignored

    friend void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }
};

class StyleImport : public StyleLibraryFixture, public testing::WithParamInterface<ImportCase> {};

TEST_P(StyleImport, TakesTheNameFromTheFirstLine) {
    TStyleLibrary& library = Library();
    const std::string file = temp_.File("in.tsy");
    WriteBytes(file, GetParam().file);
    if (GetParam().styleName == "!") {
        EXPECT_THROW(library.Import(file), EStyleFileError);
        EXPECT_TRUE(library.Names().empty());
        EXPECT_FALSE(std::filesystem::exists(IniPath()));
        return;
    }
    const auto index = library.Import(file);
    if (GetParam().styleName == "-") {
        EXPECT_FALSE(index);
        EXPECT_TRUE(library.Names().empty());
        EXPECT_FALSE(std::filesystem::exists(IniPath()));
        return;
    }
    ASSERT_TRUE(index);
    EXPECT_EQ(library.Names().at(*index), GetParam().styleName);
    EXPECT_TRUE(store_->ReadBool(GetParam().styleName, "Head", false));
}

INSTANTIATE_TEST_SUITE_P(
    Files, StyleImport,
    testing::Values(
        ImportCase{"Plain", "[blue]\r\nHead=1\r\n", "blue"}, ImportCase{"LfLines", "[blue]\nHead=1", "blue"},
        ImportCase{"SecondByteBracketInTheName", "[" + kZo + "]\r\nHead=1\r\n", kZo},
        ImportCase{"TextAroundTheBrackets", "x[blue]y\r\nHead=1\r\n", "blue"},
        ImportCase{"NoClosingBracket", "[blue\r\nHead=1\r\n", "blue"},
        ImportCase{"NoBracketAtAllIsNoStyleFile", "blue\r\nHead=1\r\n", "!"},
        ImportCase{"BlankLinesBeforeTheHeader", "\r\n  \r\n[blue]\r\nHead=1\r\n", "blue"},
        ImportCase{"Utf16LeWithMark", "\xFF\xFE" + Utf8ToUtf16Le("[blue]\r\nHead=1\r\n").value(), "blue"},
        ImportCase{"ByteOrderMark", "\xEF\xBB\xBF[blue]\r\nHead=1\r\n", "blue"},
        ImportCase{"Utf8MarkBeforeShiftJis", "\xEF\xBB\xBF[\x97\xCE]\r\nHead=1\r\n", "\x97\xCE"},
        ImportCase{"BlankLinesAndCommentsSkipped", "[blue]\r\n\r\n;note\r\n=x\r\nHead=1\r\n", "blue"},
        ImportCase{"MegabyteOfLeadBytes", "[blue]\r\n" + std::string(1 << 20, '\x81') + "\r\nHead=1\r\n",
                   "blue"},
        ImportCase{"OnlyAHeader", "[blue]\r\n", "-"}, ImportCase{"Empty", "", "-"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(StyleLibraryFixture, ImportOfAListedNameMergesIntoItAndSelectsIt) {
    TStyleLibrary& library = Library();
    TStyleRecord stored;
    stored.StartColor = 0x00000001;
    stored.Mirror = true;
    library.Add("a", TStyleRecord{});
    library.Add("Blue", stored);
    const std::string file = temp_.File("in.tsy");
    WriteBytes(file, "[BLUE]\r\nHead=1\r\nMirror=0\r\n");
    EXPECT_EQ(library.Import(file), 1u);
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"a", "Blue"}));
    TStyleRecord loaded;
    library.Load(1, loaded);
    EXPECT_TRUE(loaded.Head);
    EXPECT_FALSE(loaded.Mirror);
    EXPECT_EQ(loaded.StartColor, 1u);
}

struct NotAStyleFileCase {
    const char* name;
    std::string file;
    EStyleFileError::TReason reason;

    friend void PrintTo(const NotAStyleFileCase& c, std::ostream* os) { *os << c.name; }
};

class NotAStyleFile : public StyleLibraryFixture, public testing::WithParamInterface<NotAStyleFileCase> {};

TEST_P(NotAStyleFile, IsRefusedWithNothingWritten) {
    const std::string before = "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=a\r\n[a]\r\nHead=1\r\n";
    TStyleLibrary& library = Library(before);
    const std::string file = temp_.File("in.tsy");
    WriteBytes(file, GetParam().file);
    try {
        library.Import(file);
        ADD_FAILURE() << "imported";
    } catch (const EStyleFileError& error) {
        EXPECT_EQ(error.Reason(), GetParam().reason) << error.what();
    }
    EXPECT_EQ(library.Names(), std::vector<std::string>{"a"});
    EXPECT_EQ(Saved(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NotAStyleFile,
    testing::Values(NotAStyleFileCase{"HtmlPage",
                                      "<!DOCTYPE html>\r\n<html>\r\n<body>a=b</body>\r\n</html>\r\n",
                                      EStyleFileError::TReason::NoSectionHeader},
                    NotAStyleFileCase{"BlankName", "[  ]\r\nHead=1\r\n", EStyleFileError::TReason::BlankName},
                    NotAStyleFileCase{"EmptyName", "[]\r\nHead=1\r\n", EStyleFileError::TReason::BlankName},
                    NotAStyleFileCase{"NoKeyOfAStyle", "[page]\r\n<html>\r\n<a href=x>\r\nColor=1\r\n",
                                      EStyleFileError::TReason::NoStyleKeys},
                    NotAStyleFileCase{"ControlCharactersInTheFaceName",
                                      "[s]\r\nDrawFont.Name=A\x1b]52;c;SGVsbG8=\x07"
                                      "B\x1b[2J\r\nHead=1\r\n",
                                      EStyleFileError::TReason::ControlInName}),
    [](const auto& param) { return std::string(param.param.name); });

struct DamagedListCase {
    const char* name;
    std::string styles; // the lines of [STYLES]
    std::vector<std::string> listed;
    bool repaired;

    friend void PrintTo(const DamagedListCase& c, std::ostream* os) { *os << c.name; }
};

class StyleListCount : public StyleLibraryFixture, public testing::WithParamInterface<DamagedListCase> {};

TEST_P(StyleListCount, ThatDoesNotMatchIsRepairedOnceAndWrittenBack) {
    TStyleLibrary& library = Library("[STYLES]\r\n" + GetParam().styles);
    EXPECT_EQ(library.Names(), GetParam().listed);
    EXPECT_EQ(library.ListRepaired(), GetParam().repaired);

    // What was repaired, with what was added, is what the next start lists.
    library.Add("zz", TStyleRecord{});
    library.WriteList();
    std::vector<std::string> expected = GetParam().listed;
    expected.push_back("zz");
    TStyleLibrary next(*store_);
    next.ReadList();
    EXPECT_EQ(next.Names(), expected);
    EXPECT_FALSE(next.ListRepaired());
}

const std::string kThreeStyles = "STYLE.0=c\r\nSTYLE.1=a\r\nSTYLE.2=b\r\n";

INSTANTIATE_TEST_SUITE_P(
    Counts, StyleListCount,
    testing::Values(
        DamagedListCase{"NotANumber", "STYLE.Count=abc\r\n" + kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"Empty", "STYLE.Count=\r\n" + kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"Negative", "STYLE.Count=-1\r\n" + kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"Huge", "STYLE.Count=99999999999\r\n" + kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"BeyondTheEntries", "STYLE.Count=1000\r\n" + kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"Missing", kThreeStyles, {"a", "b", "c"}, true},
        DamagedListCase{"StopsAtTheFirstGapAndSkipsBlankNames",
                        "STYLE.Count=x\r\nSTYLE.0=b\r\nSTYLE.1=\r\nSTYLE.2=a\r\nSTYLE.4=lost\r\n",
                        {"a", "b"},
                        true},
        // A count that matches is read as it always was: entries beyond it are left over from
        // a longer list.
        DamagedListCase{"MatchingWithLeftovers", "STYLE.Count=2\r\n" + kThreeStyles, {"a", "c"}, false},
        DamagedListCase{"Zero", "STYLE.Count=0\r\n" + kThreeStyles, {}, false},
        DamagedListCase{"NothingStored", "", {}, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(StyleLibraryFixture, LastOfSeveralEqualNamesCounts) {
    TStyleLibrary& library =
        Library("[STYLES]\r\nSTYLE.Count=3\r\nSTYLE.0=Blue\r\nSTYLE.1=c\r\nSTYLE.2=BLUE\r\n");
    ASSERT_EQ(library.Names(), (std::vector<std::string>{"BLUE", "Blue", "c"}));
    EXPECT_EQ(library.IndexOf("blue"), 1u);
    EXPECT_EQ(library.Add("bLUE", TStyleRecord{}), 1u);
}

TEST_F(StyleLibraryFixture, ExportedStyleImportsBackUnchanged) {
    TStyleLibrary& library = Library();
    TStyleRecord style;
    style.DrawFont = {kZo, 11, fsBold, 0x00000080};
    style.Trico = true;
    const std::string file = temp_.File("s.tsy");
    library.Export(library.Add(kZo + "s", style), file, *ops_);
    library.Delete(0);
    const auto index = library.Import(file);
    ASSERT_TRUE(index);
    TStyleRecord loaded;
    EXPECT_TRUE(library.Load(*index, loaded).empty());
    EXPECT_EQ(loaded, style);
}

TEST_F(StyleLibraryFixture, MissingStyleFileIsAFileError) {
    TStyleLibrary& library = Library();
    EXPECT_THROW(library.Import(temp_.File("absent.tsy")), EIniFileError);
}

TEST_F(StyleLibraryFixture, ExportToAnUnwritablePlaceIsAFileError) {
    TStyleLibrary& library = Library();
    library.Add("a", TStyleRecord{});
    std::filesystem::create_directory(temp_.File("dir.tsy"));
    EXPECT_THROW(library.Export(0, temp_.File("dir.tsy"), *ops_), EIniFileError);
    EXPECT_THROW(library.Export(0, temp_.File("no/such/folder/a.tsy"), *ops_), EIniFileError);
}

TEST_F(StyleLibraryFixture, ExportWritesThroughTheFileOperationsItIsGiven) {
    // A save that fails at any step leaves the style file that was there.
    TStyleLibrary& library = Library();
    library.Add("a", TStyleRecord{});
    const std::string file = temp_.File("a.tsy");
    WriteBytes(file, "before");
    for (const TFileFault fault : {TFileFault::Open, TFileFault::Write, TFileFault::Rename}) {
        TFaultyFileOps ops;
        ops.Fault = fault;
        EXPECT_THROW(library.Export(0, file, ops), EIniFileError);
        EXPECT_EQ(ReadBytes(file), "before");
    }
    TFaultyFileOps ops;
    library.Export(0, file, ops);
    EXPECT_EQ(ops.Renames, 1);
    EXPECT_EQ(ReadBytes(file).substr(0, 5), "[a]\r\n");
}

} // namespace
