#include "UPasteCells.h"

#include "UFloatMath.h"
#include "UGridDataSets.h"
#include "UNumberText.h"
#include "UUserDialogs.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>

namespace {

const char* const KeepOriginalNumberQuestion =
    "The number of data sets is less than the original number. Do you want to maintain the "
    "original number?";

// Characters that can belong to a number in either decimal notation, with an
// exponent; everything else a spreadsheet puts in a cell (blanks, units,
// letters) is dropped.
bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',' || c == 'E' ||
           c == 'e';
}

// Walks the pasted text once. The field being built is kept here and written
// to its cell when it ends, so a long field costs no repeated cell writes.
class TBlockSpreader {
public:
    TBlockSpreader(TGridCells& grid, int column, int row)
        : grid_(grid), startColumn_(column), column_(column), row_(row) {}

    // Returns the number of lines the block fills: every line break ends
    // one, and text after the last break is a line too. A carriage return
    // with a line feed is one break; either alone is one as well.
    int Spread(const std::string& text) {
        const std::size_t length = text.size();
        for (std::size_t i = 0; i < length; ++i) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < length && text[i + 1] == '\n') {
                    ++i;
                }
                EndLine(i + 1 < length);
            } else if (c == '\t') {
                EndField(i + 1 < length, column_ + 1, row_);
            } else {
                if (IsNumberCharacter(c)) {
                    field_ += c;
                }
                lastLineHasText_ = true;
            }
        }
        if (fieldOpen_) {
            grid_.SetCell(column_, row_, field_);
        }
        const int lines = lineBreaks_ + (lastLineHasText_ ? 1 : 0);
        return lines > 0 ? lines : 1;
    }

private:
    void EndLine(bool moreTextFollows) {
        EndField(moreTextFollows, startColumn_, row_ + 1);
        ++lineBreaks_;
        lastLineHasText_ = false;
    }

    // A field that ends with the text leaves the next cell untouched; one
    // that more text follows empties it, even if no character reaches it.
    void EndField(bool moreTextFollows, int nextColumn, int nextRow) {
        if (fieldOpen_) {
            grid_.SetCell(column_, row_, field_);
        }
        column_ = nextColumn;
        row_ = nextRow;
        field_.clear();
        fieldOpen_ = moreTextFollows;
        lastLineHasText_ = true;
    }

    TGridCells& grid_;
    const int startColumn_;
    int column_;
    int row_;
    std::string field_;
    bool fieldOpen_ = true;
    int lineBreaks_ = 0;
    bool lastLineHasText_ = false;
};

// The walk moves at most one column or row per character; refuse a start
// cell from which that could leave the grid's index range.
void CheckStartCell(int column, int row, const std::string& text) {
    const auto limit = static_cast<std::size_t>(std::numeric_limits<int>::max() - 1);
    if (column < 0 || row < 0 || text.size() > limit - static_cast<std::size_t>(column) ||
        text.size() > limit - static_cast<std::size_t>(row)) {
        throw ERangeError();
    }
}

// Each character of the block becomes at most about ten bytes of cells.
constexpr std::uint64_t CellBytesPerPastedByte = 10;

// A block the machine's memory cannot hold is refused before it touches the
// grid: the rows it adds and the cells its text fills.
void CheckBlockFitsInMemory(const TGridCells& grid, int row, const std::string& text,
                            const TMemoryProbe& memory) {
    const std::size_t lines = PastedLineCount(text);
    const std::uint64_t needed = PasteBytesNeeded(grid, row, lines, text.size());
    const std::uint64_t available = memory.AvailableBytes();
    if (needed > available) {
        throw EPasteRefused("The pasted block of " + std::to_string(lines) +
                            " lines is too large for the memory available: " +
                            MemoryShortageText(needed, available) +
                            ". The cell is left as it was.");
    }
}

struct TStoreCounts {
    std::int32_t NrOfDataSets;
    std::int32_t GridRows;
    std::int32_t PreviousNrOfDataSets;
    std::int32_t RowsToFill;
};

TStoreCounts CountsOf(const TDMTylwen& store) {
    return {store.NrOfDataSets, store.GridRows, store.PreviousNrOfDataSets, store.RowsToFill};
}

void RestoreCounts(const TStoreCounts& counts, TDMTylwen& store) {
    store.NrOfDataSets = counts.NrOfDataSets;
    store.GridRows = counts.GridRows;
    store.PreviousNrOfDataSets = counts.PreviousNrOfDataSets;
    store.RowsToFill = counts.RowsToFill;
}

std::string IntegerText(int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

// A smaller count may be kept at the earlier one; otherwise the earlier
// count follows it down so a later save does not raise it back.
int SettleNumberOfDataSets(TGridCells& grid, TUserDialogs& dialogs, TDMTylwen& store) {
    store.NrOfDataSets = grid.RowCount();
    if (store.NrOfDataSets < store.GridRows) {
        if (dialogs.AskYesNo(KeepOriginalNumberQuestion)) {
            store.NrOfDataSets = store.GridRows;
            // One row per data set: a row beyond would show what no save writes.
            grid.SetRowCount(store.GridRows);
        } else if (store.NrOfDataSets < store.PreviousNrOfDataSets) {
            store.PreviousNrOfDataSets = store.NrOfDataSets;
        }
    }
    return store.NrOfDataSets;
}

// The working arrays as CopyGridIntoWorkingArrays leaves them, built aside
// and put in place at once. A row that does not convert puts in what a paste
// always has left: the rows before it converted, the others as they were.
void CopyGridIntoWorkingArraysAtOnce(const TGridCells& grid, int count, TDMTylwen& store) {
    const auto length = static_cast<std::size_t>(count) + 1;
    DataSetR* const columns[] = {&store.WorkDischarge, &store.WorkMidway, &store.WorkNear};
    DataSetR built[3];
    for (int i = 0; i < 3; ++i) {
        built[i].assign(length, 0.0);
    }
    const auto keepFrom = [&](std::size_t first) {
        for (int i = 0; i < 3; ++i) {
            const DataSetR& old = *columns[i];
            for (std::size_t slot = first; slot < std::min(length, old.size()); ++slot) {
                built[i][slot] = old[slot];
            }
        }
    };
    const auto putInPlace = [&] {
        for (int i = 0; i < 3; ++i) {
            columns[i]->swap(built[i]);
        }
    };
    keepFrom(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        try {
            const TGridDataSet dataSet = ConvertGridRow(grid, row);
            built[0][row] = dataSet.Discharge;
            built[1][row] = dataSet.Midway;
            built[2][row] = dataSet.Near;
        } catch (const EConvertError&) {
            keepFrom(static_cast<std::size_t>(row));
            putInPlace();
            throw;
        }
    }
    putInPlace();
}

void NumberSerialColumn(TGridCells& grid, int count) {
    for (int row = 0; row < count; ++row) {
        grid.SetCell(0, row, IntegerText(row + 1));
    }
}

} // namespace

std::uint64_t PasteBytesNeeded(const TGridCells& grid, int row, std::size_t lines,
                               std::size_t textBytes) {
    const std::uint64_t reached = static_cast<std::uint64_t>(std::max(row, 0)) + lines;
    const std::uint64_t shown = static_cast<std::uint64_t>(std::max(grid.RowCount(), 0));
    return WindowBytesFor(reached > shown ? reached - shown : 0) +
           CellBytesPerPastedByte * textBytes;
}

std::size_t PastedLineCount(const std::string& text) {
    std::size_t lineBreaks = 0;
    bool textAfterLastBreak = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
            ++lineBreaks;
            textAfterLastBreak = false;
        } else {
            textAfterLastBreak = true;
        }
    }
    return std::max<std::size_t>(lineBreaks + (textAfterLastBreak ? 1 : 0), 1);
}

bool IsMultiCellPaste(const std::string& text) {
    return text.find_first_of("\t\r\n") != std::string::npos;
}

void HandlePasteMultiCell(TGridCells& grid, int column, int row, const std::string& text,
                          TCountField& countField, TUserDialogs& dialogs, TDMTylwen& store,
                          const TMemoryProbe& memory) {
    CheckStartCell(column, row, text);
    CheckBlockFitsInMemory(grid, row, text, memory);
    const TStoreCounts before = CountsOf(store);
    grid.SetCell(column, row, "");
    const int lines = TBlockSpreader(grid, column, row).Spread(text);
    grid.SetRowCount(row + lines);
    const int count = SettleNumberOfDataSets(grid, dialogs, store);
    try {
        NumberSerialColumn(grid, count);
        // Every row up to the count is read, also those above the pasted block.
        CopyGridIntoWorkingArraysAtOnce(grid, count, store);
    } catch (const EConvertError&) {
        countField.SetText(IntegerText(count));
        store.RowsToFill = count;
        throw;
    } catch (...) {
        RestoreCounts(before, store);
        throw;
    }
    countField.SetText(IntegerText(count));
    store.RowsToFill = count;
    store.GridRows = count;
}
