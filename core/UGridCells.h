// The cells of the Input page's data grid as plain C++ sees them, so that the
// paste, the save and the tests share the logic without a window.
#pragma once

#include <string>

// A grid stores a cell wherever it is written, also right of its four columns
// and below its last row; such cells are kept but not shown, and keep their
// text when the row count shrinks and grows again.
class TGridCells {
public:
    virtual ~TGridCells() = default;
    virtual int RowCount() const = 0;
    // A grid always has at least one row.
    virtual void SetRowCount(int rows) = 0;
    virtual std::string Cell(int column, int row) const = 0;
    virtual void SetCell(int column, int row, const std::string& text) = 0;
};
