// Unsaved work: what the window knows about changes that no file holds yet,
// the question before the program ends, and the caption that names the
// data sets' file with Qt's mark of unsaved changes.
#include "UMainForm.h"

#include "UInputPage.h"

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

void TMainForm::WatchForUnsavedWork() {
    settledOption_ = Input->SelectedOption();
    connect(undo_, &TUndoHistory::UnsavedChanged, this, &TMainForm::ShowUnsavedMark);
    connect(Input->RadioButton1, &QRadioButton::toggled, this, &TMainForm::ShowUnsavedMark);
    for (TTextField* field :
         {Input->Edit1, Input->Edit2, Input->Edit3, Input->Edit4, Input->Edit5}) {
        connect(field, &QLineEdit::textChanged, this, &TMainForm::ShowUnsavedMark);
    }
}

bool TMainForm::HasUnsavedWork() const {
    return undo_->Unsaved() || Input->SelectedOption() != settledOption_ || FieldTypedNotLeft();
}

// A field's typing reaches the store and the history only when the user
// leaves the field; until then it is unsaved all the same.
bool TMainForm::FieldTypedNotLeft() const {
    for (const TTextField* field :
         {Input->Edit1, Input->Edit2, Input->Edit3, Input->Edit4, Input->Edit5}) {
        if (field->text() != field->CommittedText()) {
            return true;
        }
    }
    return false;
}

// The mark is shown only by a caption that names a file.
void TMainForm::ShowUnsavedMark() {
    if (windowTitle().contains(ModifiedMark)) {
        setWindowModified(HasUnsavedWork());
    }
}

void TMainForm::WorkSettled() {
    undo_->MarkSaved();
    settledOption_ = Input->SelectedOption();
    setWindowTitle(MainCaptionFor(ChangeDataFileExt(DMTylwen.FileName, ".inp")));
    ShowUnsavedMark();
}

void TMainForm::RecordSettling(const std::function<QString()>& name,
                               const std::function<void()>& action) {
    workSettled_ = false;
    try {
        undo_->RecordTable(name, action);
    } catch (...) {
        if (workSettled_) {
            WorkSettled();
        }
        throw;
    }
    if (workSettled_) {
        WorkSettled();
    }
}

bool TMainForm::ReadyToEnd() {
    if (askingToEnd_) {
        return false;
    }
    if (!HasUnsavedWork()) {
        return true;
    }
    const QScopedValueRollback<bool> asking(askingToEnd_, true);
    const std::optional<TEditorPlace> editing = EditorPlace(*Input->DataGrid);
    switch (dialogs_.AskSaveDiscardCancel(UnsavedWorkQuestion)) {
    case TUnsavedChoice::Discard:
        return true;
    case TUnsavedChoice::Save:
        return SaveBeforeEnding();
    case TUnsavedChoice::Cancel:
        break;
    }
    if (editing) {
        ReopenEditor(*Input->DataGrid, *editing);
    }
    return false;
}

// Saves what the page shows, the typing still open included, as the
// "Save - calculate" button would; its own dialogs tell what went wrong.
bool TMainForm::SaveBeforeEnding() {
    Guarded([this] {
        Input->DataGrid->EndEdit();
        LeaveTypedFields();
        SaveCalculateRecorded();
    });
    return !HasUnsavedWork();
}

void TMainForm::LeaveTypedFields() {
    for (const auto& [field, handler] : Input->FieldLeaves()) {
        if (field->text() != field->CommittedText()) {
            RecordLeave(field, handler);
        }
    }
}
