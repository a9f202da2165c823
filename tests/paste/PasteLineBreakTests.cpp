#include "PasteFixture.h"

#include "UFloatMath.h"

namespace {

// Each line ending a clipboard may carry: Windows, Unix, old Macintosh.
class PasteLineBreakTest : public PasteTest, public ::testing::WithParamInterface<std::string> {};

INSTANTIATE_TEST_SUITE_P(
    LineEnds, PasteLineBreakTest, ::testing::Values("\r\n", "\n", "\r"), [](const auto& info) {
        return std::string(info.param == "\r\n" ? "CrLf" : info.param == "\n" ? "Lf" : "Cr");
    });

std::vector<std::string> SixteenRows() {
    std::vector<std::string> rows;
    for (int i = 0; i < 16; ++i) {
        rows.push_back(std::to_string(10 + i) + "\t1.5\t1.1");
    }
    return rows;
}

TEST_P(PasteLineBreakTest, EveryLineEndStartsTheNextRow) {
    grid.SetCell(1, 16, "kept");
    Paste(Block(SixteenRows(), GetParam()));

    EXPECT_EQ(store.NrOfDataSets, 16);
    EXPECT_EQ(grid.Cell(1, 0), "10");
    EXPECT_EQ(grid.Cell(1, 1), "11");
    EXPECT_EQ(grid.Cell(3, 15), "1.1");
    EXPECT_EQ(grid.Cell(1, 16), "kept");
    EXPECT_DOUBLE_EQ(store.WorkDischarge[15], 25);
}

TEST_P(PasteLineBreakTest, LastLineWithoutLineEndCountsLikeTheOthers) {
    Paste(Block(SixteenRows(), GetParam(), false));

    EXPECT_EQ(grid.RowCount(), 16);
    EXPECT_EQ(countField.Text, "16");
    EXPECT_DOUBLE_EQ(store.WorkDischarge[15], 25);
    EXPECT_DOUBLE_EQ(store.WorkNear[15], 1.1);
}

TEST_P(PasteLineBreakTest, OneLineWithoutLineEndIsTheSameAsWithIt) {
    FillRows(15);
    TMemoryGrid gridWithoutEnd = grid;
    TDMTylwen storeWithoutEnd = store;
    HandlePasteMultiCell(gridWithoutEnd, 1, 14, "1.5\t0.6\t0.9", countField, dialogs,
                         storeWithoutEnd);
    Paste("1.5\t0.6\t0.9" + GetParam(), 14);

    EXPECT_EQ(gridWithoutEnd.RowCount(), grid.RowCount());
    for (int column = 0; column <= 3; ++column) {
        EXPECT_EQ(gridWithoutEnd.Cell(column, 14), grid.Cell(column, 14));
        EXPECT_EQ(gridWithoutEnd.Cell(column, 15), grid.Cell(column, 15));
    }
    EXPECT_EQ(storeWithoutEnd.WorkDischarge, store.WorkDischarge);
    EXPECT_EQ(storeWithoutEnd.WorkNear, store.WorkNear);
    EXPECT_EQ(storeWithoutEnd.NrOfDataSets, 15);
    EXPECT_DOUBLE_EQ(store.WorkNear[14], 0.9);
}

TEST_P(PasteLineBreakTest, EmptyLineInsideTheBlockIsARowWithoutNumbers) {
    FillRows(15);
    const std::string text = "1\t2\t3" + GetParam() + GetParam() + "4\t5\t6" + GetParam();
    EXPECT_THROW(Paste(text, 12), EConvertError);
    EXPECT_EQ(grid.Cell(1, 13), "");
    EXPECT_EQ(grid.Cell(1, 14), "4");
    EXPECT_EQ(store.NrOfDataSets, 15);
}

TEST_P(PasteLineBreakTest, DecimalCommaAndExponentKeepTheirValue) {
    Paste(Block(std::vector<std::string>(15, "1,25\t1E-3\t2.5e+1"), GetParam()));

    EXPECT_EQ(grid.Cell(1, 0), "1,25");
    for (int row = 0; row < 15; ++row) {
        EXPECT_DOUBLE_EQ(store.WorkDischarge[row], 1.25);
        EXPECT_DOUBLE_EQ(store.WorkMidway[row], 0.001);
        EXPECT_DOUBLE_EQ(store.WorkNear[row], 25);
    }
}

// A line feed before a carriage return is two line ends, not one pair.
TEST_F(PasteTest, MixedLineEndsEachEndOneLine) {
    FillRows(15);
    EXPECT_THROW(Paste("1\t1\t1\r\n2\t2\t2\n3\t3\t3\r4\t4\t4\n\r5\t5\t5", 10), EConvertError);

    EXPECT_EQ(grid.RowCount(), 16);
    EXPECT_EQ(grid.Cell(1, 13), "4");
    EXPECT_EQ(grid.Cell(1, 14), "");
    EXPECT_EQ(grid.Cell(1, 15), "5");
}

} // namespace
