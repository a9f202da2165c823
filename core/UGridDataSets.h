// The one road from the grid's text to numbers: the paste, the count field and
// the save all convert a row's value cells here.
#pragma once

#include "UDMTylwen.h"
#include "UGridCells.h"

#include <cstddef>

// A data set as the three value columns of a grid row hold it.
struct TGridDataSet {
    double Discharge = 0.0;
    double Midway = 0.0;
    double Near = 0.0;
};

// The grid column of the discharge; the depth midway and the depth near the
// drains follow it.
inline constexpr int FirstValueColumn = 1;

// Converts the value cells of `row` from left to right. Raises the conversion
// error of the first cell that holds no number; its column is then in
// `failedColumn` when one is given.
TGridDataSet ConvertGridRow(const TGridCells& grid, int row, int* failedColumn = nullptr);

// Working slot `slot` (data set slot + 1) takes the data set.
void PutWorkingDataSet(TDMTylwen& store, std::size_t slot, const TGridDataSet& dataSet);

// The working arrays get `length` slots and the grid's first `rows` rows, in
// order from slot 0; slots after them keep what they held.
void CopyGridIntoWorkingArrays(const TGridCells& grid, int rows, std::size_t length,
                               TDMTylwen& store);
