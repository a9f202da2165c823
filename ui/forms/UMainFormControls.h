// The shell's own controls under the names of its form: the page control and
// its pages, the Intro and Figure pages' text and pictures, the commands, the
// menu and the file dialogs. The window derives from the groups, so they are
// reached as the window's own (`form.PageControl1`); the controls of the
// Input and Output pages are those pages' own members (`form.Input->Edit1`).
#pragma once

#include "UUserDialogs.h"

#include <string>

class QAction;
class QLabel;
class QMenu;
class QObject;
class QPlainTextEdit;
class QTabWidget;
class QWidget;
class TDesignPage;
class TInputPage;
class TOutputPage;
class TReportPage;

// PageControl1 and its six pages.
struct TMainFormPages {
    QTabWidget* PageControl1 = nullptr;
    QWidget* Intro_Tabsheet = nullptr;
    QWidget* Figure_TabSheet = nullptr;
    TInputPage* Input = nullptr;
    TOutputPage* Output_TabSheet = nullptr;
    TReportPage* Report_TabSheet = nullptr;
    TDesignPage* Design_TabSheet = nullptr;
};

// The Intro and Figure pages: a text and three pictures.
struct TIntroPageControls {
    QPlainTextEdit* Intro_Memo = nullptr;
    QLabel* LogoImage = nullptr;
    QLabel* Image2 = nullptr;
};

// ActionList1: the commands.
struct TMainFormCommands {
    QObject* ActionList1 = nullptr;
    QAction* InputOpen = nullptr;
    QAction* InputSave = nullptr;
    QAction* OutputOpen = nullptr;
    QAction* GraphOpen = nullptr;
    QAction* ImportTable = nullptr;
    QAction* FileExit1 = nullptr;
    QAction* SaveReport = nullptr;
    QAction* SaveGraph = nullptr;
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditDelete1 = nullptr;
    QAction* HelpGuide = nullptr;
    QAction* HelpAbout = nullptr;
};

// MainMenu1: the entries that run the commands.
struct TMainFormMenu {
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* InputOpen1 = nullptr;
    QAction* InputSave1 = nullptr;
    QAction* OpenOutput1 = nullptr;
    QAction* GraphOpen1 = nullptr;
    QAction* ImportTable1 = nullptr;
    QAction* SaveReport1 = nullptr;
    QAction* SaveGraph1 = nullptr;
    QAction* ProgramExit = nullptr;
    QAction* Cut = nullptr;
    QAction* Copy = nullptr;
    QAction* Paste = nullptr;
    QAction* Delete = nullptr;
    // Edit > Undo and Edit > Redo, named after the step they undo or redo.
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    // Help > Soravik Help (F1) and Help > About Soravik.
    QAction* SoravikHelp1 = nullptr;
    QAction* AboutSoravik1 = nullptr;
};

// The file dialogs of the commands.
struct TMainFormFileDialogs {
    TFileDialogOptions InputOpen_Dialog;
    TFileDialogOptions InputSave_Dialog;
    TFileDialogOptions OutputOpen_Dialog;
    TFileDialogOptions SaveReport_Dialog;
    TFileDialogOptions SaveGraph_Dialog;
    TFileDialogOptions ImportTable_Dialog;

    // The starting folder of the dialogs that open and save the data files.
    void SetInitialDirectories(const std::string& directory) {
        InputOpen_Dialog.InitialDir = directory;
        InputSave_Dialog.InitialDir = directory;
        OutputOpen_Dialog.InitialDir = directory;
    }
};

struct TMainFormControls : TMainFormPages,
                           TIntroPageControls,
                           TMainFormCommands,
                           TMainFormMenu,
                           TMainFormFileDialogs {};
