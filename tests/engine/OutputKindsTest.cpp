#include "engine/AnsiEmitter.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/MinecraftEmitters.h"
#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetReader.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"

#include "support/WrittenLines.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

template <typename Change> THtmlOptions With(TOutputKind kind, Change change) {
    THtmlOptions options;
    options.Kind = kind;
    change(options);
    return options;
}

THtmlOptions Plain(TOutputKind kind) {
    return With(kind, [](THtmlOptions&) {});
}

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};

// "ＭＳ Ｐゴシック" in Shift-JIS and in UTF-8.
const std::string kMsPGothic = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string kMsPGothicUtf8 =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
// A style file can carry any face name.
const std::string kHostileFace = "x\"><script>]'\\";

const std::string kHidden = "position:absolute;width:1px;height:1px;padding:0;margin:-1px;overflow:hidden;"
                            "clip:rect(0,0,0,0);white-space:nowrap;border:0";

void EverythingOn(THtmlOptions& o) {
    o.FaceName = kMsPGothic;
    o.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    o.SizeStep = 2;
    o.FirstLetterLarger = true;
    o.FaceTag = true;
    o.LogicalTags = true;
    o.Comment = true;
    o.BreakInTag = true;
    o.Table = true;
    o.BackgroundHex = "FFFFFF";
}

struct KindCase {
    const char* name;
    std::string text; // Shift-JIS
    THtmlOptions options;
    bool upper;
    std::string written;

    friend void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }
};

class OutputKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(OutputKindTest, IsWrittenByteForByte) {
    const auto& c = GetParam();
    TTagVocabulary tg;
    tg.ApplyTagCase(c.upper);
    const THtmlText text = BuildHtmlText(c.text, kRedToYellow, c.options, tg);
    EXPECT_EQ(text.Written(), c.written);
    EXPECT_EQ(text.Encoding(), TTextEncoding::Utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Css, OutputKindTest,
    testing::Values(
        KindCase{"DefaultsUpperCase", "AB", Plain(okCss), true,
                 Written({"",
                          R"(<SPAN ARIA-HIDDEN="true"><SPAN STYLE="color:#FF0000">A</SPAN>)"
                          R"(<SPAN STYLE="color:#FFFF00">B</SPAN></SPAN><SPAN STYLE=")" +
                              kHidden + R"(">AB</SPAN>)",
                          ""})},
        KindCase{
            "EverythingOnLowerCase", "AB", With(okCss, EverythingOn), false,
            Written({R"(<span style="display:inline-block;padding:2px;background-color:#FFFFFF">)",
                     R"(<!-- Tintrel "AB" -->)",
                     "<span style=\"font-family:'" + kMsPGothicUtf8 +
                         "';font-size:x-large;text-decoration:underline line-through\"><cite><strong>",
                     R"(<span aria-hidden="true"><span )",
                     R"(style="font-size:xx-large;color:#FF0000">A</span><span )",
                     R"(style="color:#FFFF00">B</span></span><span style=")" + kHidden + R"(">AB</span>)",
                     "</strong></cite></span>", R"(<!-- End of  "AB" -->)", "</span>"})},
        KindCase{
            "StylesAsCssAndTheLargestSizeHeldForTheFirstLetter", "AB",
            With(okCss,
                 [](THtmlOptions& o) {
                     o.Style = fsBold | fsItalic;
                     o.SizeStep = 4;
                     o.FirstLetterLarger = true;
                 }),
            false,
            Written({R"(<span style="font-size:xxx-large;font-weight:bold;font-style:italic">)",
                     R"(<span aria-hidden="true"><span style="font-size:xxx-large;color:#FF0000">A</span>)"
                     R"(<span style="color:#FFFF00">B</span></span><span style=")" +
                         kHidden + R"(">AB</span>)",
                     "</span>"})},
        // Markup characters become entities in the spans, the plain text and the comment, and
        // no two hyphens stand together in a comment; Shift-JIS characters become UTF-8.
        KindCase{"TextEscapedAndInUtf8", "<&\"-\x2D\x83\x41\xB1",
                 With(okCss, [](THtmlOptions& o) { o.Comment = true; }), false,
                 Written({R"(<!-- Tintrel "&lt;&amp;"-&#45;ア)"
                          "\xEF\xBD\xB1"
                          R"(" -->)",
                          "",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">&lt;</span>)"
                          R"(<span style="color:#FF2A00">&amp;</span><span style="color:#FF5500">"</span>)"
                          R"(<span style="color:#FF7F00">-</span><span style="color:#FFAA00">-</span>)"
                          R"(<span style="color:#FFD400">ア</span><span style="color:#FFFF00">)"
                          "\xEF\xBD\xB1"
                          R"(</span></span><span style=")" +
                              kHidden +
                              R"(">&lt;&amp;"--ア)"
                              "\xEF\xBD\xB1"
                              "</span>",
                          "",
                          R"(<!-- End of  "&lt;&amp;"-&#45;ア)"
                          "\xEF\xBD\xB1"
                          R"(" -->)"})},
        // One option at a time, where the options on together hide a mix-up.
        KindCase{"UnderlineAlone", "AB", With(okCss, [](THtmlOptions& o) { o.Style = fsUnderline; }), false,
                 Written({R"(<span style="text-decoration:underline">)",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">A</span>)"
                          R"(<span style="color:#FFFF00">B</span></span><span style=")" +
                              kHidden + R"(">AB</span>)",
                          "</span>"})},
        KindCase{"StrikeOutAlone", "AB", With(okCss, [](THtmlOptions& o) { o.Style = fsStrikeOut; }), false,
                 Written({R"(<span style="text-decoration:line-through">)",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">A</span>)"
                          R"(<span style="color:#FFFF00">B</span></span><span style=")" +
                              kHidden + R"(">AB</span>)",
                          "</span>"})},
        KindCase{"CommentOfATextThatBeginsWithHyphens", "--",
                 With(okCss, [](THtmlOptions& o) { o.Comment = true; }), false,
                 Written({R"(<!-- Tintrel "-&#45;" -->)", "",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">-</span>)"
                          R"(<span style="color:#FFFF00">-</span></span><span style=")" +
                              kHidden + R"(">--</span>)",
                          "", R"(<!-- End of  "-&#45;" -->)"})},
        // DEL as a hexadecimal escape, ended by a space so the 1 after it is not read as a digit.
        KindCase{"DeleteInAFaceName", "AB",
                 With(okCss,
                      [](THtmlOptions& o) {
                          o.FaceName = "A\x7F"
                                       "1";
                          o.FaceTag = true;
                      }),
                 false,
                 Written({R"(<span style="font-family:'A\7F 1'">)",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">A</span>)"
                          R"(<span style="color:#FFFF00">B</span></span><span style=")" +
                              kHidden + R"(">AB</span>)",
                          "</span>"})},
        KindCase{"HostileFaceNameEscaped", "AB",
                 With(okCss,
                      [](THtmlOptions& o) {
                          o.FaceName = kHostileFace;
                          o.FaceTag = true;
                      }),
                 false,
                 Written({R"(<span style="font-family:'x&quot;&gt;&lt;script&gt;]\'\\'">)",
                          R"(<span aria-hidden="true"><span style="color:#FF0000">A</span>)"
                          R"(<span style="color:#FFFF00">B</span></span><span style=")" +
                              kHidden + R"(">AB</span>)",
                          "</span>"})}));

INSTANTIATE_TEST_SUITE_P(
    Bbcode, OutputKindTest,
    testing::Values(
        KindCase{"DefaultsUpperCase", "AB", Plain(okBbcode), true,
                 Written({"", "[COLOR=#FF0000]A[/COLOR][COLOR=#FFFF00]B[/COLOR]", ""})},
        // No table, no comment, no break inside a tag; logical tags are plain ones.
        KindCase{"EverythingOnLowerCase", "AB", With(okBbcode, EverythingOn), false,
                 Written({"[s][u][font=" + kMsPGothicUtf8 + "][size=5][i][b]",
                          "[size=6][color=#FF0000]A[/color][/size][color=#FFFF00]B[/color]",
                          "[/b][/i][/size][/font][/u][/s]"})},
        KindCase{"LargestSizeHeldAtSeven", "AB",
                 With(okBbcode,
                      [](THtmlOptions& o) {
                          o.SizeStep = 4;
                          o.FirstLetterLarger = true;
                      }),
                 false,
                 Written({"[size=7]", "[size=7][color=#FF0000]A[/color][/size][color=#FFFF00]B[/color]",
                          "[/size]"})},
        KindCase{"FirstLetterSizeInUpperCase", "AB",
                 With(okBbcode,
                      [](THtmlOptions& o) {
                          o.SizeStep = 1;
                          o.FirstLetterLarger = true;
                      }),
                 true,
                 Written({"[SIZE=4]", "[SIZE=5][COLOR=#FF0000]A[/COLOR][/SIZE][COLOR=#FFFF00]B[/COLOR]",
                          "[/SIZE]"})},
        KindCase{"NoSizeAtStepZeroEvenForALargerFirstLetter", "AB",
                 With(okBbcode, [](THtmlOptions& o) { o.FirstLetterLarger = true; }), false,
                 Written({"", "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", ""})},
        KindCase{"TextAsUtf8Unescaped", "<\x83\x41", Plain(okBbcode), false,
                 Written({"", "[color=#FF0000]<[/color][color=#FFFF00]ア[/color]", ""})},
        // Forums read a value as written; one with a bracket cannot be carried at all.
        KindCase{"HostileFaceNameLeftOut", "AB",
                 With(okBbcode,
                      [](THtmlOptions& o) {
                          o.FaceName = kHostileFace;
                          o.FaceTag = true;
                      }),
                 false, Written({"", "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", ""})},
        KindCase{
            "FaceNameAsTheForumReadsIt", "AB",
            With(okBbcode,
                 [](THtmlOptions& o) {
                     o.FaceName = "A&B <C>\"";
                     o.FaceTag = true;
                 }),
            false,
            Written({"[font=A&B <C>\"]", "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", "[/font]"})},
        KindCase{"OpeningBracketInAFaceName", "AB",
                 With(okBbcode,
                      [](THtmlOptions& o) {
                          o.FaceName = "A[b";
                          o.FaceTag = true;
                      }),
                 false, Written({"", "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", ""})}));

INSTANTIATE_TEST_SUITE_P(
    Ansi, OutputKindTest,
    testing::Values(
        KindCase{"TrueColour", "AB", Plain(okAnsi), true,
                 Written({"\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m"})},
        KindCase{"StylesAndTableBackground", "AB", With(okAnsi, EverythingOn), true,
                 Written({"\x1b[1;3;4;9;48;2;255;255;255m\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m"})},
        // Red, green, blue in that order; 100 has three digits.
        KindCase{"TableBackgroundChannelsInOrder", "AB",
                 With(okAnsi,
                      [](THtmlOptions& o) {
                          o.Table = true;
                          o.BackgroundHex = "640A00";
                      }),
                 true, Written({"\x1b[48;2;100;10;0m\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m"})},
        KindCase{"ColourCube", "ABC",
                 With(okAnsi256,
                      [](THtmlOptions& o) {
                          o.Table = true;
                          o.BackgroundHex = "5F87AF";
                      }),
                 true, Written({"\x1b[48;5;67m\x1b[38;5;196mA\x1b[38;5;208mB\x1b[38;5;226mC\x1b[0m"})},
        // A text cannot steer the terminal: its control characters show as pictures.
        KindCase{
            "ControlCharactersShown", "\x1b[\t", Plain(okAnsi), true,
            Written({"\x1b[38;2;255;0;0m\xE2\x90\x9B\x1b[38;2;255;127;0m[\x1b[38;2;255;255;0m\t\x1b[0m"})}));

// Size step 2 is x-large in the desktop markup and the clipped gradient, as in the css kind.
INSTANTIATE_TEST_SUITE_P(
    Desktop, OutputKindTest,
    testing::Values(
        KindCase{"PangoSizeStepTwo", "AB", With(okPango, [](THtmlOptions& o) { o.SizeStep = 2; }), false,
                 Written({R"(<span size="x-large"><span foreground="#FF0000">A</span>)"
                          R"(<span foreground="#FFFF00">B</span></span>)"})},
        KindCase{"CssClipSizeStepTwo", "AB", With(okCssClip, [](THtmlOptions& o) { o.SizeStep = 2; }), false,
                 Written({R"(<span style="background:linear-gradient(90deg,#FF0000,#FFFF00);)"
                          R"(-webkit-background-clip:text;background-clip:text;color:transparent;)"
                          R"(font-size:x-large">AB</span>)"})}));

TEST(OutputLineTest, EmptyStaysEmptyAndOneCharacterTakesTheStartColour) {
    TTagVocabulary tg;
    const THtmlOptions options = Plain(okAnsi);
    EXPECT_EQ(OutputLine("", kNoClusters, kRedToYellow, options, tg), "");
    EXPECT_EQ(OutputLine("A", kNoClusters, kRedToYellow, options, tg), "\x1b[38;2;255;0;0mA\x1b[0m");
    EXPECT_EQ(OutputLine("\x83\x41", kNoClusters, kRedToYellow, options, tg),
              "\x1b[38;2;255;0;0m\xE3\x82\xA2\x1b[0m");
    EXPECT_EQ(OutputLine("AB", kNoClusters, kRedToYellow, options, tg),
              "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m");
}

// Many small pieces straight through the buffer, each copied with its whole block, with every
// decimal from 0 to 255 between them: the spare block must always be there (ASan), and the
// decimals read as std::to_string writes them.
TEST(OutputBufferTest, SmallPiecesAndEveryDecimalComeOutAsWritten) {
    TOutputBuffer out;
    out.Expect(0);
    const TPiece piece("<a>");
    std::string expected;
    for (unsigned i = 0; i < 4096; ++i) {
        out.MakeRoom(piece.size() + 3);
        out.Put(piece);
        out.PutByte(i % 256);
        expected += "<a>" + std::to_string(i % 256);
    }
    EXPECT_EQ(out.Take(), expected);
}

// Nothing in a text steers the terminal: with the colour codes taken out, no C0 control (but the
// tab), DEL or C1 control is left; a space stays a space, DEL shows as its picture and CSI as
// escape's picture and "[".
TEST(OutputKindClusterTest, TheTerminalKindsShowEveryControlCharacter) {
    std::u16string controls;
    for (char16_t c = 1; c < 0xA0; ++c) {
        controls += c;
    }
    const TUnitText units = UnitTextFromUtf8(Utf16ToUtf8(controls));
    TTagVocabulary tg;
    for (const TOutputKind kind : {okAnsi, okAnsi256, okTerm}) {
        const std::string written =
            BuildHtmlText(units.Text, units.Clusters, kRedToYellow, Plain(kind), tg).Written();
        const std::string shown =
            std::regex_replace(written.substr(0, written.size() - 2), std::regex("\x1b\\[[0-9;]*m"), "");
        for (std::size_t pos = 0; pos < shown.size(); ++pos) {
            const auto byte = static_cast<unsigned char>(shown[pos]);
            const bool c1 =
                byte == 0xC2 && pos + 1 < shown.size() && static_cast<unsigned char>(shown[pos + 1]) < 0xA0;
            EXPECT_FALSE((byte < 0x20 && byte != '\t') || byte == 0x7F || c1) << pos << " in " << shown;
        }
        EXPECT_NE(shown.find(" !"), std::string::npos);
        EXPECT_NE(shown.find("~\xE2\x90\xA1"), std::string::npos);
        EXPECT_NE(shown.find("\xE2\x90\x9B[\xE2\x90\x9B\\"), std::string::npos);
    }
}

// What each target would obey stands in no kind's output raw: github's math renderer refuses
// controls and line breaks in \\text{}, a chat's ANSI block and IRC obey C1 controls, and a
// terminal turns the text after a directional override around.
TEST(OutputKindClusterTest, NoKindWritesRawWhatItsTargetObeys) {
    const std::string csi = "\xC2\x9B", nel = "\xC2\x85", osc = "\xC2\x9D";
    const std::string rlo = "\xE2\x80\xAE", lri = "\xE2\x81\xA6";
    const struct {
        TOutputKind kind;
        std::vector<std::string> raw;
    } cases[] = {
        {okGithub, {"\x01", "\x1B", "\x7F", "\xE2\x80\xA8", "\xE2\x80\xA9"}},
        {okDiscord, {csi, nel, osc}},
        {okIrc, {csi, nel, osc}},
        {okAnsi, {rlo, lri, csi}},
        {okAnsi256, {rlo, lri}},
        {okTerm, {rlo, lri}},
    };
    TTagVocabulary tg;
    for (const auto& c : cases) {
        std::string text = "a";
        for (const std::string& raw : c.raw) {
            text += raw + "b";
        }
        const TUnitText units = UnitTextFromUtf8(text);
        const std::string written =
            BuildHtmlText(units.Text, units.Clusters, kRedToYellow, Plain(c.kind), tg).Written();
        for (const std::string& raw : c.raw) {
            EXPECT_EQ(written.find(raw), std::string::npos) << OutputKindName(c.kind) << ": " << written;
        }
        EXPECT_NE(written.find('b'), std::string::npos) << written;
    }
}

// Whatever a text leaves open of its embeddings, overrides and isolates is closed at the end of
// the fragment, innermost first, in every kind that writes markup; the css kinds also isolate it.
TEST(OutputKindClusterTest, TheMarkupKindsCloseWhatTheTextLeavesOpen) {
    const std::string rlo = "\xE2\x80\xAE", rle = "\xE2\x80\xAB", lre = "\xE2\x80\xAA", pdf = "\xE2\x80\xAC";
    const std::string rli = "\xE2\x81\xA7", fsi = "\xE2\x81\xA8", pdi = "\xE2\x81\xA9";
    const struct {
        std::string text;
        std::string closers; // P for a PDF, I for a PDI
    } cases[] = {
        {"abc" + rlo + "def", "P"},
        {rli + "x", "I"},
        {rle + "a" + fsi + "b" + lre + "c", "PIP"},
        {rlo + "a" + pdf, ""},
        {rli + rlo + "a" + pdi, ""}, // the PDI closes the override inside its isolate too
        {rlo + "a" + pdi, "P"},      // a PDI with no isolate open closes nothing
        {rli + "a" + pdf, "I"},      // a PDF does not reach out of an isolate
        {rlo + rlo + "a" + pdf, "P"},
    };
    TTagVocabulary tg;
    for (const auto& c : cases) {
        const TUnitText units = UnitTextFromUtf8(c.text);
        for (const TOutputKind kind : {okFont, okCss, okBbcode, okCssClip}) {
            const bool isolates = kind == okCss || kind == okCssClip;
            std::string expected;
            for (const char closer : c.closers) {
                expected +=
                    kind == okFont ? (closer == 'P' ? "&#8236;" : "&#8297;") : (closer == 'P' ? pdf : pdi);
            }
            expected += kind == okCssClip ? "</span></bdi>\r\n" : (isolates ? "</bdi>\r\n" : "\r\n");
            const std::string written =
                BuildHtmlText(units.Text, units.Clusters, kRedToYellow, Plain(kind), tg).Written();
            EXPECT_TRUE(written.ends_with(expected))
                << c.text << " " << OutputKindName(kind) << ": " << written;
            EXPECT_EQ(isolates, written.starts_with("<bdi>")) << written;
            const std::string before = written.substr(0, written.size() - expected.size());
            if (kind == okCssClip) {
                EXPECT_TRUE(before.ends_with(c.text)) << written; // no closing element between
                continue;
            }
            for (const std::string& closer : {pdf, pdi, std::string("&#8236;"), std::string("&#8297;")}) {
                EXPECT_FALSE(before.ends_with(closer)) << written;
            }
        }
    }
}

// A cluster that code page 932 cannot hold is one unit; the UTF-8 kinds write it as it is, where
// the font tags carry references.
TEST(OutputKindClusterTest, TheUtf8KindsWriteAClusterAsItsUtf8) {
    // A, a thumbs-up with its skin tone, and a markup character with a combining mark.
    const TUnitText units = UnitTextFromUtf8("A\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD<\xCC\xB8");
    TTagVocabulary tg;
    const auto build = [&](TOutputKind kind) {
        return BuildHtmlText(units.Text, units.Clusters, kRedToYellow, Plain(kind), tg).Written();
    };
    EXPECT_EQ(build(okBbcode),
              Written({"",
                       "[color=#FF0000]A[/color][color=#FF7F00]\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"
                       "[/color][color=#FFFF00]<\xCC\xB8[/color]",
                       ""}));
    EXPECT_EQ(build(okAnsi),
              Written({"\x1b[38;2;255;0;0mA\x1b[38;2;255;127;0m\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"
                       "\x1b[38;2;255;255;0m<\xCC\xB8\x1b[0m"}));
    EXPECT_EQ(build(okCss),
              Written({"",
                       R"(<span aria-hidden="true"><span style="color:#FF0000">A</span>)"
                       R"(<span style="color:#FF7F00">)"
                       "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"
                       R"(</span><span style="color:#FFFF00">&lt;)"
                       "\xCC\xB8"
                       R"(</span></span><span style=")" +
                           kHidden + R"(">A)" + "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD&lt;\xCC\xB8" + "</span>",
                       ""}));
    EXPECT_NE(build(okFont).find("&#128077;&#127997;"), std::string::npos) << build(okFont);
    // A cluster that begins with "&" is escaped as one that begins with "<" is.
    const TUnitText ampersand = UnitTextFromUtf8("A&\xCC\xB8");
    const std::string css =
        BuildHtmlText(ampersand.Text, ampersand.Clusters, kRedToYellow, Plain(okCss), tg).Written();
    EXPECT_NE(css.find(">&amp;\xCC\xB8</span></span>"), std::string::npos) << css;
}

TEST(AnsiCubeTest, ChannelsGoToTheNearestCubeLevel) {
    // Levels 0, 95, 135, 175, 215, 255: the boundaries lie halfway between them.
    EXPECT_EQ(AnsiCubeIndex(0x000000), 16);
    EXPECT_EQ(AnsiCubeIndex(0x00002F), 16);
    EXPECT_EQ(AnsiCubeIndex(0x000030), 16 + 36);
    EXPECT_EQ(AnsiCubeIndex(0x000072), 16 + 36);
    EXPECT_EQ(AnsiCubeIndex(0x000073), 16 + 72);
    EXPECT_EQ(AnsiCubeIndex(0x0000EA), 16 + 36 * 4);
    EXPECT_EQ(AnsiCubeIndex(0x0000EB), 16 + 36 * 5);
    EXPECT_EQ(AnsiCubeIndex(0xFFFFFF), 231);
    EXPECT_EQ(AnsiCubeIndex(0xFF0000), 16 + 5);
}

// What a screen reader reads of a fragment: the text of every element that is not inside an
// aria-hidden element, without comments, entities decoded, line ends dropped.
std::string AccessibleText(const std::string& html) {
    std::string text;
    std::vector<bool> hidden{false};
    for (std::size_t at = 0; at < html.size();) {
        if (html.compare(at, 4, "<!--") == 0) {
            at = html.find("-->", at) + 3;
        } else if (html[at] == '<') {
            const std::size_t end = html.find('>', at);
            const std::string tag = html.substr(at + 1, end - at - 1);
            if (tag.front() == '/') {
                hidden.pop_back();
            } else {
                std::string lower = tag;
                for (char& c : lower) {
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                }
                hidden.push_back(hidden.back() || lower.find("aria-hidden=\"true\"") != std::string::npos);
            }
            at = end + 1;
        } else {
            const char c = html[at++];
            if (hidden.back() || c == '\r' || c == '\n') {
                continue;
            }
            text += c;
        }
    }
    for (const auto& [entity, character] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                            {"&gt;", ">"},
                                            {"&quot;", "\""},
                                            {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
            text.replace(at, entity.size(), character);
        }
    }
    return text;
}

TEST(CssAccessibilityTest, AScreenReaderReadsTheTextOnceAsAWhole) {
    struct Case {
        std::string text;     // Shift-JIS
        std::string expected; // UTF-8
    };
    const Case cases[] = {
        {"Tintrel", "Tintrel"},
        {"a <b> & \"c\"", "a <b> & \"c\""},
        {"\x83\x4F\x83\x89\x83\x66 1", "グラデ 1"},
    };
    for (const THtmlOptions& options : {Plain(okCss), With(okCss, EverythingOn)}) {
        for (const bool upper : {false, true}) {
            for (const Case& c : cases) {
                TTagVocabulary tg;
                tg.ApplyTagCase(upper);
                const THtmlText html = BuildHtmlText(c.text, kRedToYellow, options, tg);
                EXPECT_EQ(AccessibleText(html.Written()), c.expected) << html.Written();
            }
        }
    }
}

// The HTML checker's verdict on a page: its messages, empty when it accepts it without warning.
std::string TidyMessages(const std::string& page) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("tintrel-tidy-" + std::to_string(::getpid()) + ".html");
    std::ofstream(file, std::ios::binary) << page;
    const std::string command = "tidy -q -e --drop-empty-elements no '" + file.string() + "' 2>&1";
    std::string messages;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 512> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
            messages += buffer.data();
        }
        if (::pclose(pipe) != 0 && messages.empty()) {
            messages = "tidy failed";
        }
    }
    std::filesystem::remove(file);
    return messages;
}

TEST(CssPageTest, IsAcceptedByTheHtmlCheckerWithoutWarning) {
    if (std::system("command -v tidy >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "the HTML checker tidy is not installed (Debian package tidy; scripts/setup.sh "
                        "installs it)";
    }
    for (const THtmlOptions& options :
         {Plain(okCss), With(okCss, EverythingOn), With(okCss, [](THtmlOptions& o) {
              o.Style = fsBold | fsItalic | fsUnderline;
              o.SizeStep = 1;
              o.FaceName = kHostileFace;
              o.FaceTag = true;
          })}) {
        for (const bool upper : {false, true}) {
            TTagVocabulary tg;
            tg.ApplyTagCase(upper);
            const THtmlText html = BuildHtmlText("Tintrel <&> \x83\x4F --", kRedToYellow, options, tg);
            const THtmlText page = Html5SamplePage(html, tg, 0x00FFFFFF);
            EXPECT_EQ(TidyMessages(page.Written()), "") << page.Written();
        }
    }
}

TEST(CssPageTest, IsACompleteUtf8Document) {
    TTagVocabulary tg;
    tg.ApplyTagCase(false);
    const THtmlText page =
        Html5SamplePage(BuildHtmlText("AB", kRedToYellow, Plain(okBbcode), tg), tg, 0x00FF8000);
    EXPECT_EQ(page.Written(),
              Written({"<!DOCTYPE html>", R"(<html lang="ja">)",
                       R"(<head><meta charset="utf-8"><title>Tintrel Sample</title></head>)",
                       R"(<body style="background-color:#0080FF">)", "",
                       "[color=#FF0000]A[/color][color=#FFFF00]B[/color]", "", "</body></html>"}));
    EXPECT_EQ(page.Encoding(), TTextEncoding::Utf8);
}

// The kind table: rows in the order of the enumeration, names unique, and each kind's emitter
// writes the encoding its row promises.
TEST(OutputKindNameTest, NamesRoundTripAndOthersAreRefused) {
    TTagVocabulary tg;
    for (std::size_t index = 0; index < OutputKinds().size(); ++index) {
        const TOutputKindRow& row = OutputKinds()[index];
        EXPECT_EQ(static_cast<std::size_t>(row.Kind), index) << row.Name;
        EXPECT_EQ(OutputKindFromName(OutputKindName(row.Kind)), row.Kind) << row.Name;
        EXPECT_EQ(BuildHtmlText("AB", kRedToYellow, Plain(row.Kind), tg).Encoding(), row.Encoding)
            << row.Name;
    }
    EXPECT_EQ(OutputKindFromName("CSS"), std::nullopt);
    EXPECT_EQ(OutputKindFromName(""), std::nullopt);
    EXPECT_EQ(OutputKindFromName("html"), std::nullopt);
}

// A kind made while the program runs is a row like the built-in ones: found by its name,
// written by its own emitter and read back by its reader; a name taken is refused.
TEST(OutputKindNameTest, AKindAddedWhileRunningIsARowLikeTheOthers) {
    // The row stays in the table after the test, and later tests that loop over every kind use
    // its factory: what it counts must outlive the test.
    static int made;
    made = 0;
    TOutputKindRow row = OutputKindRow(okJson);
    const std::string name = "json-added";
    row.Name = name;
    row.OtherTarget = false;
    row.Reading.Sure = row.Reading.Weak = {};
    row.Make = [](const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text, int units,
                  const TClusterTable& clusters) {
        ++made;
        return MakeEmitter<TJsonEmitter>(tg, options, text, units, clusters);
    };
    const std::optional<TOutputKind> kind = AddOutputKind(row);
    ASSERT_TRUE(kind.has_value());
    EXPECT_EQ(AddOutputKind(row), std::nullopt);
    EXPECT_EQ(OutputKindFromName("json-added"), kind);
    EXPECT_NE(OutputKindNames().find("json-added"), std::string::npos);
    TTagVocabulary tg;
    const std::string written = BuildHtmlText("AB", kRedToYellow, Plain(*kind), tg).Written();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(written, BuildHtmlText("AB", kRedToYellow, Plain(okJson), tg).Written());
    const std::optional<TReadText> read = ReadAsKind(*kind, written);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Text(), "AB");
    EXPECT_EQ(read->Kind, *kind);
}

} // namespace
