// The Input page as the undo history sees it: the grid, the count field, the
// four site-constant fields and the store's part that the next
// Save-calculate reads.
#pragma once

#include "UUndoTarget.h"

#include <array>

class TDataGrid;
class TTextField;

class TUndoPage : public TUndoTarget {
public:
    // `fields` are the count field and the four site-constant fields, in order.
    TUndoPage(TDataGrid& grid, const std::array<TTextField*, 5>& fields);

    TPageState Capture() const override;
    // The page as it was before the user typed into the field `leftField`.
    TPageState CaptureBefore(int leftField) const;
    // The typing in the field `leftField` (0 to 4) is now part of the page.
    void CommitField(int leftField);
    void Restore(const TPageState& state) override;
    void SetCell(int column, int row, const std::string& text) override;
    void SwapCells(TCellStore& cells) override;

private:
    TDataGrid& grid_;
    std::array<TTextField*, 5> fields_;
};
