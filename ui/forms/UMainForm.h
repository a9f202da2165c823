// The main window: the shell around six pages (Intro, Figure, Input, Output,
// Report, Design): the menu and its commands, the page control, the status
// bar, the file dialogs, start and end, and the road to the exit dialog. The
// Input, Output, Report and Design pages are classes of their own; what the
// last calculation found reaches them through one results object
// (ui/report/UResults.h), and the commands are objects of their own.
//
// The road of a Save-calculate, from the "Save - calculate" button:
//   ui/forms/UMainForm.cpp        ConnectHandlers: Button2 runs
//                                 TUnsavedWork::SaveCalculateRecorded
//   ui/forms/UUnsavedWork.cpp     one undo step (ui/forms/UUndoHistory.cpp)
//                                 around TInputPage::Button2Click; the work
//                                 counts as saved once the file is written
//   ui/forms/UInputPage.cpp       Button2Click: the site constants into the
//                                 store, then InputSaveExecute of its host,
//                                 the main window, which hands it on to
//   ui/forms/UInputCommands.cpp   TFileCommands::InputSaveExecute: file name,
//                                 grid rows into the store
//                                 (core/UGridDataSets.cpp), depth check, input
//                                 file written (files/UInputFile.cpp)
//   ui/forms/UFileCommands.cpp    Calculate: the calculation
//                                 (core/UFitStatistics.cpp), the output
//                                 file written (files/UOutputFile.cpp), the
//                                 user told, the memo filled, the results
//                                 given to the results object, the Output
//                                 page brought forward
//   ui/report/UResults.cpp        Calculated: every data set back in the
//                                 what-if fit, the design inputs kept, one
//                                 Changed signal, on which
//   ui/forms/UOutputPage.cpp      draws the graph (graph/URegressionGraph.cpp),
//   ui/report/UReportPage.cpp     shows the report, once it is built,
//   ui/design/UDesignPage.cpp     fills its fields, once it is built, and
//   ui/forms/UReportCommands.cpp  enables Save report and Save graph.
// The road of an Open-input (Ctrl+I, or "Open input", Button1Click):
//   ui/forms/UInputCommands.cpp   InputOpenExecute: the file dialog, then
//   ui/forms/UFileCommands.cpp    OpenInputFile: one undo step around
//   ui/forms/UInputCommands.cpp   ShowChosenInputFile: the file read
//                                 (files/UInputFile.cpp), the Input page
//                                 filled (FillGrid), the what-if fit put back.
// The road of an Open-output (Ctrl+O, or "Open output" on the Output page):
//   ui/forms/UOpenOutput.cpp      OutputOpenExecute, then through
//                                 OpenOutputFile (ui/forms/UFileCommands.cpp)
//                                 ShowChosenOutputFile: the chosen file's
//                                 lines shown, its input file read and shown
//                                 on the Input page, then Calculate as above,
//                                 which rewrites the output file.
// The Design page (ui/design/UDesignPage.cpp) is built when first shown or
// asked for (Design()): it fills its fields from the results object's design
// inputs and hears of each calculation and of each data set left out of the
// what-if fit or put back (ui/report/UResults.cpp, WhatIfChanged);
// Design_TabSheetShow (UMainForm.cpp) puts the store's site constants into
// its empty fields, and Save report (ui/forms/UReportCommands.cpp) takes its
// design into the PDF.
// Two page-show handlers do more than show, on purpose: InputShow
// (UInputPage.cpp) builds the empty table of data sets in the store on the
// first showing, and Output_TabSheetShow (UOutputPage.cpp) reads the current
// output file back when the user comes back to the page, not when a
// calculation brings it forward.
#pragma once

#include "UBaseForm.h"
#include "UEventGuard.h"
#include "UInputPage.h"
#include "UMainFormControls.h"
#include "UMemoryBudget.h"
#include "UUserDialogs.h"

#include <QPointer>
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
    // The save dialog of the last Save-calculate was cancelled.
    bool SaveCancelled = false;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename Body> void Guarded(Body&& body) {
        RunGuarded(dialogs_, std::forward<Body>(body));
    }
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
