#include "UInputPage.h"

#include "UBaseForm.h"
#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UEventGuard.h"
#include "UGridDataSets.h"
#include "UNumberText.h"
#include "UPasteCells.h"
#include "UResults.h"
#include "UTableMemory.h"
#include "UTextField.h"
#include "UTylwenUtils.h"

#include <QPushButton>
#include <QRadioButton>

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

TInputPage::TInputPage(TBaseForm& window, TInputPageHost& host, TUserDialogs& dialogs,
                       TResults& results, const TMemoryProbe* const& memory, const QPixmap& logo,
                       QWidget* parent)
    : QWidget(parent), window_(window), host_(host), dialogs_(dialogs), results_(results),
      memory_(memory) {
    CreateControls(logo);
    ConnectGuarded(Button1, &QPushButton::clicked, this, dialogs_, [this] { Button1Click(); });
    WatchForStaleResults();
}

// Deleting the controls moves the focus; none of that may reach the handlers
// of a page that is going away.
TInputPage::~TInputPage() {
    DataGrid->SetEditHandler({});
    DataGrid->SetPasteFailedHandler({});
}

void TInputPage::InputShow() {
    window_.ShowStatus(InputStatusText);
    Button2->show();
    host_.HideOutput();
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

void TInputPage::FillGrid() {
    FillGridFrom(TFillSource::ByFlags);
}

void TInputPage::FillGridFrom(TFillSource source) {
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

void TInputPage::FillGridRow(int row, TFillSource source) {
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

void TInputPage::Edit1Exit() {
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
void TInputPage::GrowDataSets(int newCount) {
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

void TInputPage::Edit2Exit() {
    DMTylwen.DrainDepth = StringToFloat(FieldText(Edit2));
}

void TInputPage::Edit3Exit() {
    DMTylwen.ImpermeableDepth = StringToFloat(FieldText(Edit3));
}

void TInputPage::Edit4Exit() {
    DMTylwen.DrainSpacing = StringToFloat(FieldText(Edit4));
}

void TInputPage::Edit5Exit() {
    DMTylwen.DrainRadius = StringToFloat(FieldText(Edit5));
}

void TInputPage::DataGridSetEditText(int column, int row, const std::string& text) {
    // Typing stores the text without telling the grid's model.
    results_.CellChanged(column, row, text);
    if (IsMultiCellPaste(text) && !PasteBlock(*DataGrid, column, row, text)) {
        return;
    }
    DataPresent = true;
}

bool TInputPage::PasteBlock(TGridCells& grid, int column, int row, const std::string& text) {
    try {
        TEdit1CountField countField(*Edit1);
        HandlePasteMultiCell(grid, column, row, text, countField, dialogs_, DMTylwen, *memory_);
        return true;
    } catch (const EPasteRefused& refusal) {
        DataGrid->RestoreEditedCell(DataGrid->TextBeforeLastEdit());
        dialogs_.ShowMessage(refusal.what());
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const EPasteCancelled&) {
        throw;
    } catch (...) {
        dialogs_.ShowMessage("The data sets need completion.");
    }
    host_.ShowInputPage();
    return false;
}

void TInputPage::Button1Click() {
    host_.InputOpenExecute();
}

void TInputPage::Button2Click() {
    TDMTylwen& store = DMTylwen;
    store.DrainDepth = StringToFloat(FieldText(Edit2));
    store.ImpermeableDepth = StringToFloat(FieldText(Edit3));
    store.DrainSpacing = StringToFloat(FieldText(Edit4));
    store.DrainRadius = StringToFloat(FieldText(Edit5));
    host_.InputSaveExecute();
}

TCalculationOption TInputPage::SelectedOption() const {
    return RadioButton1->isChecked() ? TCalculationOption::OverEntireSoilDepth
                                     : TCalculationOption::AboveAndBelowDrains;
}

std::array<TInputPage::TFieldLeave, 5> TInputPage::FieldLeaves() const {
    return {{
        {Edit1, &TInputPage::Edit1Exit},
        {Edit2, &TInputPage::Edit2Exit},
        {Edit3, &TInputPage::Edit3Exit},
        {Edit4, &TInputPage::Edit4Exit},
        {Edit5, &TInputPage::Edit5Exit},
    }};
}

// A row with an empty value cell is incomplete; a blank " " is not empty.
std::vector<bool> TInputPage::MarkCompleteRows(int count) {
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

// The kept rows move up in one pass with the text the user typed, and the
// grid changes its row count once; the rows the table no longer reaches are
// emptied, so that no dropped data set can come back.
void TInputPage::ShowClosedUpTable(const std::vector<int>& keptRows, int count) {
    const int kept = static_cast<int>(keptRows.size());
    for (int slot = 0; slot < kept; ++slot) {
        const int row = keptRows[slot];
        for (int column = 1; row != slot && column <= 3; ++column) {
            DataGrid->SetCell(column, slot, DataGrid->Cell(column, row));
        }
    }
    for (int row = kept; row < count; ++row) {
        for (int column = 1; column <= 3; ++column) {
            DataGrid->SetCell(column, row, "");
        }
    }
    DataGrid->SetRowCount(kept);
    Edit1->setText(QString::number(kept));
    TDMTylwen& store = DMTylwen;
    store.GridRows = kept;
    // The dropped rows are gone: a later save must not raise the count back
    // over rows that the grid no longer shows.
    store.PreviousNrOfDataSets = kept;
}

// Whatever changes what the next calculation would start from makes the
// results shown out of date; the calculation itself refreshes them last.
void TInputPage::WatchForStaleResults() {
    TResults* results = &results_;
    const auto markStale = [results] { results->MarkStale(); };
    for (TTextField* field : {Edit1, Edit2, Edit3, Edit4, Edit5}) {
        connect(field, &QLineEdit::textChanged, results, markStale);
    }
    connect(RadioButton1, &QRadioButton::toggled, results, markStale);
    const QAbstractItemModel* grid = DataGrid->model();
    // The grid also reports the program's own writes, a while later: a cell
    // that still holds the value calculated from changes nothing.
    connect(grid, &QAbstractItemModel::dataChanged, results,
            [this, results](const QModelIndex& first, const QModelIndex& last) {
                for (int row = first.row(); row <= last.row(); ++row) {
                    for (int column = first.column(); column <= last.column(); ++column) {
                        if (!results->IsReportedValue(column, row, DataGrid->Cell(column, row))) {
                            results->MarkStale();
                            return;
                        }
                    }
                }
            });
    connect(grid, &QAbstractItemModel::rowsInserted, results, markStale);
    connect(grid, &QAbstractItemModel::rowsRemoved, results, markStale);
    connect(grid, &QAbstractItemModel::modelReset, results, markStale);
}
