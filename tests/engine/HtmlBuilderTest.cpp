#include "engine/HtmlBuilder.h"

#include "engine/TagVocabulary.h"

#include "support/WrittenLines.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Options with a few fields changed from their defaults.
template <typename Change> THtmlOptions With(Change change) {
    THtmlOptions options;
    change(options);
    return options;
}

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};

// "ＭＳ Ｐゴシック" in Shift-JIS.
const std::string kMsPGothic = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

struct HtmlCase {
    const char* name;
    std::string text;
    THtmlOptions options;
    bool upper;
    std::string written;

    friend void PrintTo(const HtmlCase& c, std::ostream* os) { *os << c.name; }
};

class HtmlTextTest : public testing::TestWithParam<HtmlCase> {};

TEST_P(HtmlTextTest, IsBuiltByteForByte) {
    const auto& c = GetParam();
    TTagVocabulary tg;
    tg.ApplyTagCase(c.upper);
    EXPECT_EQ(BuildHtmlText(c.text, kRedToYellow, c.options, tg).Written(), c.written);
}

const std::string kAB = R"(<font color="#FF0000">A</font><font color="#FFFF00">B</font>)";

INSTANTIATE_TEST_SUITE_P(
    Examples, HtmlTextTest,
    testing::Values(
        HtmlCase{"DefaultsUpperCase",
                 "AB",
                 {},
                 true,
                 Written({"", R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)", ""})},
        HtmlCase{"DefaultsLowerCase", "AB", {}, false, Written({"", kAB, ""})},
        HtmlCase{"EverythingOn", "AB", With([](THtmlOptions& o) {
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
                 }),
                 false,
                 Written({R"(<table align="left" cellpadding="2"><tr><td valign="MIDDLE" bgcolor="FFFFFF">)",
                          R"(<!-- Tintrel "AB" -->)",
                          "<strike><u><font face=\"" + kMsPGothic + "\"><font size=\"+2\"><cite><strong>",
                          "<font ", R"(size="+3" color="#FF0000">A</font><font )",
                          R"(color="#FFFF00">B</font>)", "</strong></cite></font></font></u></strike>",
                          R"(<!-- End of  "AB" -->)", "</tr></table><br clear=all>"})},
        HtmlCase{"SizeOneWithFirstLetter", "ABC", With([](THtmlOptions& o) {
                     o.SizeStep = 1;
                     o.FirstLetterLarger = true;
                 }),
                 false,
                 Written({R"(<font size="+1">)",
                          R"(<font size="+2" color="#FF0000">A</font><font color="#FF7F00">B</font>)"
                          R"(<font color="#FFFF00">C</font>)",
                          "</font>"})},
        HtmlCase{"SizeZeroWritesNoFirstLetterSize", "AB", With([](THtmlOptions& o) {
                     o.SizeStep = 0;
                     o.FirstLetterLarger = true;
                 }),
                 false, Written({"", kAB, ""})},
        HtmlCase{"NoSelectionWritesNoSize", "AB", With([](THtmlOptions& o) {
                     o.SizeStep = -1;
                     o.FirstLetterLarger = true;
                 }),
                 false, Written({"", kAB, ""})},
        HtmlCase{"LargestStepFirstLetterPlusFive", "AB", With([](THtmlOptions& o) {
                     o.SizeStep = 4;
                     o.FirstLetterLarger = true;
                 }),
                 false,
                 Written({R"(<font size="+4">)",
                          R"(<font size="+5" color="#FF0000">A</font><font color="#FFFF00">B</font>)",
                          "</font>"})},
        HtmlCase{"SizeWithoutFirstLetter", "AB", With([](THtmlOptions& o) { o.SizeStep = 3; }), false,
                 Written({R"(<font size="+3">)", kAB, "</font>"})},
        HtmlCase{
            "TwoByteFirstCharacterStaysWhole",
            "\x82\x60"
            "b",
            {},
            false,
            Written({"", "<font color=\"#FF0000\">\x82\x60</font><font color=\"#FFFF00\">b</font>", ""})},
        HtmlCase{"SpaceIsColouredLikeAnyCharacter",
                 "a b",
                 {},
                 false,
                 Written({"",
                          R"(<font color="#FF0000">a</font><font color="#FF7F00"> </font>)"
                          R"(<font color="#FFFF00">b</font>)",
                          ""})},
        HtmlCase{"ItalicWrapsBold", "AB", With([](THtmlOptions& o) { o.Style = fsBold | fsItalic; }), false,
                 Written({"<i><b>", kAB, "</b></i>"})},
        HtmlCase{"UnderlineAndStrikeOutsideFace", "AB", With([](THtmlOptions& o) {
                     o.FaceName = "Arial";
                     o.Style = fsUnderline | fsStrikeOut;
                     o.FaceTag = true;
                 }),
                 true,
                 Written({R"(<STRIKE><U><FONT FACE="Arial">)",
                          R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)",
                          "</FONT></U></STRIKE>"})},
        // A face name from a shared style file must not close the attribute and add markup.
        HtmlCase{
            "FaceNameCannotLeaveItsAttribute", "AB", With([](THtmlOptions& o) {
                o.FaceName = R"(x"><script>a&b</script>)";
                o.FaceTag = true;
            }),
            false,
            Written({R"(<font face="x&quot;&gt;&lt;script&gt;a&amp;b&lt;/script&gt;">)", kAB, "</font>"})},
        HtmlCase{"LogicalBoldAlone", "AB", With([](THtmlOptions& o) {
                     o.Style = fsBold;
                     o.LogicalTags = true;
                 }),
                 true,
                 Written({"<STRONG>", R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)",
                          "</STRONG>"})},
        HtmlCase{"MarkupSignsStayRawInTheirTags",
                 "a\"<",
                 {},
                 false,
                 Written({"",
                          R"(<font color="#FF0000">a</font><font color="#FF7F00">"</font>)"
                          R"(<font color="#FFFF00"><</font>)",
                          ""})},
        // A "-->" in the text must not close the comment and turn the rest into live markup.
        HtmlCase{"CommentCannotBeEndedByTheText", "x-->&", With([](THtmlOptions& o) { o.Comment = true; }),
                 false,
                 Written({R"(<!-- Tintrel "x--&gt;&amp;" -->)", "",
                          R"(<font color="#FF0000">x</font><font color="#FF3F00">-</font>)"
                          R"(<font color="#FF7F00">-</font><font color="#FFBF00">></font>)"
                          R"(<font color="#FFFF00">&</font>)",
                          "", R"(<!-- End of  "x--&gt;&amp;" -->)"})},
        HtmlCase{"TableInUpperCase", "AB", With([](THtmlOptions& o) {
                     o.Table = true;
                     o.BackgroundHex = "C0C0C0";
                 }),
                 true,
                 Written({R"(<TABLE ALIGN="LEFT" CELLPADDING="2"><TR><TD VALIGN="MIDDLE" BGCOLOR="C0C0C0">)",
                          "", R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)", "",
                          "</TR></TABLE><BR CLEAR=ALL>"})},
        HtmlCase{"OneCharacterGivesNothing", "A", With([](THtmlOptions& o) {
                     o.Comment = true;
                     o.Table = true;
                 }),
                 false, ""},
        HtmlCase{"OneTwoByteCharacterGivesNothing", "\x82\x60", {}, false, ""},
        HtmlCase{"EmptyTextGivesNothing", "", {}, false, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(HtmlText, OneLineCopyJoinsTheLinesOfABrokenTag) {
    TTagVocabulary tg;
    tg.ApplyTagCase(true);
    const THtmlText html =
        BuildHtmlText("AB", kRedToYellow, With([](THtmlOptions& o) { o.BreakInTag = true; }), tg);
    EXPECT_EQ(html.OneLine(), R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)");
    ASSERT_EQ(html.Lines().size(), 5u);
    EXPECT_EQ(html.Lines()[1], "<FONT ");
}

class TRecordingReporter final : public TTagLookupReporter {
public:
    void TagNotFound(std::string_view key, std::string_view) override { keys.emplace_back(key); }
    std::vector<std::string> keys;
};

TEST(HtmlBuilder, GoesOnWithAnEmptyWordWhenALookupFails) {
    TTagVocabulary tg({"_Font=font"});
    TRecordingReporter reporter;
    tg.SetReporter(&reporter);
    const THtmlText html = BuildHtmlText("ABC", kRedToYellow, {}, tg);
    EXPECT_EQ(html.Written(), Written({"",
                                       R"(<font ="#FF0000">A</font><font ="#FF7F00">B</font>)"
                                       R"(<font ="#FFFF00">C</font>)",
                                       ""}));
    // Reported once for the whole text, not once per character.
    EXPECT_EQ(reporter.keys, std::vector<std::string>{"_Color"});
}

TEST(HtmlBuilder, AppendsTagsOneByOneForTheRefresh) {
    TTagVocabulary tg;
    THtmlBuilder builder(tg, With([](THtmlOptions& o) {
                             o.SizeStep = 1;
                             o.FirstLetterLarger = true;
                         }),
                         "ABC", 3);
    builder.AppendCharacter("A", 0x0000FF);
    builder.AppendCharacter("B", 0x007FFF);
    builder.AppendCharacter("C", 0x00FFFF);
    EXPECT_EQ(builder.Finish(), BuildHtmlText("ABC", kRedToYellow, With([](THtmlOptions& o) {
                                                  o.SizeStep = 1;
                                                  o.FirstLetterLarger = true;
                                              }),
                                              tg));
}

TEST(HtmlText, SplitsOnlyAtCrLfPairs) {
    const THtmlText html(std::string("a\rb\r\r\nc\nd\r\n\r\n"));
    const std::vector<std::string_view> lines = html.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a\rb\r");
    EXPECT_EQ(lines[1], "c\nd");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(html.OneLine(), "a\rb\rc\nd");
    EXPECT_EQ(THtmlText(std::string("x")).Written(), "x\r\n");
}

} // namespace
