// File > Save report… and Save graph…: the report of the last results as a
// PDF file, the graph as a PNG picture or SVG drawing. Enabled by the first
// calculation; their folder follows the output file's.
#pragma once

#include <QObject>

#include <optional>
#include <string>

class QAction;
class TBaseForm;
class TDesignPage;
class TReportPage;
class TResults;
class TUserDialogs;
enum class TResultsChange;
struct TFileDialogOptions;
struct TReportExport;

// The two commands with their save dialogs.
struct TReportActions {
    QAction* SaveReport = nullptr;
    QAction* SaveGraph = nullptr;
    TFileDialogOptions* SaveReport_Dialog = nullptr;
    TFileDialogOptions* SaveGraph_Dialog = nullptr;
};

class TReportCommands : public QObject {
public:
    // The saved report carries the Design page's result, the saved graph
    // the Report page's resolution; `window` shows the progress and status.
    TReportCommands(TBaseForm& window, TUserDialogs& dialogs, TResults& results,
                    const TReportActions& actions, TReportPage& reportPage,
                    TDesignPage& designPage);

    void SaveReportExecute();
    void SaveGraphExecute();

private:
    void ResultsChanged(TResultsChange change);
    void ExportReport(TFileDialogOptions& dialog, const TReportExport& kind);
    std::optional<std::string> AskExportFileName(TFileDialogOptions& dialog,
                                                 std::string (*fileName)(const std::string&));

    TBaseForm& window_;
    TUserDialogs& dialogs_;
    TResults& results_;
    TReportActions actions_;
    TReportPage& reportPage_;
    TDesignPage& designPage_;
};
