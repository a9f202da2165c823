// Open-output: an earlier output file shown on the Output page, its input
// file read and shown on the Input page, and the calculation run again.
#include "UFileCommands.h"

#include "UBaseForm.h"
#include "UInputPage.h"
#include "UMainFormControls.h"

#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UInputFile.h"
#include "UOutputFile.h"
#include "UOutputPage.h"
#include "UTableMemory.h"
#include "UTylwenUtils.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

const char* const GraphStatusText = "Linear regession graph";

} // namespace

void TFileCommands::OutputOpenExecute() {
    pages_.Output->Output_Memo->hide();
    const std::optional<std::string> chosen =
        dialogs_.AskOpenFileName(pages_.FileDialogs->OutputOpen_Dialog);
    if (!chosen) {
        dialogs_.ShowMessage("No output file was selected");
        return;
    }
    OpenOutputFile(*chosen);
}

void TFileCommands::ShowChosenOutputFile(const std::string& fileName) {
    if (!TakeChosenFileName(fileName)) {
        return;
    }
    TDMTylwen& store = DMTylwen;
    Tell(dialogs_, ReadOutputLines(store.FileName));
    window_.ShowStatus(GraphStatusText);
    pages_.Output->LoadOutputMemo();
    pages_.FileDialogs->SetInitialDirectories(ExtractFilePath(store.FileName));
    pages_.Output->Output_Memo->show();
    OutputShown = true;
    if (!ReadInputFileOfChosenOutput()) {
        // The graph belongs to a calculation that the page no longer shows.
        pages_.Output->GraphImage->hide();
        return;
    }
    ShowInputFileRead();
    // Rewrites the output file; the memo then shows the lines written, not
    // the file opened.
    Calculate();
}

// Without its input file there is nothing to recalculate: the chosen output
// file stays as it is, and so does the current file name.
bool TFileCommands::ReadInputFileOfChosenOutput() {
    TDMTylwen& store = DMTylwen;
    const std::string outputName = store.FileName;
    const TReadInputResult read = ReadInputFileWithinMemory(*memory_);
    Tell(dialogs_, read.Tell);
    if (read.Outcome == TReadInputOutcome::Read) {
        return true;
    }
    store.FileName = outputName;
    return false;
}
