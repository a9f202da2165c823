// Arbitrary text pasted at an arbitrary cell of a grid of arbitrary size. The
// first bytes choose the grid, the start cell and the answer to the question;
// the rest is the clipboard text. A paste either succeeds and leaves the
// store matching the grid, or fails with the conversion error of a cell and
// leaves GridRows as it was; nothing else may escape.
#include "FuzzSupport.h"
#include "MemoryGrid.h"
#include "UFloatMath.h"
#include "UNumberText.h"
#include "UPasteCells.h"

#include <charconv>

namespace {

class TRecordedCountField : public TCountField {
public:
    void SetText(const std::string& text) override { Text = text; }
    std::string Text;
};

struct TPasteSetting {
    int Rows = 15;
    int Column = 1;
    int Row = 0;
    bool FilledWithNumbers = false;
    bool AnswerYes = false;
    int PreviousCount = 15;
};

// Takes bytes from the front of the input while there are any.
class TByteReader {
public:
    TByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned Next() { return size_ > 0 ? (--size_, *data_++) : 0u; }
    std::string Rest() const { return std::string(reinterpret_cast<const char*>(data_), size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

TPasteSetting ReadSetting(TByteReader& bytes) {
    TPasteSetting setting;
    setting.Rows = 1 + static_cast<int>(bytes.Next() % 40);
    setting.Column = static_cast<int>(bytes.Next() % 6);
    setting.Row = static_cast<int>(bytes.Next() % (setting.Rows + 4));
    const unsigned flags = bytes.Next();
    setting.FilledWithNumbers = (flags & 1u) != 0;
    setting.AnswerYes = (flags & 2u) != 0;
    setting.PreviousCount = static_cast<int>(bytes.Next() % 50);
    return setting;
}

std::string Text(int value) {
    char digits[16];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The grid as the Input page leaves it: serial numbers, and values or the
// single blanks of an untouched table.
void FillGrid(TMemoryGrid& grid, const TPasteSetting& setting, TDMTylwen& store) {
    grid.SetRowCount(setting.Rows);
    for (int row = 0; row < setting.Rows; ++row) {
        grid.SetCell(0, row, Text(row + 1));
        for (int column = 1; column <= 3; ++column) {
            grid.SetCell(column, row,
                         setting.FilledWithNumbers ? Text(row * 3 + column) + ".5" : " ");
        }
    }
    store.GridRows = setting.Rows;
    store.NrOfDataSets = setting.Rows;
    store.RowsToFill = setting.Rows;
    store.PreviousNrOfDataSets = setting.PreviousCount;
}

void RequireStoreMatchesGrid(const TMemoryGrid& grid, const TDMTylwen& store,
                             const TRecordedCountField& countField) {
    const int count = store.NrOfDataSets;
    Require(count >= 1, "a paste leaves at least one data set");
    Require(store.GridRows == count && store.RowsToFill == count, "counts agree");
    Require(grid.RowCount() == count || grid.RowCount() == count + 1,
            "the grid shows the data sets, or one row more when the count was kept");
    Require(countField.Text == Text(count), "the count field shows the count");
    const auto length = static_cast<std::size_t>(count) + 1;
    Require(store.WorkDischarge.size() == length && store.WorkMidway.size() == length &&
                store.WorkNear.size() == length,
            "working arrays have n + 1 entries");
    for (int row = 0; row < count; ++row) {
        Require(grid.Cell(0, row) == Text(row + 1), "serial numbers run from 1");
        Require(StoreHoldsGridRow(grid, store, row), "the store holds what the grid shows");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TByteReader bytes(data, size);
    const TPasteSetting setting = ReadSetting(bytes);
    const std::string text = bytes.Rest();
    TDMTylwen store;
    TMemoryGrid grid;
    FillGrid(grid, setting, store);
    TRecordedCountField countField;
    TSilentDialogs dialogs(setting.AnswerYes);
    try {
        HandlePasteMultiCell(grid, setting.Column, setting.Row, text, countField, dialogs, store);
    } catch (const EConvertError&) {
        Require(store.GridRows == setting.Rows, "a failed paste keeps GridRows");
        return 0;
    }
    RequireStoreMatchesGrid(grid, store, countField);
    Require(dialogs.Questions <= 1, "at most one question");
    Require(dialogs.Shown == 0, "a paste shows nothing itself");
    return 0;
}
