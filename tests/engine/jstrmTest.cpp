#include "engine/jstrm.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Shift-JIS characters whose second byte has the value of an ASCII sign or letter.
const std::string kSo = "\x83\x5C";          // ソ, second byte '\'
const std::string kPo = "\x83\x7C";          // ポ, second byte '|'
const std::string kWideQ = "\x82\x70";       // Ｑ, second byte 'p'
const std::string kWideA = "\x82\x60";       // Ａ, second byte '`'
const std::string kA = "\x83\x41";           // ア, second byte 'A'
const std::string kLongBar = "\x81\x5B";     // ー
const std::string kHalfKana = "\xB1";        // ｱ, one byte
const std::string kLeadAsTrail = "\x88\x9F"; // 亜, second byte itself a lead-byte value

struct TrailCase {
    const char* name;
    std::string text;
    int position;
    bool trail;
};

class IsTrailByteTest : public testing::TestWithParam<TrailCase> {};

TEST_P(IsTrailByteTest, TellsTheSecondByteOfATwoByteCharacter) {
    EXPECT_EQ(IsTrailByte(GetParam().text, GetParam().position), GetParam().trail);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, IsTrailByteTest,
    testing::Values(TrailCase{"FirstByteNeverTrails", kSo, 1, false},
                    TrailCase{"BackslashAfterLeadTrails", kSo, 2, true},
                    TrailCase{"PlainAsciiBackslash", "a\\", 2, false},
                    TrailCase{"AfterAWholeTwoByteCharacter", kSo + "\\", 3, false},
                    // 亜亜: the run 88 9F 88 reads lead, trail, lead, so byte 4 trails.
                    TrailCase{"RunOfLeadValuesOdd", kLeadAsTrail + kLeadAsTrail, 4, true},
                    TrailCase{"RunOfLeadValuesEven", kLeadAsTrail + kLeadAsTrail, 3, false},
                    TrailCase{"HalfWidthKanaIsNoLead", kHalfKana + "p", 2, false},
                    TrailCase{"WideQHidesP", "x" + kWideQ, 3, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(IsTrailByte, RefusesPositionsOutsideTheText) {
    for (const int position : {0, -1, 3}) {
        try {
            IsTrailByte("ab", position);
            ADD_FAILURE() << "position " << position << " accepted";
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "Illegal Index");
        }
    }
    EXPECT_THROW(IsTrailByte("", 1), std::out_of_range);
}

struct CountCase {
    const char* name;
    std::string text;
    int count;
};

class CharCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(CharCountTest, CountsTwoByteCharactersOnce) {
    EXPECT_EQ(CharCount(GetParam().text), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CharCountTest,
    testing::Values(CountCase{"Empty", "", 0}, CountCase{"Ascii", "ab", 2}, CountCase{"OneWide", kWideA, 1},
                    CountCase{"Mixed", "a" + kWideA + "b", 3},
                    CountCase{"TrailBytesLookLikeLeads", kLeadAsTrail + kLeadAsTrail + kLongBar, 3},
                    CountCase{"HalfWidthKana", kHalfKana + kHalfKana, 2},
                    CountCase{"LoneLeadAtEnd", "a\x83", 2},
                    // 檗, 漾 and 黑: the edges of the two lead-byte ranges.
                    CountCase{"LeadByteRangeEdges", "\x9F\x40\xE0\x40\xFC\x4B", 3},
                    CountCase{"BytesJustOutsideTheLeadRanges", "\x80\x40\xA0\x40\xDF\x40\xFD\x40", 8}),
    [](const auto& param) { return std::string(param.param.name); });

struct CopyCase {
    const char* name;
    std::string text;
    int first;
    int count;
    std::string copy;
};

class CharCopyTest : public testing::TestWithParam<CopyCase> {};

TEST_P(CharCopyTest, CopiesWholeCharacters) {
    const auto& c = GetParam();
    EXPECT_EQ(CharCopy(c.text, c.first, c.count), c.copy);
}

INSTANTIATE_TEST_SUITE_P(Ranges, CharCopyTest,
                         testing::Values(CopyCase{"MiddleWide", "a" + kWideA + "b", 2, 1, kWideA},
                                         CopyCase{"FirstTwo", "a" + kWideA + "b", 1, 2, "a" + kWideA},
                                         CopyCase{"PastTheEnd", "a" + kWideA + "b", 3, 5, "b"},
                                         CopyCase{"WhollyPastTheEnd", "ab", 3, 1, ""},
                                         CopyCase{"BeforeTheStart", "abc", 0, 2, "a"},
                                         CopyCase{"ZeroCount", "abc", 1, 0, ""},
                                         CopyCase{"HugeCount", "ab", 2, 2147483647, "b"},
                                         CopyCase{"LoneLeadAtEnd", "a\x83", 2, 1, "\x83"}),
                         [](const auto& param) { return std::string(param.param.name); });

struct PosCase {
    const char* name;
    std::string part;
    std::string text;
    int index;
};

class CharPosTest : public testing::TestWithParam<PosCase> {};

TEST_P(CharPosTest, FindsOnlyAtCharacterStarts) {
    EXPECT_EQ(CharPos(GetParam().part, GetParam().text), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Searches, CharPosTest,
                         testing::Values(PosCase{"HtmlHoldsHtm", ".htm", ".html", 1},
                                         PosCase{"TsyHasNoHtm", ".htm", ".tsy", 0},
                                         PosCase{"EmptyText", ".htm", "", 0},
                                         PosCase{"TextShorterThanPart", ".html", ".htm", 0},
                                         PosCase{"IndexCountsCharacters", "b", kWideA + "b", 2},
                                         // "\\" occurs only as the second byte of ソ.
                                         PosCase{"NeverInsideATwoByteCharacter", "\\", kSo, 0},
                                         PosCase{"AfterTheHiddenOne", "\\", kSo + "\\", 2},
                                         PosCase{"AtTheVeryEnd", "m", ".htm", 4}),
                         [](const auto& param) { return std::string(param.param.name); });

struct CutCase {
    const char* name;
    std::string text;
    std::string delimiters;
    std::string token;
    std::string rest;
};

class CutTokenTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutTokenTest, CutsAtTheFirstRealDelimiter) {
    const auto& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(CutToken(text, c.delimiters), c.token);
    EXPECT_EQ(text, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, CutTokenTest,
    testing::Values(CutCase{"KeyAndValue", "_Font=font", "=", "_Font", "font"},
                    CutCase{"NoDelimiter", "abc", "=", "abc", ""}, CutCase{"EmptyText", "", "=", "", ""},
                    CutCase{"EmptyDelimiters", "a=b", "", "a=b", ""},
                    CutCase{"AnyOfSeveral", "a;b,c", ",;", "a", "b,c"},
                    CutCase{"DelimiterFirst", "=x", "=", "", "x"},
                    // Ｑ ends in 0x70 ('p'): the cut falls on the real "p" after it.
                    CutCase{"SkipsTrailP", kWideQ + "11pt", "p", kWideQ + "11", "t"},
                    CutCase{"SkipsTrailA", kA + "xA", "A", kA + "x", ""},
                    CutCase{"SkipsTrailBackslash", kSo + "\\" + kPo + "|", "\\|", kSo, kPo + "|"}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
