// The data grid of the Input page: four columns (serial number, discharge,
// depth midway, depth near the drains), one row per data set.
//
// Every cell written is kept, also right of the four columns and below the
// last row, and keeps its text when the row count shrinks and grows again:
// the paste and the save command read such cells. Every change of a cell's
// text while it is edited in place is reported, keystrokes and pastes alike,
// and so is a write of the program into the cell being edited.
//
// The cells live once, in the grid's model; the view draws only the rows in
// sight, so the grid takes tables of any length.
#pragma once

#include "UPasteCells.h"

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class TCellStore;
class TDataGridModel;

// The in-place editor. Its pastes go through the grid, which keeps the tabs
// and line breaks that a single-line field would drop.
class TCellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit TCellEditor(QWidget* parent);

signals:
    void PasteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

class TDataGrid : public QTableView, public TGridCells {
    Q_OBJECT
public:
    using TEditHandler = std::function<void(int column, int row, const std::string& text)>;

    explicit TDataGrid(QWidget* parent = nullptr);
    ~TDataGrid() override;

    void SetEditHandler(TEditHandler handler);
    // Told when a pasted text finds no memory to come into its cell; the cell
    // and its editor stay as they were.
    void SetPasteFailedHandler(std::function<void()> handler);

    int RowCount() const override;
    void SetRowCount(int rows) override;
    std::string Cell(int column, int row) const override;
    void SetCell(int column, int row, const std::string& text) override;

    // Makes the cell the current one, as a click on it would.
    void setCurrentCell(int row, int column);

    // The in-place editor while a cell is being edited, otherwise null.
    TCellEditor* CellEditor() const;
    bool IsEditing(int column, int row) const;
    // Inserts the clipboard's text, or `clip`, line breaks included, into
    // the open editor; or into the current cell, opened empty for it.
    void PasteIntoEditor();
    void PasteTextIntoEditor(const QString& clip);
    void PasteIntoCurrentCell();
    // Gives the edited cell and its editor `text`, as the cell held before
    // a change that did not happen (TextBeforeLastEdit, or the text before a
    // paste); nothing is reported.
    void RestoreEditedCell(const std::string& text);
    // The text the edited cell held before the change reported last.
    const std::string& TextBeforeLastEdit() const { return cellBeforeEdit_; }
    // Counts the editors opened and closed: the changes reported while one
    // editor stays open carry the same number.
    int EditSession() const { return editSession_; }
    // Commits the open editor's text and closes it.
    void EndEdit();

    // The table for the undo history: a revision that moves with every
    // changed cell, the cells, and an exchange of them that leaves the
    // current cell where it was.
    std::uint64_t Revision() const;
    const TCellStore& Cells() const;
    void SwapCells(TCellStore& cells);

    // The one road by which the user changes a whole cell's text: an edit
    // ending in the editor, and a cut of the cell. A change is stored and
    // reported as an edit; the same text again changes nothing.
    void ChangeCellText(int column, int row, const std::string& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TCellDelegate;

    void EditorOpened(TCellEditor* editor, const QModelIndex& index);
    void EditorClosed(QWidget* editor);
    void EditorTextEdited(const QString& text);
    // Stores the edited cell's new text and reports it.
    void StoreEdit(const std::string& cellText);
    // Tab in the editor ends the edit and leaves the grid, as Tab does on
    // the grid itself.
    void LeaveGrid(bool forward);
    // Return in the editor: the next value cell in reading order becomes
    // current (column 1, 2, 3, then the next row's column 1).
    void MoveToNextCell();
    void ReportEdit(int column, int row, const std::string& text);

    TDataGridModel* model_;
    TEditHandler editHandler_;
    std::function<void()> pasteFailedHandler_;
    QPointer<TCellEditor> editor_;
    QPersistentModelIndex editorIndex_;
    std::string cellBeforeEdit_;
    int editSession_ = 0;
};
