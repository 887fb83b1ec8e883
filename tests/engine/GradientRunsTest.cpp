#include "engine/Contrast.h"
#include "engine/GradientBlend.h"
#include "engine/GradientWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// A random gradient beside the design: any space and mode, the design's colours or 2 to 6 stops
// (some at given positions, some coinciding), or the rainbow at any phase.
TGradient RandomGradient(std::mt19937& random) {
    std::uniform_int_distribution<TColor> color(0, 0xFFFFFF);
    std::uniform_int_distribution<int> pick(0, 99);
    TGradient gradient{SplitColor(color(random)), SplitColor(color(random)), SplitColor(color(random)),
                       static_cast<TGradientMode>(pick(random) % 3)};
    gradient.Space = static_cast<TColorSpace>(pick(random) % kColorSpaceCount);
    const int kind = pick(random) % 10;
    if (kind == 0) {
        gradient.Rainbow = true;
        gradient.Phase = pick(random) * 7.3 - 200;
    } else if (kind < 6 || gradient.Space == csSrgb) {
        const int count = 2 + pick(random) % 5;
        double position = 0;
        for (int k = 0; k < count; ++k) {
            position = std::min(1.0, position + pick(random) % 40 / 100.0);
            gradient.Stops.push_back({color(random), pick(random) < 50 ? -1 : position});
        }
    }
    return gradient;
}

// The walk skips the characters it knows keep a colour; every one of them must still have the
// colour the blend computes for it on its own, over random gradients and lengths, the long ones
// passing close to many rounding bounds.
TEST(GradientRunsTest, RunsGiveTheColoursOfEveryCharacterComputedAlone) {
    std::mt19937 random(2222);
    std::uniform_int_distribution<int> exponent(1, 17);
    long long skipped = 0;
    for (int round = 0; round < 400; ++round) {
        const TGradient gradient = RandomGradient(random);
        const int n = std::uniform_int_distribution<int>(1, 1 << exponent(random))(random);
        const TGradientBlend reference(gradient, n);
        TGradientWalk walk(gradient, n);
        for (int i = 1; i <= n; ++i) {
            skipped += walk.KnownAhead() > 0 ? 1 : 0;
            ASSERT_EQ(walk.Next(), reference.At(i))
                << "round " << round << ", space " << gradient.Space << ", mode " << gradient.Mode
                << ", stops " << gradient.Stops.size() << ", rainbow " << gradient.Rainbow << ", n " << n
                << ", i " << i;
        }
    }
    EXPECT_GT(skipped, 1000000); // the runs are in use at all
}

// The check passes over the runs; what it reports must be what a check of every character
// finds: the count, the first failures in order, and the lowest.
TEST(GradientRunsTest, ContrastCheckOverRunsMatchesOneCharacterAtATime) {
    std::mt19937 random(2223);
    std::uniform_int_distribution<int> length(1, 20000);
    std::uniform_int_distribution<TColor> color(0, 0xFFFFFF);
    for (int round = 0; round < 60; ++round) {
        const TGradient gradient = RandomGradient(random);
        const int n = length(random);
        const TColor background = color(random);
        const TContrastNeed need{3, 4.5};
        const TContrastReport report = CheckContrast(gradient, n, background, need, 50);
        const TGradientBlend reference(gradient, n);
        std::size_t failures = 0;
        TContrastFailure lowest{0, 0, 22};
        std::vector<int> firstFailed;
        for (int i = 1; i <= n; ++i) {
            const double ratio = ContrastRatio(reference.At(i), background);
            if (ratio < lowest.Ratio) {
                lowest = {i, reference.At(i), ratio};
            }
            if (ratio < need.Of(i)) {
                ++failures;
                if (firstFailed.size() < 50) {
                    firstFailed.push_back(i);
                }
            }
        }
        ASSERT_EQ(report.Failures, failures) << "round " << round;
        ASSERT_EQ(report.FirstFailed.size(), firstFailed.size()) << "round " << round;
        for (std::size_t k = 0; k < firstFailed.size(); ++k) {
            EXPECT_EQ(report.FirstFailed[k].Index, firstFailed[k]) << "round " << round;
        }
        EXPECT_EQ(report.Lowest.Index, lowest.Index) << "round " << round;
        EXPECT_EQ(report.Lowest.Color, lowest.Color) << "round " << round;
    }
}

} // namespace
