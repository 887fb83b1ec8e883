#include "engine/GradientWalk.h"

#include <gtest/gtest.h>

namespace {

// The walk must give GradientColor's colours exactly, including its truncation toward zero on
// falling channels and the fold's switch at the middle, for odd and even lengths.
TEST(GradientWalkTest, GivesTheColoursOfGradientColorForEveryModeAndLength) {
    const TOrivRGB colors[] = {SplitColor(0x000000), SplitColor(0xFFFFFF), SplitColor(0x0000FF),
                               SplitColor(0x00FFFF), SplitColor(0x7F0180), SplitColor(0x12C3FE)};
    for (const TGradientMode mode : {gmTwoColor, gmMirror, gmThreeColor}) {
        for (const TOrivRGB& start : colors) {
            for (const TOrivRGB& finish : colors) {
                const TGradient gradient{start, SplitColor(0x80FF01), finish, mode};
                for (const int n : {1, 2, 3, 4, 5, 6, 7, 10, 11, 254, 255, 256, 257, 511, 1021}) {
                    TGradientWalk walk(gradient, n);
                    for (int i = 1; i <= n; ++i) {
                        ASSERT_EQ(walk.Next(), GradientColor(gradient, i, n))
                            << "mode " << mode << ", n " << n << ", i " << i;
                    }
                }
            }
        }
    }
}

TEST(GradientWalkTest, ChannelsOutsideAByteFollowGradientColorToo) {
    const TGradient gradient{{-300, 70000, 5, {}}, {}, {900, -2, 255, {}}, gmMirror};
    TGradientWalk walk(gradient, 9);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(walk.Next(), GradientColor(gradient, i, 9));
    }
}

TEST(GradientWalkTest, AMillionCharactersEndOnTheFinishColour) {
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    const int n = 1000001;
    TGradientWalk walk(gradient, n);
    TColor last = 0;
    for (int i = 1; i <= n; ++i) {
        last = walk.Next();
        if (i == n / 2 + 1) {
            EXPECT_EQ(last, GradientColor(gradient, i, n));
        }
    }
    EXPECT_EQ(last, GradientColor(gradient, n, n));
}

} // namespace
