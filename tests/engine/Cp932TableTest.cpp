#include "engine/Cp932Table.h"
#include "engine/CodePage.h"
#include "engine/Utf8Decode.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <random>
#include <string>

// The code page conversions work from tables the build made from iconv; here iconv itself is the
// oracle, for every code point, every byte pair, and random texts through each conversion.

namespace {

// The conversions as the program made them with iconv before the tables.
class TIconv {
public:
    TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~TIconv() { iconv_close(cd_); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts as much of `in` as it can onto `out`; the errno that stopped it, or 0.
    int Convert(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!in.empty()) {
            char* inPtr = const_cast<char*>(in.data());
            size_t inLeft = in.size();
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            in.remove_prefix(in.size() - inLeft);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                return errno;
            }
        }
        return 0;
    }

private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

TCp932Conversion IconvUtf8ToCp932(std::string_view utf8) {
    TCp932Conversion result;
    TIconv converter("CP932", "UTF-8");
    std::string_view rest = utf8;
    while (!rest.empty() && converter.Convert(rest, result.Bytes) != 0) {
        const size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        result.Unmappable.emplace_back(rest.substr(0, length));
        result.Bytes.push_back('?');
        rest.remove_prefix(length);
    }
    return result;
}

std::string IconvCp932ToUtf8(std::string_view cp932) {
    std::string out;
    TIconv converter("UTF-8", "CP932");
    std::string_view rest = cp932;
    while (!rest.empty() && converter.Convert(rest, out) != 0) {
        const auto lead = static_cast<unsigned char>(rest.front());
        out += "\xEF\xBF\xBD";
        const unsigned char trail = rest.size() >= 2 ? static_cast<unsigned char>(rest[1]) : 0;
        rest.remove_prefix(IsCp932Lead(lead) && IsCp932Trail(trail) ? 2 : 1);
    }
    return out;
}

std::optional<std::string> IconvWhole(const char* to, const char* from, std::string_view in) {
    TIconv converter(to, from);
    std::string out;
    if (converter.Convert(in, out) != 0) {
        return std::nullopt;
    }
    return out;
}

TEST(Cp932Table, EncodesEveryCodePointAsIconvDoes) {
    TIconv iconv("CP932", "UTF-8");
    int held = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string utf8;
        AppendUtf8(c, utf8);
        std::string_view in = utf8;
        std::string expected;
        if (iconv.Convert(in, expected) != 0) {
            expected.clear();
        }
        std::string written;
        if (const std::optional<std::uint16_t> code = Cp932Code(c)) {
            written = *code >= 0x100
                          ? std::string{static_cast<char>(*code >> 8), static_cast<char>(*code & 0xFF)}
                          : std::string(1, static_cast<char>(*code));
            ++held;
        }
        ASSERT_EQ(expected, written) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_GT(held, 7000); // JIS X 0208 and the Windows extensions
}

TEST(Cp932Table, DecodesEveryByteAndPairAsIconvDoes) {
    for (unsigned lead = 0; lead < 256; ++lead) {
        const bool isLead = IsCp932Lead(static_cast<unsigned char>(lead));
        for (unsigned trail = 0; trail < (isLead ? 256u : 1u); ++trail) {
            std::string character(1, static_cast<char>(lead));
            if (isLead) {
                character += static_cast<char>(trail);
            }
            std::string expected = IconvWhole("UTF-8", "CP932", character).value_or("\xEF\xBF\xBD");
            std::string viaTable;
            AppendUtf8(Cp932CodePoint(character), viaTable);
            ASSERT_EQ(viaTable, expected) << std::hex << lead << " " << trail;
            ASSERT_EQ(Cp932CharacterToUtf8(character), expected) << std::hex << lead << " " << trail;
        }
    }
}

// Random texts of pieces that matter: ASCII, kana, kanji, the Windows extensions, characters
// code page 932 lacks, emoji, and broken or stray bytes.
std::string RandomText(std::mt19937& random, bool cp932Bytes) {
    static const char* const kUtf8Pieces[] = {"a",        "\\",           "~",          "\u00A5",   "\u3042",
                                              "\u30BD",   "\u8868",       "\u2460",     "\uFF5E",   "\u301C",
                                              "\u00E9",   "\u20AC",       "\U0001F389", "\xE3\x81", "\xFF",
                                              "\xC0\xAF", "\xED\xA0\x80", "\r\n"};
    static const char* const kCp932Pieces[] = {"a",        "\x83\x5C", "\x81\x60", "\x87\x40", "\xB1",
                                               "\x81",     "\x81\x20", "\xA0",     "\x80",     "\xFD",
                                               "\xEF\x40", "\xFA\x40", "\xF0\x40"};
    std::uniform_int_distribution<int> count(0, 12);
    std::string text;
    for (int k = count(random); k > 0; --k) {
        if (cp932Bytes) {
            text += kCp932Pieces[std::uniform_int_distribution<std::size_t>(0, std::size(kCp932Pieces) -
                                                                                   1)(random)];
        } else {
            text += kUtf8Pieces[std::uniform_int_distribution<std::size_t>(0, std::size(kUtf8Pieces) -
                                                                                  1)(random)];
        }
    }
    return text;
}

TEST(CodePageTables, ConvertRandomTextsAsIconvDoes) {
    std::mt19937 random(932);
    for (int round = 0; round < 3000; ++round) {
        const std::string utf8 = RandomText(random, false);
        const TCp932Conversion expected = IconvUtf8ToCp932(utf8);
        const TCp932Conversion found = Utf8ToCp932(utf8);
        ASSERT_EQ(found.Bytes, expected.Bytes) << utf8;
        ASSERT_EQ(found.Unmappable, expected.Unmappable) << utf8;
        ASSERT_EQ(Utf8ToUtf16Le(utf8), IconvWhole("UTF-16LE", "UTF-8", utf8)) << utf8;
        if (const std::optional<std::string> utf16 = Utf8ToUtf16Le(utf8)) {
            const std::string cut = utf16->substr(0, utf16->size() - (utf16->size() >= 2 ? 1 : 0));
            ASSERT_EQ(Utf16LeToUtf8(cut), IconvWhole("UTF-8", "UTF-16LE", cut)) << utf8;
            ASSERT_EQ(Utf16LeToUtf8(*utf16 + "\x3D\xD8"),
                      IconvWhole("UTF-8", "UTF-16LE", *utf16 + "\x3D\xD8"));
        }
        TCp932Encoder encoder;
        std::string appended = "x";
        ASSERT_EQ(encoder.Append(utf8, appended), expected.Complete()) << utf8;
        ASSERT_EQ(appended, expected.Complete() ? "x" + expected.Bytes : "x") << utf8;

        const std::string cp932 = RandomText(random, true);
        ASSERT_EQ(Cp932ToUtf8(cp932), IconvCp932ToUtf8(cp932)) << cp932;
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
