// The Report page in the main window: refreshed after every calculation, and
// the two commands that save the report as PDF and the graph as PNG or SVG.
#include "UMainForm.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UDesignPage.h"
#include "UExportProgress.h"
#include "UFileNames.h"
#include "UFloatMath.h"
#include "UReportDocument.h"
#include "UReportPage.h"
#include "UResults.h"
#include "USafeFileWriter.h"
#include "UTextField.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const char* const ReportStatusText = "The report shows how far the results can be trusted. Use "
                                     "\"Save report\" to keep it as a PDF file.";

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

std::vector<TRawDataSet> RawDataOf(const TDMTylwen& store, std::size_t count) {
    std::vector<TRawDataSet> data;
    data.reserve(count);
    for (std::size_t serial = 1; serial <= count; ++serial) {
        const auto valueAt = [serial](const DataSetR& column) {
            return serial < column.size() ? column[serial] : 0.0;
        };
        data.push_back({valueAt(store.InputDischarge), valueAt(store.InputDepthMidway),
                        valueAt(store.InputDepthNear)});
    }
    return data;
}

} // namespace

void TMainForm::CreateReportPage() {
    Report_TabSheet = new TReportPage(*results_, *SaveReport, *SaveGraph, PageControl1);
    Report_TabSheet->setObjectName(QStringLiteral("Report_TabSheet"));
    Report_TabSheet->setAccessibleName(QStringLiteral("Report"));
    PageControl1->addTab(Report_TabSheet, QStringLiteral(" Report "));
    OnTrigger(SaveReport, &TMainForm::SaveReportExecute);
    OnTrigger(SaveGraph, &TMainForm::SaveGraphExecute);
}

void TMainForm::Report_TabSheetShow() {
    ShowStatus(ReportStatusText);
}

void TMainForm::RefreshReport(TSharedFit fit) {
    const TDMTylwen& store = DMTylwen;
    TReportContents contents;
    contents.OutputFileName = store.FileName;
    contents.InputFileName = ChangeDataFileExt(store.FileName, ".inp");
    contents.DrainDepth = store.DrainDepth;
    contents.ImpermeableDepth = store.ImpermeableDepth;
    contents.DrainSpacing = store.DrainSpacing;
    contents.DrainRadius = store.DrainRadius;
    contents.RawData = RawDataOf(store, fit->NrOfDataSets);
    contents.Statistics = std::move(fit);
    SaveReport_Dialog.InitialDir = ExtractFilePath(store.FileName);
    SaveGraph_Dialog.InitialDir = SaveReport_Dialog.InitialDir;
    results_->Calculated(std::move(contents));
    SaveReport->setEnabled(true);
    SaveGraph->setEnabled(true);
}

std::optional<std::string>
TMainForm::AskExportFileName(TFileDialogOptions& dialog,
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

void TMainForm::SaveReportExecute() {
    ExportReport(SaveReport_Dialog, ReportExport);
}

void TMainForm::SaveGraphExecute() {
    ExportReport(SaveGraph_Dialog, GraphExport);
}

void TMainForm::ExportReport(TFileDialogOptions& dialog, const TReportExport& kind) {
    if (!results_->Contents()) {
        return;
    }
    const std::string inputName = results_->Contents()->InputFileName;
    dialog.FileName =
        ChangeFileExt(inputName.substr(ExtractFilePath(inputName).size()), kind.Extension);
    const std::optional<std::string> name = AskExportFileName(dialog, kind.FileName);
    const std::string what = std::string("The ") + kind.What;
    if (!name) {
        ShowStatus(what + " was not saved");
        return;
    }
    // A copy: the window stays responsive while a long export runs, and
    // nothing it does may change what is being written.
    TReportContents contents = *results_->Contents();
    contents.Design = Design_TabSheet->ReportSection();
    std::optional<QByteArray> bytes;
    {
        TExportProgress progress(this, QString::fromStdString("Saving " + *name + "…"));
        bytes =
            kind.Render(*name, contents, Report_TabSheet->GraphDotsPerInch(), progress.Callback());
    }
    if (!bytes) {
        ShowStatus(what + " was not saved: cancelled");
        return;
    }
    WriteExport(*name, *bytes);
    ShowStatus(what + " is saved in " + *name);
}
