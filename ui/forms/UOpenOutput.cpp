// Open-output: an earlier output file shown on the Output page, its input
// file read and shown on the Input page, and the calculation run again.
#include "UMainForm.h"

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

void TMainForm::OutputOpenExecute() {
    Output_TabSheet->Output_Memo->hide();
    const std::optional<std::string> chosen = dialogs_.AskOpenFileName(OutputOpen_Dialog);
    if (!chosen) {
        dialogs_.ShowMessage("No output file was selected");
        return;
    }
    OpenOutputFile(*chosen);
}

void TMainForm::ShowChosenOutputFile(const std::string& fileName) {
    if (!TakeChosenFileName(fileName)) {
        return;
    }
    TDMTylwen& store = DMTylwen;
    Tell(dialogs_, ReadOutputLines(store.FileName));
    ShowStatus(GraphStatusText);
    Output_TabSheet->LoadOutputMemo();
    SetInitialDirectories(ExtractFilePath(store.FileName));
    Output_TabSheet->Output_Memo->show();
    OutputShown = true;
    if (!ReadInputFileOfChosenOutput()) {
        // The graph belongs to a calculation that the page no longer shows.
        Output_TabSheet->GraphImage->hide();
        return;
    }
    ShowInputFileRead();
    // Rewrites the output file; the memo then shows the lines written, not
    // the file opened.
    Calculate();
}

// Without its input file there is nothing to recalculate: the chosen output
// file stays as it is, and so does the current file name.
bool TMainForm::ReadInputFileOfChosenOutput() {
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
