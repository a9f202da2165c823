#include "UReportCommands.h"

#include "UBaseForm.h"
#include "UDesignPage.h"
#include "UEventGuard.h"
#include "UExportProgress.h"
#include "UFileNames.h"
#include "UFloatMath.h"
#include "UReportDocument.h"
#include "UReportPage.h"
#include "UResults.h"
#include "USafeFileWriter.h"

#include <QAction>
#include <QDateTime>

namespace {

// Names the file the export would replace, which the user may not have typed
// in full.
std::string OverwriteQuestion(const std::string& fileName) {
    return "The file \"" + PathOnOneLine(fileName) + "\" already exists, overwrite?";
}

bool HasExtension(const std::string& name, const char* extension) {
    return QString::fromStdString(name).endsWith(QString::fromUtf8(extension), Qt::CaseInsensitive);
}

// The format follows the extension: a name without ".pdf" gets it, as an
// input file gets ".inp".
std::string ReportFileName(const std::string& chosen) {
    return HasExtension(chosen, ".pdf") ? chosen : ChangeFileExt(chosen, ".pdf");
}

// A drawing when the name asks for one, the bitmap otherwise.
std::string GraphFileName(const std::string& chosen) {
    if (HasExtension(chosen, ".svg") || HasExtension(chosen, ".png")) {
        return chosen;
    }
    return ChangeFileExt(chosen, ".png");
}

// The whole file or, if that fails, the file that was there before.
void WriteExport(const std::string& name, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        throw EInOutError("Nothing could be drawn for \"" + name + "\"");
    }
    const TWriteResult written = WriteFileSafely(name, bytes.toStdString());
    if (!written.Succeeded()) {
        throw EInOutError("The file \"" + name + "\" could not be written: " + written.Reason);
    }
}

} // namespace

// What is saved: how the chosen name is completed, how the file is drawn and
// what the status line calls it.
struct TReportExport {
    std::string (*FileName)(const std::string& chosen);
    // The extension of the name offered: the input file's name with it.
    const char* Extension;
    std::optional<QByteArray> (*Render)(const std::string& name, const TReportContents& contents,
                                        int dotsPerInch, const TPaintProgress& progress);
    const char* What;
};

namespace {

const TReportExport ReportExport = {
    ReportFileName, ".pdf",
    [](const std::string&, const TReportContents& contents, int, const TPaintProgress& progress) {
        return ReportPdf(contents, QDateTime::currentDateTime(), progress);
    },
    "report"};

const TReportExport GraphExport = {GraphFileName, ".png",
                                   [](const std::string& name, const TReportContents& contents,
                                      int dotsPerInch, const TPaintProgress& progress) {
                                       return HasExtension(name, ".svg")
                                                  ? GraphSvg(contents, progress)
                                                  : GraphPng(contents, dotsPerInch, progress);
                                   },
                                   "graph"};

} // namespace

TReportCommands::TReportCommands(TBaseForm& window, TUserDialogs& dialogs, TResults& results,
                                 const TReportActions& actions, TReportPage& reportPage,
                                 TDesignPage& designPage)
    : window_(window), dialogs_(dialogs), results_(results), actions_(actions),
      reportPage_(reportPage), designPage_(designPage) {
    ConnectGuarded(actions_.SaveReport, &QAction::triggered, this, dialogs_,
                   [this] { SaveReportExecute(); });
    ConnectGuarded(actions_.SaveGraph, &QAction::triggered, this, dialogs_,
                   [this] { SaveGraphExecute(); });
    connect(&results_, &TResults::Changed, this, &TReportCommands::ResultsChanged);
}

void TReportCommands::ResultsChanged(TResultsChange change) {
    if (change != TResultsChange::Calculation) {
        return;
    }
    actions_.SaveReport_Dialog->InitialDir = ExtractFilePath(results_.Contents()->OutputFileName);
    actions_.SaveGraph_Dialog->InitialDir = actions_.SaveReport_Dialog->InitialDir;
    actions_.SaveReport->setEnabled(true);
    actions_.SaveGraph->setEnabled(true);
}

std::optional<std::string>
TReportCommands::AskExportFileName(TFileDialogOptions& dialog,
                                   std::string (*fileName)(const std::string&)) {
    const std::optional<std::string> chosen = dialogs_.AskSaveFileName(dialog);
    if (!chosen) {
        return std::nullopt;
    }
    const std::string name = fileName(*chosen);
    if (FileExists(name) && !dialogs_.AskYesNo(OverwriteQuestion(name))) {
        return std::nullopt;
    }
    dialog.InitialDir = ExtractFilePath(name);
    return name;
}

void TReportCommands::SaveReportExecute() {
    ExportReport(*actions_.SaveReport_Dialog, ReportExport);
}

void TReportCommands::SaveGraphExecute() {
    ExportReport(*actions_.SaveGraph_Dialog, GraphExport);
}

void TReportCommands::ExportReport(TFileDialogOptions& dialog, const TReportExport& kind) {
    if (!results_.Contents()) {
        return;
    }
    const std::string inputName = results_.Contents()->InputFileName;
    dialog.FileName =
        ChangeFileExt(inputName.substr(ExtractFilePath(inputName).size()), kind.Extension);
    const std::optional<std::string> name = AskExportFileName(dialog, kind.FileName);
    const std::string what = std::string("The ") + kind.What;
    if (!name) {
        window_.ShowStatus(what + " was not saved");
        return;
    }
    // A copy: the window stays responsive while a long export runs, and
    // nothing it does may change what is being written.
    TReportContents contents = *results_.Contents();
    contents.Design = designPage_.ReportSection();
    std::optional<QByteArray> bytes;
    {
        TExportProgress progress(&window_, QString::fromStdString("Saving " + *name + "…"));
        bytes = kind.Render(*name, contents, reportPage_.GraphDotsPerInch(), progress.Callback());
    }
    if (!bytes) {
        window_.ShowStatus(what + " was not saved: cancelled");
        return;
    }
    WriteExport(*name, *bytes);
    window_.ShowStatus(what + " is saved in " + *name);
}
