#include "UUndoPage.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UTextField.h"
#include "UTylwenUtils.h"

bool TPageState::operator==(const TPageState& other) const {
    return GridRowCount == other.GridRowCount && Fields == other.Fields &&
           NrOfDataSets == other.NrOfDataSets && GridRows == other.GridRows &&
           PreviousNrOfDataSets == other.PreviousNrOfDataSets && RowsToFill == other.RowsToFill &&
           Constants == other.Constants && DataPresent == other.DataPresent;
}

TUndoPage::TUndoPage(TDataGrid& grid, const std::array<TTextField*, 5>& fields)
    : grid_(grid), fields_(fields) {}

TPageState TUndoPage::Capture() const {
    const TDMTylwen& store = DMTylwen;
    TPageState state;
    state.GridRowCount = grid_.RowCount();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        state.Fields[i] = fields_[i]->text();
    }
    state.NrOfDataSets = store.NrOfDataSets;
    state.GridRows = store.GridRows;
    state.PreviousNrOfDataSets = store.PreviousNrOfDataSets;
    state.RowsToFill = store.RowsToFill;
    state.Constants = {store.DrainDepth, store.ImpermeableDepth, store.DrainSpacing,
                       store.DrainRadius};
    state.DataPresent = DataPresent;
    return state;
}

TPageState TUndoPage::CaptureBefore(int leftField) const {
    TPageState state = Capture();
    if (leftField >= 0 && leftField < static_cast<int>(fields_.size())) {
        state.Fields[leftField] = fields_[leftField]->CommittedText();
    }
    return state;
}

void TUndoPage::CommitField(int leftField) {
    if (leftField >= 0 && leftField < static_cast<int>(fields_.size())) {
        fields_[leftField]->Commit();
    }
}

void TUndoPage::Restore(const TPageState& state) {
    grid_.SetRowCount(state.GridRowCount);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(state.Fields[i]);
    }
    TDMTylwen& store = DMTylwen;
    store.NrOfDataSets = state.NrOfDataSets;
    store.GridRows = state.GridRows;
    store.PreviousNrOfDataSets = state.PreviousNrOfDataSets;
    store.RowsToFill = state.RowsToFill;
    store.DrainDepth = state.Constants[0];
    store.ImpermeableDepth = state.Constants[1];
    store.DrainSpacing = state.Constants[2];
    store.DrainRadius = state.Constants[3];
    DataPresent = state.DataPresent;
}

void TUndoPage::SetCell(int column, int row, const std::string& text) {
    grid_.SetCell(column, row, text);
}

void TUndoPage::SwapCells(TCellStore& cells) {
    grid_.SwapCells(cells);
}
