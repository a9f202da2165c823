// Edit > Undo and Edit > Redo, and the roads by which the user's changes of
// the table reach the undo history.
#include "UMainForm.h"

#include "UInputPage.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UPasteCells.h"
#include "UTextField.h"
#include "UUndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

namespace {

// The step names of the site-constant fields, Edit2 to Edit5.
const char* const ConstantStepNames[] = {
    "change of the drain depth",
    "change of the depth to the impermeable layer",
    "change of the drain spacing",
    "change of the drain radius",
};

QString PasteStepName(const std::string& text) {
    const std::size_t lines = PastedLineCount(text);
    return lines == 1 ? QStringLiteral("paste of 1 row")
                      : QStringLiteral("paste of %1 rows").arg(static_cast<qulonglong>(lines));
}

std::string PasteOutOfMemoryMessage(const std::string& text) {
    return "There is not enough memory for the pasted block of " +
           std::to_string(PastedLineCount(text)) + " lines. The cell is left as it was.";
}

QString OpeningStepName() {
    return QStringLiteral("opening of ") +
           QFileInfo(QString::fromStdString(DMTylwen.FileName)).fileName();
}

// Ctrl+Z in a text field undoes the field's own typing; when the field has
// none left (as after a paste into a cell), the key undoes the last step of
// the table instead. The same holds for redo.
class TUndoKeyRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        const auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || field != QApplication::focusWidget() || field->window() != parent()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) || IsCtrlY(*key);
        if ((undo && !field->isUndoAvailable()) || (redo && !field->isRedoAvailable())) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    static bool IsCtrlY(const QKeyEvent& key) {
        return key.key() == Qt::Key_Y &&
               (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    }
};

} // namespace

void TMainForm::InstallUndoCommands() {
    undo_ = new TUndoHistory(*Input->DataGrid, Input->Fields(), memory_, this);
    QUndoStack& stack = undo_->Stack();
    Undo = new QAction(QStringLiteral("&Undo"), EditMenu);
    Undo->setObjectName(QStringLiteral("Undo"));
    Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo = new QAction(QStringLiteral("&Redo"), EditMenu);
    Redo->setObjectName(QStringLiteral("Redo"));
    Redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* first = EditMenu->actions().value(0);
    EditMenu->insertAction(first, Undo);
    EditMenu->insertAction(first, Redo);
    EditMenu->insertSeparator(first);
    const auto showSteps = [this, &stack] {
        Undo->setEnabled(stack.canUndo());
        Redo->setEnabled(stack.canRedo());
        // A file name's "&" is no access key.
        const auto entry = [](const char* verb, const QString& step) {
            QString text = step;
            return QString::fromUtf8(verb) +
                   (step.isEmpty() ? QString() : QStringLiteral(" ") + text.replace('&', "&&"));
        };
        Undo->setText(entry("&Undo", stack.canUndo() ? stack.undoText() : QString()));
        Redo->setText(entry("&Redo", stack.canRedo() ? stack.redoText() : QString()));
    };
    connect(&stack, &QUndoStack::indexChanged, this, showSteps);
    connect(&stack, &QUndoStack::cleanChanged, this, showSteps);
    showSteps();
    connect(Undo, &QAction::triggered, this, [this] { Guarded([this] { undo_->Undo(); }); });
    connect(Redo, &QAction::triggered, this, [this] { Guarded([this] { undo_->Redo(); }); });
    qApp->installEventFilter(new TUndoKeyRouter(this));
}

void TMainForm::RecordGridEdit(int column, int row, const std::string& text) {
    const TUndoHistory::TCellText before{column, row, Input->DataGrid->TextBeforeLastEdit()};
    const auto edit = [&] { Input->DataGridSetEditText(column, row, text); };
    if (undo_->Busy()) {
        edit();
    } else if (IsMultiCellPaste(text)) {
        try {
            undo_->RecordTable([&] { return PasteStepName(text); }, edit, before);
        } catch (const std::bad_alloc&) {
            Input->DataGrid->RestoreEditedCell(before.Text);
            dialogs_.ShowMessage(PasteOutOfMemoryMessage(text));
        }
    } else {
        undo_->RecordCellEdit(before, text, Input->DataGrid->EditSession(), edit);
    }
}

void TMainForm::RecordLeave(TTextField* field, void (TInputPage::*handler)()) {
    const auto leave = [this, handler] { (Input->*handler)(); };
    if (field == Input->Edit1) {
        // A count raised rewrites the table; one merely shown changes nothing.
        if (Input->Edit1->isModified()) {
            undo_->RecordTable([] { return QStringLiteral("change of the number of data sets"); },
                               leave, {}, 0);
        } else {
            undo_->RecordFields(QStringLiteral("change of the number of data sets"), 0, leave);
        }
        return;
    }
    const TTextField* constants[] = {Input->Edit2, Input->Edit3, Input->Edit4, Input->Edit5};
    for (int i = 0; i < 4; ++i) {
        if (constants[i] == field) {
            undo_->RecordFields(QString::fromUtf8(ConstantStepNames[i]), i + 1, leave);
            return;
        }
    }
    leave();
}

void TMainForm::SaveCalculateRecorded() {
    RecordSettling([] { return QStringLiteral("close-up of incomplete rows"); },
                   [this] { Input->Button2Click(); });
}

void TMainForm::OpenInputFile(const std::string& fileName) {
    RecordSettling(OpeningStepName, [&] { ShowChosenInputFile(fileName); });
}

void TMainForm::OpenOutputFile(const std::string& fileName) {
    RecordSettling(OpeningStepName, [&] { ShowChosenOutputFile(fileName); });
}
