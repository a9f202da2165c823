// Open-input and Save-calculate: the road between the Input page, the input
// file and the calculation.
#include "UMainForm.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UFileNames.h"
#include "UFloatMath.h"
#include "UInputFile.h"
#include "UNumberText.h"
#include "UTableMemory.h"
#include "UTextField.h"
#include "UTylwenUtils.h"

#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

const char* const NoInputFileMessage = "No input file was selected";
const char* const MissingFileMessage = "File does not exist, please select another one,";
const char* const NotSavedMessage = "The input data were not saved";
const char* const NotRealMessage =
    "Not all data values in the inputfile are real, do not use letters or blanks.";
const char* const NoDataSetsMessage = "There are no complete data sets to save. Please enter data.";

// Slot 0 of the input arrays carries nothing; data set k sits at k, and the
// two slots after the last one hold 0, as after reading a file.
void LayOutInputArrays(DataSetR& values, int count) {
    SetLength(values, count + 3);
    At(values, 0) = 0.0;
    At(values, count + 1) = 0.0;
    At(values, count + 2) = 0.0;
}

void MakeRoom(DataSetR& work, DataSetR& input, int count) {
    if (work.size() < static_cast<std::size_t>(count) + 1) {
        SetLength(work, count + 1);
    }
    if (input.size() < static_cast<std::size_t>(count) + 3) {
        SetLength(input, count + 3);
    }
}

// One grid row into working slot `slot` and input slot `slot` + 1.
void TakeRow(const TDataGrid& grid, int row, int slot, TDMTylwen& store) {
    const double discharge = StringToFloat(grid.Cell(1, row));
    const double midway = StringToFloat(grid.Cell(2, row));
    const double near = StringToFloat(grid.Cell(3, row));
    At(store.WorkDischarge, slot) = discharge;
    At(store.WorkMidway, slot) = midway;
    At(store.WorkNear, slot) = near;
    At(store.InputDischarge, slot + 1) = discharge;
    At(store.InputDepthMidway, slot + 1) = midway;
    At(store.InputDepthNear, slot + 1) = near;
}

} // namespace

void TMainForm::InputOpenExecute() {
    RowsIncomplete = false;
    const std::optional<std::string> chosen = dialogs_.AskOpenFileName(InputOpen_Dialog);
    if (!chosen) {
        dialogs_.ShowMessage(NoInputFileMessage);
        return;
    }
    TDMTylwen& store = DMTylwen;
    store.FileName = *chosen;
    if (!FileExists(store.FileName)) {
        dialogs_.ShowMessage(MissingFileMessage);
        return;
    }
    if (ReadInputFileWithinMemory(dialogs_, *memory_) != TReadInputOutcome::Read) {
        return;
    }
    store.PreviousNrOfDataSets = store.NrOfDataSets;
    DataPresent = true;
    FillGrid();
    OutputShown = false;
    Output_Memo->hide();
    SetInitialDirectories(ExtractFilePath(store.FileName));
}

bool TMainForm::AskInputFileName() {
    SaveCancelled = false;
    const std::optional<std::string> chosen = dialogs_.AskSaveFileName(InputSave_Dialog);
    if (!chosen) {
        SaveCancelled = true;
        return false;
    }
    DMTylwen.FileName = ChangeFileExt(*chosen, ".inp");
    if (FileExists(DMTylwen.FileName)) {
        return dialogs_.AskYesNo("The file already exists, overwrite?");
    }
    return true;
}

void TMainForm::InputSaveExecute() {
    if (!AskInputFileName() || SaveCancelled) {
        dialogs_.ShowMessage(NotSavedMessage);
        return;
    }
    TDMTylwen& store = DMTylwen;
    RowsIncomplete = false;
    if (store.PreviousNrOfDataSets > store.NrOfDataSets) {
        store.NrOfDataSets = store.PreviousNrOfDataSets;
        RowsIncomplete = true;
    }
    const int count = store.NrOfDataSets;
    const std::vector<bool> complete = MarkCompleteRows(count);
    if (!DataPresent) {
        store.PreviousNrOfDataSets = store.NrOfDataSets;
    }
    if (!RowsIncomplete && !TakeCompleteTable(count)) {
        dialogs_.ShowMessage(NotRealMessage);
        return;
    }
    if (RowsIncomplete) {
        CloseUpTable(count, complete);
        FillGrid();
    }
    if (store.NrOfDataSets < 1) {
        dialogs_.ShowMessage(NoDataSetsMessage);
        return;
    }
    bool depthsConsistent = false;
    if (DataPresent) {
        CheckWaterTableDepths(depthsConsistent, dialogs_);
    }
    if (!depthsConsistent) {
        return;
    }
    // A file that could not be created has been told; calculating on would
    // claim that the input was saved.
    if (!WriteInputFile(store.FileName, dialogs_)) {
        return;
    }
    Calculate();
    SetInitialDirectories(ExtractFilePath(store.FileName));
    OutputShown = true;
    PageControl1->setCurrentWidget(Output_TabSheet);
}

// A row with an empty value cell is incomplete; a blank " " is not empty.
std::vector<bool> TMainForm::MarkCompleteRows(int count) {
    std::vector<bool> complete(static_cast<std::size_t>(std::max(count, 0)), true);
    for (int row = 0; row < count; ++row) {
        for (int column = 1; column <= 3; ++column) {
            if (DataGrid->Cell(column, row).empty()) {
                complete[row] = false;
                RowsIncomplete = true;
            }
        }
    }
    return complete;
}

bool TMainForm::TakeCompleteTable(int count) {
    TDMTylwen& store = DMTylwen;
    MakeRoom(store.WorkDischarge, store.InputDischarge, count);
    MakeRoom(store.WorkMidway, store.InputDepthMidway, count);
    MakeRoom(store.WorkNear, store.InputDepthNear, count);
    try {
        for (int row = 0; row < count; ++row) {
            TakeRow(*DataGrid, row, row, store);
        }
    } catch (const EConvertError&) {
        return false;
    }
    LayOutInputArrays(store.InputDischarge, count);
    LayOutInputArrays(store.InputDepthMidway, count);
    LayOutInputArrays(store.InputDepthNear, count);
    return true;
}

// Drops the incomplete rows; a value that does not convert ends the command
// with the rows kept so far.
void TMainForm::CloseUpTable(int count, const std::vector<bool>& complete) {
    TDMTylwen& store = DMTylwen;
    MakeRoom(store.WorkDischarge, store.InputDischarge, count);
    MakeRoom(store.WorkMidway, store.InputDepthMidway, count);
    MakeRoom(store.WorkNear, store.InputDepthNear, count);
    const auto showKept = [&](int kept) {
        DataGrid->SetRowCount(kept);
        store.NrOfDataSets = store.RowsToFill = kept;
        Edit1->setText(QString::number(kept));
    };
    // Set before the first row too: a value that fails in the first kept row
    // must not leave a raised count that the grid does not show.
    int kept = 0;
    showKept(kept);
    for (int row = 0; row < count; ++row) {
        if (complete[row]) {
            TakeRow(*DataGrid, row, kept, store);
            ++kept;
        }
        showKept(kept);
    }
    LayOutInputArrays(store.InputDischarge, kept);
    LayOutInputArrays(store.InputDepthMidway, kept);
    LayOutInputArrays(store.InputDepthNear, kept);
}
