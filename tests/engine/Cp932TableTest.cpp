#include "engine/Cp932Table.h"
#include "engine/CodePage.h"
#include "engine/Utf8Decode.h"

#include <gtest/gtest.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

// The tables the build made agree with iconv, which the program converts with, for every code
// point and every byte pair.

TEST(Cp932Table, EncodesEveryCodePointAsIconvDoes) {
    TCp932Encoder iconv;
    int held = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string utf8;
        AppendUtf8(c, utf8);
        std::string expected;
        const bool holds = iconv.Append(utf8, expected);
        std::string written;
        if (const std::optional<std::uint16_t> code = Cp932Code(c)) {
            written = *code >= 0x100
                          ? std::string{static_cast<char>(*code >> 8), static_cast<char>(*code & 0xFF)}
                          : std::string(1, static_cast<char>(*code));
            ++held;
        }
        ASSERT_EQ(holds ? expected : std::string(), written) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_GT(held, 7000); // JIS X 0208 and the Windows extensions
}

TEST(Cp932Table, DecodesEveryByteAndPairAsIconvDoes) {
    for (unsigned lead = 0; lead < 256; ++lead) {
        for (unsigned trail = 0; trail < (IsCp932Lead(static_cast<unsigned char>(lead)) ? 256u : 1u);
             ++trail) {
            std::string character(1, static_cast<char>(lead));
            if (IsCp932Lead(static_cast<unsigned char>(lead))) {
                character += static_cast<char>(trail);
            }
            std::string viaTable;
            AppendUtf8(Cp932CodePoint(character), viaTable);
            ASSERT_EQ(viaTable, Cp932CharacterToUtf8(character)) << std::hex << lead << " " << trail;
        }
    }
}

// NextUtf8CodePoint replaces ICU's U8_NEXT where there is no ICU (the page): over random byte
// strings rich in lead bytes, edges and trails, both find the same code points and pieces.
TEST(Utf8Decode, SplitsAsIcuDoesOverRandomBytes) {
    const unsigned char kBytes[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                    0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                    0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
    std::mt19937 random(932);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kBytes) - 1);
    std::uniform_int_distribution<std::size_t> length(1, 8);
    for (int round = 0; round < 200000; ++round) {
        std::string text(length(random), '\0');
        for (char& c : text) {
            c = static_cast<char>(kBytes[pick(random)]);
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        std::size_t ours = 0;
        std::size_t icu = 0;
        while (icu < text.size()) {
            UChar32 expected = 0;
            U8_NEXT(bytes, icu, text.size(), expected);
            const std::int32_t found = NextUtf8CodePoint(text, ours);
            ASSERT_EQ(found < 0 ? -1 : found, expected < 0 ? -1 : expected) << round;
            ASSERT_EQ(ours, icu) << round;
        }
    }
}

} // namespace
