// The standard edit commands on the focused field or grid cell.
#include "UEditCommands.h"

#include "UDataGrid.h"
#include "UEventGuard.h"
#include "UGridActions.h"

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

TEditCommands::TEditCommands(const TEditActions& actions, QMenu& editMenu, TDataGrid& grid,
                             TUserDialogs& dialogs)
    : actions_(actions), grid_(grid), dialogs_(dialogs) {
    Run(actions_.EditCut1, &TEditCommands::EditCut1Execute);
    Run(actions_.EditCopy1, &TEditCommands::EditCopy1Execute);
    Run(actions_.EditPaste1, &TEditCommands::EditPaste1Execute);
    Run(actions_.EditDelete1, &TEditCommands::EditDelete1Execute);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        disconnect(selectionWatch_);
        if (auto* field = qobject_cast<QLineEdit*>(now)) {
            selectionWatch_ = connect(field, &QLineEdit::selectionChanged, this,
                                      &TEditCommands::UpdateEditCommands);
        }
        UpdateEditCommands();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TEditCommands::UpdateEditCommands);
    connect(&editMenu, &QMenu::aboutToShow, this, &TEditCommands::UpdateEditCommands);
    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TEditCommands::UpdateEditCommands);
    UpdateEditCommands();
}

void TEditCommands::Run(QAction* action, void (TEditCommands::*handler)()) {
    ConnectGuarded(action, &QAction::triggered, this, dialogs_, [=] { (this->*handler)(); });
}

void TEditCommands::UpdateEditCommands() {
    const QLineEdit* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const bool selection = field && field->hasSelectedText();
    const bool editable = field && !field->isReadOnly();
    const bool gridCell = QApplication::focusWidget() == &grid_ && CanCutCurrentCell(grid_);
    actions_.EditCut1->setEnabled((selection && editable) || gridCell);
    actions_.EditCopy1->setEnabled(selection);
    actions_.EditDelete1->setEnabled(selection && editable);
    actions_.EditPaste1->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void TEditCommands::EditCut1Execute() {
    if (QApplication::focusWidget() == &grid_) {
        CutCurrentCell(grid_);
    } else if (QLineEdit* field = EditableField(QApplication::focusWidget())) {
        field->cut();
    }
}

void TEditCommands::EditCopy1Execute() {
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->copy();
    }
}

void TEditCommands::EditPaste1Execute() {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused == grid_.CellEditor()) {
        grid_.PasteIntoEditor();
    } else if (focused == &grid_) {
        grid_.PasteIntoCurrentCell();
    } else if (QLineEdit* field = EditableField(focused)) {
        field->paste();
    }
}

void TEditCommands::EditDelete1Execute() {
    QLineEdit* field = EditableField(QApplication::focusWidget());
    if (field && field->hasSelectedText()) {
        field->del();
    }
}
