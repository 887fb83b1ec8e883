#include "engine/LetterStyles.h"

#include <gtest/gtest.h>

namespace {

// Letters (and digits where the style has them) change; every other character stays, also the
// bytes of characters beyond ASCII.
TEST(LetterStyles, RestyleTheLettersAndLeaveTheRest) {
    const struct {
        TLetterStyle style;
        std::string text;
        std::string styled;
    } cases[] = {
        {TLetterStyle::SmallCaps, "Ax z!", "\xE1\xB4\x80x \xE1\xB4\xA2!"},
        {TLetterStyle::SmallCaps, "fqs", "\xEA\x9C\xB0\xC7\xAB\xEA\x9C\xB1"},
        {TLetterStyle::FullWidth, "A~ 0", "\xEF\xBC\xA1\xEF\xBD\x9E \xEF\xBC\x90"},
        {TLetterStyle::Circled, "Az09-", "\xE2\x92\xB6\xE2\x93\xA9\xE2\x93\xAA\xE2\x91\xA8-"},
        {TLetterStyle::FullWidth, "\xC3\xA9\xF0\x9F\x8E\x89", "\xC3\xA9\xF0\x9F\x8E\x89"},
        {TLetterStyle::None, "Abc", "Abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StyledLetters(c.text, c.style), c.styled) << c.text;
    }
    EXPECT_EQ(LetterStyleFromName("circled"), TLetterStyle::Circled);
    EXPECT_EQ(LetterStyleFromName("Circled"), std::nullopt);
}

} // namespace
