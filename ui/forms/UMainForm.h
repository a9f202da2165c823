// The main window: six pages (Intro, Figure, Input, Output, Report, Design), the
// menu, the commands, the file dialogs and the road to the exit dialog.
//
// The road of a Save-calculate ("Save - calculate", Button2Click):
//   ui/forms/UInputCommands.cpp   site constants, file name, grid rows into
//                                 the store (core/UGridDataSets.cpp), depth
//                                 check, input file written
//   core/UCalculationResults.cpp  the calculation (core/UCalculation.cpp),
//                                 returned as one TFitStatistics
//   files/UOutputFile.cpp         the output file written, FileName switched
//   ui/forms/UMainForm.cpp        Calculate: the user told, the memo filled
//                                 with the lines written, the graph
//                                 (graph/URegressionGraph.cpp) and the report
//                                 (ui/forms/UReportCommands.cpp) drawn from
//                                 that value, the Output page brought forward
// The road of an Open-output ("Open output", OutputOpenExecute):
//   ui/forms/UOutputPage.cpp      the chosen file's lines shown, its input
//                                 file read (files/UInputFile.cpp) and shown
//                                 on the Input page, then Calculate as above,
//                                 which rewrites the output file.
// Page-show handlers only show: the Output page reads the current output
// file back only when the user comes back to it, not when a calculation
// brings it forward.
#pragma once

#include "UBaseForm.h"
#include "UCalculation.h"
#include "UEventGuard.h"
#include "UFitStatistics.h"
#include "UInputPage.h"
#include "UMainFormControls.h"
#include "UMemoryBudget.h"
#include "UUserDialogs.h"

#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class TEditCommands;
class THelpCommands;
class TReportCommands;
class TCloseForm;
class TResults;
class TExportProgress;
class TGridCells;
struct TImportedTable;
class TTextField;
class TUndoHistory;

inline const char* const MainFormCaption = "Hydraulic conductivity calculator ";
inline const char* const UnsavedWorkQuestion =
    "The data sets were changed and are not saved. Save them before ending?";

// The caption once the data sets have a file: its name, Qt's mark of unsaved
// changes and the program.
QString MainCaptionFor(const std::string& fileName);
class TMainForm : public TBaseForm, public TMainFormControls, private TInputPageHost {
    Q_OBJECT
public:
    explicit TMainForm(TUserDialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The exit dialog, created after the main window.
    void SetCloseForm(TCloseForm& closeForm);

    void SetInitialDirectories(const std::string& directory);
    // Where the window learns how much memory the machine can still give.
    void SetMemoryProbe(const TMemoryProbe& memory) { memory_ = &memory; }
    void Calculate();
    void DrawRegressionGraph();
    // The last calculation's results, which the Output, Report and Design
    // pages show; the Report and Design pages are built when first needed.
    TResults& Results() { return *results_; }
    TReportPage& Report();
    TDesignPage& Design();

    // Page show handlers.
    void Intro_TabsheetShow();
    void Figure_TabSheetShow();
    void Report_TabSheetShow();
    void Design_TabSheetShow();

    // The commands.
    void InputOpenExecute() override;
    bool AskInputFileName();
    void InputSaveExecute() override;
    void OutputOpenExecute();
    // Fills the grid from a delimited table file, as a paste of its data
    // sets at the first data cell would.
    void ImportTableExecute();
    void ImportTableFile(const std::string& fileName);
    // Its steps while the progress may show: what is to be told, if anything.
    std::optional<std::string> ImportTableWithProgress(const std::string& fileName,
                                                       TExportProgress& progress);
    void PasteImportedTable(const std::string& fileName, const TImportedTable& table,
                            TExportProgress& progress);

    // Their steps after the file dialog, for a file named by other means.
    void OpenInputFile(const std::string& fileName);
    void OpenOutputFile(const std::string& fileName);

    // A file named on the command line or dropped on the window: an input
    // file is opened as Open-input does and shown on the Input page, an
    // output file as Open-output does, a table as Import table does.
    void OpenFile(const std::string& fileName);
    // The same once the window is up and active and the drop that named the
    // file has finished.
    void OpenFileLater(const std::string& fileName);

    // The save dialog of the last Save-calculate was cancelled.
    bool SaveCancelled = false;

    // The table, the count, a site constant or the option changed since the
    // data sets were last saved or opened (since start: anything typed).
    bool HasUnsavedWork() const;
    // Asks what becomes of unsaved work before the program ends: true when
    // it may end (nothing unsaved, Discard, or Save and saved).
    bool ReadyToEnd();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename Body> void Guarded(Body&& body) {
        RunGuarded(dialogs_, std::forward<Body>(body));
    }
    void OnClick(QPushButton* button, void (TMainForm::*handler)());
    void OnTrigger(QAction* action, void (TMainForm::*handler)());
    void OnLeave(TTextField* field, void (TInputPage::*handler)());
    void ShowInputPage() override;
    void HideOutput() override;

    void FormCreate();
    void FormShow();
    void FormClose();
    void PageShown(int index);

    void CreatePages();
    void CreateIntroPage();
    void CreateFigurePage();
    void CreateInputPage();
    void CreateOutputPage();
    void CreateReportPage();
    void CreateDesignPage();
    void PreparePage(const QWidget* page);
    void CreateCommands();
    void CreateMenu();
    void ConnectHandlers();

    // Files dropped on the window from a file manager.
    void InstallFileDrops();

    // The undo history and the roads that record into it (UUndoCommands.cpp).
    void InstallUndoCommands();
    void RecordGridEdit(int column, int row, const std::string& text);
    void RecordLeave(TTextField* field, void (TInputPage::*handler)());
    void SaveCalculateRecorded();
    // Records a command that may save or open the data sets; once it has,
    // the work counts as saved, also when a later step of it failed.
    void RecordSettling(const std::function<QString()>& name, const std::function<void()>& action);
    void ShowChosenInputFile(const std::string& fileName);
    void ShowChosenOutputFile(const std::string& fileName);
    bool TakeChosenFileName(const std::string& fileName);

    void ShowInputFileRead();
    bool ReadInputFileOfChosenOutput();
    void RefreshReport(TSharedFit fit);

    // Unsaved work (UUnsavedWork.cpp).
    void WatchForUnsavedWork();
    void WorkSettled();
    void ShowUnsavedMark();
    bool FieldTypedNotLeft() const;
    bool SaveBeforeEnding();
    void LeaveTypedFields();

    TUserDialogs& dialogs_;
    const TMemoryProbe* memory_ = &MachineMemory();
    QPointer<TCloseForm> closeForm_;
    TUndoHistory* undo_ = nullptr;
    // What the last calculation found; the pages show it.
    TResults* results_ = nullptr;
    // The command running has written or read the data sets' file.
    bool workSettled_ = false;
    // The option of the last save or open.
    TCalculationOption settledOption_ = TCalculationOption::OverEntireSoilDepth;
    // The question about unsaved work is open.
    bool askingToEnd_ = false;
    // Gone before the controls they act on.
    std::unique_ptr<TEditCommands> edit_;
    std::unique_ptr<THelpCommands> help_;
    std::unique_ptr<TReportCommands> report_;
};
