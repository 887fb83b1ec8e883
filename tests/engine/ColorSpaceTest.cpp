#include "engine/ColorSpace.h"
#include "engine/ColorStops.h"
#include "engine/GradientBlend.h"
#include "engine/GradientWalk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The test colours published with Oklab (CIE XYZ to Oklab, to three decimals).
TEST(ColorSpaceTest, OklabMatchesItsPublishedReferenceValues) {
    const struct {
        TXyz xyz;
        TOklab lab;
    } cases[] = {
        {{0.950, 1.000, 1.089}, {1.000, 0.000, 0.000}},
        {{1.000, 0.000, 0.000}, {0.450, 1.236, -0.019}},
        {{0.000, 1.000, 0.000}, {0.922, -0.671, 0.263}},
        {{0.000, 0.000, 1.000}, {0.153, -1.415, -0.449}},
    };
    for (const auto& c : cases) {
        const TOklab lab = XyzToOklab(c.xyz);
        EXPECT_NEAR(lab.L, c.lab.L, 0.0015) << c.xyz.X << " " << c.xyz.Y << " " << c.xyz.Z;
        EXPECT_NEAR(lab.A, c.lab.A, 0.0015) << c.xyz.X << " " << c.xyz.Y << " " << c.xyz.Z;
        EXPECT_NEAR(lab.B, c.lab.B, 0.0015) << c.xyz.X << " " << c.xyz.Y << " " << c.xyz.Z;
    }
    // The sRGB path agrees: white is L 1 without hue, pure red is oklch(0.628 0.2577 29.23).
    const TOklab white = LinearToOklab(LinearOf(0xFFFFFF));
    EXPECT_NEAR(white.L, 1, 1e-4);
    EXPECT_NEAR(std::hypot(white.A, white.B), 0, 1e-4);
    const TOklch red = OklabToOklch(LinearToOklab(LinearOf(0x0000FF)));
    EXPECT_NEAR(red.L, 0.628, 0.0005);
    EXPECT_NEAR(red.C, 0.2577, 0.0005);
    EXPECT_NEAR(red.H, 29.23, 0.05);
}

TEST(ColorSpaceTest, TransferFunctionAndChannelsAgreeWithTheFormula) {
    EXPECT_NEAR(SrgbToLinear(0.5), 0.214041, 1e-6);
    EXPECT_NEAR(SrgbToLinear(0.04045), 0.04045 / 12.92, 1e-12);
    EXPECT_NEAR(LinearToSrgb(0.0031308), 0.0031308 * 12.92, 1e-7);
    // The table lookup against the formula itself, over random values and past both ends.
    std::mt19937 random(22);
    std::uniform_real_distribution<double> value(-0.1, 1.1);
    for (int k = 0; k < 100000; ++k) {
        const double linear = value(random);
        const int expected = static_cast<int>(std::lround(std::clamp(LinearToSrgb(linear), 0.0, 1.0) * 255));
        ASSERT_EQ(ChannelOfLinear(linear), expected) << linear;
    }
    EXPECT_EQ(ChannelOfLinear(std::nan("")), 0);
    // Every colour survives the way into Oklab and OKLCH and back.
    std::uniform_int_distribution<TColor> color(0, 0xFFFFFF);
    for (int k = 0; k < 20000; ++k) {
        const TColor c = color(random);
        ASSERT_EQ(ColorOfLinear(OklabToLinear(LinearToOklab(LinearOf(c)))), c);
        ASSERT_EQ(ColorOfLinear(OklabToLinear(OklchToOklab(OklabToOklch(LinearToOklab(LinearOf(c)))))), c);
    }
}

TEST(ColorSpaceTest, NamesReadBack) {
    for (int k = 0; k < kColorSpaceCount; ++k) {
        EXPECT_EQ(ColorSpaceFromName(ColorSpaceName(static_cast<TColorSpace>(k))), k);
    }
    EXPECT_EQ(ColorSpaceFromName("OKLAB"), std::nullopt);
}

TGradient Blended(TColor start, TColor middle, TColor finish, TGradientMode mode, TColorSpace space) {
    TGradient gradient{SplitColor(start), SplitColor(middle), SplitColor(finish), mode};
    gradient.Space = space;
    return gradient;
}

// Whatever the space, the design's ends (and middle in three-colour mode) stay exact, and the
// walk gives the colours of GradientColor.
TEST(GradientBlendTest, EndsAndMiddleAreExactInEverySpaceAndMode) {
    const TColor colors[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x12C3FE, 0x808080};
    for (int space = 0; space < kColorSpaceCount; ++space) {
        for (const TGradientMode mode : {gmTwoColor, gmMirror, gmThreeColor}) {
            for (const TColor a : colors) {
                for (const TColor b : colors) {
                    const TGradient gradient = Blended(a, 0x7F0180, b, mode, static_cast<TColorSpace>(space));
                    for (const int n : {2, 3, 4, 5, 10, 11, 256}) {
                        TGradientWalk walk(gradient, n);
                        std::vector<TColor> got;
                        for (int i = 1; i <= n; ++i) {
                            got.push_back(walk.Next());
                            ASSERT_EQ(got.back(), GradientColor(gradient, i, n));
                        }
                        const std::string where = "space " + std::to_string(space) + " mode " +
                                                  std::to_string(mode) + " n " + std::to_string(n);
                        EXPECT_EQ(got.front(), a) << where;
                        EXPECT_EQ(got.back(), mode == gmMirror ? a : b) << where;
                        if (mode == gmMirror && n % 2 == 1) {
                            EXPECT_EQ(got[static_cast<std::size_t>((n + 1) / 2 - 1)], b) << where;
                        }
                        if (mode == gmThreeColor && n % 2 == 1) {
                            EXPECT_EQ(got[static_cast<std::size_t>(n / 2)], 0x7F0180u) << where;
                        }
                    }
                }
            }
        }
    }
}

double Lightness(TColor color) {
    return LinearToOklab(LinearOf(color)).L;
}

TEST(GradientBlendTest, PerceptualMiddlesAreBrighterThanTheDesigns) {
    const TGradient design = Blended(0x0000FF, 0, 0x00FF00, gmTwoColor, csSrgb);
    for (const TColorSpace space : {csOklab, csOklch, csLinear}) {
        EXPECT_GT(Lightness(GradientColor(Blended(0x0000FF, 0, 0x00FF00, gmTwoColor, space), 7, 13)),
                  Lightness(GradientColor(design, 7, 13)) + 0.05)
            << space;
    }
    // Blue to yellow in Oklab passes no grey; the longer hue way passes through red and green.
    const TOklch middle = OklabToOklch(
        LinearToOklab(LinearOf(GradientColor(Blended(0xFF0000, 0, 0x00FFFF, gmTwoColor, csOklch), 6, 11))));
    EXPECT_GT(middle.C, 0.1);
    const TColor longWay = GradientColor(Blended(0x0000FF, 0, 0x00FFFF, gmTwoColor, csOklchLong), 6, 11);
    const TColor shortWay = GradientColor(Blended(0x0000FF, 0, 0x00FFFF, gmTwoColor, csOklch), 6, 11);
    EXPECT_GT(OklabToOklch(LinearToOklab(LinearOf(longWay))).H, 180);
    EXPECT_LT(OklabToOklch(LinearToOklab(LinearOf(shortWay))).H, 90);
    // Between two equal colours the longer way is once round: the middle is across the circle.
    const TColor round = GradientColor(Blended(0x3050A0, 0, 0x3050A0, gmTwoColor, csOklchLong), 6, 11);
    const double from = OklabToOklch(LinearToOklab(LinearOf(0x3050A0))).H;
    EXPECT_GT(std::abs(std::remainder(OklabToOklch(LinearToOklab(LinearOf(round))).H - from, 360)), 150);
}

TEST(GradientBlendTest, StopsLandAtTheirPositions) {
    TGradient gradient;
    gradient.Stops = {{0x0000FF, 0}, {0x00FF00, -1}, {0xFF0000, 0.6}, {0xFFFFFF, -1}, {0x000000, -1}};
    const std::vector<TColorStop> settled = SettledStops(gradient);
    const double positions[] = {0, 0.3, 0.6, 0.8, 1};
    for (std::size_t k = 0; k < settled.size(); ++k) {
        EXPECT_DOUBLE_EQ(settled[k].Position, positions[k]);
    }
    for (int space = 0; space < kColorSpaceCount; ++space) {
        gradient.Space = static_cast<TColorSpace>(space);
        // Eleven characters stand at tenths: 1, 4, 7, 9 and 11 carry the stops.
        for (const auto& [i, color] :
             {std::pair{1, 0x0000FFu}, {4, 0x00FF00u}, {7, 0xFF0000u}, {9, 0xFFFFFFu}, {11, 0x000000u}}) {
            EXPECT_EQ(GradientColor(gradient, i, 11), color) << "space " << space << " i " << i;
        }
    }
    // Before the first given position the first colour holds, after the last the last.
    gradient.Space = csSrgb;
    gradient.Stops = {{0x0000FF, 0.25}, {0x00FF00, 0.75}};
    EXPECT_EQ(GradientColor(gradient, 3, 11), 0x0000FFu);
    EXPECT_EQ(GradientColor(gradient, 9, 11), 0x00FF00u);
    EXPECT_EQ(GradientColor(gradient, 6, 11), 0x008080u); // srgb steps rounded to nearest
    // Two stops at one place: a hard edge, the unit on it in the later colour.
    gradient.Stops = {{0x0000FF, 0}, {0x00FF00, 0.5}, {0xFF0000, 0.5}, {0xFFFFFF, 1}};
    EXPECT_EQ(GradientColor(gradient, 6, 11), 0xFF0000u);
}

// Positions may stay where they are, never fall.
TEST(GradientBlendTest, StopTextTakesTwoStopsAtOnePlace) {
    const std::optional<std::vector<TColorStop>> hard =
        ColorStopsFromText("FF0000,00FF00@50,0000FF@50,FFFFFF");
    ASSERT_TRUE(hard.has_value());
    EXPECT_DOUBLE_EQ((*hard)[2].Position, 0.5);
    EXPECT_EQ(ColorStopsFromText("FF0000,00FF00@50,0000FF@49.9"), std::nullopt);
}

TEST(GradientBlendTest, TheRainbowStaysInsideSrgbAtEvenLightness) {
    for (int step = 0; step < 3600; ++step) {
        const TRgbLinear linear =
            OklabToLinear(OklchToOklab({kRainbowLightness, kRainbowChroma, step / 10.0}));
        ASSERT_TRUE(InSrgbGamut(linear)) << step / 10.0;
    }
    TGradient rainbow;
    rainbow.Rainbow = true;
    rainbow.Phase = 120;
    TGradientWalk walk(rainbow, 12);
    for (int i = 1; i <= 12; ++i) {
        const TOklch lch = OklabToOklch(LinearToOklab(LinearOf(walk.Next())));
        EXPECT_NEAR(lch.L, kRainbowLightness, 0.01);
        EXPECT_NEAR(std::remainder(lch.H - (120 + 30 * (i - 1)), 360), 0, 2) << i;
    }
}

} // namespace
