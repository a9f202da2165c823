// Edit > Cut, Copy, Paste and Delete. They act on whichever single-line
// field has the focus, the grid's in-place editor included; Cut also takes a
// whole grid cell, as a spreadsheet does, when the grid itself has the focus.
#pragma once

#include <QMetaObject>
#include <QObject>

class QAction;
class QMenu;
class TDataGrid;
class TUserDialogs;

// The commands of the Edit menu.
struct TEditActions {
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditDelete1 = nullptr;
};

class TEditCommands : public QObject {
public:
    // Runs `actions`, enabled as the focus, the selection and the clipboard
    // allow whenever `editMenu` opens or any of them changes.
    TEditCommands(const TEditActions& actions, QMenu& editMenu, TDataGrid& grid,
                  TUserDialogs& dialogs);

    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void EditDelete1Execute();

private:
    void Run(QAction* action, void (TEditCommands::*handler)());
    void UpdateEditCommands();

    TEditActions actions_;
    TDataGrid& grid_;
    TUserDialogs& dialogs_;
    QMetaObject::Connection selectionWatch_;
};
