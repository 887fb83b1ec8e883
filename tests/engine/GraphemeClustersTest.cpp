#include "engine/GraphemeClusters.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Lines in the notation of Unicode's GraphemeBreakTest.txt: code points in hexadecimal, "÷" where
// a cluster ends and "×" where it goes on. Debian ships no copy of that file, so these are
// typical lines of it, one or more for each rule.
const char* const kBreakLines[] = {
    "÷ 0020 ÷ 0020 ÷",                      // any break
    "÷ 000D × 000A ÷",                      // CR LF stays together
    "÷ 000A ÷ 0308 ÷",                      // nothing extends a control
    "÷ 0061 × 0308 ÷ 0062 ÷",               // a combining mark extends
    "÷ 0308 ÷ 0061 ÷",                      // a mark at the start stands alone
    "÷ 1100 × 1161 × 11A8 ÷ 1100 ÷",        // Hangul L V T
    "÷ AC00 × 11A8 ÷",                      // Hangul LV T
    "÷ 1F1E6 × 1F1E7 ÷ 1F1E8 ÷",            // regional indicators pair up
    "÷ 0600 × 0020 ÷",                      // prepend
    "÷ 0915 × 0903 ÷",                      // spacing mark
    "÷ 1F476 × 1F3FF ÷ 1F476 ÷",            // emoji modifier
    "÷ 1F6D1 × 200D × 1F6D1 ÷",             // pictograph ZWJ pictograph
    "÷ 0061 × 200D ÷ 1F6D1 ÷",              // ZWJ after a letter joins nothing
    "÷ 2600 × FE0F ÷ 0031 × FE0F × 20E3 ÷", // variation selector, keycap
};

struct TBreakLine {
    std::string text;
    std::vector<std::size_t> ends;
};

TBreakLine ParseBreakLine(const std::string& line) {
    TBreakLine parsed;
    std::istringstream in(line);
    std::string token;
    while (in >> token) {
        if (token == "÷") {
            if (!parsed.text.empty()) {
                parsed.ends.push_back(parsed.text.size());
            }
        } else if (token != "×") {
            parsed.text += Utf8Of(static_cast<char32_t>(std::stoul(token, nullptr, 16)));
        }
    }
    return parsed;
}

class GraphemeBreakLine : public testing::TestWithParam<const char*> {};

TEST_P(GraphemeBreakLine, EndsClustersWhereUnicodeSays) {
    const TBreakLine line = ParseBreakLine(GetParam());
    TGraphemeClusters clusters(line.text);
    std::vector<std::size_t> ends;
    for (std::size_t end = clusters.Next(); end != TGraphemeClusters::kEnd; end = clusters.Next()) {
        ends.push_back(end);
    }
    EXPECT_EQ(ends, line.ends);
}

// The cluster around each character is the one that Next() walks to, whatever came before it.
TEST_P(GraphemeBreakLine, FindsTheClusterAroundEveryCharacter) {
    const TBreakLine line = ParseBreakLine(GetParam());
    TGraphemeClusters clusters(line.text);
    std::size_t start = 0;
    for (const std::size_t end : line.ends) {
        for (std::size_t at = start; at < end; ++at) {
            if ((static_cast<unsigned char>(line.text[at]) & 0xC0) != 0x80) {
                EXPECT_EQ(clusters.Around(at), std::make_pair(start, end)) << at;
            }
        }
        start = end;
    }
}

INSTANTIATE_TEST_SUITE_P(TypicalLines, GraphemeBreakLine, testing::ValuesIn(kBreakLines));

// The ends Next() walks to.
std::vector<std::size_t> Ends(std::string_view text) {
    TGraphemeClusters clusters(text);
    std::vector<std::size_t> ends;
    for (std::size_t end = clusters.Next(); end != TGraphemeClusters::kEnd; end = clusters.Next()) {
        ends.push_back(end);
    }
    return ends;
}

// Random texts of the characters above, where a cluster's edges hang on what stands before it
// (a run of regional indicators pairs up from its start, a joiner on what it follows).
TEST(GraphemeClusters, FindsTheClusterAroundEachCharacterOfRandomTexts) {
    std::vector<std::string> characters;
    for (const char* line : kBreakLines) {
        const std::string text = ParseBreakLine(line).text;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t length = (text[at] & 0x80) == 0      ? 1
                                       : (text[at] & 0xE0) == 0xC0 ? 2
                                       : (text[at] & 0xF0) == 0xE0 ? 3
                                                                   : 4;
            characters.push_back(text.substr(at, length));
            at += length;
        }
    }
    std::mt19937 random(31);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int count = static_cast<int>(random() % 24); count > 0; --count) {
            text += characters[random() % characters.size()];
        }
        const std::vector<std::size_t> ends = Ends(text);
        TGraphemeClusters clusters(text);
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            // Every other cluster asked about, so that ICU comes from far behind it too.
            if (random() % 2 == 0) {
                EXPECT_EQ(clusters.Around(start), std::make_pair(start, end)) << text;
            }
            start = end;
        }
    }
}

// A text broken while another is still open gets an iterator of its own.
TEST(GraphemeClusters, TextsOpenAtOnceKeepTheirOwnPlaces) {
    const std::string flags = "🇯🇵🇫🇷";
    const std::string family = "a👨‍👩‍👧b";
    for (int round = 0; round < 2; ++round) {
        TGraphemeClusters first(flags);
        EXPECT_EQ(first.Next(), 8U);
        {
            TGraphemeClusters second(family);
            EXPECT_EQ(second.Next(), 1U);
            EXPECT_EQ(first.Next(), 16U);
            EXPECT_EQ(second.Next(), 1U + 18U);
        }
        TGraphemeClusters third(family);
        EXPECT_EQ(third.Next(), 1U);
        EXPECT_EQ(first.Next(), TGraphemeClusters::kEnd);
    }
}

TEST(GraphemeClusters, EmptyTextHasNone) {
    TGraphemeClusters clusters("");
    EXPECT_EQ(clusters.Next(), TGraphemeClusters::kEnd);
}

struct Utf8Case {
    const char* name;
    std::string text;
    std::optional<std::size_t> firstInvalid;
    std::string repaired;

    friend void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }
};

class Utf8Check : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Check, FindsTheFirstBadByteAndRepairsEachBadPiece) {
    const auto& c = GetParam();
    EXPECT_EQ(FirstInvalidUtf8(c.text), c.firstInvalid);
    EXPECT_EQ(WithReplacementCharacters(c.text), c.repaired);
}

const std::string kFffd = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Check,
    testing::Values(Utf8Case{"Valid", "a\u00E9\u3042\U0001F44D", std::nullopt, "a\u00E9\u3042\U0001F44D"},
                    Utf8Case{"Empty", "", std::nullopt, ""},
                    Utf8Case{"StrayByteAfterAscii",
                             "ab\xFF"
                             "c",
                             2, "ab" + kFffd + "c"},
                    Utf8Case{"CutShortAtTheEnd", "x\xE3\x81", 1, "x" + kFffd},
                    Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", 0, kFffd + kFffd + kFffd},
                    Utf8Case{"Overlong", "\xC0\xAF", 0, kFffd + kFffd},
                    Utf8Case{"AboveTheLastCodePoint", "\xF4\x90\x80\x80", 0, kFffd + kFffd + kFffd + kFffd},
                    Utf8Case{"LastCodePoint", "\xF4\x8F\xBF\xBF", std::nullopt, "\xF4\x8F\xBF\xBF"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Utf16ToUtf8, WritesUnpairedSurrogatesAsReplacementCharacters) {
    EXPECT_EQ(Utf16ToUtf8(u"a\U0001F600"), "a\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD83D), u'b'}), "a" + kFffd + "b");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDE00), char16_t(0xD83D)}), kFffd + kFffd);
}

} // namespace
