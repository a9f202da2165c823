#include "UGridActions.h"

#include "UDataGrid.h"

#include <QClipboard>
#include <QGuiApplication>

void PasteTextAt(TDataGrid& grid, int column, int row, const QString& text) {
    const QModelIndex cell = grid.model()->index(row, column);
    if (!cell.isValid() || column == 0) {
        return;
    }
    grid.setCurrentIndex(cell);
    if (!grid.IsEditing(column, row)) {
        grid.edit(cell);
    }
    if (grid.CellEditor()) {
        grid.CellEditor()->clear();
        grid.PasteTextIntoEditor(text);
    }
}

bool CanCutCurrentCell(const TDataGrid& grid) {
    const QModelIndex current = grid.currentIndex();
    return current.isValid() && current.column() > 0 && !grid.CellEditor();
}

void CutCurrentCell(TDataGrid& grid) {
    if (!CanCutCurrentCell(grid)) {
        return;
    }
    const QModelIndex current = grid.currentIndex();
    const std::string text = grid.Cell(current.column(), current.row());
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    grid.ChangeCellText(current.column(), current.row(), "");
}

void ShowCell(TDataGrid& grid, int column, int row) {
    const QModelIndex cell = grid.model()->index(row, column);
    if (!cell.isValid()) {
        return;
    }
    grid.setCurrentIndex(cell);
    grid.scrollTo(cell);
    grid.setFocus(Qt::OtherFocusReason);
}
