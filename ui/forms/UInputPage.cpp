// The Input page: the grid of data sets, the count field and the four site
// constants, kept in step with the data set store.
#include "UMainForm.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UGridDataSets.h"
#include "UNumberText.h"
#include "UPasteCells.h"
#include "UReportPage.h"
#include "UTableMemory.h"
#include "UTextField.h"
#include "UTylwenUtils.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <new>

namespace {

constexpr int MinimumDataSets = 10;

const char* const InputStatusText =
    "Enter data or use \"Open\" to edit existing data. Then use \"Save-Calculate\".";
const char* const BlankCell = " ";

// Rows that the arrays do not cover show 0 rather than reading past them.
double ValueAt(const DataSetR& values, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < values.size() ? values[index] : 0.0;
}

class TEdit1CountField : public TCountField {
public:
    explicit TEdit1CountField(TTextField& field) : field_(field) {}
    void SetText(const std::string& text) override { field_.setText(QString::fromStdString(text)); }

private:
    TTextField& field_;
};

std::string FieldText(const TTextField* field) {
    return field->text().toStdString();
}

} // namespace

void TMainForm::InputShow() {
    ShowStatus(InputStatusText);
    Button2->show();
    Output_Memo->hide();
    GraphImage->hide();
    TDMTylwen& store = DMTylwen;
    if (DataPresent) {
        // One row per data set: a row beyond them would show values that no
        // save writes, and lose what the user typed there.
        DataGrid->SetRowCount(store.NrOfDataSets);
        return;
    }
    store.GridRows = store.NrOfDataSets = store.RowsToFill = DefaultTableRows;
    DataGrid->SetRowCount(DefaultTableRows);
    SetLength(store.WorkMidway, DefaultTableRows + 1);
    SetLength(store.WorkDischarge, DefaultTableRows + 1);
    SetLength(store.WorkNear, DefaultTableRows + 1);
    FillGrid();
}

void TMainForm::FillGrid() {
    FillGridFrom(TFillSource::ByFlags);
}

void TMainForm::FillGridFrom(TFillSource source) {
    TDMTylwen& store = DMTylwen;
    Edit1->setText(QString::number(store.NrOfDataSets));
    Edit2->setText(QString::fromStdString(FormatGeneral(store.DrainDepth)));
    Edit3->setText(QString::fromStdString(FormatGeneral(store.ImpermeableDepth)));
    Edit4->setText(QString::fromStdString(FormatGeneral(store.DrainSpacing)));
    Edit5->setText(QString::fromStdString(FormatGeneral(store.DrainRadius)));
    for (int row = 0; row <= store.RowsToFill; ++row) {
        FillGridRow(row, source);
    }
    store.GridRows = store.NrOfDataSets;
    DataGrid->SetRowCount(store.NrOfDataSets);
}

void TMainForm::FillGridRow(int row, TFillSource source) {
    const TDMTylwen& store = DMTylwen;
    DataGrid->SetCell(0, row, std::to_string(row + 1));
    // The row past the last data set holds no values that could pass for one
    // when it comes into view (an empty table still shows one row).
    if (row >= store.NrOfDataSets) {
        for (int column = 1; column <= 3; ++column) {
            DataGrid->SetCell(column, row, "");
        }
        return;
    }
    if (!DataPresent && source == TFillSource::ByFlags) {
        for (int column = 1; column <= 3; ++column) {
            DataGrid->SetCell(column, row, BlankCell);
        }
        return;
    }
    const bool fromWork = RowsIncomplete || source == TFillSource::WorkingArrays;
    const int index = fromWork ? row : row + 1;
    DataGrid->SetCell(
        1, row,
        FormatGeneral(ValueAt(fromWork ? store.WorkDischarge : store.InputDischarge, index)));
    DataGrid->SetCell(
        2, row,
        FormatGeneral(ValueAt(fromWork ? store.WorkMidway : store.InputDepthMidway, index)));
    DataGrid->SetCell(
        3, row, FormatGeneral(ValueAt(fromWork ? store.WorkNear : store.InputDepthNear, index)));
}

void TMainForm::Edit1Exit() {
    const std::string text = FieldText(Edit1);
    // A count the program has shown, as after opening a file of fewer than
    // ten data sets, is no request of the user's to change the table.
    if (text.empty() || !Edit1->isModified()) {
        return;
    }
    const std::optional<std::int32_t> count = ParseWholeNumber(text);
    if (!count) {
        dialogs_.ShowMessage("The number of data sets is not a valid integer");
        return;
    }
    if (*count < MinimumDataSets) {
        dialogs_.ShowMessage(" The minimum number of data sets is 10");
        return;
    }
    if (const std::optional<std::string> refusal =
            CountRefusal(*count, DMTylwen.GridRows, *memory_)) {
        dialogs_.ShowMessage(*refusal);
        return;
    }
    // The data sets the page shows: a paste that failed has changed them and
    // left GridRows behind.
    const int gridRows = DMTylwen.NrOfDataSets;
    if (*count > gridRows) {
        dialogs_.ShowMessage(" Add data in the last cells at the end of the column");
        GrowDataSets(*count);
    } else if (*count < gridRows) {
        dialogs_.ShowMessage(" To remove data make the relevant data cells empty");
    }
}

// The rows keep what they showed, taken through the working arrays; the new
// data sets show 0.
void TMainForm::GrowDataSets(int newCount) {
    TDMTylwen& store = DMTylwen;
    const int oldRows = store.NrOfDataSets;
    CopyGridIntoWorkingArrays(*DataGrid, oldRows, static_cast<std::size_t>(newCount) + 1, store);
    for (int index = std::max(oldRows, 0); index <= newCount; ++index) {
        PutWorkingDataSet(store, static_cast<std::size_t>(index), {});
    }
    store.PreviousNrOfDataSets = store.NrOfDataSets;
    store.NrOfDataSets = store.GridRows = store.RowsToFill = newCount;
    DataGrid->SetRowCount(newCount);
    FillGridFrom(TFillSource::WorkingArrays);
}

void TMainForm::Edit2Exit() {
    DMTylwen.DrainDepth = StringToFloat(FieldText(Edit2));
}

void TMainForm::Edit3Exit() {
    DMTylwen.ImpermeableDepth = StringToFloat(FieldText(Edit3));
}

void TMainForm::Edit4Exit() {
    DMTylwen.DrainSpacing = StringToFloat(FieldText(Edit4));
}

void TMainForm::Edit5Exit() {
    DMTylwen.DrainRadius = StringToFloat(FieldText(Edit5));
}

void TMainForm::DataGridSetEditText(int column, int row, const std::string& text) {
    // Typing stores the text without telling the grid's model.
    Report_TabSheet->CellChanged(column, row, text);
    if (IsMultiCellPaste(text) && !PasteBlock(*DataGrid, column, row, text)) {
        return;
    }
    DataPresent = true;
}

bool TMainForm::PasteBlock(TGridCells& grid, int column, int row, const std::string& text) {
    try {
        TEdit1CountField countField(*Edit1);
        HandlePasteMultiCell(grid, column, row, text, countField, dialogs_, DMTylwen, *memory_);
        return true;
    } catch (const EPasteRefused& refusal) {
        DataGrid->RestoreCellBeforeEdit();
        dialogs_.ShowMessage(refusal.what());
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const EPasteCancelled&) {
        throw;
    } catch (...) {
        dialogs_.ShowMessage("The data sets need completion.");
    }
    PageControl1->setCurrentWidget(Input);
    return false;
}

void TMainForm::Button1Click() {
    InputOpenExecute();
}

void TMainForm::Button2Click() {
    TDMTylwen& store = DMTylwen;
    store.DrainDepth = StringToFloat(FieldText(Edit2));
    store.ImpermeableDepth = StringToFloat(FieldText(Edit3));
    store.DrainSpacing = StringToFloat(FieldText(Edit4));
    store.DrainRadius = StringToFloat(FieldText(Edit5));
    InputSaveExecute();
}
