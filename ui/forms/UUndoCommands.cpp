#include "UUndoCommands.h"

#include "UDataGrid.h"
#include "UEventGuard.h"
#include "UInputPage.h"
#include "UPasteCells.h"
#include "UTextField.h"
#include "UUndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

#include <functional>

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

TUndoCommands::TUndoCommands(QWidget& window, TInputPage& input, QMenu& editMenu,
                             const TMemoryProbe* const& memory, TUserDialogs& dialogs)
    : input_(input), dialogs_(dialogs),
      history_(new TUndoHistory(*input.DataGrid, input.Fields(), memory, this)) {
    CreateEntries(editMenu);
    QUndoStack& stack = history_->Stack();
    connect(&stack, &QUndoStack::indexChanged, this, &TUndoCommands::ShowSteps);
    connect(&stack, &QUndoStack::cleanChanged, this, &TUndoCommands::ShowSteps);
    ShowSteps();
    ConnectGuarded(Undo, &QAction::triggered, this, dialogs_, [this] { history_->Undo(); });
    ConnectGuarded(Redo, &QAction::triggered, this, dialogs_, [this] { history_->Redo(); });
    qApp->installEventFilter(new TUndoKeyRouter(&window));
    ConnectInputPage();
}

void TUndoCommands::CreateEntries(QMenu& editMenu) {
    Undo = new QAction(QStringLiteral("&Undo"), &editMenu);
    Undo->setObjectName(QStringLiteral("Undo"));
    Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo = new QAction(QStringLiteral("&Redo"), &editMenu);
    Redo->setObjectName(QStringLiteral("Redo"));
    Redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* first = editMenu.actions().value(0);
    editMenu.insertAction(first, Undo);
    editMenu.insertAction(first, Redo);
    editMenu.insertSeparator(first);
}

void TUndoCommands::ShowSteps() {
    const QUndoStack& stack = history_->Stack();
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
}

// Every change the user makes to the table and the fields is one step.
void TUndoCommands::ConnectInputPage() {
    input_.DataGrid->SetEditHandler([this](int column, int row, const std::string& text) {
        RunGuarded(dialogs_, [&] { RecordGridEdit(column, row, text); });
    });
    input_.DataGrid->SetPasteFailedHandler([this] {
        RunGuarded(dialogs_, [&] {
            dialogs_.ShowMessage(
                "There is not enough memory for the pasted block. The cell is left as it was.");
        });
    });
    for (const auto& [field, handler] : input_.FieldLeaves()) {
        ConnectGuarded(field, &TTextField::Left, this, dialogs_,
                       [this, field = field, handler = handler] { RecordLeave(field, handler); });
    }
}

void TUndoCommands::RecordGridEdit(int column, int row, const std::string& text) {
    const TEditedCellText before{column, row, input_.DataGrid->TextBeforeLastEdit()};
    const auto edit = [&] { input_.DataGridSetEditText(column, row, text); };
    if (history_->Busy()) {
        edit();
    } else if (IsMultiCellPaste(text)) {
        try {
            history_->RecordTable([&] { return PasteStepName(text); }, edit, before);
        } catch (const std::bad_alloc&) {
            input_.DataGrid->RestoreEditedCell(before.Text);
            dialogs_.ShowMessage(PasteOutOfMemoryMessage(text));
        }
    } else {
        history_->RecordCellEdit(before, text, input_.DataGrid->EditSession(), edit);
    }
}

void TUndoCommands::RecordLeave(TTextField* field, void (TInputPage::*handler)()) {
    // Bound rather than captured in a lambda: the compiler's sanitizer build
    // takes a captured pointer to member for uninitialized.
    const std::function<void()> leave = std::bind(handler, &input_);
    if (field == input_.Edit1) {
        // A count raised rewrites the table; one merely shown changes nothing.
        if (input_.Edit1->isModified()) {
            history_->RecordTable(
                [] { return QStringLiteral("change of the number of data sets"); }, leave, {}, 0);
        } else {
            history_->RecordFields(QStringLiteral("change of the number of data sets"), 0, leave);
        }
        return;
    }
    const TTextField* constants[] = {input_.Edit2, input_.Edit3, input_.Edit4, input_.Edit5};
    for (int i = 0; i < 4; ++i) {
        if (constants[i] == field) {
            history_->RecordFields(QString::fromUtf8(ConstantStepNames[i]), i + 1, leave);
            return;
        }
    }
    leave();
}
