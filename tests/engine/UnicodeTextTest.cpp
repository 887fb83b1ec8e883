#include "engine/UnicodeText.h"

#include "engine/CodePage.h"
#include "engine/GraphemeClusters.h"
#include "engine/HtmlBuilder.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "engine/Utf8Decode.h"
#include "support/FakeCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// One expected unit: its written bytes, and its UTF-8 when it is a cluster.
struct TUnit {
    std::string bytes;
    std::string utf8;
    friend bool operator==(const TUnit&, const TUnit&) = default;
    friend void PrintTo(const TUnit& u, std::ostream* os) { *os << "{" << u.bytes << ", " << u.utf8 << "}"; }
};

TUnit Char(std::string bytes) {
    return {std::move(bytes), {}};
}

std::vector<TUnit> UnitsOf(const TUnitText& units) {
    std::vector<TUnit> list;
    for (TUnitWalk walk(units.Text, units.Clusters); !walk.AtEnd();) {
        const TTextUnit unit = walk.Next();
        list.push_back({std::string(unit.Bytes), std::string(unit.Utf8)});
    }
    return list;
}

struct UnitsCase {
    const char* name;
    std::string utf8;
    std::vector<TUnit> units;
    int references;

    friend void PrintTo(const UnitsCase& c, std::ostream* os) { *os << c.name; }
};

class UnitsFromUtf8 : public testing::TestWithParam<UnitsCase> {};

TEST_P(UnitsFromUtf8, KeepEachClusterOutsideCp932Whole) {
    const auto& c = GetParam();
    const TUnitText units = UnitTextFromUtf8(c.utf8);
    EXPECT_EQ(UnitsOf(units), c.units);
    EXPECT_EQ(UnitCount(units.Text, units.Clusters), static_cast<int>(c.units.size()));
    EXPECT_EQ(units.Clusters.References, c.references);
}

// Shift-JIS bytes of the Japanese characters below.
const std::string kO = "\x82\xA8", kHa = "\x82\xCD", kYo = "\x82\xE6", kU = "\x82\xA4", kA = "\x82\xA0";

INSTANTIATE_TEST_SUITE_P(
    Clusters, UnitsFromUtf8,
    testing::Values(
        UnitsCase{"JapaneseThenSunWithVariationSelector",
                  "おはよう☀️",
                  {Char(kO), Char(kHa), Char(kYo), Char(kU), {"&#9728;&#65039;", "☀️"}},
                  2},
        UnitsCase{"PrecomposedAccent", "Café", {Char("C"), Char("a"), Char("f"), {"&#233;", "é"}}, 1},
        UnitsCase{"CombiningAccentJoinsItsLetter",
                  "Cafe\u0301",
                  {Char("C"), Char("a"), Char("f"), {"e&#769;", "e\u0301"}},
                  1},
        UnitsCase{"CombiningMarkAtTheStart", "\u0301AB", {{"&#769;", "\u0301"}, Char("A"), Char("B")}, 1},
        UnitsCase{"CombiningMarkOnACp932Character", "\u3042\u0301", {{kA + "&#769;", "\u3042\u0301"}}, 1},
        UnitsCase{"SkinTone", "A👍🏽", {Char("A"), {"&#128077;&#127997;", "👍🏽"}}, 2},
        UnitsCase{"Flag", "🇯🇵", {{"&#127471;&#127477;", "🇯🇵"}}, 2},
        UnitsCase{"Keycap", "1️⃣", {{"1&#65039;&#8419;", "1️⃣"}}, 2},
        UnitsCase{"ZwjFamily",
                  "👨‍👩‍👧x",
                  {{"&#128104;&#8205;&#128105;&#8205;&#128103;", "👨‍👩‍👧"}, Char("x")},
                  5},
        // Half-width katakana with its voiced mark stays two characters, as CP932 has it, even
        // where the text also holds a cluster.
        UnitsCase{
            "HalfWidthVoicedMarkBesideEmoji", "ｶﾞ😀", {Char("\xB6"), Char("\xDE"), {"&#128512;", "😀"}}, 1},
        UnitsCase{"CrLfBesideEmoji", "\r\n😀", {Char("\r"), Char("\n"), {"&#128512;", "😀"}}, 1},
        UnitsCase{"ReferencesOfEveryClusterCount",
                  "😀A👍🏽",
                  {{"&#128512;", "😀"}, Char("A"), {"&#128077;&#127997;", "👍🏽"}},
                  3},
        UnitsCase{"BrokenFirstByteIsRepaired",
                  "\xFF"
                  "AB",
                  {{"&#65533;", "\uFFFD"}, Char("A"), Char("B")},
                  1},
        UnitsCase{"BrokenUtf8BecomesReplacementCharacter",
                  "A\xFF"
                  "B",
                  {Char("A"), {"&#65533;", "\uFFFD"}, Char("B")},
                  1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(UnitsFromUtf8, TextThatCp932HoldsIsTodaysBytesWithNoClusters) {
    for (const std::string utf8 : {"Tintrel グラデーション ｶﾞ①～¥", "", "\r\n&#9728;"}) {
        const TUnitText units = UnitTextFromUtf8(utf8);
        EXPECT_EQ(units.Text, Utf8ToCp932(utf8).Bytes) << utf8;
        EXPECT_TRUE(units.Clusters.Empty()) << utf8;
    }
}

// The units as found cluster by cluster over the whole text: each cluster that CP932 holds whole
// as its bytes, each other one a unit of its own with its written form.
TUnitText UnitsClusterByCluster(std::string_view utf8) {
    TUnitText units;
    TCp932Encoder encoder;
    TGraphemeClusters clusters(utf8);
    std::size_t start = 0;
    for (std::size_t end = clusters.Next(); end != TGraphemeClusters::kEnd;
         start = end, end = clusters.Next()) {
        const std::string_view cluster = utf8.substr(start, end - start);
        if (encoder.Append(cluster, units.Text)) {
            continue;
        }
        TClusterUnit unit{.Offset = units.Text.size(),
                          .Utf8Offset = units.Clusters.Utf8.size(),
                          .Utf8Length = cluster.size()};
        units.Clusters.Utf8 += cluster;
        for (std::size_t at = 0; at < cluster.size();) {
            const std::size_t from = at;
            const std::int32_t c = NextUtf8CodePoint(cluster, at);
            if (!encoder.Append(cluster.substr(from, at - from), units.Text)) {
                units.Text += "&#" + std::to_string(c) + ";";
                ++units.Clusters.References;
            }
        }
        unit.Length = units.Text.size() - unit.Offset;
        units.Clusters.Units.push_back(unit);
    }
    return units;
}

// Random lines of characters that join into clusters, and of ones CP932 holds, between them:
// asking ICU only about the clusters CP932 cannot hold gives the units of breaking it all.
TEST(UnitsFromUtf8, RandomLinesAreTheUnitsOfEveryCluster) {
    const char* const pieces[] = {
        "a", " ", "\r",     "\n",     "1",      "é",      "お",     "ｶ",      "ﾞ",      "①",
        "¥", "☀", "\uFE0F", "\u20E3", "\u0301", "\u0308", "🇯",      "🇵",      "👍",      "🏽",
        "👨", "👩", "\u200D", "\u0600", "\u0915", "\u0903", "\u1100", "\u1161", "\u11A8", "가"};
    std::mt19937 random(932);
    TUnitText reused; // as a stream fills one for every line, keeping nothing of the last
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        for (int count = static_cast<int>(random() % 20); count > 0; --count) {
            line += pieces[random() % std::size(pieces)];
        }
        const TUnitText units = UnitTextFromUtf8(line);
        const TUnitText expected = UnitsClusterByCluster(line);
        EXPECT_EQ(units.Text, expected.Text) << line;
        EXPECT_EQ(units.Clusters.Units, expected.Clusters.Units) << line;
        EXPECT_EQ(units.Clusters.Utf8, expected.Clusters.Utf8) << line;
        EXPECT_EQ(units.Clusters.References, expected.Clusters.References) << line;
        UnitTextFromWellFormedUtf8(line, reused);
        EXPECT_EQ(reused.Text, expected.Text) << line;
        EXPECT_EQ(reused.Clusters, expected.Clusters) << line;
    }
}

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};

THtmlText Html(const std::string& utf8, const THtmlOptions& options, bool upper = true) {
    const TUnitText units = UnitTextFromUtf8(utf8);
    TTagVocabulary tg;
    tg.ApplyTagCase(upper);
    return BuildHtmlText(units.Text, units.Clusters, kRedToYellow, options, tg);
}

TEST(UnicodeHtml, GradientCountsUnits) {
    EXPECT_EQ(
        Html("A👍🏽", {}).Written(),
        "\r\n<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFF00\">&#128077;&#127997;</FONT>\r\n\r\n");
    // One cluster alone is one unit: too short for HTML.
    EXPECT_TRUE(Html("👨‍👩‍👧", {}).Empty());
}

TEST(UnicodeHtml, CommentCarriesTheReferencesAndEscapesWhatWasTyped) {
    THtmlOptions options;
    options.Comment = true;
    const THtmlText html = Html("&☀<", options, false);
    ASSERT_EQ(html.Lines().size(), 5u);
    EXPECT_EQ(html.Lines()[0], "<!-- Tintrel \"&amp;&#9728;&lt;\" -->");
    EXPECT_EQ(html.Lines()[2], "<font color=\"#FF0000\">&</font><font color=\"#FF7F00\">&#9728;</font>"
                               "<font color=\"#FFFF00\"><</font>");
    EXPECT_EQ(html.Lines()[4], "<!-- End of  \"&amp;&#9728;&lt;\" -->");
}

TRefreshInput Input(const std::string& utf8, int points) {
    TUnitText units = UnitTextFromUtf8(utf8);
    TRefreshInput input;
    input.Text = std::move(units.Text);
    input.Clusters = std::move(units.Clusters);
    input.Gradient = kRedToYellow;
    input.PreviewFont = {"Face", points, 0};
    return input;
}

TEST(UnicodeRefresh, DrawsEachClusterAsOneStringAtTheSumOfTheWidthsBeforeIt) {
    TFakeCanvas canvas(393, 104);
    TTagVocabulary tg;
    Refresh(Input("a🇯🇵b", 10), canvas, tg);
    ASSERT_EQ(canvas.draws.size(), 3u);
    EXPECT_EQ(canvas.draws[0], (TFakeCanvas::TDraw{0, 0, "a", 0x0000FF, clWhite, 10}));
    EXPECT_EQ(canvas.draws[1], (TFakeCanvas::TDraw{10, 0, "🇯🇵", 0x007FFF, clWhite, 10}));
    EXPECT_EQ(canvas.draws[2], (TFakeCanvas::TDraw{40, 0, "b", 0x00FFFF, clWhite, 10}));
}

TEST(UnicodeRefresh, SmartPreviewMeasuresClustersAsDrawn) {
    // At 10 points "a😀b" is 10 + 30 + 10 = 50 pixels wide; its written form would be far wider.
    for (const auto& [width, points] : {std::pair{50, 10}, std::pair{49, 9}}) {
        TFakeCanvas canvas(width, 104);
        TTagVocabulary tg;
        EXPECT_EQ(Refresh(Input("a😀b", 10), canvas, tg).DrawingPoints, points) << width;
    }
}

} // namespace
