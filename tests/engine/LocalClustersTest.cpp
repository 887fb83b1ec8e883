#include "engine/LocalClusters.h"
#include "engine/GraphemeClusters.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace {

struct TBoundaryCase {
    const char* name;
    std::string_view text;
    std::size_t offset;
    bool always;
};

class AlwaysBoundary : public testing::TestWithParam<TBoundaryCase> {};

TEST_P(AlwaysBoundary, HoldsOnlyBetweenTwoAsciiCharactersOtherThanCrLf) {
    EXPECT_EQ(TLocalClusters::AlwaysBoundary(GetParam().text, GetParam().offset), GetParam().always);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, AlwaysBoundary,
    testing::Values(TBoundaryCase{"TextStart", "ab", 0, true}, TBoundaryCase{"TextEnd", "ab", 2, true},
                    TBoundaryCase{"TwoLetters", "ab", 1, true}, TBoundaryCase{"CrLf", "\r\n", 1, false},
                    TBoundaryCase{"LfCr", "\n\r", 1, true}, TBoundaryCase{"Delete", "a\x7F", 1, true},
                    TBoundaryCase{"BeforeCombining", "a\xCC\x81", 1, false},
                    TBoundaryCase{"AfterTwoByteCharacter", "\xC3\xA9z", 2, false}),
    [](const testing::TestParamInfo<TBoundaryCase>& row) { return std::string(row.param.name); });

// Characters that the break rules treat apart: letters, controls, combining marks, spacing marks,
// prepends, joiners, skin tones, regional indicators, pictographs, Hangul jamo and syllables, an
// Indic consonant and virama, and CP932's own.
const char* const kPieces[] = {"a",          " ",          "\r",         "\n",         "\t",     "\x7F",
                               "\u0085",     "\u0301",     "\u0903",     "\u0600",     "\u200D", "\U0001F3FD",
                               "\U0001F1EF", "\U0001F1F5", "\U0001F468", "\u2600",     "\uFE0F", "\u1100",
                               "\u1161",     "\u11A8",     "\uAC00",     "\u0915",     "\u094D", "\u3042",
                               "\u65E5",     "\uFF5E",     "\U0001F389", "\U000E0061", "\u0E33", "\u200B"};

TEST(LocalClusters, FindTheClustersOfTheWholeTextAtEveryCharacter) {
    std::mt19937 random(31);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += kPieces[pick(random)];
        }
        TGraphemeClusters whole(text);
        TLocalClusters local(text);
        // Forward as the units are cut, then backward.
        for (int pass = 0; pass < 2; ++pass) {
            for (std::size_t step = 0; step < text.size(); ++step) {
                const std::size_t offset = pass == 0 ? step : text.size() - 1 - step;
                if ((static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) {
                    continue;
                }
                ASSERT_EQ(local.Around(offset), whole.Around(offset))
                    << "text " << testing::PrintToString(text) << " offset " << offset;
            }
        }
    }
}

} // namespace
