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

// A grid whose memory runs out at its n-th cell written or read.
class TExhaustedGrid : public TMemoryGrid {
public:
    TExhaustedGrid(TMemoryGrid grid, int left) : TMemoryGrid(std::move(grid)), left_(left) {}
    std::string Cell(int column, int row) const override {
        return Spend(), TMemoryGrid::Cell(column, row);
    }
    void SetCell(int column, int row, const std::string& text) override {
        Spend();
        TMemoryGrid::SetCell(column, row, text);
    }

private:
    void Spend() const {
        if (--left_ < 0) {
            throw std::bad_alloc();
        }
    }
    mutable int left_;
};

// Wherever the memory runs out, the store and the count field stay as they
// were; the grid is its caller's to give back.
TEST_F(PasteTest, PasteThatRunsOutOfMemoryLeavesTheStoreAsItWas) {
    store.WorkNear.assign(16, 0.25);
    const TDMTylwen before = store;
    int left = 0;
    for (;; ++left) {
        TExhaustedGrid exhausted(grid, left);
        try {
            HandlePasteMultiCell(exhausted, 1, 0, Lines(20, "\r\n"), countField, dialogs, store);
            break;
        } catch (const std::bad_alloc&) {
            ASSERT_EQ(countField.Text, "15") << left;
            ASSERT_TRUE(store.NrOfDataSets == before.NrOfDataSets &&
                        store.GridRows == before.GridRows &&
                        store.PreviousNrOfDataSets == before.PreviousNrOfDataSets &&
                        store.RowsToFill == before.RowsToFill && store.WorkNear == before.WorkNear)
                << left;
        }
    }
    // Every write (three values and a serial number a line) and read was a point of failure.
    EXPECT_GT(left, 20 * 7);
    EXPECT_EQ(store.WorkNear[19], 0.9);
}
