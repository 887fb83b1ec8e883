#include "controls/TransBtnRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// Names each case of a table after its `name` field.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return param.param.name;
    }
};

struct LayoutCase {
    const char* name;
    TTextAlign align;
    int width, height, glyphWidth, glyphHeight, textWidth, textHeight, spacing;
    TButtonLayout expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutGlyphAndCaptionCases : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutGlyphAndCaptionCases, PlacesGlyphOppositeTheCaption) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(LayoutGlyphAndCaption(c.align, c.width, c.height, c.glyphWidth, c.glyphHeight, c.textWidth,
                                    c.textHeight, c.spacing),
              c.expected);
}

// A 40 x 40 button, a 15 x 13 glyph, a 25 x 12 caption and the default spacing 2.
INSTANTIATE_TEST_SUITE_P(
    Alignments, LayoutGlyphAndCaptionCases,
    ::testing::Values(
        LayoutCase{"TopLeft", ttaTopLeft, 40, 40, 15, 13, 25, 12, 2, {12, 25, 2, 11}},
        LayoutCase{"Top", ttaTop, 40, 40, 15, 13, 25, 12, 2, {12, 25, 8, 11}},
        LayoutCase{"TopRight", ttaTopRight, 40, 40, 15, 13, 25, 12, 2, {12, 25, 13, 11}},
        LayoutCase{"Right", ttaRight, 40, 40, 15, 13, 25, 12, 2, {2, 13, 13, 14}},
        LayoutCase{"BottomRight", ttaBottomRight, 40, 40, 15, 13, 25, 12, 2, {12, 2, 13, 17}},
        LayoutCase{"Bottom", ttaBottom, 40, 40, 15, 13, 25, 12, 2, {12, 2, 8, 17}},
        LayoutCase{"BottomLeft", ttaBottomLeft, 40, 40, 15, 13, 25, 12, 2, {12, 2, 2, 17}},
        LayoutCase{"Left", ttaLeft, 40, 40, 15, 13, 25, 12, 2, {23, 13, 2, 14}},
        LayoutCase{"Center", ttaCenter, 40, 40, 15, 13, 25, 12, 2, {12, 13, 8, 14}},
        LayoutCase{
            "GlyphTallerThanButtonTruncatesTowardZero", ttaLeft, 40, 10, 15, 13, 25, 12, 2, {23, -1, 2, -1}},
        LayoutCase{"GlyphWiderThanButtonTruncatesTowardZero",
                   ttaCenter,
                   10,
                   40,
                   15,
                   13,
                   25,
                   12,
                   2,
                   {-2, 13, -7, 14}},
        LayoutCase{
            "NoGlyphPutsBottomCaptionAtTwiceTheSpacing", ttaBottom, 41, 41, 0, 0, 24, 12, 3, {20, 3, 8, 6}},
        LayoutCase{"OddWidthCentresGlyphAndCaptionDifferently",
                   ttaCenter,
                   41,
                   41,
                   16,
                   16,
                   25,
                   13,
                   2,
                   {12, 12, 8, 14}}),
    CaseName());

TEST(GlyphCellWidth, FallsBackToTheWholeStripWhenCellsWouldBeEmpty) {
    EXPECT_EQ(GlyphCellWidth(36, 2), 18);
    EXPECT_EQ(GlyphCellWidth(37, 2), 18);
    EXPECT_EQ(GlyphCellWidth(3, 4), 3);
    EXPECT_EQ(GlyphCellWidth(19, 0), 19);
}

struct ChoiceCase {
    const char* name;
    TGlyphChoice choice;
    int expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class ChooseGlyphImageCases : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseGlyphImageCases, PicksTheCellOrTheDerivedPicture) {
    EXPECT_EQ(ChooseGlyphImage(GetParam().choice), GetParam().expected);
}

// Fields: NumGlyphs, Enabled, ShownPressed, FrameStyle, AutoGray, Hot, ImageCount.
INSTANTIATE_TEST_SUITE_P(
    States, ChooseGlyphImageCases,
    ::testing::Values(
        ChoiceCase{"OneCellAtRest", {1, true, false, fsRegular, true, false, 3}, 0},
        ChoiceCase{"OneCellPressedStaysOnItsCell", {1, true, true, fsRegular, true, false, 3}, 0},
        ChoiceCase{"OneCellDisabledIsEmbossed", {1, false, false, fsRegular, true, false, 3}, 2},
        ChoiceCase{"ExplorerAtRestIsGray", {1, true, false, fsExplorer, true, false, 3}, 1},
        ChoiceCase{"ExplorerUnderPointerIsInColour", {1, true, false, fsExplorer, true, true, 3}, 0},
        ChoiceCase{"ExplorerWithoutAutoGrayIsInColour", {1, true, false, fsExplorer, false, false, 3}, 0},
        ChoiceCase{
            "ExplorerOneCellDisabledIsEmbossedNotGray", {1, false, false, fsExplorer, true, false, 3}, 2},
        ChoiceCase{"TwoCellsDisabledShowsSecondCell", {2, false, false, fsRegular, true, false, 4}, 1},
        ChoiceCase{
            "TwoCellsDisabledExplorerAutoGrayIsGray", {2, false, false, fsExplorer, true, false, 4}, 2},
        ChoiceCase{"TwoCellsPressedShowsFirstCell", {2, true, true, fsRegular, true, false, 4}, 0},
        ChoiceCase{"ThreeCellsPressedShowsThirdCell", {3, true, true, fsRegular, true, false, 5}, 2},
        ChoiceCase{"ThreeCellsDisabledShowsSecondCell", {3, false, true, fsRegular, true, false, 5}, 1},
        ChoiceCase{"FourthCellIsNeverChosen", {4, true, true, fsLight, true, false, 6}, 2},
        ChoiceCase{"NothingPrepared", {1, true, false, fsRegular, true, false, 0}, -1}),
    CaseName());

struct AcceleratorCase {
    const char* name;
    std::u16string caption;
    char16_t expected;
};

void PrintTo(const AcceleratorCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceleratorCharCases : public ::testing::TestWithParam<AcceleratorCase> {};

TEST_P(AcceleratorCharCases, FindsTheCharacterAfterASingleAmpersand) {
    EXPECT_EQ(AcceleratorChar(GetParam().caption), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Captions, AcceleratorCharCases,
                         ::testing::Values(AcceleratorCase{"Leading", u"&A", u'A'},
                                           AcceleratorCase{"Inside", u"Co&py", u'p'},
                                           AcceleratorCase{"DoubledIsALiteral", u"&&A", u'\0'},
                                           AcceleratorCase{"AfterALiteral", u"a&&&b", u'b'},
                                           AcceleratorCase{"TrailingAmpersand", u"ab&", u'\0'},
                                           AcceleratorCase{"Empty", u"", u'\0'},
                                           AcceleratorCase{"Japanese", u"保存(&S)", u'S'}),
                         CaseName());

} // namespace
