#include "engine/Refresh.h"

#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputKind.h"
#include "engine/PreviewFontSize.h"
#include "engine/TagVocabulary.h"
#include "engine/UnicodeText.h"
#include "engine/jstrm.h"
#include "support/FakeCanvas.h"
#include "support/FixedSystemColors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};
// "Ａ" in Shift-JIS.
const std::string kWideA = "\x82\x60";

TRefreshInput Input(std::string text, int points) {
    TRefreshInput input;
    input.Text = std::move(text);
    input.Gradient = kRedToYellow;
    input.PreviewFont = {"Face", points, 0};
    return input;
}

std::string LongText(int characters) {
    std::string text;
    for (int i = 0; i < characters; ++i) {
        text += i % 3 == 0 ? kWideA : std::string(1, static_cast<char>('a' + i % 26));
    }
    return text;
}

// The refresh done the plain way: measure the whole text for every point of shrinking, draw
// and measure every character. The refresh must give the same picture and the same HTML.
TRefreshResult PlainRefresh(const TRefreshInput& input, TFakeCanvas& canvas, TTagVocabulary& tg) {
    const int n = CharCount(input.Text);
    if (input.Text.size() < 2 || n < 2) {
        return {};
    }
    tg.ApplyTagCase(input.UpperCaseTags);
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height(), ResolveColor(input.Background));
    TPreviewFont font = input.PreviewFont;
    font.Points = ClampPreviewPoints(font.Points);
    canvas.SetFont(font);
    while (input.SmartPreview && font.Points > kSmallestPreviewPoints &&
           canvas.TextWidth(input.Text) > canvas.Width()) {
        --font.Points;
        canvas.SetFont(font);
    }
    int x = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string ch = CharCopy(input.Text, i, 1);
        canvas.DrawText(x, 0, ch, GradientColor(input.Gradient, i, n), ResolveColor(input.Background));
        x += canvas.TextWidth(ch);
    }
    return {BuildHtmlText(input.Text, input.Gradient, HtmlOptionsOf(input, font), tg), true, font.Points};
}

struct SameCase {
    const char* name;
    std::string text;
    int width;
    int height;
    int points;
    bool smart;

    friend void PrintTo(const SameCase& c, std::ostream* os) { *os << c.name; }
};

class RefreshMatchesPlainLoop : public testing::TestWithParam<SameCase> {};

TEST_P(RefreshMatchesPlainLoop, InPictureAndHtml) {
    const auto& c = GetParam();
    TRefreshInput input = Input(c.text, c.points);
    input.SmartPreview = c.smart;
    input.Html.Comment = true;
    input.Html.Table = true;

    TFakeCanvas fast(c.width, c.height);
    TFakeCanvas plain(c.width, c.height);
    TTagVocabulary fastTags;
    TTagVocabulary plainTags;
    const TRefreshResult result = Refresh(input, fast, fastTags);
    const TRefreshResult expected = PlainRefresh(input, plain, plainTags);

    EXPECT_EQ(result.Html, expected.Html);
    EXPECT_EQ(result.Painted, expected.Painted);
    EXPECT_EQ(result.DrawingPoints, expected.DrawingPoints);
    EXPECT_EQ(fast.fills, plain.fills);
    // What the plain loop draws at or past the right edge, or on an area without height, is
    // never seen.
    std::erase_if(plain.draws, [&](const auto& d) { return d.x >= c.width || c.height <= 0; });
    EXPECT_EQ(fast.draws, plain.draws);
    EXPECT_EQ(fastTags.Items(), plainTags.Items());
}

INSTANTIATE_TEST_SUITE_P(
    Areas, RefreshMatchesPlainLoop,
    testing::Values(SameCase{"FitsAtOnce", "Tintrel", 393, 104, 11, true},
                    SameCase{"ShrinksAFewPoints", "Tintrel" + kWideA + kWideA, 100, 104, 27, true},
                    SameCase{"ExactlyAsWideAsTheArea", "AB", 20, 104, 10, true},
                    SameCase{"OnePixelTooWide", "AB", 19, 104, 10, true},
                    SameCase{"LongTextDownToTheSmallest", LongText(3000), 393, 104, 27, true},
                    SameCase{"LongTextFitsAtSomeSize", LongText(200), 393, 104, 27, true},
                    SameCase{"SmartPreviewOffRunsPastTheEdge", LongText(100), 393, 104, 27, false},
                    SameCase{"EdgeFallsInsideACharacter", "ABCDE", 25, 104, 10, false},
                    SameCase{"NoWidth", "Tintrel", 0, 104, 11, true},
                    SameCase{"NoHeight", "Tintrel", 393, 0, 11, true},
                    SameCase{"SizeAboveTheLargest", "AB", 100000, 104, 5000, true},
                    SameCase{"SizeOfZero", "AB", 393, 104, 0, true},
                    SameCase{"TooShort", "A", 393, 104, 11, true}),
    [](const auto& param) { return std::string(param.param.name); });

// Every kind's output, whole-text loops and all, is what handing its emitter one unit at a time
// writes; clusters and a right edge inside the text included.
TEST(Refresh, EachKindWritesWhatAUnitAtATimeWrites) {
    const TUnitText unitText = UnitTextFromUtf8("A\xF0\x9F\x98\x80\xEF\xBC\xA2<cd&e");
    for (const TOutputKindRow& row : OutputKinds()) {
        for (const int width : {25, 393}) {
            TRefreshInput input = Input(unitText.Text, 11);
            input.Clusters = unitText.Clusters;
            input.Html.Kind = row.Kind;
            TFakeCanvas canvas(width, 104);
            TTagVocabulary tg;
            const TRefreshResult result = Refresh(input, canvas, tg);

            const int n = UnitCount(input.Text, input.Clusters);
            const auto emitter = MakeOutputEmitter(
                tg, HtmlOptionsOf(input, {"Face", result.DrawingPoints, 0}), input.Text, n, input.Clusters);
            TUnitWalk walk(input.Text, input.Clusters);
            TGradientWalk colors(input.Gradient, n);
            for (int i = 1; i <= n; ++i) {
                const TColor color = colors.Next();
                const std::size_t start = walk.Offset();
                const TClusterUnit* cluster = walk.Step();
                emitter->AppendUnit(
                    cluster != nullptr
                        ? input.Clusters.Unit(input.Text, *cluster)
                        : TTextUnit{std::string_view(input.Text).substr(start, walk.Offset() - start), {}},
                    color);
            }
            EXPECT_EQ(result.Html, emitter->Finish()) << row.Name << " at width " << width;
        }
    }
}

TEST(Refresh, ShortTextDrawsNothingAndLeavesTheTagCase) {
    for (const std::string& text : {std::string("A"), kWideA, std::string()}) {
        TFakeCanvas canvas(393, 104);
        TTagVocabulary tg;
        TRefreshInput input = Input(text, 11);
        input.UpperCaseTags = true;
        const TRefreshResult result = Refresh(input, canvas, tg);
        EXPECT_FALSE(result.Painted);
        EXPECT_TRUE(result.Html.Empty());
        EXPECT_TRUE(canvas.fills.empty());
        EXPECT_TRUE(canvas.draws.empty());
        EXPECT_EQ(tg.TagWord("_Font"), "font");
    }
}

TEST(Refresh, SetsTheTagCaseBeforeBuilding) {
    TFakeCanvas canvas(393, 104);
    TTagVocabulary tg;
    TRefreshInput input = Input("AB", 11);
    input.UpperCaseTags = true;
    EXPECT_EQ(Refresh(input, canvas, tg).Html.Lines()[1],
              R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT>)");
    EXPECT_EQ(tg.TagWord("_Bgcolor"), "BGCOLOR");
    input.UpperCaseTags = false;
    Refresh(input, canvas, tg);
    EXPECT_EQ(tg.TagWord("_Bgcolor"), "bgcolor");
}

TEST(Refresh, PlacesEachCharacterAtTheSumOfTheWidthsBeforeIt) {
    TFakeCanvas canvas(393, 104);
    TTagVocabulary tg;
    TRefreshInput input = Input("a" + kWideA + "b", 10);
    input.Background = 0x00336699;
    Refresh(input, canvas, tg);
    ASSERT_EQ(canvas.draws.size(), 3u);
    EXPECT_EQ(canvas.draws[0], (TFakeCanvas::TDraw{0, 0, "a", 0x0000FF, 0x00336699, 10}));
    EXPECT_EQ(canvas.draws[1], (TFakeCanvas::TDraw{10, 0, kWideA, 0x007FFF, 0x00336699, 10}));
    EXPECT_EQ(canvas.draws[2], (TFakeCanvas::TDraw{30, 0, "b", 0x00FFFF, 0x00336699, 10}));
}

TEST(Refresh, ShrinksOnlyTheDrawingFontAndStopsAtTheSmallest) {
    TFakeCanvas canvas(50, 104);
    TTagVocabulary tg;
    const TRefreshInput input = Input(LongText(1000), 27);
    const TRefreshResult result = Refresh(input, canvas, tg);
    EXPECT_EQ(result.DrawingPoints, kSmallestPreviewPoints);
    EXPECT_EQ(input.PreviewFont.Points, 27);
    ASSERT_FALSE(canvas.draws.empty());
    EXPECT_EQ(canvas.draws.front().points, kSmallestPreviewPoints);
}

TEST(Refresh, FillsWithTheResolvedBackgroundAlsoInTableMode) {
    const TFixedSystemColors colors;
    for (const bool table : {false, true}) {
        TFakeCanvas canvas(393, 104);
        TTagVocabulary tg;
        TRefreshInput input = Input("AB", 11);
        input.Background = clBtnFace;
        input.Html.Table = table;
        const TRefreshResult result = Refresh(input, canvas, tg);
        EXPECT_EQ(canvas.fills, (std::vector<TFakeCanvas::TFill>{{0, 0, 393, 104, 0x00D8E9EC}}));
        if (table) {
            EXPECT_NE(result.Html.Lines().front().find(R"(BGCOLOR="ECE9D8")"), std::string_view::npos)
                << result.Html.Lines().front();
        }
    }
}

TEST(Refresh, WritesTheFaceAndStylesOfThePreviewFont) {
    TFakeCanvas canvas(10, 104);
    TTagVocabulary tg;
    TRefreshInput input = Input("AB", 27);
    input.PreviewFont = {"Arial", 27, fsBold | fsUnderline};
    input.Html.FaceTag = true;
    input.Html.SizeStep = 2;
    input.Html.FirstLetterLarger = true;
    input.UpperCaseTags = false;
    EXPECT_EQ(Refresh(input, canvas, tg).Html.Written(),
              "<u><font face=\"Arial\"><font size=\"+2\"><b>\r\n"
              R"(<font size="+3" color="#FF0000">A</font><font color="#FFFF00">B</font>)"
              "\r\n</b></font></font></u>\r\n");
}

// A long text at a large size must not be measured whole for every point of shrinking, nor
// character by character beyond the edge.
TEST(Refresh, MeasuresFarLessThanTheWholeLongText) {
    TFakeCanvas canvas(393, 104);
    TTagVocabulary tg;
    const TRefreshInput input = Input(LongText(100000), 27);
    const TRefreshResult result = Refresh(input, canvas, tg);
    EXPECT_EQ(result.DrawingPoints, kSmallestPreviewPoints);
    EXPECT_LT(canvas.measuredBytes, input.Text.size() / 10);
    EXPECT_LE(canvas.draws.size(), 393u);
}

struct SizeCase {
    int base;
    const char* item;
    int points;
};

class PreviewFontPointsTest : public testing::TestWithParam<SizeCase> {};

TEST_P(PreviewFontPointsTest, AddsFourPointsPerStep) {
    EXPECT_EQ(PreviewFontPoints(GetParam().base, SizeStepFromText(GetParam().item)), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(SizeList, PreviewFontPointsTest,
                         testing::Values(SizeCase{11, "0", 11}, SizeCase{11, "+1", 15},
                                         SizeCase{11, "+2", 19}, SizeCase{11, "+3", 23},
                                         SizeCase{11, "+4", 27}, SizeCase{14, "+1", 18}, SizeCase{11, "", 11},
                                         SizeCase{11, "x", 11}, SizeCase{11, "+-1", 11},
                                         SizeCase{398, "+4", kLargestPreviewPoints},
                                         SizeCase{-20, "0", kSmallestPreviewPoints},
                                         SizeCase{2147483647, "+4", kLargestPreviewPoints}));

} // namespace
