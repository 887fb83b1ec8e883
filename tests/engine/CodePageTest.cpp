#include "engine/CodePage.h"

#include <gtest/gtest.h>

namespace {

struct CodePageCase {
    const char* name;
    std::string utf8;
    std::string cp932;

    friend void PrintTo(const CodePageCase& c, std::ostream* os) { *os << c.name; }
};

class CodePageRoundTrip : public testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageRoundTrip, ConvertsBothWaysWithoutLoss) {
    const auto& c = GetParam();
    const TCp932Conversion forward = Utf8ToCp932(c.utf8);
    EXPECT_TRUE(forward.Complete());
    EXPECT_EQ(forward.Bytes, c.cp932);
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageRoundTrip,
    testing::Values(CodePageCase{"Empty", "", ""}, CodePageCase{"Ascii", "AB=c", "AB=c"},
                    // ソ has the trail byte 0x5C (backslash), 表 too; ー is a lead byte pair.
                    CodePageCase{"TrailByteBackslash", "ソ表", "\x83\x5C\x95\x5C"},
                    CodePageCase{"FullWidthSpace", "a\u3000b",
                                 "a\x81\x40"
                                 "b"},
                    CodePageCase{"HalfWidthKatakana", "ｱｲ", "\xB1\xB2"},
                    // Characters that exist only in the Windows code page, not in plain Shift-JIS.
                    CodePageCase{"WindowsExtensions", "①～", "\x87\x40\x81\x60"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CodePage, ReportsEveryCharacterItCannotHoldAndMarksItsPlace) {
    const TCp932Conversion result = Utf8ToCp932("a😀b€c");
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(result.Bytes, "a?b?c");
    ASSERT_EQ(result.Unmappable.size(), 2u);
    EXPECT_EQ(result.Unmappable[0], "😀");
    EXPECT_EQ(result.Unmappable[1], "€");
}

TEST(CodePage, KeepsEveryAsciiByteAroundPairsAndCharactersItCannotHold) {
    for (int byte = 0; byte < 0x80; ++byte) {
        const std::string c(1, static_cast<char>(byte));
        const TCp932Conversion result = Utf8ToCp932(c + c + "ソ" + c + "😀" + c);
        EXPECT_EQ(result.Bytes, c + c + "\x83\x5C" + c + "?" + c) << "byte " << byte;
        EXPECT_EQ(result.Unmappable.size(), 1u) << "byte " << byte;
    }
}

TEST(CodePage, ReportsBrokenUtf8InsteadOfDroppingIt) {
    const TCp932Conversion result = Utf8ToCp932(std::string("x\xFFy\xE3\x81", 5));
    EXPECT_EQ(result.Bytes, "x?y?");
    EXPECT_EQ(result.Unmappable.size(), 2u);
}

TEST(CodePage, ShowsInvalidShiftJisAsReplacementCharacters) {
    // A lone lead byte at the end, and a lead byte followed by a byte that is no trail byte.
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\uFFFD");
    EXPECT_EQ(Cp932ToUtf8("\x81\x0A"
                          "b"),
              "\uFFFD\nb");
}

} // namespace
