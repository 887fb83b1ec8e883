#include "colorpicker/StrToIntDef.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

// Every hexadecimal prefix and the decimal form read back the value they were written from,
// over random 32-bit patterns, with a sign and leading blanks where the form allows them.
TEST(TryStrToInt, EveryPrefixReadsBackWhatWasWritten) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 500; ++round) {
        const auto value = static_cast<std::int32_t>(random());
        const auto pattern = static_cast<std::uint32_t>(value);
        const QString hex = QString::number(pattern, 16);
        for (const QString& text : {u'$' + hex, QStringLiteral("0x") + hex, u'x' + hex.toUpper(),
                                    QStringLiteral("  X") + hex, QString::number(value)}) {
            std::int32_t read = 0;
            ASSERT_TRUE(TryStrToInt(text, read)) << text.toStdString();
            EXPECT_EQ(read, value) << text.toStdString();
        }
    }
}

TEST(TryStrToInt, RejectsWhatIsNotAWholeNumber) {
    for (const char* text : {"", "$", "x", "0x", "$g", "12 ", "$1FFFFFFFF", "2147483648", "-2147483649"}) {
        std::int32_t read = 7;
        EXPECT_FALSE(TryStrToInt(QString::fromLatin1(text), read)) << text;
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(text), -5), -5) << text;
    }
}

} // namespace
