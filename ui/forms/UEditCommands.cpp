// The standard edit commands act on whichever single-line field has the
// focus, the grid's in-place editor included. Cut also takes a whole grid
// cell, as a spreadsheet does, when the grid itself has the focus.
#include "UMainForm.h"

#include "UInputPage.h"

#include "UDataGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>

namespace {

QLineEdit* EditableField(QWidget* widget) {
    auto* field = qobject_cast<QLineEdit*>(widget);
    return field && !field->isReadOnly() ? field : nullptr;
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
    connect(Input->DataGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TMainForm::UpdateEditCommands);
    UpdateEditCommands();
}

void TMainForm::UpdateEditCommands() {
    const QLineEdit* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const bool selection = field && field->hasSelectedText();
    const bool editable = field && !field->isReadOnly();
    const bool gridCell =
        QApplication::focusWidget() == Input->DataGrid && Input->DataGrid->CanCutCurrentCell();
    EditCut1->setEnabled((selection && editable) || gridCell);
    EditCopy1->setEnabled(selection);
    EditDelete1->setEnabled(selection && editable);
    EditPaste1->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void TMainForm::EditCut1Execute() {
    if (QApplication::focusWidget() == Input->DataGrid) {
        Input->DataGrid->CutCurrentCell();
    } else if (QLineEdit* field = EditableField(QApplication::focusWidget())) {
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
    if (focused && focused == Input->DataGrid->CellEditor()) {
        Input->DataGrid->PasteIntoEditor();
    } else if (focused == Input->DataGrid) {
        Input->DataGrid->PasteIntoCurrentCell();
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
