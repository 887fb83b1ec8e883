#include "store/IniDocument.h"
#include "store/IniErrors.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

// ゾ ends in the byte "]", ソ and 表 in "\", ィ and ッ differ only in the case bit of their
// second byte.
const std::string kZo = "\x83\x5D";
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";
const std::string kSmallI = "\x83\x42";
const std::string kSmallTsu = "\x83\x62";
const std::string kFullWidthSpace = "\x81\x40";
// 黑 starts with the last lead byte; ◯ ends in the last trail byte.
const std::string kLeadEdgeFC = "\xFC\x4B";
const std::string kTrailEdgeFC = "\x81\xFC";

// Enough key lines that a section is looked up through its key index.
std::string Filler(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "f" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    return text;
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;

    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class WindowsFileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(WindowsFileRead, FindsTheValueTheWindowsFunctionsWouldFind) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(TIniDocument(c.file).Find(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WindowsFileRead,
    testing::Values(
        ReadCase{"CrLfLines", "[Option]\r\nOpt1=1\r\nOpt3=0\r\n", "Option", "Opt3", "0"},
        ReadCase{"LfLines", "[Option]\nOpt1=1\nOpt3=0\n", "Option", "Opt3", "0"},
        ReadCase{"CrLines", "[Option]\rOpt1=1\rOpt3=0", "Option", "Opt3", "0"},
        ReadCase{"LastLineWithoutEnd", "[a]\r\nk=v", "a", "k", "v"},
        ReadCase{"ByteOrderMarkIsNotPartOfTheHeader", "\xEF\xBB\xBF[a]\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"SectionCaseIgnored", "[Option]\r\nOpt1=1\r\n", "OPTION", "opt1", "1"},
        ReadCase{"BlanksAroundEverythingTrimmed", " \t[ a ] \r\n  key \t=\x0B value \x0C\r\n", "a", "key",
                 "value"},
        ReadCase{"FullWidthSpaceIsNoBlank", "[a]\r\nk=" + kFullWidthSpace + "x" + kFullWidthSpace + "\r\n",
                 "a", "k", kFullWidthSpace + "x" + kFullWidthSpace},
        ReadCase{"FirstEqualsSplits", "[a]\r\na=b=c\r\n", "a", "a", "b=c"},
        ReadCase{"QuotesAreKept", "[a]\r\nk=\"x\"\r\n", "a", "k", "\"x\""},
        ReadCase{"EmptyValue", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadCase{"CommentIsNoKey", "[a]\r\n;k=1\r\n", "a", ";k", std::nullopt},
        ReadCase{"LineWithoutEqualsIsNoKey", "[a]\r\nk\r\n", "a", "k", std::nullopt},
        ReadCase{"FirstDuplicateSectionWins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "j", std::nullopt},
        ReadCase{"FirstDuplicateKeyWins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
        ReadCase{"FirstDuplicateKeyWinsInALargeSection", "[a]\r\n" + Filler(40) + "k=1\r\nK=2\r\n", "a", "k",
                 "1"},
        ReadCase{"BareKeyLineHidesLaterLinesOfItsKey", "[a]\r\nk\r\nk=1\r\n", "a", "k", std::nullopt},
        ReadCase{"BareKeyLineHidesLaterLinesInALargeSection", "[a]\r\n" + Filler(40) + "k\r\nk=1\r\n", "a",
                 "k", std::nullopt},
        // The second byte of a character is never case-folded, at both edges of the lead ranges.
        ReadCase{"LeadByte9FKeepsItsSecondByte", "[a]\r\n\x9F\x41=1\r\n", "a", "\x9F\x61", std::nullopt},
        ReadCase{"LeadByteE0KeepsItsSecondByte", "[a]\r\n\xE0\x41=1\r\n", "a", "\xE0\x61", std::nullopt},
        ReadCase{"LeadByteFCKeepsItsSecondByte", "[a]\r\n" + kLeadEdgeFC + "=1\r\n", "a", "\xFC\x6B",
                 std::nullopt},
        ReadCase{"TrailByteEdgeInNames", "[" + kTrailEdgeFC + "]\r\n" + kTrailEdgeFC + "a=1\r\n",
                 kTrailEdgeFC, kTrailEdgeFC + "A", "1"},
        ReadCase{"KeysBeforeAnySectionBelongToNone", "k=1\r\n[a]\r\n", "", "k", std::nullopt},
        ReadCase{"SectionNameRunsToTheLastBracket", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
        ReadCase{"HeaderWithoutBracketIsNoHeader", "[a]\r\n[b\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"SecondByteBracketInSectionName", "[" + kZo + "]\r\nk=1\r\n", kZo, "k", "1"},
        ReadCase{"SecondByteBracketIsNotTheClosingOne", "[a]" + kZo + "\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"SecondByteBackslashInNames", "[" + kSo + "]\r\n" + kHyo + "=" + kSo + "\r\n", kSo, kHyo,
                 kSo},
        ReadCase{"SecondBytesAreNotCaseFolded", "[a]\r\n" + kSmallI + "=1\r\n", "a", kSmallTsu, std::nullopt},
        ReadCase{"LoneLeadByteBeforeEquals", "[a]\r\nk\x81=1\r\nj=2\r\n", "a", "k\x81", "1"},
        ReadCase{"LoneLeadByteBeforeBracketDamagesOnlyItsHeader", "[a]\r\nk=1\r\n[b\x81]\r\nk=2\r\n", "a",
                 "k", "1"},
        ReadCase{"LoneLeadByteAtTheEnd", "[a]\r\nk=\x81", "a", "k", "\x81"},
        ReadCase{"NulBytesAreOrdinaryBytes", "[a]\r\nk=x\0y\r\n"s, "a", "k", "x\0y"s}),
    [](const auto& param) { return std::string(param.param.name); });

struct WriteCase {
    const char* name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;

    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class WindowsFileRewrite : public testing::TestWithParam<WriteCase> {};

TEST_P(WindowsFileRewrite, ChangesOnlyWhatTheWriteConcerns) {
    const WriteCase& c = GetParam();
    TIniDocument document(c.before);
    document.Write(c.section, c.key, c.value);
    EXPECT_EQ(document.Serialize(), c.after);
    EXPECT_EQ(TIniDocument(document.Serialize()).Find(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WindowsFileRewrite,
    testing::Values(
        WriteCase{"NewFile", "", "Option", "Opt1", "1", "[Option]\r\nOpt1=1\r\n"},
        WriteCase{"ExistingKeyChangedWhereItStands", "[a]\r\nx=1\r\nk=old\r\ny=2\r\n", "A", "K", "new",
                  "[a]\r\nx=1\r\nk=new\r\ny=2\r\n"},
        WriteCase{"NewKeyAtTheEndOfItsSection", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"NewSectionAtTheEndOfTheFile", "[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"LfFileRewrittenWithCrLfCommentsKept", "; note\n[a]\nfree text\nx=1\n", "a", "x", "2",
                  "; note\r\n[a]\r\nfree text\r\nx=2\r\n"},
        WriteCase{"DuplicateKeyOnlyFirstChanged", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "k", "3",
                  "[a]\r\nk=3\r\n[A]\r\nk=2\r\n"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[a]\nk=1\n", "a", "k", "2", "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        WriteCase{"BareKeyLineTakesTheValueInPlace", "[a]\r\nk\r\nj=1\r\n", "a", "K", "2",
                  "[a]\r\nk=2\r\nj=1\r\n"},
        WriteCase{"BareKeyLineInALargeSectionTakesTheValueInPlace", "[a]\r\nk\r\n" + Filler(40) + "k=1\r\n",
                  "a", "k", "2", "[a]\r\nk=2\r\n" + Filler(40) + "k=1\r\n"},
        WriteCase{"ShiftJisNamesKeptByteForByte", "[" + kZo + "]\r\n" + kSo + "=1\r\n", kZo, kSo, kHyo,
                  "[" + kZo + "]\r\n" + kSo + "=" + kHyo + "\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

struct RefusalCase {
    const char* name;
    std::string section;
    std::string key;
    std::string value;

    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class UnwritableNames : public testing::TestWithParam<RefusalCase> {};

TEST_P(UnwritableNames, AreRefusedAndNothingIsWritten) {
    const RefusalCase& c = GetParam();
    TIniDocument document("[a]\r\nk=1\r\n");
    EXPECT_THROW(document.Write(c.section, c.key, c.value), EIniRefusedError);
    EXPECT_EQ(document.Serialize(), "[a]\r\nk=1\r\n");
}

INSTANTIATE_TEST_SUITE_P(Writes, UnwritableNames,
                         testing::Values(RefusalCase{"LfInValue", "a", "k", "x\ny"},
                                         RefusalCase{"CrInValue", "a", "k", "x\r[b]"},
                                         RefusalCase{"LfInKey", "a", "k\nj", "v"},
                                         RefusalCase{"KeyStartingWithBracket", "a", "[b]", "v"},
                                         RefusalCase{"KeyStartingWithSemicolon", "a", ";k", "v"},
                                         RefusalCase{"KeyHoldingEquals", "a", "k=j", "v"},
                                         RefusalCase{"EmptyKey", "a", " ", "v"},
                                         RefusalCase{"CrInSection", "a\rb", "k", "v"},
                                         RefusalCase{"BracketInSection", "a]b", "k", "v"},
                                         RefusalCase{"SectionEndingInLoneLeadByte", "a\x81", "k", "v"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(IniDocument, KeepsSecondByteBracketsInNamesThatItAccepts) {
    TIniDocument document;
    document.Write(kZo, "k", "1");
    EXPECT_EQ(TIniDocument(document.Serialize()).Find(kZo, "k"), "1");
}

TEST(IniDocument, ErasesEveryCopyOfASectionAndNothingElse) {
    TIniDocument document("; top\r\n[a]\r\nk=1\r\n[b]\r\nk=2\r\n[A]\r\nk=3\r\n");
    EXPECT_TRUE(document.EraseSection("a"));
    EXPECT_EQ(document.Serialize(), "; top\r\n[b]\r\nk=2\r\n");
    EXPECT_FALSE(document.EraseSection("a"));
}

TEST(IniDocument, SectionWrittenAfterEraseListsKeysInWritingOrderAtTheEnd) {
    TIniDocument document("[Option]\r\nOpt9=1\r\nOpt1=0\r\n[STYLES]\r\nSTYLE.Count=0\r\n");
    document.EraseSection("Option");
    document.Write("Option", "Opt1", "1");
    document.Write("Option", "Opt9", "1");
    EXPECT_EQ(document.Serialize(), "[STYLES]\r\nSTYLE.Count=0\r\n[Option]\r\nOpt1=1\r\nOpt9=1\r\n");
    const std::vector<std::pair<std::string, std::string>> expected{{"Opt1", "1"}, {"Opt9", "1"}};
    EXPECT_EQ(document.SectionValues("OPTION"), expected);
}

TEST(IniDocument, SectionValuesNameEachKeyOnceWithItsFirstValue) {
    TIniDocument document("[a]\r\n;c\r\nk=1\r\nfree\r\nK=2\r\nj=3\r\n");
    const std::vector<std::pair<std::string, std::string>> expected{{"k", "1"}, {"j", "3"}};
    EXPECT_EQ(document.SectionValues("a"), expected);
}

TEST(IniDocument, LargeSectionFindsEveryKeyAndNewOnes) {
    TIniDocument document;
    for (int i = 0; i < 500; ++i) {
        document.Write("list", "Item." + std::to_string(i), std::to_string(i * 7));
    }
    document.Write("after", "k", "v");
    document.Write("list", "ITEM.499", "changed");
    document.Write("list", "Item.500", "new");
    EXPECT_EQ(document.Find("LIST", "item.0"), "0");
    EXPECT_EQ(document.Find("list", "Item.499"), "changed");
    EXPECT_EQ(document.Find("list", "Item.500"), "new");
    EXPECT_EQ(document.Find("after", "k"), "v");
    const TIniDocument reread(document.Serialize());
    EXPECT_EQ(reread.Find("list", "Item.250"), "1750");
}

TEST(IniDocument, DamagedBytesAffectOnlyTheirOwnLine) {
    std::string file = "[a]\r\nk=1\r\n";
    for (int c = 0; c < 256; ++c) {
        file += std::string(1, static_cast<char>(c)) + "x\x81=\x81]\x81\x00\xFF\r\n"s;
    }
    file += "last=2\r\n[b]\r\nk=3\r\n";
    const TIniDocument document(file);
    EXPECT_EQ(document.Find("a", "k"), "1");
    EXPECT_EQ(document.Find("a", "last"), "2");
    EXPECT_EQ(document.Find("b", "k"), "3");
    EXPECT_EQ(TIniDocument(document.Serialize()).Serialize(), document.Serialize());
}

TEST(IniDocument, ReadsLongLinesAndLargeFiles) {
    const std::string longValue(1 << 20, 'v');
    std::string file = "[a]\r\nlong=" + longValue + "\r\n";
    const std::string line = "[s]\r\n" + std::string(1000, '\x82') + "=value\r\n";
    while (file.size() < 50u * 1024 * 1024) {
        file += line;
    }
    file += "[z]\r\nk=end\r\n";
    const TIniDocument document(std::move(file));
    EXPECT_EQ(document.Find("a", "long"), longValue);
    EXPECT_EQ(document.Find("z", "k"), "end");
}

} // namespace
