// A block that the machine's memory cannot hold is refused before it changes
// anything; any block that it can hold is taken whole, however long.
#include "FixedMemory.h"
#include "PasteFixture.h"

namespace {

std::string Lines(int count, const std::string& lineEnd) {
    std::string block;
    block.reserve(static_cast<std::size_t>(count) * 16);
    for (int line = 0; line < count; ++line) {
        block += "2.5\t0.6\t0.9" + lineEnd;
    }
    return block;
}

TEST_F(PasteTest, BlockTooLargeForTheMemoryIsRefusedUntouched) {
    // A thousand lines need about 400 bytes a data set; a hundred fit.
    const TFixedMemory memory(100000);
    for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
        EXPECT_THROW(HandlePasteMultiCell(grid, 1, 0, Lines(1000, lineEnd), countField, dialogs,
                                          store, memory),
                     EPasteRefused);
    }
    EXPECT_EQ(grid.RowCount(), 15);
    EXPECT_EQ(grid.Cell(1, 0), " ");
    EXPECT_EQ(store.NrOfDataSets, 15);
    EXPECT_EQ(store.GridRows, 15);
    EXPECT_EQ(countField.Text, "15");
    HandlePasteMultiCell(grid, 1, 0, Lines(100, "\r\n"), countField, dialogs, store, memory);
    EXPECT_EQ(store.NrOfDataSets, 100);
}

TEST_F(PasteTest, BlockBeyondAHundredThousandDataSetsIsTaken) {
    FillRows(5);
    Paste(Lines(100005, "\r\n"), 5);
    EXPECT_EQ(store.NrOfDataSets, 100010);
    EXPECT_EQ(grid.RowCount(), 100010);
    EXPECT_EQ(store.WorkNear[100009], 0.9);
}

} // namespace
