// Any bytes as a table file. A text that is no table is refused with a line
// no further than the text reaches, and the grid is never touched; a table
// holds three values per data set and pastes at the first data cell into
// exactly its data sets, which all convert, so answering No to the count
// question always succeeds.
#include "FuzzSupport.h"
#include "MemoryGrid.h"
#include "UFloatMath.h"
#include "UNumberText.h"
#include "UPasteCells.h"
#include "UTableImport.h"

#include <algorithm>

namespace {

class TRecordedCountField : public TCountField {
public:
    void SetText(const std::string& text) override { Text = text; }
    std::string Text;
};

constexpr int TableRows = 15;

// The untouched table of the Input page: serial numbers and single blanks.
void FillUntouchedGrid(TMemoryGrid& grid, TDMTylwen& store) {
    grid.SetRowCount(TableRows);
    for (int row = 0; row < TableRows; ++row) {
        grid.SetCell(0, row, std::to_string(row + 1));
        for (int column = 1; column <= 3; ++column) {
            grid.SetCell(column, row, " ");
        }
    }
    store.GridRows = store.NrOfDataSets = store.RowsToFill = TableRows;
}

bool GridUntouched(const TMemoryGrid& grid) {
    bool untouched = grid.RowCount() == TableRows;
    for (int row = 0; row < TableRows; ++row) {
        for (int column = 1; column <= 3; ++column) {
            untouched = untouched && grid.Cell(column, row) == " ";
        }
    }
    return untouched;
}

void RequirePastedTable(const TMemoryGrid& grid, const TDMTylwen& store, int dataSets) {
    Require(store.NrOfDataSets == dataSets && grid.RowCount() == dataSets,
            "the count is the table's number of data sets");
    for (int row = 0; row < dataSets; ++row) {
        Require(StoreHoldsGridRow(grid, store, row), "the store holds the table's values");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TTableImport import = ParseDelimitedTable(text);
    TDMTylwen store;
    TMemoryGrid grid;
    FillUntouchedGrid(grid, store);
    if (!import.Table) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                            std::count(text.begin(), text.end(), '\r'));
        Require(import.Problem.Line >= 0 && import.Problem.Line <= lines + 1,
                "a refusal names a line of the text");
        Require(!import.Problem.Reason.empty(), "a refusal says why");
        Require(import.Problem.Kind == TTableProblem::BadLine || import.Problem.Line == 0,
                "only a bad line names a line");
        Require(GridUntouched(grid), "a refused table leaves the grid as it was");
        return 0;
    }
    const TImportedTable& table = *import.Table;
    Require(table.DataSets > 0, "a table holds data sets");
    Require(std::count(table.Block.begin(), table.Block.end(), '\n') == table.DataSets,
            "one block line per data set");
    Require(std::count(table.Block.begin(), table.Block.end(), '\t') == 2 * table.DataSets,
            "three values per data set");
    TRecordedCountField countField;
    TSilentDialogs dialogs(false);
    try {
        HandlePasteMultiCell(grid, 1, 0, table.Block, countField, dialogs, store);
    } catch (const EPasteRefused&) {
        return 0;
    } catch (const EConvertError&) {
        Require(false, "every value of a table converts");
    }
    RequirePastedTable(grid, store, table.DataSets);
    return 0;
}
