// Open-input and Save-calculate: the road between the Input page, the input
// file and the calculation.
#include "UFileCommands.h"

#include "UInputPage.h"
#include "UMainFormControls.h"
#include "UResults.h"
#include "UUnsavedWork.h"

#include "UOutputPage.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UDepthFault.h"
#include "UDrainGeometry.h"
#include "UFileNames.h"
#include "UFloatMath.h"
#include "UGridActions.h"
#include "UGridDataSets.h"
#include "UInputFile.h"
#include "UResults.h"
#include "USameFile.h"
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

// The values of the rows a save keeps, in grid order, converted before
// anything in the store or on the page changes.
struct TKeptRows {
    std::vector<int> Rows;
    std::vector<TGridDataSet> DataSets;
};

// A cell of the grid: where a save found what it refuses.
struct TCellPlace {
    int Column = FirstValueColumn;
    int Row = 0;
};

// Raises the conversion error of the first kept cell that holds no number,
// whose place is then in `converting`.
TKeptRows ConvertKeptRows(const TDataGrid& grid, const std::vector<bool>& complete,
                          TCellPlace& converting) {
    TKeptRows kept;
    for (int row = 0; row < static_cast<int>(complete.size()); ++row) {
        if (!complete[row]) {
            continue;
        }
        converting.Row = row;
        kept.DataSets.push_back(ConvertGridRow(grid, row, &converting.Column));
        kept.Rows.push_back(row);
    }
    return kept;
}

// Data set k into working slot k - 1 and input slot k, laid out as after
// reading a file of the kept data sets.
void StoreKeptRows(const TKeptRows& kept, TDMTylwen& store) {
    const int count = static_cast<int>(kept.Rows.size());
    MakeRoom(store.WorkDischarge, store.InputDischarge, count);
    MakeRoom(store.WorkMidway, store.InputDepthMidway, count);
    MakeRoom(store.WorkNear, store.InputDepthNear, count);
    for (int slot = 0; slot < count; ++slot) {
        const TGridDataSet& dataSet = kept.DataSets[slot];
        PutWorkingDataSet(store, slot, dataSet);
        At(store.InputDischarge, slot + 1) = dataSet.Discharge;
        At(store.InputDepthMidway, slot + 1) = dataSet.Midway;
        At(store.InputDepthNear, slot + 1) = dataSet.Near;
    }
    LayOutInputArrays(store.InputDischarge, count);
    LayOutInputArrays(store.InputDepthMidway, count);
    LayOutInputArrays(store.InputDepthNear, count);
    store.NrOfDataSets = store.RowsToFill = count;
}

// A complete table that does not convert is told in a message; a close-up
// lets the conversion error reach the error box. Either way nothing has
// changed yet, so the user can correct the cell.
// The cell that fails is made current before the user is told, so that the
// grid shows it when the message closes.
std::optional<TKeptRows> ConvertSavedRows(TDataGrid& grid, const std::vector<bool>& complete,
                                          bool closingUp) {
    TCellPlace failed;
    try {
        return ConvertKeptRows(grid, complete, failed);
    } catch (const EConvertError&) {
        ShowCell(grid, failed.Column, failed.Row);
        if (closingUp) {
            throw;
        }
        return std::nullopt;
    }
}

// Points the grid at the data set the depth check refused; the grid shows
// the table the store holds, closed up if rows were dropped.
void ShowDepthFault(TDataGrid& grid, const TDMTylwen& store) {
    if (const std::optional<TDepthFault> fault = FirstDepthFault(store)) {
        ShowCell(grid, fault->NearDepth ? 3 : 2, fault->DataSet);
    }
}

} // namespace

void TFileCommands::InputOpenExecute() {
    RowsIncomplete = false;
    const std::optional<std::string> chosen =
        dialogs_.AskOpenFileName(pages_.FileDialogs->InputOpen_Dialog);
    if (!chosen) {
        dialogs_.ShowMessage(NoInputFileMessage);
        return;
    }
    OpenInputFile(*chosen);
}

// The chosen name becomes the current file name even when no such file
// exists, so the user sees the name kept.
bool TFileCommands::TakeChosenFileName(const std::string& fileName) {
    DMTylwen.FileName = fileName;
    if (!FileExists(fileName)) {
        dialogs_.ShowMessage(MissingFileMessage);
        return false;
    }
    return true;
}

void TFileCommands::ShowChosenInputFile(const std::string& fileName) {
    if (!TakeChosenFileName(fileName)) {
        return;
    }
    TDMTylwen& store = DMTylwen;
    const TReadInputResult read = ReadInputFileWithinMemory(*memory_);
    Tell(dialogs_, read.Tell);
    if (read.Outcome != TReadInputOutcome::Read) {
        return;
    }
    ShowInputFileRead();
    OutputShown = false;
    pages_.Output->Output_Memo->hide();
    pages_.FileDialogs->SetInitialDirectories(ExtractFilePath(store.FileName));
}

// The Input page shows the data sets and site constants just read, so that
// the next Save-calculate saves what the page shows.
void TFileCommands::ShowInputFileRead() {
    DMTylwen.PreviousNrOfDataSets = DMTylwen.NrOfDataSets;
    DataPresent = true;
    RowsIncomplete = false;
    pages_.Input->FillGrid();
    work_.MarkSettled();
    results_.Opened();
}

bool TFileCommands::AskInputFileName() {
    *pages_.SaveCancelled = false;
    const std::optional<std::string> chosen =
        dialogs_.AskSaveFileName(pages_.FileDialogs->InputSave_Dialog);
    if (!chosen) {
        *pages_.SaveCancelled = true;
        return false;
    }
    DMTylwen.FileName = ChangeFileExt(*chosen, ".inp");
    if (FileExists(DMTylwen.FileName)) {
        return dialogs_.AskYesNo("The file already exists, overwrite?");
    }
    return true;
}

void TFileCommands::InputSaveExecute() {
    if (!AskInputFileName() || *pages_.SaveCancelled) {
        dialogs_.ShowMessage(NotSavedMessage);
        return;
    }
    TDMTylwen& store = DMTylwen;
    // The output would be written over the input just saved.
    const std::string outputName = ChangeDataFileExt(store.FileName, ".out");
    if (LeadToSameFile(store.FileName, outputName)) {
        dialogs_.ShowMessage(SameFileMessage(store.FileName, outputName));
        return;
    }
    RowsIncomplete = false;
    // A raised count reaches the store only with the rows it kept: a value
    // that does not convert leaves the count as the page shows it.
    int count = store.NrOfDataSets;
    if (store.PreviousNrOfDataSets > count) {
        count = store.PreviousNrOfDataSets;
        RowsIncomplete = true;
    }
    const std::vector<bool> complete = pages_.Input->MarkCompleteRows(count);
    if (!DataPresent) {
        store.PreviousNrOfDataSets = count;
    }
    const std::optional<TKeptRows> kept =
        ConvertSavedRows(*pages_.Input->DataGrid, complete, RowsIncomplete);
    if (!kept) {
        dialogs_.ShowMessage(NotRealMessage);
        return;
    }
    // Nothing to save: the partly typed rows stay for the user to complete.
    if (kept->Rows.empty()) {
        dialogs_.ShowMessage(NoDataSetsMessage);
        return;
    }
    StoreKeptRows(*kept, store);
    if (RowsIncomplete) {
        pages_.Input->ShowClosedUpTable(kept->Rows, count);
    }
    bool depthsConsistent = false;
    if (DataPresent) {
        ShowDepthFault(*pages_.Input->DataGrid, store);
        CheckWaterTableDepths(depthsConsistent, dialogs_);
    }
    if (!depthsConsistent) {
        return;
    }
    // Constants that describe no drained field, and data sets through which
    // no line can be fitted, are refused before anything is saved from them.
    CheckDrainGeometry(store);
    CheckDataSetCount(pages_.Input->SelectedOption(), store);
    CheckHeadsDiffer(pages_.Input->SelectedOption(), store);
    // A file that could not be created has been told; calculating on would
    // claim that the input was saved.
    if (const std::optional<TFileMessage> refusal = WriteInputFile(store.FileName)) {
        Tell(dialogs_, refusal);
        return;
    }
    work_.MarkSettled();
    Calculate();
    pages_.FileDialogs->SetInitialDirectories(ExtractFilePath(store.FileName));
    OutputShown = true;
    pages_.Pages->setCurrentWidget(pages_.Output);
}
