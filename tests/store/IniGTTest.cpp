#include "store/IniGT.h"
#include "store/IniErrors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// A folder that new files cannot be made in, as an installed program's folder; the tests run
// as root, which the file permissions would not stop.
class TReadOnlyProgramFolder : public TFileOps {
public:
    explicit TReadOnlyProgramFolder(std::string folder) : folder_(std::move(folder)) {}
    bool IsFolderWritable(const std::string& folder) override {
        return folder != folder_ && TFileOps::IsFolderWritable(folder);
    }

private:
    std::string folder_;
};

class IniGTFixture : public testing::Test {
protected:
    IniGTFixture() {
        std::filesystem::create_directories(Bin());
        environment_.ProgramPath = Bin() + "tintrel";
        environment_.ConfigHome = temp_.File("config");
    }

    std::string Bin() const { return temp_.File("bin/"); }
    std::string IniPath() const { return Bin() + "Tintrel.ini"; }

    // A store on the program's default file, holding `content` when given.
    std::unique_ptr<TIniGT> Store(const std::string& content = {}) {
        if (!content.empty()) {
            WriteBytes(IniPath(), content);
        }
        auto store = std::make_unique<TIniGT>(environment_);
        store->Loaded();
        return store;
    }

    TTempFolder temp_;
    TIniEnvironment environment_;
};

struct DefaultNameCase {
    const char* program;
    const char* expected;

    friend void PrintTo(const DefaultNameCase& c, std::ostream* os) { *os << c.program; }
};

class DefaultFileName : public testing::TestWithParam<DefaultNameCase> {};

TEST_P(DefaultFileName, IsTheProgramNameWithTheIniExtension) {
    EXPECT_EQ(DefaultIniFileName(GetParam().program), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, DefaultFileName,
                         testing::Values(DefaultNameCase{"/usr/bin/tintrel", "Tintrel.ini"},
                                         DefaultNameCase{"/opt/TINTREL", "Tintrel.ini"},
                                         DefaultNameCase{"C/tintrel.exe", "Tintrel.ini"},
                                         DefaultNameCase{"/x/TINTREL.EXE", "Tintrel.ini"},
                                         DefaultNameCase{"/x/my.prog.exe", "My.prog.ini"},
                                         DefaultNameCase{"/x/7zip", "7zip.ini"},
                                         DefaultNameCase{"/x/\xC3\x9C"
                                                         "BER",
                                                         "\xC3\x9C"
                                                         "ber.ini"},
                                         DefaultNameCase{"/x.y/tool", "Tool.ini"}));

struct PathCase {
    const char* name;
    TIniGTDefaultDir defaultDir;
    bool programFolderWritable;
    const char* fileName;
    const char* expected; // "bin/", "config/" or "" stand for those folders of the fixture

    friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }
};

class PathResolution : public IniGTFixture, public testing::WithParamInterface<PathCase> {};

TEST_P(PathResolution, PlacesTheFileByDefaultDir) {
    const PathCase& c = GetParam();
    if (!c.programFolderWritable) {
        environment_.FileOps = std::make_shared<TReadOnlyProgramFolder>(Bin());
    }
    TIniGT store(environment_);
    store.SetFileName(c.fileName);
    store.SetDefaultDir(c.defaultDir);
    std::string expected = c.expected;
    if (expected.starts_with("bin/") || expected.starts_with("config/")) {
        expected = temp_.File(expected);
    }
    EXPECT_EQ(store.Path(), expected);
    EXPECT_EQ(store.FileName(), c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathResolution,
    testing::Values(PathCase{"ProgramFolder", ddApplication, true, "Tintrel.ini", "bin/Tintrel.ini"},
                    PathCase{"UserFolderWhenProgramFolderIsReadOnly", ddApplication, false, "Tintrel.ini",
                             "config/tintrel/Tintrel.ini"},
                    PathCase{"ConfigurationFolder", ddWindows, true, "x.ini", "config/x.ini"},
                    PathCase{"NameAsItIs", ddNone, true, "x.ini", "x.ini"},
                    PathCase{"FolderPartWinsOverApplication", ddApplication, true, "sub/x.ini", "sub/x.ini"},
                    PathCase{"FolderPartWinsOverWindows", ddWindows, false, "/etc/x.ini", "/etc/x.ini"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(IniGTFixture, UserFolderIsMadeOnTheFirstSave) {
    environment_.FileOps = std::make_shared<TReadOnlyProgramFolder>(Bin());
    auto store = Store();
    EXPECT_EQ(store->ReadInteger("Option", "Opt2-1", 11), 11);
    store->WriteInteger("Option", "Opt2-1", 14);
    EXPECT_EQ(ReadBytes(temp_.File("config/tintrel/Tintrel.ini")), "[Option]\r\nOpt2-1=14\r\n");
}

struct FenceCase {
    const char* name;
    TIniGTFence fence;
    std::string stored;
    std::string read;

    friend void PrintTo(const FenceCase& c, std::ostream* os) { *os << c.name; }
};

class FencedRead : public IniGTFixture, public testing::WithParamInterface<FenceCase> {};

TEST_P(FencedRead, UnwrapsOnlyWhatTheFenceWraps) {
    const FenceCase& c = GetParam();
    auto store = Store("[s]\r\nk=" + c.stored + "\r\n");
    store->SetFence(c.fence);
    EXPECT_EQ(store->ReadFencedString("s", "k", "unused"), c.read);
    EXPECT_EQ(store->ReadFencedString("s", "absent", "bare"), "bare");
}

INSTANTIATE_TEST_SUITE_P(
    Values, FencedRead,
    testing::Values(FenceCase{"NoneKeepsParentheses", fnNone, "\xA2x\xA3", "\xA2x\xA3"},
                    FenceCase{"ParenthesisUnwraps", fnParenthesis, "\xA2x\xA3", "x"},
                    FenceCase{"Ver11UnwrapsParentheses", fnVer11Mode, "\xA2x\xA3", "x"},
                    FenceCase{"Ver11UnwrapsQuotes", fnVer11Mode, "\"x\"", "x"},
                    FenceCase{"DoubleQuoteKeepsParentheses", fnDoubleQuote, "\xA2x\xA3", "\xA2x\xA3"},
                    FenceCase{"DoubleQuoteUnwraps", fnDoubleQuote, "\"x\"", "x"},
                    FenceCase{"ParenthesisKeepsQuotes", fnParenthesis, "\"x\"", "\"x\""},
                    FenceCase{"LoneQuoteIsNeverUnwrapped", fnDoubleQuote, "\"", "\""},
                    FenceCase{"OnlyTheOuterBytesGo", fnDoubleQuote, "\"\"x\"\"", "\"x\""},
                    FenceCase{"EmptyFencedValue", fnVer11Mode, "\xA2\xA3", ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(IniGTFixture, FencedWritesWrapTheValue) {
    auto store = Store();
    const std::pair<TIniGTFence, std::string> cases[] = {
        {fnDoubleQuote, "\"v\""}, {fnParenthesis, "\xA2v\xA3"}, {fnVer11Mode, "\xA2v\xA3"}, {fnNone, "v"}};
    for (const auto& [fence, stored] : cases) {
        store->SetFence(fence);
        store->WriteFencedString("s", "k", "v");
        EXPECT_EQ(store->ReadString("s", "k", ""), stored);
        EXPECT_EQ(store->ReadFencedString("s", "k", ""), "v");
    }
}

struct HexCase {
    const char* name;
    std::string stored;
    std::int64_t expected; // above 32 bits: a conversion error

    friend void PrintTo(const HexCase& c, std::ostream* os) { *os << c.name; }
};

class HexRead : public IniGTFixture, public testing::WithParamInterface<HexCase> {};

TEST_P(HexRead, SkipsTwoCharactersAndTakesUpToEight) {
    const HexCase& c = GetParam();
    auto store = Store("[s]\r\nk=" + c.stored + "\r\n");
    if (c.expected > 0xFFFFFFFFll) {
        EXPECT_THROW(store->ReadHex("s", "k", 0), EIniConvertError);
    } else {
        EXPECT_EQ(store->ReadHex("s", "k", 0),
                  static_cast<std::int32_t>(static_cast<std::uint32_t>(c.expected)));
    }
}

constexpr std::int64_t kError = 0x100000000ll;

INSTANTIATE_TEST_SUITE_P(
    Values, HexRead,
    testing::Values(HexCase{"Red", "0x000000FF", 0xFF}, HexCase{"FourDigits", "0x1234", 0x1234},
                    HexCase{"LowerCase", "0xabcdef", 0xABCDEF},
                    HexCase{"SystemColorKeepsItsHighBit", "0x8000000F", 0x8000000F},
                    HexCase{"AllOnes", "0xFFFFFFFF", 0xFFFFFFFF},
                    HexCase{"AnyTwoCharactersSkipped", "$$12", 0x12},
                    HexCase{"TenDigitsLoseTheFirstTwo", "1234567890", 0x34567890},
                    HexCase{"CharactersAfterTheTenthIgnored", "0x12345678zz", 0x12345678},
                    HexCase{"TooShort", "0x", kError}, HexCase{"Empty", "", kError},
                    HexCase{"NotHexadecimal", "0xGG", kError}, HexCase{"Signed", "0x-1", kError},
                    HexCase{"InnerBlank", "0x 1", kError}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(IniGTFixture, HexWriteIsEightUpperCaseDigits) {
    auto store = Store();
    store->WriteColor("s", "yellow", 0x0000FFFF);
    store->WriteColor("s", "face", clBtnFace);
    store->WriteHex("s", "minus", -1);
    EXPECT_EQ(ReadBytes(IniPath()), "[s]\r\nyellow=0x0000FFFF\r\nface=0x8000000F\r\nminus=0xFFFFFFFF\r\n");
    EXPECT_EQ(store->ReadColor("s", "face", 0), clBtnFace);
    EXPECT_EQ(store->ReadColor("s", "absent", 0x00123456), 0x00123456u);
}

TEST_F(IniGTFixture, ConversionErrorNamesSectionKeyAndValue) {
    auto store = Store("[@@Prev@@]\r\nStartColor=0xZZ\r\n");
    try {
        store->ReadColor("@@Prev@@", "StartColor", 0xFF);
        FAIL() << "no conversion error";
    } catch (const EIniConvertError& error) {
        EXPECT_EQ(error.Section(), "@@Prev@@");
        EXPECT_EQ(error.Key(), "StartColor");
        EXPECT_EQ(error.Value(), "0xZZ");
        const std::string message = error.what();
        EXPECT_NE(message.find("@@Prev@@"), std::string::npos);
        EXPECT_NE(message.find("StartColor"), std::string::npos);
        EXPECT_NE(message.find("0xZZ"), std::string::npos);
    }
}

struct NumberCase {
    const char* name;
    std::string stored;
    int integer;  // read with the default 42
    bool boolean; // read with the default true

    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }
};

class NumberRead : public IniGTFixture, public testing::WithParamInterface<NumberCase> {};

TEST_P(NumberRead, TakesTheDefaultForAnythingButADecimal) {
    const NumberCase& c = GetParam();
    auto store = Store("[s]\r\nk=" + c.stored + "\r\n");
    EXPECT_EQ(store->ReadInteger("s", "k", 42), c.integer);
    EXPECT_EQ(store->ReadBool("s", "k", true), c.boolean);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberRead,
                         testing::Values(NumberCase{"Zero", "0", 0, false}, NumberCase{"One", "1", 1, true},
                                         NumberCase{"Negative", "-3", -3, true},
                                         NumberCase{"Plus", "+7", 7, true}, NumberCase{"Empty", "", 42, true},
                                         NumberCase{"Word", "yes", 42, true},
                                         NumberCase{"Trailing", "12pt", 42, true},
                                         NumberCase{"TooLarge", "99999999999", 42, true},
                                         NumberCase{"Smallest", "-2147483648", -2147483647 - 1, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(IniGTFixture, ShorterListLeavesOldItemsButReadsItsOwnCount) {
    auto store = Store();
    store->WriteStrings("STYLES", "STYLE", {"a", "b", "c"});
    store->WriteStrings("STYLES", "STYLE", {"z"});
    EXPECT_EQ(ReadBytes(IniPath()), "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=z\r\nSTYLE.1=b\r\nSTYLE.2=c\r\n");
    std::vector<std::string> list{"x", "y"};
    store->ReadStrings("STYLES", "STYLE", list);
    EXPECT_EQ(list, std::vector<std::string>{"z"});
}

TEST_F(IniGTFixture, ListWithoutCountKeepsTheTargetLengthAndFillsWhatIsStored) {
    auto store = Store("[L]\r\nI.1=stored\r\n");
    std::vector<std::string> list{"a", "b", "c"};
    store->ReadStrings("L", "I", list);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "stored", "c"}));
}

TEST_F(IniGTFixture, ListCountLargerThanItsItemsReadsDefaults) {
    auto store = Store("[L]\r\nI.Count=3\r\nI.0=x\r\n");
    std::vector<std::string> list{"a"};
    store->ReadStrings("L", "I", list);
    EXPECT_EQ(list, (std::vector<std::string>{"x", "", ""}));
}

TEST_F(IniGTFixture, CorruptListCountIsAConversionErrorAndTheTargetStays) {
    for (const std::string count : {"-1", "100001", "2147483647"}) {
        auto store = Store("[L]\r\nI.Count=" + count + "\r\n");
        std::vector<std::string> list{"keep"};
        try {
            store->ReadStrings("L", "I", list);
            ADD_FAILURE() << count << " was accepted";
        } catch (const EIniConvertError& error) {
            EXPECT_EQ(error.Key(), "I.Count");
            EXPECT_EQ(error.Value(), count);
        }
        EXPECT_EQ(list, std::vector<std::string>{"keep"});
    }
}

TEST_F(IniGTFixture, ListItemsAreFencedAndRefusedWholeWhenOneCannotBeStored) {
    auto store = Store();
    store->SetFence(fnDoubleQuote);
    store->WriteStrings("L", "I", {" padded "});
    EXPECT_EQ(store->ReadString("L", "I.0", ""), "\" padded \"");
    EXPECT_THROW(store->WriteStrings("L", "I", {"ok", "bad\r\n"}), EIniRefusedError);
    EXPECT_EQ(store->ReadString("L", "I.Count", ""), "1");
}

TEST_F(IniGTFixture, FontIsWrittenInOrderAndReadBack) {
    auto store = Store();
    const TFontRecord font{"\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", 9,
                           fsBold | fsUnderline, clWindowText};
    store->WriteFont("@@Prev@@", "DrawFont", font);
    EXPECT_EQ(ReadBytes(IniPath()),
              "[@@Prev@@]\r\nDrawFont.Name=" + font.Name +
                  "\r\nDrawFont.Size=9\r\nDrawFont.Style=5\r\nDrawFont.Color=0x80000008\r\n");
    TFontRecord read;
    store->ReadFont("@@Prev@@", "DrawFont", read);
    EXPECT_EQ(read, font);
}

TEST_F(IniGTFixture, FontWithOnlyASizeChangesOnlyTheSize) {
    auto store = Store("[s]\r\nF.Size=20\r\n");
    TFontRecord font{"Face", 9, fsItalic, 0x00123456};
    store->ReadFont("s", "F", font);
    EXPECT_EQ(font, (TFontRecord{"Face", 20, fsItalic, 0x00123456}));
}

TEST_F(IniGTFixture, FontNameIsUnwrappedWhateverTheFenceAndStyleKeepsItsLowByte) {
    auto store = Store("[s]\r\nF.Name=\"Quoted\"\r\nF.Style=257\r\n");
    TFontRecord font;
    store->ReadFont("s", "F", font);
    EXPECT_EQ(font.Name, "Quoted");
    EXPECT_EQ(font.Style, 1);
    EXPECT_EQ(store->Fence(), fnNone);
}

TEST_F(IniGTFixture, FontWithABadColourLeavesTheTargetAsItWas) {
    auto store = Store("[s]\r\nF.Size=20\r\nF.Color=0xno\r\n");
    TFontRecord font{"Face", 9, 0, 0};
    EXPECT_THROW(store->ReadFont("s", "F", font), EIniConvertError);
    EXPECT_EQ(font.Size, 9);
}

TEST_F(IniGTFixture, PositionKeepsWhatIsNotStored) {
    auto store = Store("[Option]\r\nPosition.Y=-20\r\n");
    TWindowPosition position{100, 200};
    store->ReadPosition("Option", "Position", position);
    EXPECT_EQ(position, (TWindowPosition{100, -20}));
    store->WritePosition("Option", "Position", {5, 6});
    EXPECT_EQ(ReadBytes(IniPath()), "[Option]\r\nPosition.Y=6\r\nPosition.X=5\r\n");
}

TEST_F(IniGTFixture, SectionValuesAreKeyEqualsValueLinesInFileOrder) {
    auto store = Store("[Style]\r\nb=2\r\na=\xA2x\xA3\r\n[Other]\r\nc=3\r\n");
    std::vector<std::string> lines{"old"};
    store->ReadSectionValues("style", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"b=2", "a=\xA2x\xA3"}));
    store->EraseSection("STYLE");
    store->ReadSectionValues("style", lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(ReadBytes(IniPath()), "[Other]\r\nc=3\r\n");
}

TEST_F(IniGTFixture, StoreWithoutAFileReadsDefaultsAndRefusesToSave) {
    TIniGT store(environment_);
    EXPECT_EQ(store.ReadString("s", "k", "d"), "d");
    EXPECT_THROW(store.WriteString("s", "k", "v"), EIniFileError);
    EXPECT_EQ(store.ReadString("s", "k", "d"), "d");
}

} // namespace
