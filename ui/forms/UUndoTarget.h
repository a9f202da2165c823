// What the steps of the undo history act on: the page as one state, single
// cells and the whole table. The history hands its steps this much and no
// more, so a step never reaches the history that keeps it.
#pragma once

#include "UCellStore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>

// What a step gives back besides the cells: the grid's row count, the texts
// of the count field and the four site-constant fields, and the store's
// counts, constants and DataPresent flag.
struct TPageState {
    int GridRowCount = 0;
    std::array<QString, 5> Fields;
    std::int32_t NrOfDataSets = 0;
    std::int32_t GridRows = 0;
    std::int32_t PreviousNrOfDataSets = 0;
    std::int32_t RowsToFill = 0;
    std::array<double, 4> Constants = {};
    bool DataPresent = false;

    bool operator==(const TPageState& other) const;
    bool operator!=(const TPageState& other) const { return !(*this == other); }
};

// A cell and the text it held.
struct TEditedCellText {
    int Column = -1;
    int Row = -1;
    std::string Text;
};

class TUndoTarget {
public:
    virtual ~TUndoTarget() = default;

    virtual TPageState Capture() const = 0;
    virtual void Restore(const TPageState& state) = 0;
    virtual void SetCell(int column, int row, const std::string& text) = 0;
    virtual void SwapCells(TCellStore& cells) = 0;
};
