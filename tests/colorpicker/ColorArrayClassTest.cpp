#include "colorpicker/ColorArrayClass.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// A 4 x 5 table whose cell (x, y) holds 10 x + y, so every value names its cell.
TColorArrayClass NumberedTable(int xSize = 4, int ySize = 5) {
    TColorArrayClass table(xSize, ySize);
    for (int x = 1; x <= xSize; ++x) {
        for (int y = 1; y <= ySize; ++y) {
            table.SetColors(x, y, static_cast<TColor>(10 * x + y));
        }
    }
    return table;
}

const TColorArrayClass kNumbered = NumberedTable();

class TNotAColorTable : public TPersistent {
public:
    std::string ClassName() const override { return "TNotAColorTable"; }
};

struct IndexCase {
    const char* name;
    int x;
    int y;
    bool valid;
};

void PrintTo(const IndexCase& c, std::ostream* os) {
    *os << "(" << c.x << ", " << c.y << ")";
}

class ColorArrayCellIndex : public testing::TestWithParam<IndexCase> {};

TEST_P(ColorArrayCellIndex, ChecksBoundsOnReadAndWrite) {
    const IndexCase& c = GetParam();
    TColorArrayClass table = NumberedTable();
    if (c.valid) {
        EXPECT_EQ(table.Colors(c.x, c.y), TColor(10 * c.x + c.y));
        return;
    }
    EXPECT_THROW(table.Colors(c.x, c.y), EColorArrayIndexError);
    EXPECT_THROW(table.SetColors(c.x, c.y, 7), EColorArrayIndexError);
    EXPECT_TRUE(table.IsEqual(&kNumbered)) << "a refused write changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Table4x5, ColorArrayCellIndex,
                         testing::Values(IndexCase{"first", 1, 1, true}, IndexCase{"last", 4, 5, true},
                                         IndexCase{"columnPastEnd", 5, 1, false},
                                         IndexCase{"rowZero", 1, 0, false},
                                         IndexCase{"columnZero", 0, 1, false},
                                         IndexCase{"rowPastEnd", 1, 6, false},
                                         IndexCase{"negative", -1, -1, false}),
                         [](const auto& test) { return std::string(test.param.name); });

struct LinearCase {
    int n;
    int x; // 0: out of bounds
    int y;
};

void PrintTo(const LinearCase& c, std::ostream* os) {
    *os << "cell " << c.n;
}

class ColorArrayLinearIndex : public testing::TestWithParam<LinearCase> {};

TEST_P(ColorArrayLinearIndex, RunsAlongTheRows) {
    const LinearCase& c = GetParam();
    const TColorArrayClass table = NumberedTable();
    if (c.x == 0) {
        EXPECT_THROW(table.ColorByIndex(c.n), EColorArrayIndexError);
    } else {
        EXPECT_EQ(table.ColorByIndex(c.n), TColor(10 * c.x + c.y));
    }
}

INSTANTIATE_TEST_SUITE_P(Table4x5, ColorArrayLinearIndex,
                         testing::Values(LinearCase{1, 1, 1}, LinearCase{2, 2, 1}, LinearCase{5, 1, 2},
                                         LinearCase{20, 4, 5}, LinearCase{0, 0, 0}, LinearCase{21, 0, 0}));

TEST(ColorArray, ErrorMessageIsFixed) {
    const TColorArrayClass table(4, 5);
    try {
        table.Colors(5, 1);
        FAIL();
    } catch (const EColorArrayIndexError& error) {
        EXPECT_STREQ(error.what(), "Array index out of bounds");
    }
}

TEST(ColorArray, SettingASizeKeepsCellsOnlyWhenUnchanged) {
    TColorArrayClass table = NumberedTable();
    table.SetXSize(4);
    EXPECT_TRUE(table.IsEqual(&kNumbered));
    table.SetXSize(6);
    EXPECT_EQ(table.Count(), 30);
    EXPECT_EQ(table.Colors(1, 1), 0u) << "growing does not keep the old cells";
    table = NumberedTable();
    table.SetYSize(2);
    EXPECT_EQ(table.Count(), 8);
    EXPECT_EQ(table.Colors(1, 1), 0u);
}

TEST(ColorArray, EmptyTableRefusesEveryIndex) {
    TColorArrayClass table(0, 5);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_THROW(table.Colors(1, 1), EColorArrayIndexError);
    EXPECT_THROW(table.ColorByIndex(1), EColorArrayIndexError);
}

TEST(ColorArray, ImpossibleSizesAreRefusedAndChangeNothing) {
    TColorArrayClass table = NumberedTable();
    EXPECT_THROW(table.SetXSize(-1), EColorArrayIndexError);
    EXPECT_THROW(table.SetYSize(0x7FFFFFFF), EColorArrayIndexError);
    EXPECT_TRUE(table.IsEqual(&kNumbered));
    EXPECT_THROW(TColorArrayClass(-2, 3), EColorArrayIndexError);
}

TEST(ColorArray, EqualityNeedsSameShapeAndCells) {
    const TColorArrayClass a = NumberedTable();
    const TColorArrayClass b = NumberedTable();
    EXPECT_TRUE(a.IsEqual(&b));
    EXPECT_TRUE(a.IsEqual(&a));
    EXPECT_FALSE(a.IsEqual(nullptr));
    TColorArrayClass reshaped(2, 10);
    for (int n = 1; n <= 20; ++n) {
        // the same cells in storage order, but 2 x 10
        reshaped.SetColors((n - 1) % 2 + 1, (n - 1) / 2 + 1, a.ColorByIndex(n));
    }
    EXPECT_FALSE(a.IsEqual(&reshaped));
    TColorArrayClass changed = NumberedTable();
    changed.SetColors(4, 5, 0x80000000);
    EXPECT_FALSE(a.IsEqual(&changed));
}

TEST(ColorArray, AssignCopiesSizeAndCells) {
    TColorArrayClass target(8, 2);
    const TColorArrayClass source = NumberedTable(3, 7);
    target.Assign(&source);
    EXPECT_TRUE(target.IsEqual(&source));
    target.Assign(&target);
    EXPECT_TRUE(target.IsEqual(&source)) << "assigning a table to itself keeps it";
}

TEST(ColorArray, AssignRefusesOtherObjectsAndKeepsTheTable) {
    TColorArrayClass target = NumberedTable();
    const TNotAColorTable other;
    try {
        target.Assign(&other);
        FAIL();
    } catch (const EAssignError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TNotAColorTable to a TColorArrayClass");
    }
    EXPECT_THROW(target.Assign(nullptr), EAssignError);
    EXPECT_TRUE(target.IsEqual(&kNumbered));
}

TEST(ColorArrayText, WritesColumnsTopToBottomAsSignedIntegers) {
    TColorArrayClass table(2, 2);
    table.SetColors(1, 1, 0x00FFFFFF);
    table.SetColors(1, 2, 0x000000FF);
    table.SetColors(2, 1, 0x8000000F);
    table.SetColors(2, 2, 0);
    EXPECT_EQ(table.WriteProperties(), "XSize = 2\nYSize = 2\nColors = (16777215 255 -2147483633 0)\n");
}

TEST(ColorArrayText, RoundTripsIntoATableOfAnotherSize) {
    const TColorArrayClass source = NumberedTable(3, 7);
    TColorArrayClass target(8, 2);
    target.ReadProperties(source.WriteProperties());
    EXPECT_TRUE(target.IsEqual(&source));
}

struct ReadCase {
    const char* name;
    const char* text;
    TColor cell11;
    TColor cell12;
    TColor cell21;
    TColor cell22;
    bool throwsIndexError;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.text;
}

class ColorArrayReadColors : public testing::TestWithParam<ReadCase> {};

TEST_P(ColorArrayReadColors, FillsCellsColumnByColumn) {
    const ReadCase& c = GetParam();
    TColorArrayClass table(2, 2);
    for (int n = 1; n <= 4; ++n) {
        table.SetColors((n - 1) % 2 + 1, (n - 1) / 2 + 1, 99);
    }
    if (c.throwsIndexError) {
        EXPECT_THROW(table.ReadProperties(c.text), EColorArrayIndexError);
    } else {
        table.ReadProperties(c.text);
    }
    EXPECT_EQ(table.Colors(1, 1), c.cell11);
    EXPECT_EQ(table.Colors(1, 2), c.cell12);
    EXPECT_EQ(table.Colors(2, 1), c.cell21);
    EXPECT_EQ(table.Colors(2, 2), c.cell22);
}

INSTANTIATE_TEST_SUITE_P(
    Table2x2, ColorArrayReadColors,
    testing::Values(ReadCase{"exact", "Colors = (1 2 3 4)", 1, 2, 3, 4, false},
                    ReadCase{"shortListKeepsTheRest", "Colors = (1 2)", 1, 2, 99, 99, false},
                    ReadCase{"longListFailsAtTheSurplusItem", "Colors = (1 2 3 4 5)", 1, 2, 3, 4, true},
                    ReadCase{"blanksAndLineBreaksAnywhere", "  Colors=(\r\n 1\t2\n3 4 )\n", 1, 2, 3, 4,
                             false},
                    ReadCase{"sameSizeKeepsCells", "XSize = 2\nColors = ()", 99, 99, 99, 99, false},
                    ReadCase{"newSizeClearsFirst", "XSize = 3 XSize = 2 Colors = (5)", 5, 0, 0, 0, false}),
    [](const auto& test) { return std::string(test.param.name); });

class ColorArrayMalformedText : public testing::TestWithParam<const char*> {};

TEST_P(ColorArrayMalformedText, IsAReadError) {
    TColorArrayClass table(2, 2);
    EXPECT_THROW(table.ReadProperties(GetParam()), EPropertyReadError);
}

INSTANTIATE_TEST_SUITE_P(Texts, ColorArrayMalformedText,
                         testing::Values("Width = 3", "XSize 3", "XSize = ", "XSize = x", "Colors = 1 2",
                                         "Colors = (1 2", "Colors = (1 $2)", "XSize = 99999999999", "= 4"));

} // namespace
