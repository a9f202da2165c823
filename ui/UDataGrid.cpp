#include "UDataGrid.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>

#include <climits>

TCellEditor::TCellEditor(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("DataGridEditor"));
    setFrame(false);
}

void TCellEditor::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        emit PasteRequested();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCellEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this, &TCellEditor::PasteRequested);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

namespace {

bool LeavesTheGrid(const QEvent& event) {
    const auto& key = static_cast<const QKeyEvent&>(event);
    const bool plain = (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    return plain && (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab);
}

} // namespace

// Column 0 holds the serial numbers: drawn like a fixed column and never edited.
class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TDataGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        if (index.column() == 0) {
            return nullptr;
        }
        auto* editor = new TCellEditor(parent);
        grid_.EditorOpened(editor, index);
        return editor;
    }

    // A reload that changes nothing keeps the cursor where the user put it.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* field = static_cast<QLineEdit*>(editor);
        const QString text = QString::fromStdString(grid_.Cell(index.column(), index.row()));
        if (field->text() != text) {
            field->setText(text);
        }
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        grid_.EditorClosed(editor);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Tab and Shift+Tab commit the cell and leave the grid for the next or
    // previous control, as they do when no cell is being edited; Qt's own
    // handling would open the neighbouring cell instead.
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress && LeavesTheGrid(*event)) {
            const bool forward = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab;
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            grid_.focusNextPrevChild(forward);
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == 0) {
            option->backgroundBrush = option->palette.button();
            option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        }
    }

private:
    TDataGrid& grid_;
};

TDataGrid::TDataGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("DataGrid"));
    setColumnCount(ColumnCount);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setItemDelegate(new TCellDelegate(*this));
    connect(this, &QTableWidget::itemChanged, this, &TDataGrid::ItemEdited);
}

// The delegate reports closed editors to the grid; it must not outlive the
// grid's own part while the table below it tears its editors down.
TDataGrid::~TDataGrid() {
    delete itemDelegate();
}

int TDataGrid::RowCount() const {
    return rowCount();
}

void TDataGrid::SetRowCount(int rows) {
    const int oldRows = rowCount();
    const int newRows = rows < 1 ? 1 : rows;
    showing_ = true;
    setRowCount(newRows);
    showing_ = false;
    ShowStoredRows(oldRows, newRows);
}

std::string TDataGrid::Cell(int column, int row) const {
    const auto found = cells_.find({row, column});
    return found == cells_.end() ? std::string() : found->second;
}

void TDataGrid::SetCell(int column, int row, const std::string& text) {
    StoreCell(column, row, text);
    if (IsEditing(column, row)) {
        const QString shown = QString::fromStdString(text);
        if (editor_->text() != shown) {
            editor_->setText(shown);
        }
        ReportEdit(column, row, text);
    }
}

TCellEditor* TDataGrid::CellEditor() const {
    return editor_.data();
}

void TDataGrid::PasteIntoEditor() {
    if (!editor_) {
        return;
    }
    const QString clip = QGuiApplication::clipboard()->text();
    const QString old = editor_->text();
    const bool replacing = editor_->hasSelectedText();
    const int start = replacing ? editor_->selectionStart() : editor_->cursorPosition();
    const int length = replacing ? static_cast<int>(editor_->selectedText().size()) : 0;
    if (clip.isEmpty() && length == 0) {
        return;
    }
    const QString text = old.left(start) + clip + old.mid(start + length);
    editor_->setText(text);
    editor_->setCursorPosition(start + static_cast<int>(clip.size()));
    EditorTextEdited(text);
}

void TDataGrid::PasteIntoCurrentCell() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.column() == 0) {
        return;
    }
    if (!IsEditing(current.column(), current.row())) {
        edit(current);
        if (!editor_) {
            return;
        }
        editor_->clear();
    }
    PasteIntoEditor();
}

void TDataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && state() != QAbstractItemView::EditingState) {
        PasteIntoCurrentCell();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TDataGrid::EditorOpened(TCellEditor* editor, const QModelIndex& index) {
    editor_ = editor;
    editorIndex_ = QPersistentModelIndex(index);
    connect(editor, &QLineEdit::textEdited, this, &TDataGrid::EditorTextEdited);
    connect(editor, &TCellEditor::PasteRequested, this, &TDataGrid::PasteIntoEditor);
}

void TDataGrid::EditorClosed(QWidget* editor) {
    if (editor == editor_) {
        editor_.clear();
        editorIndex_ = QPersistentModelIndex();
    }
}

void TDataGrid::EditorTextEdited(const QString& text) {
    if (!editor_ || !editorIndex_.isValid()) {
        return;
    }
    const int column = editorIndex_.column();
    const int row = editorIndex_.row();
    const std::string cellText = text.toStdString();
    StoreCell(column, row, cellText);
    ReportEdit(column, row, cellText);
}

void TDataGrid::ItemEdited(QTableWidgetItem* item) {
    if (!showing_) {
        StoreCell(item->column(), item->row(), item->text().toStdString());
    }
}

bool TDataGrid::IsEditing(int column, int row) const {
    return editor_ && editorIndex_.isValid() && editorIndex_.column() == column &&
           editorIndex_.row() == row;
}

void TDataGrid::StoreCell(int column, int row, const std::string& text) {
    if (text.empty()) {
        cells_.erase({row, column});
    } else {
        cells_[{row, column}] = text;
    }
    ShowCell(column, row, text);
}

void TDataGrid::ShowCell(int column, int row, const std::string& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) {
        return;
    }
    QTableWidgetItem* shown = item(row, column);
    const QString qtText = QString::fromStdString(text);
    if (shown ? shown->text() == qtText : qtText.isEmpty()) {
        return;
    }
    showing_ = true;
    if (!shown) {
        shown = new QTableWidgetItem;
        shown->setText(qtText);
        setItem(row, column, shown);
    } else {
        shown->setText(qtText);
    }
    showing_ = false;
}

void TDataGrid::ShowStoredRows(int firstRow, int endRow) {
    for (auto cell = cells_.lower_bound({firstRow, INT_MIN});
         cell != cells_.end() && cell->first.first < endRow; ++cell) {
        ShowCell(cell->first.second, cell->first.first, cell->second);
    }
}

void TDataGrid::ReportEdit(int column, int row, const std::string& text) {
    if (editHandler_) {
        editHandler_(column, row, text);
    }
}
