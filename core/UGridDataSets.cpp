#include "UGridDataSets.h"

#include "UNumberText.h"

TGridDataSet ConvertGridRow(const TGridCells& grid, int row, int* failedColumn) {
    int column = FirstValueColumn;
    const auto next = [&] {
        if (failedColumn != nullptr) {
            *failedColumn = column;
        }
        return StringToFloat(grid.Cell(column++, row));
    };
    TGridDataSet dataSet;
    dataSet.Discharge = next();
    dataSet.Midway = next();
    dataSet.Near = next();
    return dataSet;
}

void PutWorkingDataSet(TDMTylwen& store, std::size_t slot, const TGridDataSet& dataSet) {
    At(store.WorkDischarge, slot) = dataSet.Discharge;
    At(store.WorkMidway, slot) = dataSet.Midway;
    At(store.WorkNear, slot) = dataSet.Near;
}

void CopyGridIntoWorkingArrays(const TGridCells& grid, int rows, std::size_t length,
                               TDMTylwen& store) {
    SetLength(store.WorkMidway, length);
    SetLength(store.WorkDischarge, length);
    SetLength(store.WorkNear, length);
    for (int row = 0; row < rows; ++row) {
        PutWorkingDataSet(store, static_cast<std::size_t>(row), ConvertGridRow(grid, row));
    }
}
