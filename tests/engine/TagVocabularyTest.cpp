#include "engine/TagVocabulary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TRecordingReporter final : public TTagLookupReporter {
public:
    void TagNotFound(std::string_view key, std::string_view message) override {
        keys.emplace_back(key);
        messages.emplace_back(message);
    }
    std::vector<std::string> keys;
    std::vector<std::string> messages;
};

TEST(TagVocabulary, LooksUpKeysInAnyLetterCase) {
    const TTagVocabulary tg;
    EXPECT_EQ(tg.TagWord("_Font"), "font");
    EXPECT_EQ(tg.TagWord("_font"), "font");
    EXPECT_EQ(tg.TagWord("_FONT"), "font");
    EXPECT_EQ(tg.OpenTag("_Td"), "<td>");
    EXPECT_EQ(tg.CloseTag("_Strike"), "</strike>");
}

TEST(TagVocabulary, HoldsTheProgramsTwentySevenWordsInOrder) {
    const std::vector<std::string> items = TTagVocabulary().Items();
    ASSERT_EQ(items.size(), 27u);
    EXPECT_EQ(items.front(), "_Font=font");
    EXPECT_EQ(items[13], "_Bgcolor=bgcolor");
    EXPECT_EQ(items.back(), "_Family=family");
}

TEST(TagVocabulary, CaseSwitchChangesValuesAndNeverKeys) {
    TTagVocabulary tg;
    tg.ApplyTagCase(true);
    EXPECT_THAT(tg.Items(), testing::Contains("_Cellpadding=CELLPADDING"));
    EXPECT_EQ(tg.TagWord("_cellpadding"), "CELLPADDING");
    tg.ApplyTagCase(false);
    EXPECT_THAT(tg.Items(), testing::Contains("_Cellpadding=cellpadding"));
}

TEST(TagVocabulary, CaseSwitchLeavesTwoByteCharactersWhole) {
    // ア is 0x83 0x41: its second byte must not become 'a'.
    TTagVocabulary tg({"_X=a\x83\x41z"});
    tg.ApplyTagCase(false);
    EXPECT_EQ(tg.TagWord("_X"), "a\x83\x41z");
    tg.ApplyTagCase(true);
    EXPECT_EQ(tg.TagWord("_X"), "A\x83\x41Z");
}

struct MissingCase {
    const char* name;
    std::vector<std::string> items;
    const char* key;
};

class MissingTagTest : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingTagTest, IsReportedAndGivesAnEmptyWord) {
    TTagVocabulary tg(GetParam().items);
    TRecordingReporter reporter;
    tg.SetReporter(&reporter);
    EXPECT_EQ(tg.TagWord(GetParam().key), "");
    EXPECT_EQ(tg.OpenTag(GetParam().key), "<>");
    EXPECT_EQ(tg.CloseTag(GetParam().key), "</>");
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.keys.front(), GetParam().key);
    EXPECT_EQ(reporter.messages.front(), std::string(GetParam().key) + ": not found.");
}

INSTANTIATE_TEST_SUITE_P(Lookups, MissingTagTest,
                         testing::Values(MissingCase{"UnknownKey", {"_Font=font"}, "_Fnot"},
                                         MissingCase{"EmptyValue", {"_Font="}, "_Font"},
                                         MissingCase{"NoEqualsSign", {"_Font"}, "_Font"},
                                         MissingCase{"EmptyTable", {}, "_B"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(TagVocabulary, FirstOfTwoEntriesWins) {
    const TTagVocabulary tg({"_B=bold", "_b=b"});
    EXPECT_EQ(tg.TagWord("_B"), "bold");
}

} // namespace
