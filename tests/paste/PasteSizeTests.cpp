// A block that would give the grid more rows than the program takes data
// sets is refused before it changes anything; one that reaches exactly that
// far is taken whole.
#include "PasteFixture.h"

#include "UFloatMath.h"

namespace {

std::string Lines(int count, const std::string& lineEnd) {
    std::string block;
    block.reserve(static_cast<std::size_t>(count) * 16);
    for (int line = 0; line < count; ++line) {
        block += "2.5\t0.6\t0.9" + lineEnd;
    }
    return block;
}

TEST_F(PasteTest, BlockBeyondTheLargestTableIsRefusedUntouched) {
    const std::string lineEnds[] = {"\r\n", "\n", "\r"};
    for (const std::string& lineEnd : lineEnds) {
        EXPECT_THROW(Paste(Lines(MaxNrOfDataSets + 1, lineEnd)), EApplicationError);
        EXPECT_THROW(Paste(Lines(MaxNrOfDataSets - 4, lineEnd), 5), EApplicationError);
    }
    // Text after the last line break is a line of its own.
    EXPECT_THROW(Paste(Lines(MaxNrOfDataSets, "\r\n") + "1"), EApplicationError);
    EXPECT_EQ(grid.RowCount(), 15);
    EXPECT_EQ(grid.Cell(1, 0), " ");
    EXPECT_EQ(store.NrOfDataSets, 15);
    EXPECT_EQ(store.GridRows, 15);
    EXPECT_EQ(countField.Text, "15");
}

TEST_F(PasteTest, BlockReachingTheLargestTableIsTaken) {
    Paste(Lines(MaxNrOfDataSets, "\r\n"));
    EXPECT_EQ(store.NrOfDataSets, MaxNrOfDataSets);
    EXPECT_EQ(store.GridRows, MaxNrOfDataSets);
    EXPECT_EQ(grid.RowCount(), MaxNrOfDataSets);
    EXPECT_EQ(store.WorkNear[MaxNrOfDataSets - 1], 0.9);
}

} // namespace
