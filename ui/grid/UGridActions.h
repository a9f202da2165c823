// What the window's commands do to the data grid through its public face: a
// cut of a whole cell, as a spreadsheet does, a text pasted at a cell, and a
// cell shown for the user to correct.
#pragma once

class QString;
class TDataGrid;

// Opens the cell's editor and pastes `text` into it as the clipboard's text
// would be, replacing what the cell held.
void PasteTextAt(TDataGrid& grid, int column, int row, const QString& text);
// A value cell is current and no editor is open.
bool CanCutCurrentCell(const TDataGrid& grid);
// The current value cell's text goes to the clipboard; the cell is emptied.
void CutCurrentCell(TDataGrid& grid);
// Makes the cell current, in view and the grid focused, so that what the
// user types next replaces it.
void ShowCell(TDataGrid& grid, int column, int row);
