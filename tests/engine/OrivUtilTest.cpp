#include "engine/OrivUtil.h"

#include "support/FixedSystemColors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SplitCase {
    TColor color;
    int r, g, b;
    const char* hex;
};

class SplitColorTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitColorTest, SplitsRedFromTheLowestByte) {
    const auto& c = GetParam();
    const TOrivRGB rgb = SplitColor(c.color);
    EXPECT_EQ(rgb.R, c.r);
    EXPECT_EQ(rgb.G, c.g);
    EXPECT_EQ(rgb.B, c.b);
    EXPECT_EQ(rgb.Hex, c.hex);
    EXPECT_EQ(JoinColor(rgb), c.color & 0x00FFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(Colors, SplitColorTest,
                         testing::Values(SplitCase{0x000000FF, 255, 0, 0, "FF0000"},
                                         SplitCase{0x00FFFF00, 0, 255, 255, "00FFFF"},
                                         SplitCase{0x00808080, 128, 128, 128, "808080"},
                                         SplitCase{0x00AB0000, 0, 0, 171, "0000AB"},
                                         SplitCase{0x00000000, 0, 0, 0, "000000"},
                                         // Neither plain nor a system colour: the low three bytes.
                                         SplitCase{0x12345678, 0x78, 0x56, 0x34, "785634"}));

TEST(SplitColor, ResolvesASystemColourToWhatTheDesktopShows) {
    const TFixedSystemColors colors;
    const TOrivRGB face = SplitColor(clBtnFace);
    EXPECT_EQ(face.Hex, "ECE9D8");
    // Stored again, the colour is plain: it no longer follows the desktop.
    EXPECT_EQ(JoinColor(face), 0x00D8E9ECu);
}

TEST(JoinColor, TakesTheLowestEightBitsOfEachChannel) {
    EXPECT_EQ(JoinColor({0x1FF, 0x100, -1, {}}), 0x00FF00FFu);
}

struct LabelCase {
    std::string label;
    int points;
};

class FontSizeFromLabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(FontSizeFromLabelTest, ReadsTheNumberOrFallsBackTo11) {
    EXPECT_EQ(FontSizeFromLabel(GetParam().label), GetParam().points);
}

// "ベースフォントサイズ" in Shift-JIS.
const std::string kLabelHead =
    "\x83\x78\x81\x5B\x83\x58\x83\x74\x83\x48\x83\x93\x83\x67\x83\x54\x83\x43\x83\x59";

INSTANTIATE_TEST_SUITE_P(Labels, FontSizeFromLabelTest,
                         testing::Values(LabelCase{kLabelHead + " 14pt", 14},
                                         LabelCase{kLabelHead + " 11pt", 11}, LabelCase{kLabelHead, 11},
                                         LabelCase{kLabelHead + " pt", 11},
                                         LabelCase{kLabelHead + " 1x2pt", 11},
                                         LabelCase{kLabelHead + " 9", 9},
                                         LabelCase{kLabelHead + " 99999999999pt", 11}, LabelCase{"", 11}));

TEST(FontSizeLabel, ReadsBackEveryNumber) {
    EXPECT_EQ(FontSizeLabel(11), kLabelHead + " 11pt");
    for (const int points : {1, 9, 27, 400}) {
        EXPECT_EQ(FontSizeFromLabel(FontSizeLabel(points)), points);
    }
}

struct ChannelCase {
    const char* name;
    TGradientMode mode;
    int a, b, c;
    std::vector<int> values;
};

class GradientChannelTest : public testing::TestWithParam<ChannelCase> {};

// One channel of the gradient, through the same path as whole colours: the channel under test
// is red, green and blue stay 0.
TEST_P(GradientChannelTest, MatchesTheWorkedValues) {
    const auto& c = GetParam();
    const int n = static_cast<int>(c.values.size());
    std::vector<int> ramp;
    std::vector<int> viaColor;
    for (int i = 1; i <= n; ++i) {
        switch (c.mode) {
        case gmTwoColor:
            ramp.push_back(Ramp(c.a, c.c, i, n));
            break;
        case gmMirror:
            ramp.push_back(Fold(c.a, c.b, c.a, i, n));
            break;
        case gmThreeColor:
            ramp.push_back(Fold(c.a, c.b, c.c, i, n));
            break;
        }
        TGradient gradient{
            {c.a, 0, 0, {}}, {c.b, 0, 0, {}}, {c.mode == gmMirror ? c.b : c.c, 0, 0, {}}, c.mode};
        viaColor.push_back(static_cast<int>(GradientColor(gradient, i, n) & 0xFF));
    }
    EXPECT_EQ(ramp, c.values);
    EXPECT_EQ(viaColor, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, GradientChannelTest,
    testing::Values(ChannelCase{"TwoOf2", gmTwoColor, 0, 0, 255, {0, 255}},
                    ChannelCase{"TwoOf4", gmTwoColor, 0, 0, 255, {0, 85, 170, 255}},
                    ChannelCase{"TwoOf5", gmTwoColor, 0, 0, 255, {0, 63, 127, 191, 255}},
                    ChannelCase{"TwoFallingOf3", gmTwoColor, 255, 0, 0, {255, 128, 0}},
                    ChannelCase{"TwoFallingOf4", gmTwoColor, 255, 0, 0, {255, 170, 85, 0}},
                    ChannelCase{"MirrorOf4", gmMirror, 0, 100, 0, {0, 66, 50, 0}},
                    ChannelCase{"MirrorOf5", gmMirror, 0, 100, 0, {0, 50, 100, 40, 0}},
                    ChannelCase{"MirrorOf6", gmMirror, 0, 255, 0, {0, 102, 204, 170, 85, 0}},
                    ChannelCase{"MirrorDownOf5", gmMirror, 255, 0, 255, {255, 128, 0, 153, 255}},
                    ChannelCase{"ThreeOf2", gmThreeColor, 0, 100, 200, {0, 200}},
                    ChannelCase{"ThreeOf3", gmThreeColor, 0, 100, 200, {0, 100, 200}},
                    ChannelCase{"ThreeOf4", gmThreeColor, 0, 100, 200, {0, 66, 150, 200}},
                    ChannelCase{"ThreeOf5", gmThreeColor, 0, 100, 200, {0, 50, 100, 160, 200}},
                    ChannelCase{"ThreeOf7", gmThreeColor, 0, 255, 0, {0, 85, 170, 255, 145, 72, 0}}),
    [](const auto& param) { return std::string(param.param.name); });

struct WholeCase {
    const char* name;
    TGradientMode mode;
    std::vector<std::string> hex;
};

class GradientColorTest : public testing::TestWithParam<WholeCase> {};

TEST_P(GradientColorTest, RedToYellowWithWhiteInTheMiddle) {
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF),
                             GetParam().mode};
    const int n = static_cast<int>(GetParam().hex.size());
    std::vector<std::string> hex;
    for (int i = 1; i <= n; ++i) {
        hex.push_back(SplitColor(GradientColor(gradient, i, n)).Hex);
    }
    EXPECT_EQ(hex, GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, GradientColorTest,
    testing::Values(WholeCase{"TwoOf3", gmTwoColor, {"FF0000", "FF7F00", "FFFF00"}},
                    WholeCase{"TwoOf4", gmTwoColor, {"FF0000", "FF5500", "FFAA00", "FFFF00"}},
                    WholeCase{"MirrorOf5", gmMirror, {"FF0000", "FF7F00", "FFFF00", "FF6600", "FF0000"}},
                    WholeCase{"ThreeOf5", gmThreeColor, {"FF0000", "FF7F7F", "FFFFFF", "FFFF66", "FFFF00"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(GradientModeOf, ThreeColoursWinOverMirror) {
    EXPECT_EQ(GradientModeOf(true, true), gmThreeColor);
    EXPECT_EQ(GradientModeOf(false, true), gmMirror);
    EXPECT_EQ(GradientModeOf(false, false), gmTwoColor);
}

// 32-bit products would overflow past about four million characters and throw the colours
// out of range; every channel must still run from its start to its end.
TEST(Gradient, StaysInRangeForVeryLongTexts) {
    const int n = 20'000'000;
    EXPECT_EQ(Ramp(0, 255, n, n), 255);
    EXPECT_EQ(Ramp(0, 255, n / 2, n), 127);
    EXPECT_EQ(Fold(0, 255, 0, n / 2, n), 254);
    EXPECT_EQ(Fold(0, 255, 0, n - 1, n), 0);
    EXPECT_EQ(Fold(255, 0, 255, n / 2 + 1, n), 1);
}

TEST(Gradient, OneCharacterTakesTheStartInsteadOfDividingByZero) {
    EXPECT_EQ(Ramp(10, 200, 1, 1), 10);
    EXPECT_EQ(Fold(10, 200, 30, 1, 1), 10);
}

} // namespace
