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
#include "UEventGuard.h"
#include "UInputPage.h"
#include "UMainFormControls.h"
#include "UMemoryBudget.h"
#include "UUserDialogs.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <utility>

class QAction;
class TCloseForm;
class TEditCommands;
class TFileCommands;
class THelpCommands;
class TImportTable;
class TReportCommands;
class TResults;
class TUndoCommands;
class TUnsavedWork;

inline const char* const MainFormCaption = "Hydraulic conductivity calculator ";

class TMainForm : public TBaseForm, public TMainFormControls, private TInputPageHost {
    Q_OBJECT
public:
    explicit TMainForm(TUserDialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The exit dialog, created after the main window.
    void SetCloseForm(TCloseForm& closeForm);
    // Where the window learns how much memory the machine can still give.
    void SetMemoryProbe(const TMemoryProbe& memory) { memory_ = &memory; }
    void Calculate();
    void DrawRegressionGraph();
    // The last calculation's results, which the Output, Report and Design
    // pages show; the Report and Design pages are built when first needed.
    TResults& Results() { return *results_; }
    TReportPage& Report();
    TDesignPage& Design();
    // Open-input, Save-calculate and Open-output; Import table.
    TFileCommands& Files() { return *files_; }
    TImportTable& Import() { return *import_; }

    void Intro_TabsheetShow();
    void Figure_TabSheetShow();
    void Report_TabSheetShow();
    void Design_TabSheetShow();

    // A file named on the command line or dropped on the window: an input
    // file is opened as Open-input does and shown on the Input page, an
    // output file as Open-output does, a table as Import table does.
    void OpenFile(const std::string& fileName);
    // The same once the window is up and active and the drop that named the
    // file has finished.
    void OpenFileLater(const std::string& fileName);
    bool HasUnsavedWork() const;
    bool ReadyToEnd();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename Body> void Guarded(Body&& body) {
        RunGuarded(dialogs_, std::forward<Body>(body));
    }
    void OnTrigger(QAction* action, std::function<void()> handler);
    void InputOpenExecute() override;
    void InputSaveExecute() override;
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
    void CreateCommandObjects();
    void ConnectHandlers();
    void InstallFileDrops();

    TUserDialogs& dialogs_;
    const TMemoryProbe* memory_ = &MachineMemory();
    QPointer<TCloseForm> closeForm_;
    TResults* results_ = nullptr;
    // The commands, gone before the controls they act on.
    std::unique_ptr<TUndoCommands> undo_;
    std::unique_ptr<TUnsavedWork> work_;
    std::unique_ptr<TFileCommands> files_;
    std::unique_ptr<TImportTable> import_;
    std::unique_ptr<TEditCommands> edit_;
    std::unique_ptr<THelpCommands> help_;
    std::unique_ptr<TReportCommands> report_;
};
