// File > Import table…: a spreadsheet's table of data sets comes into the
// grid by the road of a paste at the first data cell, with its question and
// messages. Whatever stops it (a file that is no table, too little memory,
// Cancel on the progress) leaves the grid as it was.
#pragma once

#include "UMemoryBudget.h"

#include <optional>
#include <string>

class QTabWidget;
class QWidget;
class TExportProgress;
class TInputPage;
class TResults;
class TUndoHistory;
class TUserDialogs;
struct TFileDialogOptions;
struct TImportedTable;

class TImportTable {
public:
    // The file dialog starts where `inputOpen` would; `window` shows the
    // progress; `memory` follows the window's probe, which may be replaced.
    TImportTable(QWidget& window, TUserDialogs& dialogs, const TMemoryProbe* const& memory,
                 TFileDialogOptions& dialog, const TFileDialogOptions& inputOpen, QTabWidget& pages,
                 TInputPage& input, TUndoHistory& history, TResults& results);

    void ImportTableExecute();
    void ImportTableFile(const std::string& fileName);

private:
    // Its steps while the progress may show: what is to be told, if anything.
    std::optional<std::string> ImportTableWithProgress(const std::string& fileName,
                                                       TExportProgress& progress);
    void PasteImportedTable(const std::string& fileName, const TImportedTable& table,
                            TExportProgress& progress);

    QWidget& window_;
    TUserDialogs& dialogs_;
    const TMemoryProbe* const& memory_;
    TFileDialogOptions& dialog_;
    const TFileDialogOptions& inputOpen_;
    QTabWidget& pages_;
    TInputPage& input_;
    TUndoHistory& history_;
    TResults& results_;
};
