#include "PasteFixture.h"

#include "UFloatMath.h"

namespace {

const char* const KeepQuestion = "The number of data sets is less than the original number. Do "
                                 "you want to maintain the original number?";

std::vector<std::string> NumberedRows(int count) {
    std::vector<std::string> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(std::to_string(i) + ".5\t0.6\t0.9");
    }
    return rows;
}

TEST_F(PasteTest, TwentyLinesIntoTheFirstRowGiveTwentyDataSetsInOrder) {
    Paste(Block(NumberedRows(20), "\r\n"));

    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(countField.Text, "20");
    EXPECT_EQ(grid.RowCount(), 20);
    EXPECT_EQ(store.NrOfDataSets, 20);
    EXPECT_EQ(store.GridRows, 20);
    EXPECT_EQ(store.RowsToFill, 20);
    ASSERT_EQ(store.WorkDischarge.size(), 21u);
    ASSERT_EQ(store.WorkNear.size(), 21u);
    for (int row = 0; row < 20; ++row) {
        EXPECT_EQ(grid.Cell(0, row), std::to_string(row + 1));
        EXPECT_DOUBLE_EQ(store.WorkDischarge[row], row + 1.5);
        EXPECT_DOUBLE_EQ(store.WorkMidway[row], 0.6);
        EXPECT_DOUBLE_EQ(store.WorkNear[row], 0.9);
    }
    EXPECT_EQ(store.WorkDischarge[20], 0.0);
}

TEST_F(PasteTest, FewerLinesAnsweredNoKeepOnlyThePastedDataSets) {
    store.PreviousNrOfDataSets = 15;
    dialogs.YesNoAnswers = {false};
    Paste(Block(NumberedRows(3), "\r\n"));

    ASSERT_EQ(dialogs.Questions, std::vector<std::string>{KeepQuestion});
    EXPECT_EQ(countField.Text, "3");
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(store.NrOfDataSets, 3);
    EXPECT_EQ(store.PreviousNrOfDataSets, 3);
    EXPECT_EQ(store.GridRows, 3);
    EXPECT_EQ(store.RowsToFill, 3);
    EXPECT_EQ(store.WorkMidway.size(), 4u);
    EXPECT_EQ(DischargesStored(), (std::vector<double>{1.5, 2.5, 3.5}));
}

TEST_F(PasteTest, AnswerNoLeavesALowerEarlierCountAlone) {
    store.PreviousNrOfDataSets = 2;
    dialogs.YesNoAnswers = {false};
    Paste(Block(NumberedRows(3), "\r\n"));
    EXPECT_EQ(store.PreviousNrOfDataSets, 2);
}

TEST_F(PasteTest, FewerLinesAnsweredYesKeepFifteenAndFailOnTheBlankRows) {
    dialogs.YesNoAnswers = {true};
    try {
        Paste(Block(NumberedRows(3), "\r\n"));
        FAIL() << "the blank cells of row 4 are no number";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "' ' is not a valid floating point value");
    }
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(countField.Text, "15");
    EXPECT_EQ(grid.RowCount(), 15);
    EXPECT_EQ(grid.Cell(0, 14), "15");
    EXPECT_EQ(store.NrOfDataSets, 15);
    EXPECT_EQ(store.RowsToFill, 15);
    EXPECT_EQ(store.WorkDischarge.size(), 16u);
    EXPECT_DOUBLE_EQ(store.WorkNear[2], 0.9);
    EXPECT_EQ(store.WorkDischarge[3], 0.0);
}

TEST_F(PasteTest, FewerLinesAnsweredYesOverCompleteRowsKeepFifteenDataSets) {
    FillRows(15);
    dialogs.YesNoAnswers = {true};
    Paste(Block(NumberedRows(3), "\r\n"));

    EXPECT_EQ(countField.Text, "15");
    EXPECT_EQ(store.GridRows, 15);
    const auto discharges = DischargesStored();
    ASSERT_EQ(discharges.size(), 15u);
    EXPECT_DOUBLE_EQ(discharges[2], 3.5);
    EXPECT_DOUBLE_EQ(discharges[3], 103);
    EXPECT_DOUBLE_EQ(discharges[14], 114);
}

TEST_F(PasteTest, BlockIntoRowFiveTakesTheRowsAboveIntoTheStore) {
    FillRows(5);
    dialogs.YesNoAnswers = {false};
    Paste(Block(NumberedRows(4), "\r\n"), 5);

    EXPECT_EQ(grid.RowCount(), 9);
    EXPECT_EQ(countField.Text, "9");
    EXPECT_EQ(grid.Cell(1, 4), "104");
    EXPECT_EQ(DischargesStored(),
              (std::vector<double>{100, 101, 102, 103, 104, 1.5, 2.5, 3.5, 4.5}));
    EXPECT_DOUBLE_EQ(store.WorkMidway[0], 1.5);
}

TEST_F(PasteTest, BlockIntoRowFiveFailsOnBlankRowsAbove) {
    store.GridRows = 7;
    EXPECT_THROW(Paste(Block(NumberedRows(12), "\r\n"), 5), EConvertError);
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(store.NrOfDataSets, 17);
    EXPECT_EQ(store.GridRows, 7);
    EXPECT_EQ(grid.Cell(1, 16), "12.5");
}

TEST_F(PasteTest, LaterColumnStartReturnsToItOnEveryLine) {
    FillRows(15);
    Paste("0.25\t0.75\r\n0.35\t0.85\r\n", 13, 2);

    EXPECT_EQ(grid.RowCount(), 15);
    EXPECT_EQ(grid.Cell(2, 14), "0.35");
    EXPECT_EQ(grid.Cell(3, 14), "0.85");
    EXPECT_DOUBLE_EQ(store.WorkDischarge[13], 113);
    EXPECT_DOUBLE_EQ(store.WorkMidway[13], 0.25);
    EXPECT_DOUBLE_EQ(store.WorkNear[14], 0.85);
}

TEST_F(PasteTest, BlanksUnitsAndLettersAreDropped) {
    FillRows(15);
    Paste(" 0.5 \t1.2 m\t1.4 (m)\r\n", 14);

    EXPECT_EQ(grid.Cell(1, 14), "0.5");
    EXPECT_EQ(grid.Cell(2, 14), "1.2");
    EXPECT_EQ(grid.Cell(3, 14), "1.4");
    EXPECT_DOUBLE_EQ(store.WorkDischarge[14], 0.5);
}

TEST_F(PasteTest, FieldsRightOfTheGridAreKeptButNeverStored) {
    Paste(Block(std::vector<std::string>(15, "2\t1.5\t1.1\t777\t888"), "\r\n"));

    EXPECT_EQ(grid.Cell(4, 0), "777");
    EXPECT_EQ(grid.Cell(5, 14), "888");
    EXPECT_EQ(store.WorkDischarge.size(), 16u);
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(store.WorkDischarge[row], 2.0);
        EXPECT_EQ(store.WorkMidway[row], 1.5);
        EXPECT_EQ(store.WorkNear[row], 1.1);
    }
}

TEST_F(PasteTest, TrailingTabLeavesTheNextCellAsItWas) {
    FillRows(15);
    Paste("7\t", 14);
    EXPECT_EQ(grid.Cell(1, 14), "7");
    EXPECT_EQ(grid.Cell(2, 14), "1.5");
    EXPECT_EQ(store.NrOfDataSets, 15);
}

TEST_F(PasteTest, JunkFailsWithTheFirstCellThatHoldsNoNumber) {
    FillRows(15);
    const std::vector<std::string> junk = {"abc\tdef\tghi\r\n", "1.2.3\t1\t1\n",   "--\t1\t1\r",
                                           "1\t\t1\n",          "1,2,5\t1\t1\r\n", "1e\t1\t1\n"};
    for (const auto& text : junk) {
        EXPECT_THROW(Paste(text, 14), EConvertError) << text;
    }
}

TEST_F(PasteTest, StartOutsideTheGridIsRefused) {
    EXPECT_THROW(Paste("1\t2\t3\n", -1), ERangeError);
    EXPECT_THROW(Paste("1\t2\t3\n", 0, -1), ERangeError);
    EXPECT_EQ(grid.RowCount(), 15);
}

TEST(MultiCellPaste, TabOrAnyLineBreakMakesABlock) {
    EXPECT_TRUE(IsMultiCellPaste("1\t2"));
    EXPECT_TRUE(IsMultiCellPaste("1\r"));
    EXPECT_TRUE(IsMultiCellPaste("1\n"));
    EXPECT_FALSE(IsMultiCellPaste("1.5 "));
    EXPECT_FALSE(IsMultiCellPaste(""));
}

} // namespace
