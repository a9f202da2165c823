// Import table: a spreadsheet's table of data sets comes into the grid by the
// road of a paste at the first data cell, with its question and messages.
#include "UMainForm.h"

#include "UDataGrid.h"
#include "UTableImport.h"

#include <QTabWidget>

void TMainForm::ImportTableExecute() {
    ImportTable_Dialog.InitialDir = InputOpen_Dialog.InitialDir;
    const std::optional<std::string> chosen = dialogs_.AskOpenFileName(ImportTable_Dialog);
    if (chosen) {
        ImportTableFile(*chosen);
    }
}

// A file that is no table leaves the grid as it was.
void TMainForm::ImportTableFile(const std::string& fileName) {
    const std::optional<std::string> text = ReadTableFile(fileName);
    if (!text) {
        dialogs_.ShowMessage(UnreadableTableMessage(fileName));
        return;
    }
    const TTableImport import = ParseDelimitedTable(*text);
    if (!import.Table) {
        dialogs_.ShowMessage(TableRefusalMessage(fileName, import.Problem));
        return;
    }
    PageControl1->setCurrentWidget(Input);
    DataGrid->PasteTextAt(1, 0, QString::fromStdString(import.Table->Block));
}
