#include "store/StyleRecord.h"
#include "store/ClosingSave.h"
#include "store/IniErrors.h"
#include "store/OptionSet.h"
#include "store/StyleLibrary.h"

#include "support/StoreFixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace {

const std::string kFace = std::string(kDefaultFaceName);

const std::string kFirstRunFile =
    "[Option]\r\n"
    "Position.X=120\r\nPosition.Y=80\r\n"
    "Opt1=1\r\nOpt2-1=11\r\n"
    "Opt3=0\r\nOpt4=0\r\nOpt5=0\r\nOpt6=0\r\nOpt7=0\r\nOpt8=0\r\nOpt9=1\r\n"
    "[@@Prev@@]\r\n"
    "DrawFont.Name=" +
    kFace +
    "\r\n"
    "DrawFont.Size=9\r\nDrawFont.Style=0\r\nDrawFont.Color=0x80000008\r\n"
    "SizeIndex=0\r\nHead=0\r\n"
    "StartColor=0x000000FF\r\nFinishColor=0x0000FFFF\r\nMiddleColor=0x00FFFFFF\r\n"
    "BGColor=0x8000000F\r\nMirror=0\r\nTrico=0\r\n"
    "[STYLES]\r\nSTYLE.Count=0\r\n";

class OptionAndStyleFile : public TStoreFixture {};

TEST_F(OptionAndStyleFile, FirstRunWritesTheDefaultsInTheirOrder) {
    TIniGT& store = Store();
    TOptionSet options;
    LoadWindowPosition(store, options.Position);
    LoadOptionSet(store, options);
    TStyleRecord style;
    EXPECT_TRUE(LoadStyleRecord(store, kPrevSection, style).empty());
    TStyleLibrary library(store);
    library.ReadList();
    options.Position = {120, 80};
    SaveClosingState(store, options, style, library);
    EXPECT_EQ(Saved(), kFirstRunFile);
}

TEST_F(OptionAndStyleFile, NextCloseMovesOptionAndStateToTheEndAndKeepsTheList) {
    TIniGT& store = Store(kFirstRunFile);
    TOptionSet options;
    LoadWindowPosition(store, options.Position);
    LoadOptionSet(store, options);
    EXPECT_EQ(options.Position, (TWindowPosition{120, 80}));
    TStyleRecord style;
    LoadStyleRecord(store, kPrevSection, style);
    TStyleLibrary library(store);
    library.ReadList();
    store.WriteString("STYLES", "extra", "kept");
    SaveClosingState(store, options, style, library);
    const std::string saved = Saved();
    EXPECT_TRUE(saved.starts_with("[STYLES]\r\nSTYLE.Count=0\r\nextra=kept\r\n[Option]\r\n")) << saved;
    EXPECT_TRUE(saved.ends_with("Mirror=0\r\nTrico=0\r\n"));
    EXPECT_EQ(saved.size(), kFirstRunFile.size() + std::string("extra=kept\r\n").size());
}

// Counts the saves that get through; fails them all while Full is set.
class TCountingFileOps : public TFileOps {
public:
    int Saves = 0;
    bool Full = false;

    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (Full) {
            errno = ENOSPC;
            return -1;
        }
        return TFileOps::Write(fd, data, size);
    }
    int Rename(const std::string& from, const std::string& to) override {
        ++Saves;
        return TFileOps::Rename(from, to);
    }
};

TEST_F(OptionAndStyleFile, CloseIsOneSaveAndAFailedOneKeepsTheOldSettings) {
    auto ops = std::make_shared<TCountingFileOps>();
    ops_ = ops;
    TIniGT& store = Store(kFirstRunFile);
    TStyleLibrary library(store);
    library.ReadList();
    library.Add("new", TStyleRecord{});
    const std::string before = Saved();
    TOptionSet options;
    options.BaseFontSize = 20;
    TStyleRecord state;
    state.Head = true;

    ops->Full = true;
    EXPECT_THROW(SaveClosingState(store, options, state, library), EIniFileError);
    EXPECT_EQ(Saved(), before);

    ops->Full = false;
    ops->Saves = 0;
    SaveClosingState(store, options, state, library);
    EXPECT_EQ(ops->Saves, 1);
    TOptionSet loaded;
    LoadOptionSet(store, loaded);
    EXPECT_EQ(loaded.BaseFontSize, 20);
    EXPECT_EQ(store.ReadString("STYLES", "STYLE.0", ""), "new");
}

// What the program does not know or cannot read in the option group and the working state
// survives the close as it was, unless the user chose a value of the key meanwhile; a key the
// program reads is written from its own value, or left out, as before.
TEST_F(OptionAndStyleFile, CloseKeepsTheKeysItDoesNotUnderstand) {
    const std::string file =
        "[Option]\r\nFutureKey=abc\r\n=no name\r\nFormat=MINIMESSAGE\r\nBudget=0x10\r\n"
        "FormattedCopy=1\r\nShortenToFit=yes\r\n"
        "[@@Prev@@]\r\nOutline=2\r\nColorSpace=hsl\r\nStops=F00,0F0\r\nRainbow=1\r\nPhase=90\r\n";
    struct Row {
        const char* section;
        const char* key;
        const char* unchosen; // FormattedCopy and the rainbow turned off, nothing else chosen
        const char* chosen;   // css, a budget, "Shorten to fit", Oklab and stops chosen too
    };
    const Row rows[] = {
        {"Option", "FutureKey", "abc", "abc"},
        {"Option", "Format", "MINIMESSAGE", "css"},
        {"Option", "Budget", "0x10", "50"},
        {"Option", "FormattedCopy", "gone", "gone"},
        // Any value of a switch is read, as on or off.
        {"Option", "ShortenToFit", "gone", "1"},
        {"@@Prev@@", "Outline", "2", "2"},
        {"@@Prev@@", "ColorSpace", "hsl", "oklab"},
        {"@@Prev@@", "Stops", "F00,0F0", "FF0000,0000FF"},
        {"@@Prev@@", "Rainbow", "gone", "gone"},
        {"@@Prev@@", "Phase", "gone", "gone"},
    };
    for (const bool choose : {false, true}) {
        TIniGT& store = Store(file);
        TOptionSet options;
        LoadOptionSet(store, options);
        TStyleRecord state;
        LoadStyleRecord(store, kPrevSection, state);
        options.FormattedCopy = false;
        state.Rainbow = false;
        if (choose) {
            options.OutputKind = okCss;
            options.Budget = 50;
            options.ShortenToFit = true;
            state.Space = csOklab;
            state.Stops = {{0x0000FF, -1}, {0xFF0000, -1}};
        }
        TStyleLibrary library(store);
        library.ReadList();
        SaveClosingState(store, options, state, library);
        for (const Row& row : rows) {
            EXPECT_EQ(store.ReadString(row.section, row.key, "gone"), choose ? row.chosen : row.unchosen)
                << row.section << " " << row.key << (choose ? " chosen" : "");
        }
    }
}

struct OptionCase {
    const char* name;
    std::string section;
    TOptionSet expected;

    friend void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }
};

TOptionSet With(void (*change)(TOptionSet&)) {
    TOptionSet options;
    change(options);
    return options;
}

class OptionLoad : public TStoreFixture, public testing::WithParamInterface<OptionCase> {};

TEST_P(OptionLoad, ReadsEverySwitchWithItsDefault) {
    TIniGT& store = Store("[Option]\r\n" + GetParam().section);
    TOptionSet options;
    options.AskBeforeOverwrite = false; // defaults replace what was shown, not keep it
    options.UpperCaseTags = false;
    LoadOptionSet(store, options);
    EXPECT_EQ(options, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, OptionLoad,
    testing::Values(
        OptionCase{"Empty", "", TOptionSet{}},
        OptionCase{
            "AllFlipped",
            "Opt1=0\r\nOpt2-1=14\r\nOpt3=1\r\nOpt4=1\r\nOpt5=1\r\nOpt6=1\r\nOpt7=1\r\nOpt8=1\r\nOpt9=0\r\n",
            TOptionSet{{0, 0}, false, 14, true, true, true, true, true, true, false}},
        OptionCase{"ZeroBaseSizeAccepted", "Opt2-1=0\r\n", With([](TOptionSet& o) { o.BaseFontSize = 0; })},
        OptionCase{"NegativeBaseSizeAccepted", "Opt2-1=-3\r\n",
                   With([](TOptionSet& o) { o.BaseFontSize = -3; })},
        OptionCase{"WordsTakeDefaults", "Opt1=no\r\nOpt2-1=big\r\nOpt9=off\r\n", TOptionSet{}},
        OptionCase{"PositionIsNotReadHere", "Position.X=5\r\n", TOptionSet{}},
        OptionCase{"FormatCss", "Format=css\r\n", With([](TOptionSet& o) { o.OutputKind = okCss; })},
        OptionCase{"FormatBbcode", "Format=bbcode\r\n", With([](TOptionSet& o) { o.OutputKind = okBbcode; })},
        // What the window cannot show, or cannot read, is the design's kind.
        OptionCase{"FormatForATerminalIsFont", "Format=ansi\r\n", TOptionSet{}},
        OptionCase{"FormatUnknownIsFont", "Format=html5\r\n", TOptionSet{}},
        OptionCase{"FormatInAnotherCaseIsFont", "Format=CSS\r\n", TOptionSet{}},
        OptionCase{"BudgetAndFit", "Budget=50\r\nShortenToFit=1\r\n", With([](TOptionSet& o) {
                       o.Budget = 50;
                       o.ShortenToFit = true;
                   })},
        OptionCase{"LargestBudget", "Budget=999999999\r\n",
                   With([](TOptionSet& o) { o.Budget = 999999999; })},
        // A budget the options could not set, or a switch in other words: each kind's own, off.
        OptionCase{"BudgetsOutOfRangeAreTheKinds", "Budget=-5\r\n", TOptionSet{}},
        OptionCase{"BudgetOfABillionIsTheKinds", "Budget=1000000000\r\n", TOptionSet{}},
        OptionCase{"BudgetInWordsIsTheKinds", "Budget=lots\r\nShortenToFit=yes\r\n", TOptionSet{}}),
    [](const auto& param) { return std::string(param.param.name); });

// The output kind, then the budget and "Shorten to fit", are written last and only when chosen.
TEST_F(OptionAndStyleFile, TheFormatIsWrittenLastAndOnlyWhenChosen) {
    TIniGT& store = Store();
    TOptionSet options;
    options.Position = {1, 2};
    SaveOptionSet(store, options);
    for (const char* key : {"Format", "Budget", "ShortenToFit"}) {
        EXPECT_EQ(Saved().find(key), std::string::npos) << Saved();
    }
    options.OutputKind = okCss;
    SaveOptionSet(store, options);
    EXPECT_NE(Saved().find("Opt9=1\r\nFormat=css\r\n"), std::string::npos) << Saved();
    TOptionSet loaded;
    LoadOptionSet(store, loaded);
    EXPECT_EQ(loaded.OutputKind, okCss);
    options.Budget = 50;
    options.ShortenToFit = true;
    SaveOptionSet(store, options);
    EXPECT_NE(Saved().find("Format=css\r\nBudget=50\r\nShortenToFit=1\r\n"), std::string::npos) << Saved();
}

// Every kind the window offers survives a save and a load; the others are read as the design's.
TEST_F(OptionAndStyleFile, EveryKindTheWindowOffersIsSaved) {
    TIniGT& store = Store();
    for (const TOutputKindRow& kind : OutputKinds()) {
        TOptionSet options;
        options.OutputKind = kind.Kind;
        SaveOptionSet(store, options);
        TOptionSet loaded;
        LoadOptionSet(store, loaded);
        EXPECT_EQ(loaded.OutputKind, kind.InWindow ? kind.Kind : okFont) << kind.Name;
    }
}

TEST(OptionSection, IsOptionInAnyLetterCase) {
    EXPECT_TRUE(IsOptionSection("Option"));
    EXPECT_TRUE(IsOptionSection("OPTION"));
    EXPECT_TRUE(IsOptionSection("option"));
    EXPECT_FALSE(IsOptionSection("Options"));
    EXPECT_FALSE(IsOptionSection("@@Prev@@"));
}

struct StyleCase {
    const char* name;
    std::string section;
    TStyleRecord expected;
    std::vector<std::string> badKeys;

    friend void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }
};

// The font shown before the load; absent font keys keep its values.
const TFontRecord kShownFont{"Shown", 20, fsBold, 0x00010203};

TStyleRecord Style(void (*change)(TStyleRecord&)) {
    TStyleRecord style;
    style.DrawFont = kShownFont;
    change(style);
    return style;
}

class StyleLoad : public TStoreFixture, public testing::WithParamInterface<StyleCase> {};

TEST_P(StyleLoad, TakesDefaultsForWhatIsAbsentOrBad) {
    const StyleCase& c = GetParam();
    TIniGT& store = Store("[Style]\r\n" + c.section);
    TStyleRecord style;
    style.DrawFont = kShownFont;
    style.Head = true;
    style.StartColor = 0x00AAAAAA;
    style.BGColor = 0x00BBBBBB;
    const std::vector<TBadValue> bad = LoadStyleRecord(store, "style", style);
    EXPECT_EQ(style, c.expected);
    std::vector<std::string> badKeys;
    for (const TBadValue& value : bad) {
        EXPECT_EQ(value.Section, "style");
        badKeys.push_back(value.Key);
    }
    EXPECT_EQ(badKeys, c.badKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, StyleLoad,
    testing::Values(
        StyleCase{"OnlyStartColor",
                  "StartColor=0x00123456\r\n",
                  Style([](TStyleRecord& s) { s.StartColor = 0x00123456; }),
                  {}},
        StyleCase{"BothModesLoadAsThreeColours",
                  "Mirror=1\r\nTrico=1\r\n",
                  Style([](TStyleRecord& s) { s.Trico = true; }),
                  {}},
        StyleCase{"MirrorAlone", "Mirror=1\r\n", Style([](TStyleRecord& s) { s.Mirror = true; }), {}},
        StyleCase{"FontPartsKeepTheShownFont",
                  "DrawFont.Size=12\r\n",
                  Style([](TStyleRecord& s) { s.DrawFont.Size = 12; }),
                  {}},
        StyleCase{"SizeIndexOutOfRangeIsKept",
                  "SizeIndex=7\r\n",
                  Style([](TStyleRecord& s) { s.SizeIndex = 7; }),
                  {}},
        StyleCase{"BadColourTakesItsDefaultAndTheRestLoads",
                  "StartColor=0xZZ\r\nFinishColor=0x00000001\r\nHead=1\r\nBGColor=0x00000002\r\n",
                  Style([](TStyleRecord& s) {
                      s.FinishColor = 1;
                      s.Head = true;
                      s.BGColor = 2;
                  }),
                  {"StartColor"}},
        StyleCase{"BadFontColourKeepsTheRestOfTheFont",
                  "DrawFont.Name=Arial\r\nDrawFont.Color=blue\r\nTrico=1\r\n",
                  Style([](TStyleRecord& s) {
                      s.DrawFont.Name = "Arial";
                      s.Trico = true;
                  }),
                  {"DrawFont.Color"}},
        // A face name with a control character (C0 or DEL) is dropped: the shown face stays.
        StyleCase{"EscapeInTheFaceName",
                  "DrawFont.Name=A\x1b]52;c;SGVsbG8=\x07"
                  "B\x1b[2J\r\nDrawFont.Size=12\r\n",
                  Style([](TStyleRecord& s) { s.DrawFont.Size = 12; }),
                  {"DrawFont.Name"}},
        StyleCase{"DeleteInTheFaceName",
                  "DrawFont.Name=A\x7F"
                  "B\r\n",
                  Style([](TStyleRecord&) {}),
                  {"DrawFont.Name"}},
        StyleCase{
            "TabInsideTheFaceName", "DrawFont.Name=A\tB\r\n", Style([](TStyleRecord&) {}), {"DrawFont.Name"}},
        StyleCase{"PhaseWithinOneTurn",
                  "Rainbow=1\r\nPhase=400\r\n",
                  Style([](TStyleRecord& s) {
                      s.Rainbow = true;
                      s.Phase = 40;
                  }),
                  {}},
        StyleCase{"EveryColourBad",
                  "StartColor=\r\nFinishColor=x\r\nMiddleColor=0x\r\nBGColor=0xQ\r\n",
                  Style([](TStyleRecord&) {}),
                  {"StartColor", "FinishColor", "MiddleColor", "BGColor"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OptionAndStyleFile, BadValueMessageNamesSectionKeyAndValue) {
    TIniGT& store = Store("[@@Prev@@]\r\nMiddleColor=0xWHITE\r\n");
    TStyleRecord style;
    const std::string message = BadValuesMessage(LoadStyleRecord(store, kPrevSection, style));
    EXPECT_NE(message.find("@@Prev@@"), std::string::npos);
    EXPECT_NE(message.find("MiddleColor"), std::string::npos);
    EXPECT_NE(message.find("0xWHITE"), std::string::npos);
    EXPECT_EQ(BadValuesMessage({}), "");
}

TEST_F(OptionAndStyleFile, StyleSurvivesASaveAndLoadAndDropsForeignKeys) {
    TIniGT& store = Store("[Mine]\r\nAddedByAnotherVersion=1\r\n");
    TStyleRecord saved;
    saved.DrawFont = {"\x83\x5D\x83\x5C", 14, fsItalic | fsStrikeOut, 0x00FF00FF};
    saved.SizeIndex = 3;
    saved.Head = true;
    saved.StartColor = 0x00010101;
    saved.FinishColor = 0x00020202;
    saved.MiddleColor = 0x00030303;
    saved.BGColor = clWindow;
    saved.Mirror = true;
    SaveStyleRecord(store, "mine", saved);
    TStyleRecord loaded;
    EXPECT_TRUE(LoadStyleRecord(store, "MINE", loaded).empty());
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(store.ReadString("Mine", "AddedByAnotherVersion", "gone"), "gone");
}

} // namespace

namespace {

// The colour choices beside the design: written only when chosen, read back whole; a value this
// program cannot read is reported and left out, the rest loads.
TEST_F(OptionAndStyleFile, ColourChoicesAreKeptOnlyWhenChosen) {
    TIniGT& store = Store();
    TStyleRecord plain;
    SaveStyleRecord(store, "plain", plain);
    for (const char* key : {"ColorSpace", "Stops", "Rainbow", "Phase"}) {
        EXPECT_EQ(Saved().find(key), std::string::npos) << key;
    }
    TStyleRecord chosen;
    chosen.Space = csOklchLong;
    chosen.Stops = {{0x0000FF, -1}, {0x00FF00, 0.255}, {0xFF0000, -1}};
    chosen.StartColor = 0x0000FF;
    chosen.FinishColor = 0xFF0000;
    chosen.Rainbow = true;
    chosen.Phase = 200;
    SaveStyleRecord(store, "chosen", chosen);
    EXPECT_NE(
        Saved().find("ColorSpace=oklch-long\r\nStops=FF0000,00FF00@25.5,0000FF\r\nRainbow=1\r\nPhase=200"),
        std::string::npos)
        << Saved();
    TStyleRecord loaded;
    EXPECT_TRUE(LoadStyleRecord(store, "chosen", loaded).empty());
    EXPECT_EQ(loaded, chosen);

    TIniGT& bad = Store("[Odd]\r\nColorSpace=cmyk\r\nStops=FF0000\r\nStartColor=0x00000001\r\n");
    TStyleRecord odd;
    const std::vector<TBadValue> reported = LoadStyleRecord(bad, "Odd", odd);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].Key, "ColorSpace");
    EXPECT_EQ(reported[1].Key, "Stops");
    EXPECT_EQ(odd.Space, csSrgb);
    EXPECT_TRUE(odd.Stops.empty());
    EXPECT_EQ(odd.StartColor, 1u);
    EXPECT_NE(BadValuesMessage(reported).find("left out"), std::string::npos);
    const std::string message = BadValuesMessage(reported);
    EXPECT_EQ(message.substr(message.find("[Odd] Stops=")),
              "[Odd] Stops=FF0000: not a value this program knows; it was left out");
}

} // namespace
