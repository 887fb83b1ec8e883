#include "support/TempFolder.h"
#include "support/WrittenLines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built tintrel-html with `args` (and `input` on its standard input) and collects what
// it writes and its exit status.
TRun RunCompanion(const std::vector<std::string>& args, const std::string& input = {}) {
    const TTempFolder dir;
    const std::string inName = dir.File("in");
    const std::string outName = dir.File("out");
    const std::string errName = dir.File("err");
    WriteBytes(inName, input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inName.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> argvStrings{TINTREL_HTML_PROGRAM};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    TRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, TINTREL_HTML_PROGRAM, &actions, nullptr, argv.data(), environ) == 0) {
        int waitStatus = 0;
        waitpid(pid, &waitStatus, 0);
        run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadBytes(outName);
    run.err = ReadBytes(errName);
    return run;
}

// "ＭＳ Ｐゴシック" in Shift-JIS and in UTF-8.
const std::string kMsPGothicSjis = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string kMsPGothicUtf8 = "ＭＳ Ｐゴシック";

struct OutputCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;

    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }
};

class CompanionOutputTest : public testing::TestWithParam<OutputCase> {};

TEST_P(CompanionOutputTest, WritesTheHtmlTextByteForByte) {
    const TRun run = RunCompanion(GetParam().args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, GetParam().out);
}

const std::string kRedYellowUpper = R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)";

const std::vector<std::string> kEverything = {
    "--lower", "--bold", "--italic", "--underline",  "--strike",  "--logical", "--size",
    "2",       "--head", "--face",   kMsPGothicUtf8, "--comment", "--break",   "--table"};

std::vector<std::string> Everything(std::vector<std::string> more) {
    std::vector<std::string> args = kEverything;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string EverythingLines(const std::string& face) {
    return Written({R"(<table align="left" cellpadding="2"><tr><td valign="MIDDLE" bgcolor="FFFFFF">)",
                    R"(<!-- Tintrel "AB" -->)",
                    "<strike><u><font face=\"" + face + "\"><font size=\"+2\"><cite><strong>", "<font ",
                    R"(size="+3" color="#FF0000">A</font><font )", R"(color="#FFFF00">B</font>)",
                    "</strong></cite></font></font></u></strike>", R"(<!-- End of  "AB" -->)",
                    "</tr></table><br clear=all>"});
}

INSTANTIATE_TEST_SUITE_P(
    Options, CompanionOutputTest,
    testing::Values(
        OutputCase{"Defaults", {"AB"}, Written({"", kRedYellowUpper, ""})},
        OutputCase{"LowerCase",
                   {"--lower", "AB"},
                   Written({"", R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)", ""})},
        OutputCase{"FaceTagAloneNamesTheFirstFace",
                   {"--face-tag", "AB"},
                   Written({"<FONT FACE=\"" + kMsPGothicSjis + "\">", kRedYellowUpper, "</FONT>"})},
        OutputCase{"EverythingInCp932", Everything({"AB"}), EverythingLines(kMsPGothicSjis)},
        OutputCase{"EverythingInUtf8", Everything({"--utf8", "AB"}), EverythingLines(kMsPGothicUtf8)},
        OutputCase{"SizeOneFirstLetter",
                   {"--lower", "--size", "1", "--head", "ABC"},
                   Written({R"(<font size="+1">)",
                            R"(<font size="+2" color="#FF0000">A</font><font color="#FF7F00">B</font>)"
                            R"(<font color="#FFFF00">C</font>)",
                            "</font>"})},
        OutputCase{"SizeFourIsTheLargestStep",
                   {"--lower", "--size", "4", "AB"},
                   Written({R"(<font size="+4">)",
                            R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)", "</font>"})},
        OutputCase{"OptionsAfterTheText",
                   {"AB", "--lower"},
                   Written({"", R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)", ""})},
        OutputCase{"ValuesAfterEqualsAndInLowerCaseHex",
                   {"--start=00ff00", "--finish", "0000Ff", "AB"},
                   Written({"", R"(<FONT COLOR="#00FF00">A</FONT><FONT COLOR="#0000FF">B</FONT>)", ""})},
        OutputCase{"MirrorOfFive",
                   {"--mode", "mirror", "abcde"},
                   Written({"",
                            R"(<FONT COLOR="#FF0000">a</FONT><FONT COLOR="#FF7F00">b</FONT>)"
                            R"(<FONT COLOR="#FFFF00">c</FONT><FONT COLOR="#FF6600">d</FONT>)"
                            R"(<FONT COLOR="#FF0000">e</FONT>)",
                            ""})},
        OutputCase{"ThreeColoursThroughTheMiddle",
                   {"--mode", "three", "--middle", "0000FF", "abc"},
                   Written({"",
                            R"(<FONT COLOR="#FF0000">a</FONT><FONT COLOR="#0000FF">b</FONT>)"
                            R"(<FONT COLOR="#FFFF00">c</FONT>)",
                            ""})},
        OutputCase{"LastOfARepeatedOptionWins",
                   {"--mode", "three", "--mode", "two", "abc"},
                   Written({"",
                            R"(<FONT COLOR="#FF0000">a</FONT><FONT COLOR="#FF7F00">b</FONT>)"
                            R"(<FONT COLOR="#FFFF00">c</FONT>)",
                            ""})},
        OutputCase{
            "TableWithBackground",
            {"--table", "--background", "c0c0c0", "AB"},
            Written({R"(<TABLE ALIGN="LEFT" CELLPADDING="2"><TR><TD VALIGN="MIDDLE" BGCOLOR="C0C0C0">)", "",
                     kRedYellowUpper, "", "</TR></TABLE><BR CLEAR=ALL>"})},
        OutputCase{"BackgroundWithoutTableIsUnused",
                   {"--background", "000000", "AB"},
                   Written({"", kRedYellowUpper, ""})},
        OutputCase{"TextAfterDoubleDashMayLookLikeAnOption",
                   {"--", "-x"},
                   Written({"", R"(<FONT COLOR="#FF0000">-</FONT><FONT COLOR="#FFFF00">x</FONT>)", ""})},
        OutputCase{
            "JapaneseTextInCp932",
            {"ソ表"},
            Written({"", "<FONT COLOR=\"#FF0000\">\x83\x5C</FONT><FONT COLOR=\"#FFFF00\">\x95\x5C</FONT>",
                     ""})},
        OutputCase{"PageWithBackground",
                   {"--page", "--background", "336699", "AB"},
                   Written({"<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>", R"(<BODY BGCOLOR="#336699">)",
                            "", kRedYellowUpper, "", "</BODY></HTML>"})},
        OutputCase{
            "PageInTableModeHasTheButtonFaceBody",
            {"--page", "--table", "--lower", "AB"},
            Written({"<html><head><title>Tintrel Sample</title></head>", R"(<body bgcolor="#C0C0C0">)",
                     R"(<table align="left" cellpadding="2"><tr><td valign="MIDDLE" bgcolor="FFFFFF">)", "",
                     R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)", "",
                     "</tr></table><br clear=all>", "</body></html>"})},
        OutputCase{"PageOfOneCharacter",
                   {"--page", "A"},
                   Written({"<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>", R"(<BODY BGCOLOR="#FFFFFF">)",
                            "</BODY></HTML>"})},
        OutputCase{"FormatFontIsTheDefault", {"--format", "font", "AB"}, Written({"", kRedYellowUpper, ""})},
        OutputCase{"FormatBbcode",
                   {"--format", "bbcode", "--lower", "--bold", "AB"},
                   Written({"[b]", "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", "[/b]"})},
        // UTF-8 already: --utf8 changes nothing.
        OutputCase{"FormatBbcodeInUtf8",
                   {"--format", "bbcode", "--utf8", "表示"},
                   Written({"", "[COLOR=#FF0000]表[/COLOR][COLOR=#FFFF00]示[/COLOR]", ""})},
        OutputCase{"FormatAnsiEndsLinesForATerminal",
                   {"--format", "ansi", "--bold", "AB"},
                   "\x1b[1m\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m\n"},
        OutputCase{"FormatAnsiOneCharacterInTheStartColour",
                   {"--format", "ansi256", "--start", "0000FF", "A"},
                   "\x1b[38;5;21mA\x1b[0m\n"},
        OutputCase{
            "FormatCssClipOnAPage",
            {"--format", "css-clip", "--page", "AB"},
            Written({"<!DOCTYPE html>", R"(<HTML LANG="en">)",
                     R"(<HEAD><META CHARSET="utf-8"><TITLE>Tintrel Sample</TITLE></HEAD>)",
                     R"(<BODY STYLE="background-color:#FFFFFF">)",
                     std::string(R"(<span style="background:linear-gradient(90deg,#FF0000,#FFFF00);)") +
                         R"(-webkit-background-clip:text;background-clip:text;color:transparent">AB</span>)",
                     "</BODY></HTML>"})},
        OutputCase{"OneCharacterWritesNothing", {"A"}, ""},
        OutputCase{"OneTwoByteCharacterWritesNothing", {"表"}, ""},
        OutputCase{"EmptyTextWritesNothing", {""}, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Companion, ShowsTheDefaultTextWithoutArguments) {
    const TRun run = RunCompanion({});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("\r\n<FONT COLOR=\"#FF0000\">T</FONT><FONT COLOR=\"#FF2A00\">i</FONT>"))
        << run.out;
    EXPECT_TRUE(run.out.ends_with("<FONT COLOR=\"#FFFF00\">l</FONT>\r\n\r\n")) << run.out;
}

TEST(Companion, TakesRawShiftJisBytesFromATextFile) {
    const TTempFolder dir;
    const fs::path file = fs::path(dir.Path()) / "text.txt";
    // ソ, then a lone "\" and "p": the second byte of ソ is a backslash too.
    std::ofstream(file, std::ios::binary) << "\x83\x5C\\p";
    const TRun run = RunCompanion({"--text-file", file.string(), "--lower"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Written({"",
                                "<font color=\"#FF0000\">\x83\x5C</font><font color=\"#FF7F00\">\\</font>"
                                "<font color=\"#FFFF00\">p</font>",
                                ""}));
}

// Text that CP932 cannot hold is built: each cluster one unit in one font tag, with references.
TEST(Companion, BuildsEveryClusterInOneFontTag) {
    const TRun run = RunCompanion({"--utf8", "A👍🏽"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              Written({"", R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">&#128077;&#127997;</FONT>)",
                       ""}));
    const TRun emoji = RunCompanion({"--lower", "A😀B"});
    EXPECT_EQ(emoji.status, 0) << emoji.err;
    EXPECT_NE(emoji.out.find(R"(<font color="#FF7F00">&#128512;</font>)"), std::string::npos) << emoji.out;
}

struct Utf8FileCase {
    const char* name;
    std::string bytes;
    std::string body; // the line of font tags, --lower, start red, finish yellow
};

class CompanionUtf8FileTest : public testing::TestWithParam<Utf8FileCase> {};

TEST_P(CompanionUtf8FileTest, DropsOneFinalLineEndOnly) {
    const TTempFolder dir;
    const std::string file = dir.File("text.txt");
    WriteBytes(file, GetParam().bytes);
    const TRun run = RunCompanion({"--utf8-text-file", file, "--lower"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Written({"", GetParam().body, ""}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CompanionUtf8FileTest,
    testing::Values(
        Utf8FileCase{
            "NoLineEnd", "ソ🇯🇵",
            "<font color=\"#FF0000\">\x83\x5C</font><font color=\"#FFFF00\">&#127471;&#127477;</font>"},
        Utf8FileCase{"Lf", "AB\n", R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)"},
        Utf8FileCase{"CrLf", "AB\r\n", R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)"},
        Utf8FileCase{"OnlyOneOfTwo", "A\n\n",
                     "<font color=\"#FF0000\">A</font><font color=\"#FFFF00\">\n</font>"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Companion, RefusesAUtf8FileThatIsNotUtf8) {
    const TTempFolder dir;
    const std::string file = dir.File("text.txt");
    WriteBytes(file, "abc\x83\x5C\n");
    const TRun run = RunCompanion({"--utf8-text-file", file});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("byte offset 3"), std::string::npos) << run.err;
}

TEST(Companion, HelpGoesToStandardOutput) {
    const TRun run = RunCompanion({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: tintrel-html")) << run.out;
    EXPECT_NE(run.out.find("at most 64 MiB (67108864 bytes)"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
}

TEST(Companion, VersionIsTheProgramsAsTheAboutBoxShowsIt) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"--lower", "--version", "--mode", "nonsense"}}) {
        const TRun run = RunCompanion(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "tintrel-html (Tintrel) 1.31\n");
        EXPECT_EQ(run.err, "");
    }
}

// Every option --help lists is one the parser knows: given alone, it may lack its value but it is
// never refused as an unknown option.
TEST(Companion, KnowsEveryOptionItsHelpLists) {
    std::istringstream help(RunCompanion({"--help"}).out);
    int listed = 0;
    for (std::string line; std::getline(help, line);) {
        if (!line.starts_with("  --")) {
            continue;
        }
        std::string name;
        std::istringstream(line) >> name;
        const TRun run = RunCompanion({name});
        EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << line << ": " << run.err;
        ++listed;
    }
    EXPECT_GE(listed, 20);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
    std::string named; // what the message must name

    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class CompanionRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(CompanionRefusalTest, ExitsWithTwoAndOneLineNamingTheFault) {
    const TRun run = RunCompanion(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().named), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("\n"));
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "more than one line: " << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, CompanionRefusalTest,
    testing::Values(
        RefusalCase{"UnknownOption", {"--bogus", "AB"}, "--bogus"}, RefusalCase{"ShortOption", {"-x"}, "-x"},
        RefusalCase{"MissingValue", {"AB", "--start"}, "--start"},
        RefusalCase{"FiveDigitColour", {"--start", "FF000"}, "FF000"},
        RefusalCase{"HashBeforeFourDigits", {"--finish", "#FF00"}, "--finish"},
        RefusalCase{"NotHex", {"--middle", "GG0000"}, "GG0000"},
        RefusalCase{"SevenDigitBackground", {"--background", "FFFFFF0"}, "--background"},
        RefusalCase{"UnknownMode", {"--mode", "four"}, "four"},
        RefusalCase{"LineBreakInValue", {"--mode", "two\nthree"}, "two?three"},
        RefusalCase{"SizeTooLarge", {"--size", "5"}, "--size"},
        RefusalCase{"SizeNegative", {"--size", "-1"}, "--size"},
        RefusalCase{"SizeNotANumber", {"--size", "two"}, "two"},
        RefusalCase{"ValueOnAFlag", {"--bold=yes", "AB"}, "--bold"},
        RefusalCase{"ValueOnPage", {"--page=1", "AB"}, "--page"}, RefusalCase{"TwoTexts", {"AB", "CD"}, "CD"},
        RefusalCase{"TextAndFile", {"--text-file", "/dev/null", "AB"}, "--text-file"},
        RefusalCase{"MissingFile", {"--text-file", "/nonexistent/tintrel.txt"}, "/nonexistent/tintrel.txt"},
        RefusalCase{"FolderAsFile", {"--text-file", "/"}, "'/'"},
        RefusalCase{"DeviceAsTextFile", {"--text-file", "/dev/zero"}, "/dev/zero': it is a device"},
        RefusalCase{"ShiftJisBytesInAName",
                    {"--text-file", "/nonexistent/\x82\xA0.txt"},
                    "/nonexistent/\\x82\\xA0.txt"},
        RefusalCase{"InvalidUtf8InAnOption", {"--bogus\xFF"}, "--bogus\\xFF"},
        RefusalCase{"Utf8FileAndText", {"--utf8-text-file", "/dev/null", "AB"}, "--utf8-text-file"},
        RefusalCase{"Utf8FileAndRawFile",
                    {"--utf8-text-file", "/dev/null", "--text-file", "/dev/null"},
                    "--text-file"},
        RefusalCase{"MissingUtf8File", {"--utf8-text-file", "/nonexistent/u.txt"}, "/nonexistent/u.txt"},
        RefusalCase{"BrokenUtf8NamesItsOffset", {"AB\xE3\x81"}, "byte offset 2"},
        RefusalCase{"EuroSignInFace", {"--face", "€font", "AB"}, "U+20AC"},
        RefusalCase{"EscapeInFace", {"--face", "A\x1b]52;c;SGVsbG8=\x07B", "AB"}, "control character"},
        RefusalCase{"DeleteInFace", {"--face", "A\x7F", "AB"}, "control character"},
        RefusalCase{"BracketInABbcodeFace", {"--format", "bbcode", "--face", "a]b", "AB"}, "a]b"},
        RefusalCase{"C1InFace",
                    {"--face",
                     "A\xC2\x9B"
                     "2J",
                     "AB"},
                    "control character"},
        RefusalCase{"BrokenUtf8", {"A\xFF"}, "0xFF"},
        RefusalCase{"UnknownFormat", {"--format", "html", "AB"}, "html"},
        RefusalCase{"FormatNamesAreLowerCase", {"--format", "CSS", "AB"}, "CSS"},
        RefusalCase{"NoPageForATerminal", {"--format", "ansi", "--page", "AB"}, "--page"},
        RefusalCase{"NoPageForTheColourCube", {"--format", "ansi256", "--page", "AB"}, "--page"},
        RefusalCase{"StandardInputAndText", {"-", "AB"}, "AB"},
        RefusalCase{"StandardInputAndFile", {"--text-file", "-", "AB"}, "--text-file"},
        RefusalCase{"BudgetOfNothing", {"--format", "json", "--budget", "0", "AB"}, "'0' for --budget"},
        RefusalCase{"BudgetNotANumber", {"--budget", "12x", "AB"}, "'12x' for --budget"},
        RefusalCase{"StyleWithoutDecode", {"--to-style", "x.tsy", "AB"}, "--to-style needs --decode"},
        RefusalCase{"NoPageForMinecraft", {"--format", "amp-hex", "--page", "AB"}, "--format amp-hex"}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace

namespace {

// A style file as the Windows program writes it: Shift-JIS, CR LF, both modes set.
const std::string kStyleFile = Written(
    {"[\x83\x5C\x83\x74\x83\x67]", // ソフト: trail bytes 0x5C, 0x74
     "DrawFont.Name=" + kMsPGothicSjis, "DrawFont.Size=9", "DrawFont.Style=5", "DrawFont.Color=0x80000008",
     "SizeIndex=2", "Head=1", "StartColor=0x00FF0000", "FinishColor=0x0000FF00", "MiddleColor=0x00FFFFFF",
     "BGColor=0x8000000F", "Mirror=1", "Trico=1"});

const std::string kStyledBody = "<FONT SIZE=\"+3\" COLOR=\"#0000FF\">A</FONT><FONT COLOR=\"#FFFFFF\">B</FONT>"
                                "<FONT COLOR=\"#00FF00\">C</FONT>";

struct StyleCase {
    const char* name;
    std::vector<std::string> before; // options before --style FILE
    std::vector<std::string> after;  // options after it
    std::string out;

    friend void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }
};

class CompanionStyleTest : public testing::TestWithParam<StyleCase> {};

TEST_P(CompanionStyleTest, AppliesTheStyleFileWhereItStandsAmongTheOptions) {
    const TTempFolder dir;
    const fs::path style = fs::path(dir.Path()) / "style.tsy";
    std::ofstream(style, std::ios::binary) << kStyleFile;
    std::vector<std::string> args = GetParam().before;
    args.insert(args.end(), {"--style", style.string()});
    args.insert(args.end(), GetParam().after.begin(), GetParam().after.end());
    args.push_back("ABC");
    const TRun run = RunCompanion(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    StyleFiles, CompanionStyleTest,
    testing::Values(StyleCase{"ThreeColoursWinOverMirror",
                              {},
                              {},
                              Written({"<U><FONT SIZE=\"+2\"><B>", kStyledBody, "</B></FONT></U>"})},
                    StyleCase{"FaceTagUsesTheStyleFace",
                              {},
                              {"--face-tag"},
                              Written({"<U><FONT FACE=\"" + kMsPGothicSjis + "\"><FONT SIZE=\"+2\"><B>",
                                       kStyledBody, "</B></FONT></FONT></U>"})},
                    StyleCase{"OptionsBeforeItAreOverridden",
                              {"--size", "1", "--start", "000000"},
                              {},
                              Written({"<U><FONT SIZE=\"+2\"><B>", kStyledBody, "</B></FONT></U>"})},
                    StyleCase{"OptionsAfterItOverrideIt",
                              {},
                              {"--mode", "two", "--size", "0", "--finish", "FF0000"},
                              Written({"<U><B>",
                                       "<FONT COLOR=\"#0000FF\">A</FONT><FONT COLOR=\"#7F0080\">B</FONT>"
                                       "<FONT COLOR=\"#FF0000\">C</FONT>",
                                       "</B></U>"})},
                    StyleCase{"SystemBackgroundIsTheButtonFaceOnThePage",
                              {},
                              {"--page", "--size", "0", "--bold", "--lower"},
                              Written({"<html><head><title>Tintrel Sample</title></head>",
                                       "<body bgcolor=\"#C0C0C0\">", "<u><b>",
                                       "<font color=\"#0000FF\">A</font><font color=\"#FFFFFF\">B</font>"
                                       "<font color=\"#00FF00\">C</font>",
                                       "</b></u>", "</body></html>"})}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Companion, RefusesAStyleFileWithABadValueNamingFileKeyAndValue) {
    const TTempFolder dir;
    const fs::path style = fs::path(dir.Path()) / "bad.tsy";
    const struct {
        std::string line, key, value;
    } cases[] = {
        {"StartColor=0xFFZZ0000", "StartColor", "0xFFZZ0000"},
        // A face name that would set the terminal's clipboard and clear its screen.
        {"DrawFont.Name=A\x1b]52;c;SGVsbG8=\x07"
         "B\x1b[2J",
         "DrawFont.Name", "A\\x1B]52;c;SGVsbG8=\\x07"},
    };
    for (const auto& c : cases) {
        std::ofstream(style, std::ios::binary) << Written({"[s]", c.line});
        const TRun run = RunCompanion({"--style", style.string(), "--face-tag", "AB"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
        for (const std::string& named : {style.string(), c.key, c.value}) {
            EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        }
    }
}

// A FIFO would wait for a writer, a huge file would be read whole; a link loop is no missing file.
TEST(Companion, RefusesFilesItMustNotReadAndNamesTheRealCause) {
    const TTempFolder dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.txt");
    std::ofstream(huge, std::ios::binary).put('x');
    fs::resize_file(huge, std::uintmax_t{16} << 30); // sparse: 16 GB that take no room
    const std::string loop = dir.File("loop");
    fs::create_symlink(loop, loop);
    const struct {
        std::vector<std::string> args;
        std::string named;
    } cases[] = {
        {{"--text-file", fifo}, fifo + "': it is a FIFO"},
        {{"--style", fifo, "AB"}, fifo + "': it is a FIFO"},
        {{"--text-file", huge}, "too large"},
        {{"--text-file", loop}, loop + "': Too many levels of symbolic links"},
        {{"--style", loop, "AB"}, loop + "': Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        const TRun run = RunCompanion(c.args);
        EXPECT_EQ(run.status, 2) << c.args.front();
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    }
}

TEST(Companion, RefusesAStyleFileThatCannotBeRead) {
    const TTempFolder dir;
    const fs::path empty = fs::path(dir.Path()) / "empty.tsy";
    std::ofstream(empty, std::ios::binary) << "";
    for (const std::string& name :
         {(fs::path(dir.Path()) / "missing.tsy").string(), dir.Path(), empty.string()}) {
        const TRun run = RunCompanion({"--style", name, "AB"});
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
    }
}

} // namespace

namespace {

struct StdinCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string errNames; // empty: nothing on standard error

    friend void PrintTo(const StdinCase& c, std::ostream* os) { *os << c.name; }
};

class CompanionStdinTest : public testing::TestWithParam<StdinCase> {};

TEST_P(CompanionStdinTest, ReadsStandardInputAsATerminalColouriserDoes) {
    const StdinCase& c = GetParam();
    const TRun run = RunCompanion(c.args, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
    if (c.errNames.empty()) {
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_NE(run.err.find(c.errNames), std::string::npos) << run.err;
    }
}

const std::string kAnsiA = "\x1b[38;2;255;0;0mA\x1b[0m\n";

INSTANTIATE_TEST_SUITE_P(
    Input, CompanionStdinTest,
    testing::Values(
        // Every line a text of its own: an empty line stays empty, one character takes the start
        // colour, CR LF and a missing last line end lose nothing.
        StdinCase{"AnsiColoursEveryLine",
                  {"--format", "ansi", "-"},
                  "AB\n\nA\r\nAB",
                  "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m\n\n" + kAnsiA +
                      "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m\n",
                  ""},
        StdinCase{"AnsiLastLineEndOpensNoLine", {"--format", "ansi", "-"}, "A\n", kAnsiA, ""},
        StdinCase{"AnsiEmptyInputWritesNothing", {"--format", "ansi", "-"}, "", "", ""},
        StdinCase{"AnsiWritesCharactersOutsideCp932AsUtf8",
                  {"--format", "ansi", "-"},
                  "A\xF0\x9F\x98\x80",
                  "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0m\xF0\x9F\x98\x80\x1b[0m\n",
                  ""},
        StdinCase{"BytesThatAreNotUtf8BecomeReplacementCharacters",
                  {"--format", "ansi", "-"},
                  "A\xFF",
                  "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0m\xEF\xBF\xBD\x1b[0m\n",
                  "byte offset 1"},
        StdinCase{"OtherKindsTakeTheFirstLineAndSaySo",
                  {"--format", "font", "-"},
                  "AB\nCD\n",
                  Written({"", kRedYellowUpper, ""}),
                  "2 lines"},
        StdinCase{
            "OneLineWithItsLineEndNeedsNoWord", {"-"}, "AB\r\n", Written({"", kRedYellowUpper, ""}), ""},
        StdinCase{
            "TextFileFromStandardInputIsCp932",
            {"--text-file", "-", "--lower"},
            "\x83\x5C\\",
            Written({"", "<font color=\"#FF0000\">\x83\x5C</font><font color=\"#FFFF00\">\\</font>", ""}),
            ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Companion, CssPageIsAcceptedByTheHtmlChecker) {
    if (std::system("command -v tidy >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "the HTML checker tidy is not installed (Debian package tidy; scripts/setup.sh "
                        "installs it)";
    }
    const TTempFolder dir;
    const std::string page = dir.File("page.html");
    const TRun run = RunCompanion({"--format", "css", "--page", "Tintrel"});
    ASSERT_EQ(run.status, 0) << run.err;
    WriteBytes(page, run.out);
    const std::string report = dir.File("tidy.txt");
    const std::string command = "tidy -q -e --drop-empty-elements no '" + page + "' >'" + report + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadBytes(report);
    EXPECT_EQ(ReadBytes(report), "");
}

// The length budgets: each step of --fit in its order, and the refusal when nothing fits.
TEST(Companion, FitsTheOutputByTheLeastVisibleStepThatWorks) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string note; // on standard error
        std::size_t most; // the output's greatest length (UTF-16 code units, no line end)
    } cases[] = {
        {{"--format", "amp-hex", "--fit", "Hello world"}, 0, "", 256},
        {{"--format", "amp-hex", "--fit", "--budget", "30", "--finish", "FF0000", "Hello world"},
         0,
         "fits in 19 of 30 UTF-16 code units with one code for each run of one colour\n",
         30},
        {{"--format", "amp-hex", "--fit", "--budget", "60", "a b c d e f"},
         0,
         "fits in 59 of 60 UTF-16 code units with one code for each run of one colour and none for spaces\n",
         60},
        {{"--format", "section-x", "--fit", "A sixteen-char name"},
         0,
         "fits in 159 of 256 UTF-16 code units with 2 characters to each colour step\n",
         256},
        {{"--format", "minimessage", "--fit", "--budget", "80", "--stops", "FF0000,00FF00,0000FF",
          "Gradient text for chats"},
         0,
         "fits in 68 of 80 UTF-16 code units as one <gradient> tag, whose colours the server computes\n",
         80},
        // The design's three colours turn at another character than the server's even spread.
        {{"--format", "minimessage", "--fit", "--budget", "80", "--mode", "three", "Gradient text for chats"},
         0,
         "fits in 77 of 80 UTF-16 code units with 4 characters to each colour step\n",
         80},
        {{"--format", "json", "--fit", "--budget", "50", "Gradient text for forums and chats"},
         3,
         "the output does not fit the budget of 50 UTF-16 code units: the shortest it gets is 98; 0 of the "
         "text's 34 characters would fit\n",
         0},
        {{"--format", "irc", "--fit", "--budget", "12", "Gradient text"},
         3,
         "the output does not fit the budget of 12 bytes: the shortest it gets is 20; 5 of the text's 13 "
         "characters would fit\n",
         0},
    };
    for (const auto& c : cases) {
        const TRun run = RunCompanion(c.args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.note.empty() ? "" : "tintrel-html: " + c.note);
        std::string out = run.out;
        if (out.ends_with("\r\n")) {
            out.resize(out.size() - 2);
        }
        std::size_t units = 0; // UTF-16: one per character, two beyond U+FFFF
        for (const char byte : out) {
            units += ((byte & 0xC0) != 0x80 ? 1 : 0) + ((byte & 0xF8) == 0xF0 ? 1 : 0);
        }
        EXPECT_LE(units, c.most);
        if (c.status == 0) {
            // Both end colours stay exact.
            const TRun read = RunCompanion({"--decode"}, run.out);
            EXPECT_NE(read.out.find("\n#FF0000\t"), std::string::npos) << read.out;
        }
    }
}

TEST(Companion, CountsTheOutputAgainstItsBudget) {
    EXPECT_EQ(RunCompanion({"--format", "irc", "--count", "Hi"}).err, "9 / 400 bytes\n");
    EXPECT_EQ(RunCompanion({"--format", "pango", "--count", "Hi"}).err, "83 UTF-16 code units\n");
    EXPECT_EQ(
        RunCompanion({"--format", "amp-hex", "--budget", "10", "Hi"}).err,
        "tintrel-html: the output is 18 UTF-16 code units, over the budget of 10 (--fit shortens it)\n");
}

// The companion as the oracle of --decode: what each kind writes reads back as the text, and
// --to-style keeps its colours and styles.
TEST(Companion, DecodesWhatEveryKindWritesAndMakesAStyleOfIt) {
    const std::string text = "Ab <&>\\ \xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD \xE3\x82\xA2";
    for (const char* kind : {"font", "css", "bbcode", "minimessage", "amp-hex", "amp-x", "section-x", "json",
                             "discord", "irc", "github", "pango", "css-clip"}) {
        const TRun written = RunCompanion({"--format", kind, "--bold", "--mode", "mirror", text});
        const TRun read = RunCompanion({"--decode", "-"}, written.out);
        EXPECT_EQ(read.status, 0) << kind;
        EXPECT_EQ(read.err, std::string("tintrel-html: read as ") + kind + "\n");
        EXPECT_TRUE(read.out.starts_with(text + "\n#")) << kind << ": " << read.out;
    }
    const TTempFolder dir;
    const std::string style = dir.File("read.tsy");
    const TRun written = RunCompanion({"--format", "json", "--italic", "--mode", "mirror", "--start",
                                       "102030", "--finish", "A0B0C0", "Mirrors"});
    EXPECT_EQ(RunCompanion({"--decode", "--to-style", style}, written.out).status, 0);
    EXPECT_EQ(RunCompanion({"--style", style, "--format", "json", "Mirrors"}).out, written.out);
    EXPECT_EQ(RunCompanion({"--decode"}, "no colours here").status, 1);
    const TRun deep = RunCompanion({"--decode"}, "[\"\"," + std::string(70000, '[') + "]");
    EXPECT_EQ(deep.status, 1);
    EXPECT_EQ(deep.err,
              "tintrel-html: the text components in standard input nest more than 512 deep: not read\n");
    EXPECT_EQ(RunCompanion({"--to-style", style, "x"}).status, 2);
}

} // namespace

// The css page's and fragment's language: Japanese for a text with kana or kanji (a mixed one
// too), else the desktop's, and --lang above both. The attribute is read back from the output.
TEST(Companion, TheCssPageDeclaresTheLanguageOfItsText) {
    struct TLanguageCase {
        std::string text;
        const char* desktop; // LANG, with LANGUAGE, LC_ALL and LC_MESSAGES unset
        std::vector<std::string> extra;
        std::string expected;
    };
    const std::vector<TLanguageCase> cases{
        {"Hello world", "en_US.UTF-8", {}, "en"},
        {"Hello world", "de_DE.UTF-8", {}, "de"},
        {"Hello world", "C.UTF-8", {}, "en"},
        {"こんにちは", "en_US.UTF-8", {}, "ja"},
        {"Hello 世界", "en_US.UTF-8", {}, "ja"},
        {"ｶﾅ", "en_US.UTF-8", {}, "ja"},
        {"Hello world", "ja_JP.UTF-8", {}, "ja"},
        {"こんにちは", "ja_JP.UTF-8", {"--lang", "en"}, "en"},
        {"Hello world", "en_US.UTF-8", {"--lang", "pt-BR"}, "pt-BR"},
    };
    const std::vector<std::string> saved{"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> before;
    for (const std::string& name : saved) {
        const char* value = std::getenv(name.c_str());
        before.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        unsetenv(name.c_str());
    }
    for (const TLanguageCase& c : cases) {
        setenv("LANG", c.desktop, 1);
        std::vector<std::string> args{"--format", "css", "--page"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.push_back(c.text);
        const TRun run = RunCompanion(args);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::size_t at = run.out.find("<HTML LANG=\"");
        ASSERT_NE(at, std::string::npos) << run.out;
        const std::size_t start = at + 12;
        EXPECT_EQ(run.out.substr(start, run.out.find('"', start) - start), c.expected)
            << c.text << " " << c.desktop;
        // The fragment alone names it too, on the plain text that screen readers read.
        args.erase(args.begin() + 2);
        const TRun fragment = RunCompanion(args);
        const std::size_t plain = fragment.out.find("<SPAN LANG=\"");
        ASSERT_NE(plain, std::string::npos) << fragment.out;
        EXPECT_EQ(fragment.out.substr(plain + 12, c.expected.size() + 1), c.expected + "\"") << c.text;
        EXPECT_EQ(fragment.out.find("<SPAN LANG=", plain + 1), std::string::npos);
    }
    for (const char* bad : {"", "e", "en US", "en\"><script>", "-en"}) {
        const TRun run = RunCompanion({"--format", "css", "--page", "--lang", bad, "Hi"});
        EXPECT_NE(run.status, 0) << bad;
        EXPECT_TRUE(run.out.empty()) << bad;
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        before[i] ? setenv(saved[i].c_str(), before[i]->c_str(), 1) : unsetenv(saved[i].c_str());
    }
}
