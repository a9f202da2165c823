#include "UDataGrid.h"

#include "UDataGridModel.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>

#include <algorithm>
#include <new>

namespace {

// A pasted block may be megabytes: converted piece by piece, it needs no
// second copy of its own size on the way.
void AppendUtf8(std::string& out, const QString& text) {
    constexpr qsizetype Piece = 1 << 16;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype count = std::min(Piece, text.size() - at);
        if (at + count < text.size() && text.at(at + count - 1).isHighSurrogate()) {
            --count;
        }
        const QByteArray bytes = QStringView(text).mid(at, count).toUtf8();
        out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        at += count;
    }
}

constexpr int ColumnCount = 4;
constexpr int RowHeight = 24;
constexpr int ColumnWidth = 64;

} // namespace

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

    // Every keystroke is stored as typed; the edit's end takes the same road
    // as any other change of a whole cell.
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        grid_.ChangeCellText(index.column(), index.row(), text.toStdString());
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        grid_.EditorClosed(editor);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Tab and Shift+Tab commit the cell and leave the grid for the next or
    // previous control, as they do when no cell is being edited; Qt's own
    // handling would open the neighbouring cell instead. Return and Enter
    // commit it and go on to the next cell at once, so that the next key
    // typed already lands there.
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && object->isWidgetType()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = (key->modifiers() &
                                (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (plain && (tab || enter)) {
                auto* editor = static_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (enter) {
                    grid_.MoveToNextCell();
                } else {
                    grid_.LeaveGrid(key->key() == Qt::Key_Tab &&
                                    !(key->modifiers() & Qt::ShiftModifier));
                }
                return true;
            }
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

TDataGrid::TDataGrid(QWidget* parent) : QTableView(parent), model_(new TDataGridModel(this)) {
    setObjectName(QStringLiteral("DataGrid"));
    // Hidden before the model comes, so that no header measures its font.
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
    setModel(model_);
}

// The delegate reports closed editors to the grid; it must not outlive the
// grid's own part while the view below it tears its editors down.
TDataGrid::~TDataGrid() {
    delete itemDelegate();
}

void TDataGrid::SetEditHandler(TEditHandler handler) {
    editHandler_ = std::move(handler);
}

void TDataGrid::SetPasteFailedHandler(std::function<void()> handler) {
    pasteFailedHandler_ = std::move(handler);
}

int TDataGrid::RowCount() const {
    return model_->Rows();
}

void TDataGrid::SetRowCount(int rows) {
    model_->SetRows(rows);
}

std::string TDataGrid::Cell(int column, int row) const {
    return model_->Text(column, row);
}

void TDataGrid::SetCell(int column, int row, const std::string& text) {
    const bool editing = IsEditing(column, row);
    if (editing) {
        cellBeforeEdit_ = Cell(column, row);
    }
    model_->SetText(column, row, text);
    if (editing) {
        const QString shown = QString::fromStdString(text);
        if (editor_->text() != shown) {
            editor_->setText(shown);
        }
        ReportEdit(column, row, text);
    }
}

void TDataGrid::setCurrentCell(int row, int column) {
    setCurrentIndex(model_->index(row, column));
}

TCellEditor* TDataGrid::CellEditor() const {
    return editor_.data();
}

void TDataGrid::PasteTextIntoEditor(const QString& clip) {
    if (!editor_) {
        return;
    }
    const QString old = editor_->text();
    const bool replacing = editor_->hasSelectedText();
    const int start = replacing ? editor_->selectionStart() : editor_->cursorPosition();
    const int length = replacing ? static_cast<int>(editor_->selectedText().size()) : 0;
    if (clip.isEmpty() && length == 0) {
        return;
    }
    // The editor holds what a single-line field can of the text; the cell and
    // the edit report get all of it, built once, as the cell's own text.
    const QString before = old.left(start);
    const QString after = old.mid(start + length);
    try {
        std::string cellText = before.toStdString();
        AppendUtf8(cellText, clip);
        cellText += after.toStdString();
        editor_->setText(before + clip.left(editor_->maxLength()) + after);
        editor_->setCursorPosition(start + static_cast<int>(clip.size()));
        StoreEdit(cellText);
    } catch (const std::bad_alloc&) {
        // A block of some hundred megabytes may find no memory for its text;
        // no exception may leave the key press that pasted it.
        editor_->setText(old);
        if (pasteFailedHandler_) {
            pasteFailedHandler_();
        }
    }
}

void TDataGrid::PasteIntoEditor() {
    PasteTextIntoEditor(QGuiApplication::clipboard()->text());
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

void TDataGrid::ChangeCellText(int column, int row, const std::string& text) {
    const std::string before = Cell(column, row);
    if (before == text) {
        return;
    }
    // A cut or an ending edit is undone to what the cell held.
    cellBeforeEdit_ = before;
    model_->SetText(column, row, text);
    if (IsEditing(column, row)) {
        editor_->setText(QString::fromStdString(text));
    }
    ReportEdit(column, row, text);
}

void TDataGrid::MoveToNextCell() {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return;
    }
    const bool lastColumn = current.column() >= ColumnCount - 1;
    const QModelIndex next = lastColumn ? model_->index(current.row() + 1, 1)
                                        : model_->index(current.row(), current.column() + 1);
    if (next.isValid()) {
        setCurrentIndex(next);
        scrollTo(next);
    }
}

void TDataGrid::RestoreEditedCell(const std::string& text) {
    cellBeforeEdit_ = text;
    if (!editor_ || !editorIndex_.isValid()) {
        return;
    }
    model_->SetText(editorIndex_.column(), editorIndex_.row(), cellBeforeEdit_);
    editor_->setText(QString::fromStdString(cellBeforeEdit_));
}

void TDataGrid::EndEdit() {
    if (QWidget* editor = editor_.data()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

std::uint64_t TDataGrid::Revision() const {
    return model_->Revision();
}

const TCellStore& TDataGrid::Cells() const {
    return model_->Cells();
}

void TDataGrid::SwapCells(TCellStore& cells) {
    const QModelIndex current = currentIndex();
    const int row = current.row();
    const int column = current.column();
    model_->SwapCells(cells);
    if (row >= 0 && row < model_->Rows()) {
        setCurrentCell(row, column);
    }
}

void TDataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && state() != QAbstractItemView::EditingState) {
        PasteIntoCurrentCell();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDataGrid::EditorOpened(TCellEditor* editor, const QModelIndex& index) {
    editor_ = editor;
    editorIndex_ = QPersistentModelIndex(index);
    ++editSession_;
    connect(editor, &QLineEdit::textEdited, this, &TDataGrid::EditorTextEdited);
    connect(editor, &TCellEditor::PasteRequested, this, &TDataGrid::PasteIntoEditor);
}

void TDataGrid::EditorClosed(QWidget* editor) {
    if (editor == editor_) {
        ++editSession_;
        editor_.clear();
        editorIndex_ = QPersistentModelIndex();
    }
}

void TDataGrid::EditorTextEdited(const QString& text) {
    StoreEdit(text.toStdString());
}

void TDataGrid::StoreEdit(const std::string& cellText) {
    if (!editor_ || !editorIndex_.isValid()) {
        return;
    }
    const int column = editorIndex_.column();
    const int row = editorIndex_.row();
    cellBeforeEdit_ = Cell(column, row);
    model_->SetText(column, row, cellText);
    ReportEdit(column, row, cellText);
}

void TDataGrid::LeaveGrid(bool forward) {
    focusNextPrevChild(forward);
}

bool TDataGrid::IsEditing(int column, int row) const {
    return editor_ && editorIndex_.isValid() && editorIndex_.column() == column &&
           editorIndex_.row() == row;
}

void TDataGrid::ReportEdit(int column, int row, const std::string& text) {
    if (editHandler_) {
        editHandler_(column, row, text);
    }
}
