#include "engine/Contrast.h"
#include "engine/ColorSpace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// WCAG's own figures: black on white 21:1, the grey that just passes 4.5:1 and the one that just
// fails, yellow on white.
TEST(ContrastTest, RatiosMatchWcagsWorkedExamples) {
    const struct {
        TColor a;
        TColor b;
        double ratio;
    } cases[] = {{0x000000, 0xFFFFFF, 21.0}, {0x767676, 0xFFFFFF, 4.54}, {0x777777, 0xFFFFFF, 4.48},
                 {0x00FFFF, 0xFFFFFF, 1.07}, {0xFFFFFF, 0xFFFFFF, 1.0},  {0x0000FF, 0x000000, 5.25}};
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.005) << std::hex << c.a << " on " << c.b;
        EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), ContrastRatio(c.b, c.a));
    }
    // Size step 2 and up is large text; the enlarged first letter of step 1 is too.
    EXPECT_EQ(ContrastNeedOf(0, true).First, 4.5);
    EXPECT_EQ(ContrastNeedOf(1, false).First, 4.5);
    EXPECT_EQ(ContrastNeedOf(1, true).First, 3);
    EXPECT_EQ(ContrastNeedOf(1, true).Rest, 4.5);
    EXPECT_EQ(ContrastNeedOf(2, false).Rest, 3);
}

TEST(ContrastTest, CheckNamesTheFailingCharactersAndTheLowest) {
    const TGradient gradient{SplitColor(0x000000), SplitColor(0x000000), SplitColor(0x00FFFF), gmTwoColor};
    const TContrastReport report = CheckContrast(gradient, 5, clWhite, {4.5, 4.5}, 10);
    ASSERT_EQ(report.Failures, 3u); // 7F7F00 has 4.2:1 only
    ASSERT_EQ(report.FirstFailed.size(), 3u);
    EXPECT_EQ(report.FirstFailed[0].Index, 3);
    EXPECT_EQ(report.FirstFailed[2].Index, 5);
    EXPECT_EQ(report.Lowest.Index, 5);
    EXPECT_NEAR(report.Lowest.Ratio, 1.07, 0.005);
    EXPECT_TRUE(CheckContrast(gradient, 5, 0x000000, {1.0, 1.0}).Passes());
}

double Hue(TColor color) {
    return OklabToOklch(LinearToOklab(LinearOf(color))).H;
}

// Over random gradients, spaces and backgrounds: the fix ends passing (or says it cannot), keeps
// each colour's hue, and moves lightness one way only: darker on light, lighter on dark.
TEST(ContrastTest, FixEndsPassingAndNeverMovesTheHue) {
    std::mt19937 random(22);
    std::uniform_int_distribution<TColor> color(0, 0xFFFFFF);
    std::uniform_int_distribution<int> pick(0, 4);
    int fixed = 0;
    for (int round = 0; round < 300; ++round) {
        TGradient gradient{SplitColor(color(random)), SplitColor(color(random)), SplitColor(color(random)),
                           static_cast<TGradientMode>(pick(random) % 3)};
        gradient.Space = static_cast<TColorSpace>(pick(random));
        if (round % 3 == 0) {
            gradient.Stops = {
                {color(random), -1}, {color(random), -1}, {color(random), 0.7}, {color(random), -1}};
        }
        const TColor background = color(random);
        const TContrastNeed need = ContrastNeedOf(pick(random), true);
        const int n = 3 + round % 40;
        const TContrastFix fix = FixContrast(gradient, n, background, need);
        EXPECT_EQ(fix.Passes, CheckContrast(fix.Gradient, n, background, need).Passes());
        EXPECT_TRUE(fix.Passes) << round; // black or white always has 4.58:1 or more
        fixed += fix.Passes ? 1 : 0;
        const std::vector<TColor> before = ColorsToMove(gradient);
        const bool darker = ContrastRatio(0, background) >= ContrastRatio(0xFFFFFF, background);
        for (std::size_t k = 0; k < before.size(); ++k) {
            EXPECT_TRUE(darker ? fix.Moves[k] <= 0 : fix.Moves[k] >= 0) << round;
            const TOklch after = OklabToOklch(LinearToOklab(LinearOf(fix.Colors[k])));
            if (fix.Moves[k] != 0 && after.C > 0.04 && after.L > 0.2) {
                EXPECT_NEAR(std::remainder(after.H - Hue(before[k]), 360), 0, 3) << round << " colour " << k;
            }
        }
    }
    EXPECT_EQ(fixed, 300);
    // The rainbow has no colours to move: the fix says so.
    TGradient rainbow;
    rainbow.Rainbow = true;
    const TContrastFix fix = FixContrast(rainbow, 10, clWhite, {4.5, 4.5});
    EXPECT_TRUE(fix.Rainbow);
    EXPECT_FALSE(fix.Passes);
}

} // namespace
