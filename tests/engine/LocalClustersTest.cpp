#include "engine/LocalClusters.h"
#include "engine/GraphemeClusters.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace {

std::string Utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

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
const char32_t kPieces[] = {U'a',   U' ',   U'\r',   U'\n',   U'\t',   0x7F,    0x85,    0x0301,
                            0x0903, 0x0600, 0x200D,  0x1F3FD, 0x1F1EF, 0x1F1F5, 0x1F468, 0x2600,
                            0xFE0F, 0x1100, 0x1161,  0x11A8,  0xAC00,  0x0915,  0x094D,  0x3042,
                            0x65E5, 0xFF5E, 0x1F389, 0xE0061, 0x0E33,  0x200B};

TEST(LocalClusters, FindTheClustersOfTheWholeTextAtEveryCharacter) {
    std::mt19937 random(31);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += Utf8Of(kPieces[pick(random)]);
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
