#include "engine/HtmlPage.h"
#include "engine/ClipboardSnippet.h"
#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"

#include "support/WrittenLines.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};
const std::string kUpperAB = R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)";

TTagVocabulary Vocabulary(bool upper) {
    TTagVocabulary tg;
    tg.ApplyTagCase(upper);
    return tg;
}

TEST(SamplePage, WrapsTheHtmlTextInSixLines) {
    const TTagVocabulary tg = Vocabulary(true);
    const THtmlText html = BuildHtmlText("AB", kRedToYellow, {}, tg);
    EXPECT_EQ(SamplePage(html, tg, PageBackground(false, clWhite)).Written(),
              Written({"<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>", R"(<BODY BGCOLOR="#FFFFFF">)", "",
                       kUpperAB, "", "</BODY></HTML>"}));
}

TEST(SamplePage, InTableModeTheBodyTakesTheWindowColourAndTheCellTheBackground) {
    const TTagVocabulary tg = Vocabulary(true);
    THtmlOptions options;
    options.Table = true;
    options.BackgroundHex = "FFFFFF";
    const THtmlText html = BuildHtmlText("AB", kRedToYellow, options, tg);
    // The classic button face is C0C0C0.
    EXPECT_EQ(SamplePage(html, tg, PageBackground(true, clWhite)).Written(),
              Written({"<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>", R"(<BODY BGCOLOR="#C0C0C0">)",
                       R"(<TABLE ALIGN="LEFT" CELLPADDING="2"><TR><TD VALIGN="MIDDLE" BGCOLOR="FFFFFF">)", "",
                       kUpperAB, "", "</TR></TABLE><BR CLEAR=ALL>", "</BODY></HTML>"}));
}

TEST(SamplePage, OfATooShortTextHoldsOnlyThePageLines) {
    const TTagVocabulary tg = Vocabulary(false);
    EXPECT_EQ(SamplePage(THtmlText(), tg, 0x00FF8000).Written(),
              Written({"<html><head><title>Tintrel Sample</title></head>", R"(<body bgcolor="#0080FF">)",
                       "</body></html>"}));
}

struct SnippetCase {
    const char* name;
    int tag;
    bool upper;
    std::string text;
    std::string suffix;

    friend void PrintTo(const SnippetCase& c, std::ostream* os) { *os << c.name; }
};

class SnippetTest : public testing::TestWithParam<SnippetCase> {};

// "ＭＳ Ｐゴシック" in Shift-JIS.
const std::string kMsPGothic = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

TEST_P(SnippetTest, GivesTheTextAndTitleSuffixOfItsMenuItem) {
    const auto& c = GetParam();
    const std::optional<TClipboardSnippet> snippet =
        ClipboardSnippet(c.tag, "FF8000", kMsPGothic, Vocabulary(c.upper));
    ASSERT_TRUE(snippet.has_value());
    EXPECT_EQ(snippet->Text, c.text);
    EXPECT_EQ(snippet->TitleSuffix, c.suffix);
}

INSTANTIATE_TEST_SUITE_P(
    MenuItems, SnippetTest,
    testing::Values(
        SnippetCase{"Color", skColor, true, R"(COLOR="#FF8000")", "(COLOR)"},
        SnippetCase{"ColorLower", skColor, false, R"(color="#FF8000")", "(COLOR)"},
        SnippetCase{"BgColor", skBgColor, true, R"(BGCOLOR="#FF8000")", "(BGCOLOR)"},
        SnippetCase{"Rgb", skRgb, true, "FF8000", " (RGB)"},
        SnippetCase{"BorderColor", skBorderColor, true, "BORDER-COLOR: #FF8000;", "(BORDERCOLOR)"},
        SnippetCase{"BorderColorLower", skBorderColor, false, "border-color: #FF8000;", "(BORDERCOLOR)"},
        SnippetCase{"FontOnly", skFontOnly, true, kMsPGothic, "(FONT ONLY)"},
        SnippetCase{"FontFace", skFontFace, true, "FACE=\"" + kMsPGothic + "\"", "(FONT FACE)"},
        SnippetCase{"FontFamily", skFontFamily, true, "FONT-FAMILY: " + kMsPGothic + ";", "(FONT-FAMILY)"},
        SnippetCase{"FontFamilyLower", skFontFamily, false, "font-family: " + kMsPGothic + ";",
                    "(FONT-FAMILY)"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Snippet, IsEmptyWhenThereIsNothingToCopy) {
    const TTagVocabulary tg = Vocabulary(true);
    for (const int tag : {skFontOnly, skFontFace, skFontFamily}) {
        EXPECT_EQ(ClipboardSnippet(tag, "FF8000", "", tg)->Text, "") << tag;
    }
    for (const int tag : {skColor, skBgColor, skRgb, skBorderColor}) {
        EXPECT_EQ(ClipboardSnippet(tag, "", "Arial", tg)->Text, "") << tag;
    }
}

TEST(Snippet, UnknownMenuTagGivesNothing) {
    const TTagVocabulary tg;
    for (const int tag : {-1, 4, 9, 13}) {
        EXPECT_FALSE(ClipboardSnippet(tag, "FF8000", "Arial", tg).has_value()) << tag;
    }
}

} // namespace
