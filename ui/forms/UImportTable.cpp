#include "UImportTable.h"

#include "UInputPage.h"

#include "UDataGrid.h"
#include "UExportProgress.h"
#include "UGridCells.h"
#include "UPasteCells.h"
#include "UResults.h"
#include "UTableImport.h"
#include "UTylwenUtils.h"
#include "UUndoHistory.h"
#include "UUserDialogs.h"

#include <QFileInfo>
#include <QTabWidget>

#include <new>

namespace {

constexpr TProgressNames ImportProgressNames = {"ImportProgress_Dialog", "Importing",
                                                "Progress of the import"};

// Reading the file's text is this share of the progress, the paste the rest.
constexpr std::size_t ReadingShare = 300;
constexpr std::size_t WholeProgress = 1000;
// Cells written or read between two looks at the progress.
constexpr std::uint64_t CellsPerLook = 1 << 12;
// A data set's cells on the paste's road: three values and the serial
// number written, three values read back into the store.
constexpr std::uint64_t CellsPerDataSet = 7;

// The data grid as the paste sees it, telling the progress how far the paste
// got; a cancel stops the paste there.
class TProgressGrid : public TGridCells {
public:
    TProgressGrid(TGridCells& grid, std::uint64_t expectedCells, TPaintProgress progress)
        : grid_(grid), expected_(expectedCells), progress_(std::move(progress)) {}

    int RowCount() const override { return grid_.RowCount(); }
    void SetRowCount(int rows) override { grid_.SetRowCount(rows); }
    std::string Cell(int column, int row) const override {
        Count();
        return grid_.Cell(column, row);
    }
    void SetCell(int column, int row, const std::string& text) override {
        Count();
        grid_.SetCell(column, row, text);
    }

private:
    void Count() const {
        if (++cells_ % CellsPerLook != 0) {
            return;
        }
        const std::uint64_t done = std::min(cells_, expected_);
        const std::size_t share =
            ReadingShare +
            static_cast<std::size_t>((WholeProgress - ReadingShare) * static_cast<double>(done) /
                                     static_cast<double>(expected_));
        if (!progress_(share, WholeProgress)) {
            throw EPasteCancelled();
        }
    }

    TGridCells& grid_;
    const std::uint64_t expected_;
    TPaintProgress progress_;
    mutable std::uint64_t cells_ = 0;
};

TTableProgress ReadingProgress(const TPaintProgress& progress) {
    return [progress](std::size_t done, std::size_t total) {
        const double share = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0;
        return progress(static_cast<std::size_t>(ReadingShare * share), WholeProgress);
    };
}

// Judged before the text is read through: every line a data set, the block
// as long as the text.
std::optional<std::string> MemoryRefusal(const std::string& fileName, const std::string& text,
                                         const TGridCells& grid, const TMemoryProbe& memory) {
    const std::uint64_t needed = PasteBytesNeeded(grid, 0, PastedLineCount(text), text.size());
    const std::uint64_t available = memory.AvailableBytes();
    if (needed <= available) {
        return std::nullopt;
    }
    return "The table in " + fileName +
           " is too large for the memory available: " + MemoryShortageText(needed, available) +
           ". The grid was not changed.";
}

std::string OutOfMemoryMessage(const std::string& fileName) {
    return "There is not enough memory to import " + fileName + ". The grid was not changed.";
}

} // namespace

TImportTable::TImportTable(QWidget& window, TUserDialogs& dialogs,
                           const TMemoryProbe* const& memory, TFileDialogOptions& dialog,
                           const TFileDialogOptions& inputOpen, QTabWidget& pages,
                           TInputPage& input, TUndoHistory& history, TResults& results)
    : window_(window), dialogs_(dialogs), memory_(memory), dialog_(dialog), inputOpen_(inputOpen),
      pages_(pages), input_(input), history_(history), results_(results) {}

void TImportTable::ImportTableExecute() {
    dialog_.InitialDir = inputOpen_.InitialDir;
    const std::optional<std::string> chosen = dialogs_.AskOpenFileName(dialog_);
    if (chosen) {
        ImportTableFile(*chosen);
    }
}

// What the import has to tell waits until its progress is gone.
void TImportTable::ImportTableFile(const std::string& fileName) {
    std::optional<std::string> told;
    {
        const QString name = QFileInfo(QString::fromStdString(fileName)).fileName();
        TExportProgress progress(&window_, QStringLiteral("Importing %1…").arg(name),
                                 ImportProgressNames);
        try {
            told = ImportTableWithProgress(fileName, progress);
        } catch (const std::bad_alloc&) {
            told = OutOfMemoryMessage(fileName);
        } catch (const EPasteCancelled&) {
            // Cancel on the progress: the grid is as it was, nothing to tell.
        }
    }
    if (told) {
        dialogs_.ShowMessage(*told);
    }
}

std::optional<std::string> TImportTable::ImportTableWithProgress(const std::string& fileName,
                                                                 TExportProgress& progress) {
    const TTableFile file = ReadTableFile(fileName);
    if (!file.Text) {
        return TableFileFaultMessage(fileName, file);
    }
    if (auto refusal = MemoryRefusal(fileName, *file.Text, *input_.DataGrid, *memory_)) {
        return refusal;
    }
    const TTableImport import =
        ParseDelimitedTable(*file.Text, ReadingProgress(progress.Callback()));
    if (!import.Table) {
        return import.Cancelled ? std::nullopt
                                : std::optional(TableRefusalMessage(fileName, import.Problem));
    }
    PasteImportedTable(fileName, *import.Table, progress);
    return std::nullopt;
}

// The block goes straight to the paste: the cell editor, which a typed paste
// takes, would hold a second copy of it.
void TImportTable::PasteImportedTable(const std::string& fileName, const TImportedTable& table,
                                      TExportProgress& progress) {
    input_.DataGrid->EndEdit();
    pages_.setCurrentWidget(&input_);
    const TEditedCellText before{1, 0, input_.DataGrid->Cell(1, 0)};
    TProgressGrid grid(*input_.DataGrid,
                       CellsPerDataSet * static_cast<std::uint64_t>(table.DataSets) + 1,
                       progress.Callback());
    const auto name = [&] {
        return QStringLiteral("import of ") +
               QFileInfo(QString::fromStdString(fileName)).fileName();
    };
    history_.RecordTable(
        name,
        [&] {
            results_.CellChanged(1, 0, table.Block);
            if (input_.PasteBlock(grid, 1, 0, table.Block)) {
                DataPresent = true;
            }
        },
        before);
}
