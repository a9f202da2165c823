// Ctrl+C on a table of the Report page: the selected cells as tab-separated
// lines under their column headings, so they paste into a spreadsheet as a
// block.
#pragma once

#include <QString>

class QTableView;

// The selection's rows and columns in view order; a cell inside that block
// which is not selected stays empty.
QString SelectedCellsText(const QTableView& table);

// Gives `table` the copy shortcut, which puts SelectedCellsText on the
// clipboard.
void CopyCellsWithHeadings(QTableView* table);
