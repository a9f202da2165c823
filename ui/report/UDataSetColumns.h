// The widths of the Report page's data-set table: each column as wide as its
// heading and its widest cell can be, so that no number is ever cut. The
// widest cell is found from the numbers, never by measuring the rows: a
// table of a million data sets costs one comparison per number.
#pragma once

#include "UCalculationResults.h"

#include <QString>

#include <cstddef>
#include <map>
#include <string>

class QTableView;

// `reasons` by serial number, of which those of data sets left out are shown.
void FitDataSetTableColumns(QTableView& table, const TCalculationResults& statistics,
                            const std::map<std::size_t, std::string>& reasons);
// The width that shows every column of the table whole, frame and scroll bar
// included.
int DataSetTableWidth(const QTableView& table);
// The width a cell of `table` needs to show `text` whole, grid line included.
int CellWidth(const QTableView& table, const QString& text);
