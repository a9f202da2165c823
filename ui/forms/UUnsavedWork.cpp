#include "UUnsavedWork.h"

#include "UEventGuard.h"
#include "UInputPage.h"
#include "UUndoCommands.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UFileNames.h"
#include "UTextField.h"
#include "UUndoHistory.h"

#include <QFileInfo>
#include <QPersistentModelIndex>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <optional>

namespace {

const char* const CaptionAfterFile = " - Hydraulic conductivity calculator";
const QLatin1String ModifiedMark("[*]");

// The cell editor as the user left it: the question takes the focus from
// the window, which closes an open editor.
struct TEditorPlace {
    QPersistentModelIndex Cell;
    int Cursor = 0;
    int SelectionStart = -1;
    int SelectionLength = 0;
};

std::optional<TEditorPlace> EditorPlace(const TDataGrid& grid) {
    const TCellEditor* editor = grid.CellEditor();
    if (!editor) {
        return std::nullopt;
    }
    return TEditorPlace{grid.currentIndex(), editor->cursorPosition(), editor->selectionStart(),
                        static_cast<int>(editor->selectedText().size())};
}

void ReopenEditor(TDataGrid& grid, const TEditorPlace& place) {
    if (grid.CellEditor() || !place.Cell.isValid()) {
        return;
    }
    grid.setCurrentIndex(place.Cell);
    grid.edit(place.Cell);
    TCellEditor* editor = grid.CellEditor();
    if (!editor) {
        return;
    }
    if (place.SelectionStart >= 0) {
        editor->setSelection(place.SelectionStart, place.SelectionLength);
    } else {
        editor->deselect();
        editor->setCursorPosition(place.Cursor);
    }
}

} // namespace

QString MainCaptionFor(const std::string& fileName) {
    QString name = QFileInfo(QString::fromStdString(PathOnOneLine(fileName))).fileName();
    // Qt shows a doubled mark as the text "[*]" itself.
    name.replace(ModifiedMark, ModifiedMark + ModifiedMark);
    return name + ModifiedMark + QString::fromUtf8(CaptionAfterFile);
}

TUnsavedWork::TUnsavedWork(QWidget& window, TInputPage& input, TUndoCommands& undo,
                           TUserDialogs& dialogs)
    : window_(window), input_(input), undo_(undo), dialogs_(dialogs),
      settledOption_(input.SelectedOption()) {
    connect(&undo_.History(), &TUndoHistory::UnsavedChanged, this, &TUnsavedWork::ShowUnsavedMark);
    connect(input_.RadioButton1, &QRadioButton::toggled, this, &TUnsavedWork::ShowUnsavedMark);
    for (TTextField* field : input_.Fields()) {
        connect(field, &QLineEdit::textChanged, this, &TUnsavedWork::ShowUnsavedMark);
    }
}

bool TUnsavedWork::HasUnsavedWork() const {
    return undo_.History().Unsaved() || input_.SelectedOption() != settledOption_ ||
           FieldTypedNotLeft();
}

// A field's typing reaches the store and the history only when the user
// leaves the field; until then it is unsaved all the same.
bool TUnsavedWork::FieldTypedNotLeft() const {
    for (const TTextField* field : input_.Fields()) {
        if (field->text() != field->CommittedText()) {
            return true;
        }
    }
    return false;
}

// The mark is shown only by a caption that names a file.
void TUnsavedWork::ShowUnsavedMark() {
    if (window_.windowTitle().contains(ModifiedMark)) {
        window_.setWindowModified(HasUnsavedWork());
    }
}

void TUnsavedWork::WorkSettled() {
    undo_.History().MarkSaved();
    settledOption_ = input_.SelectedOption();
    window_.setWindowTitle(MainCaptionFor(ChangeDataFileExt(DMTylwen.FileName, ".inp")));
    ShowUnsavedMark();
}

void TUnsavedWork::RecordSettling(const std::function<QString()>& name,
                                  const std::function<void()>& action) {
    settled_ = false;
    try {
        undo_.History().RecordTable(name, action);
    } catch (...) {
        if (settled_) {
            WorkSettled();
        }
        throw;
    }
    if (settled_) {
        WorkSettled();
    }
}

bool TUnsavedWork::ReadyToEnd() {
    if (askingToEnd_) {
        return false;
    }
    if (!HasUnsavedWork()) {
        return true;
    }
    const QScopedValueRollback<bool> asking(askingToEnd_, true);
    const std::optional<TEditorPlace> editing = EditorPlace(*input_.DataGrid);
    switch (dialogs_.AskSaveDiscardCancel(UnsavedWorkQuestion)) {
    case TUnsavedChoice::Discard:
        return true;
    case TUnsavedChoice::Save:
        return SaveBeforeEnding();
    case TUnsavedChoice::Cancel:
        break;
    }
    if (editing) {
        ReopenEditor(*input_.DataGrid, *editing);
    }
    return false;
}

// Saves what the page shows, the typing still open included, as the
// "Save - calculate" button would; its own dialogs tell what went wrong.
bool TUnsavedWork::SaveBeforeEnding() {
    RunGuarded(dialogs_, [this] {
        input_.DataGrid->EndEdit();
        LeaveTypedFields();
        SaveCalculateRecorded();
    });
    return !HasUnsavedWork();
}

void TUnsavedWork::LeaveTypedFields() {
    for (const auto& [field, handler] : input_.FieldLeaves()) {
        if (field->text() != field->CommittedText()) {
            undo_.RecordLeave(field, handler);
        }
    }
}

void TUnsavedWork::SaveCalculateRecorded() {
    RecordSettling([] { return QStringLiteral("close-up of incomplete rows"); },
                   [this] { input_.Button2Click(); });
}
