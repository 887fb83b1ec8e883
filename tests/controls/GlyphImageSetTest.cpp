#include "controls/GlyphImageSet.h"

#include "support/FixedSystemColors.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Names each case of a table after its `name` field.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return param.param.name;
    }
};

constexpr TColor kSilver = 0x00C0C0C0;
constexpr TColor kRed = 0x000000FF;
constexpr TColor kGreen = 0x0000FF00;
constexpr TColor kBlue = 0x00FF0000;

// Distinct stand-ins for the desktop colours, so that no emboss colour matches a glyph colour.
constexpr TColor kFace = TFixedSystemColors::Face;
constexpr TColor kHighlight = TFixedSystemColors::Highlight;
constexpr TColor kShadow = TFixedSystemColors::Shadow;

class GlyphImagesTest : public ::testing::Test {
private:
    const TFixedSystemColors colors_;
};

TColor Gray(int v) {
    const auto c = static_cast<TColor>(v);
    return c | (c << 8) | (c << 16);
}

// A picture from rows of characters.
TGlyphImage FromArt(const std::vector<std::string>& rows, const std::map<char, TColor>& colours) {
    TGlyphImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            image.SetPixel(x, y, colours.at(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
        }
    }
    return image;
}

const std::map<char, TColor> kGlyphColours = {{'.', kSilver}, {'k', clBlack}, {'w', clWhite}, {'r', kRed}};
const std::map<char, TColor> kEmbossColours = {{'F', kFace}, {'H', kHighlight}, {'S', kShadow}};

// A strip whose cells are filled with the given colours, each with a silver bottom-left pixel.
TGlyphImage Strip(int cellWidth, int height, const std::vector<TColor>& cells) {
    TGlyphImage strip(cellWidth * static_cast<int>(cells.size()), height);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < cellWidth; ++x) {
                strip.SetPixel(static_cast<int>(i) * cellWidth + x, y, cells[i]);
            }
        }
        strip.SetPixel(static_cast<int>(i) * cellWidth, height - 1, kSilver);
    }
    return strip;
}

struct BuildCase {
    const char* name;
    int stripWidth;
    int stripHeight;
    int numGlyphs;
    int expectedCount;
    int expectedWidth;
    int expectedHeight;
};

void PrintTo(const BuildCase& c, std::ostream* os) {
    *os << c.name;
}

class BuildGlyphImagesSizes : public GlyphImagesTest, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(BuildGlyphImagesSizes, CutsTheStripIntoCellsThenAddsGrayAndDisabled) {
    const BuildCase& c = GetParam();
    TGlyphImageSet set;
    BuildGlyphImages(set, TGlyphImage(c.stripWidth, c.stripHeight, kRed), c.numGlyphs);
    EXPECT_EQ(set.GlyphImages.Count(), c.expectedCount);
    EXPECT_EQ(set.GlyphImages.Width(), c.expectedWidth);
    EXPECT_EQ(set.GlyphImages.Height(), c.expectedHeight);
    for (int i = 0; i < set.GlyphImages.Count(); ++i) {
        EXPECT_EQ(set.GlyphImages.Image(i).Width(), c.expectedWidth) << "image " << i;
        EXPECT_EQ(set.GlyphImages.Image(i).Height(), c.expectedHeight) << "image " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Strips, BuildGlyphImagesSizes,
                         ::testing::Values(BuildCase{"CopyButtonTwoCells", 36, 18, 2, 4, 18, 18},
                                           BuildCase{"InvertButtonOneCell", 19, 21, 1, 3, 19, 21},
                                           BuildCase{"SaveButtonTwoCells", 40, 20, 2, 4, 20, 20},
                                           BuildCase{"WidthNotAMultipleDropsTheRest", 37, 18, 2, 4, 18, 18},
                                           BuildCase{"FourCells", 64, 16, 4, 6, 16, 16},
                                           BuildCase{"NarrowerThanTheCellCountGivesEmptyCells", 3, 5, 4, 6, 0,
                                                     5},
                                           BuildCase{"CellCountBelowOneCountsAsOne", 20, 10, 0, 3, 20, 10},
                                           BuildCase{"CellCountAboveFourCountsAsFour", 40, 10, 9, 6, 10, 10}),
                         CaseName());

TEST_F(GlyphImagesTest, CellsComeFromLeftToRightAndDerivedPicturesFromTheFirstCell) {
    TGlyphImageSet set;
    BuildGlyphImages(set, Strip(4, 4, {kRed, kGreen, kBlue}), 3);
    ASSERT_EQ(set.GlyphImages.Count(), 5);
    EXPECT_EQ(set.GlyphImages.Image(0).Pixel(1, 1), kRed);
    EXPECT_EQ(set.GlyphImages.Image(1).Pixel(1, 1), kGreen);
    EXPECT_EQ(set.GlyphImages.Image(2).Pixel(1, 1), kBlue);
    EXPECT_EQ(set.GlyphImages.Image(3).Pixel(1, 1), Gray(28)); // gray of red
    EXPECT_EQ(set.GlyphImages.Image(3), set.GrayImage);
    EXPECT_EQ(set.GlyphImages.Image(4), set.DisabledImage);
    EXPECT_EQ(set.GlyphImages.TransparentColor(0), kSilver);
}

TEST_F(GlyphImagesTest, EmptyStripKeepsThePreviousPictures) {
    TGlyphImageSet set;
    BuildGlyphImages(set, Strip(4, 4, {kRed, kGreen}), 2);
    const TGlyphImageSet before = set;
    BuildGlyphImages(set, TGlyphImage(), 1);
    ASSERT_EQ(set.GlyphImages.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.GlyphImages.Image(i), before.GlyphImages.Image(i));
    }
    EXPECT_EQ(set.GrayImage, before.GrayImage);
}

struct GrayCase {
    const char* name;
    TColor input;
    int expected;
};

void PrintTo(const GrayCase& c, std::ostream* os) {
    *os << c.name;
}

class MakeGrayImageValues : public ::testing::TestWithParam<GrayCase> {};

TEST_P(MakeGrayImageValues, WeighsRed11Green59Blue30) {
    TGlyphImage image(2, 1, GetParam().input);
    MakeGrayImage(image, kGrayRedWeight, kGrayGreenWeight, kGrayBlueWeight);
    EXPECT_EQ(image.Pixel(0, 0), Gray(GetParam().expected));
    EXPECT_EQ(image.Pixel(1, 0), Gray(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Colours, MakeGrayImageValues,
                         ::testing::Values(GrayCase{"Red", kRed, 28}, GrayCase{"Green", kGreen, 150},
                                           GrayCase{"Blue", kBlue, 76}, GrayCase{"White", clWhite, 255},
                                           GrayCase{"Silver", kSilver, 192}, GrayCase{"Black", clBlack, 0},
                                           GrayCase{"TruncatesTheMean", 0x001E140A, 21}),
                         CaseName());

TEST(MakeGrayImage, WeightsAddingUpToZeroLeaveThePictureAlone) {
    TGlyphImage image(1, 1, kRed);
    MakeGrayImage(image, 0, 0, 0);
    EXPECT_EQ(image.Pixel(0, 0), kRed);
}

TEST_F(GlyphImagesTest, GrayPictureLosesEveryPixelThatTurnsSilver) {
    // (110, 255, 100) has the gray value 192, like the silver background.
    constexpr TColor kPaleGreen = 0x0064FF6E;
    TGlyphImage strip(3, 2, kRed);
    strip.SetPixel(0, 1, kSilver);
    strip.SetPixel(2, 0, kPaleGreen);
    TGlyphImageSet set;
    BuildGlyphImages(set, strip, 1);
    const int gray = set.GlyphImages.Count() - 2;
    EXPECT_EQ(set.GlyphImages.TransparentColor(gray), kSilver);
    EXPECT_EQ(set.GlyphImages.Image(gray).Pixel(2, 0), kSilver);
    EXPECT_NE(set.GlyphImages.Image(gray).Pixel(1, 0), kSilver);
}

struct EmbossCase {
    const char* name;
    std::vector<std::string> glyph;
    std::vector<std::string> expected;
};

void PrintTo(const EmbossCase& c, std::ostream* os) {
    *os << c.name;
}

class MakeDisabledImageLook : public GlyphImagesTest, public ::testing::WithParamInterface<EmbossCase> {};

TEST_P(MakeDisabledImageLook, DrawsInkInShadowOverAHighlightCopyOnFace) {
    TGlyphImage image = FromArt(GetParam().glyph, kGlyphColours);
    MakeDisabledImage(image);
    EXPECT_EQ(image, FromArt(GetParam().expected, kEmbossColours));
}

INSTANTIATE_TEST_SUITE_P(
    Glyphs, MakeDisabledImageLook,
    ::testing::Values(
        EmbossCase{"OneInkPixel", {"....", ".k..", "....", "...."}, {"FFFF", "FSFF", "FFHF", "FFFF"}},
        EmbossCase{
            "ShadowWinsWhereBothMeet", {"....", ".k..", "..r.", "...."}, {"FFFF", "FSFF", "FFSF", "FFFH"}},
        EmbossCase{"WhiteIsNeverInk", {"....", ".w..", "..k.", "...."}, {"FFFF", "FFFF", "FFSF", "FFFH"}},
        EmbossCase{"LastColumnAndRowCastNoHighlight",
                   {"...k", "....", "....", "k..."},
                   {"FFFS", "FFFF", "FFFF", "SFFF"}},
        EmbossCase{"CheckerboardHidesItsOwnHighlight",
                   {".k.k", "k.k.", ".k.k", "k.k."},
                   {"FSFS", "SFSF", "FSFS", "SFSF"}},
        EmbossCase{"BlackCornerMakesEverythingInk",
                   {"k...", ".w..", "..r.", "...."},
                   {"SSSS", "SSSS", "SSSS", "SSSS"}},
        EmbossCase{
            "WhiteCornerMakesSilverInk", {"w...", ".ww.", ".ww.", "...."}, {"FSSS", "SFHS", "SHFS", "SSSS"}}),
    CaseName());

TEST_F(GlyphImagesTest, DisabledPictureIsTransparentWhereItsBottomLeftPixelIs) {
    TGlyphImageSet set;
    BuildGlyphImages(set, FromArt({"....", ".kk.", ".kk.", "...."}, kGlyphColours), 1);
    EXPECT_EQ(set.GlyphImages.TransparentColor(set.GlyphImages.Count() - 1), kFace);

    BuildGlyphImages(set, FromArt({"k...", "....", "....", "...."}, kGlyphColours), 1);
    EXPECT_EQ(set.GlyphImages.TransparentColor(set.GlyphImages.Count() - 1), kShadow);
}

} // namespace
