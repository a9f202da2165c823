// The Output page: the text of the current output file and the regression
// graph; Open-output shows an earlier output file and recalculates it.
#include "UMainForm.h"

#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UInputFile.h"
#include "UOutputFile.h"
#include "URegressionGraph.h"
#include "UTableMemory.h"
#include "UTylwenUtils.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

const char* const OutputStatusText =
    "The output file can be inspected. Use \"See output\" to see examples under \"Data\" or to "
    "inspect any other output file.";
const char* const GraphStatusText = "Linear regession graph";
const char* const GraphTooLargeText =
    "The values are too large to draw: the graph shows only the axes that can hold them";

} // namespace

void TMainForm::Output_TabSheetShow() {
    ShowStatus(OutputStatusText);
    Output_Memo->setVisible(OutputShown);
    if (!ResultsAvailable) {
        return;
    }
    // A calculation bringing the page forward has just filled the memo with
    // the lines it wrote. A user coming back to the page sees the current
    // output file as it is on disk by then: an input file opened since
    // names another one, and another program may have changed it.
    if (!showingCalculation_) {
        ReadCurrentOutputFile();
    }
    OutputShown = true;
    Output_Memo->show();
    TellGraphTooLarge();
}

void TMainForm::TellGraphTooLarge() {
    if (lastResults_ && !GraphImage->isHidden() && RegressionGraphTooLarge(*lastResults_)) {
        ShowStatus(GraphTooLargeText);
    }
}

void TMainForm::ReadCurrentOutputFile() {
    Output_Memo->hide();
    TDMTylwen& store = DMTylwen;
    store.FileName = ChangeDataFileExt(store.FileName, ".out");
    Tell(dialogs_, ReadOutputLines(store.FileName));
    LoadOutputMemo();
}

void TMainForm::LoadOutputMemo() {
    const TDMTylwen& store = DMTylwen;
    QStringList lines;
    const auto shown =
        std::min<std::size_t>(std::max(store.NrOfOutputLines, 0), store.OutputLines.size());
    for (std::size_t i = 0; i < shown; ++i) {
        lines << QString::fromStdString(store.OutputLines[i]);
    }
    Output_Memo->setPlainText(lines.join(QLatin1Char('\n')));
}

void TMainForm::OutputOpenExecute() {
    Output_Memo->hide();
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
    LoadOutputMemo();
    SetInitialDirectories(ExtractFilePath(store.FileName));
    Output_Memo->show();
    OutputShown = true;
    if (!ReadInputFileOfChosenOutput()) {
        // The graph belongs to a calculation that the page no longer shows.
        GraphImage->hide();
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
