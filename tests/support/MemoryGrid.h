// A data grid without a window: cells in a map, so a block pasted far to the
// right or below the last row costs nothing for the cells it does not touch.
#pragma once

#include "UPasteCells.h"

#include <map>
#include <string>
#include <utility>

class TMemoryGrid : public TGridCells {
public:
    explicit TMemoryGrid(int rows = 1) { SetRowCount(rows); }

    int RowCount() const override { return rows_; }

    // Cells outside the new count stay stored, as in the window's grid.
    void SetRowCount(int rows) override { rows_ = rows < 1 ? 1 : rows; }

    std::string Cell(int column, int row) const override {
        const auto found = cells_.find({row, column});
        return found == cells_.end() ? std::string() : found->second;
    }

    void SetCell(int column, int row, const std::string& text) override {
        cells_[{row, column}] = text;
    }

private:
    int rows_ = 1;
    // Keyed (row, column): the paste writes and reads row by row, so cells
    // of one row stay neighbours.
    std::map<std::pair<int, int>, std::string> cells_;
};
