// The standard edit commands act on whichever single-line field has the
// focus, the grid's in-place editor included. Ctrl+X cuts only in a field
// with a selection; anywhere else it is the exit command.
#include "UMainForm.h"

#include "UDataGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

QLineEdit* EditableField(QWidget* widget) {
    auto* field = qobject_cast<QLineEdit*>(widget);
    return field && !field->isReadOnly() ? field : nullptr;
}

bool IsCtrlX(const QKeyEvent& key) {
    return key.key() == Qt::Key_X && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

void TMainForm::InstallEditCommands() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        disconnect(selectionWatch_);
        if (auto* field = qobject_cast<QLineEdit*>(now)) {
            selectionWatch_ =
                connect(field, &QLineEdit::selectionChanged, this, &TMainForm::UpdateEditCommands);
        }
        UpdateEditCommands();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TMainForm::UpdateEditCommands);
    connect(EditMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateEditCommands);
    qApp->installEventFilter(this);
    UpdateEditCommands();
}

void TMainForm::UpdateEditCommands() {
    const QLineEdit* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const bool selection = field && field->hasSelectedText();
    const bool editable = field && !field->isReadOnly();
    EditCut1->setEnabled(selection && editable);
    EditCopy1->setEnabled(selection);
    EditDelete1->setEnabled(selection && editable);
    EditPaste1->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void TMainForm::EditCut1Execute() {
    if (QLineEdit* field = EditableField(QApplication::focusWidget())) {
        field->cut();
    }
}

void TMainForm::EditCopy1Execute() {
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->copy();
    }
}

void TMainForm::EditPaste1Execute() {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused == DataGrid->CellEditor()) {
        DataGrid->PasteIntoEditor();
    } else if (focused == DataGrid) {
        DataGrid->PasteIntoCurrentCell();
    } else if (QLineEdit* field = EditableField(focused)) {
        field->paste();
    }
}

void TMainForm::EditDelete1Execute() {
    QLineEdit* field = EditableField(QApplication::focusWidget());
    if (field && field->hasSelectedText()) {
        field->del();
    }
}

// A field claims Ctrl+X for itself even without a selection; then the key
// must reach the exit command instead.
bool TMainForm::CutKeyPressedWithoutSelection(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride || !IsCtrlX(*static_cast<QKeyEvent*>(event))) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    const QLineEdit* field = EditableField(QApplication::focusWidget());
    return !(field && field->hasSelectedText());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (CutKeyPressedWithoutSelection(watched, event)) {
        event->ignore();
        return true;
    }
    return TBaseForm::eventFilter(watched, event);
}
