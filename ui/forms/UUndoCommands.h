// Edit > Undo and Edit > Redo, and the roads by which the user's changes of
// the Input page reach the undo history: typing in a cell, a pasted block,
// leaving the count field or a site-constant field.
#pragma once

#include "UMemoryBudget.h"

#include <QObject>

#include <string>

class QAction;
class QMenu;
class QWidget;
class TInputPage;
class TTextField;
class TUndoHistory;
class TUserDialogs;

class TUndoCommands : public QObject {
public:
    // The entries go at the top of `editMenu`; `memory` follows the
    // window's probe, which may be replaced.
    TUndoCommands(QWidget& window, TInputPage& input, QMenu& editMenu,
                  const TMemoryProbe* const& memory, TUserDialogs& dialogs);

    // Named after the step they undo or redo.
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;

    TUndoHistory& History() const { return *history_; }
    void RecordGridEdit(int column, int row, const std::string& text);
    // Runs a leave handler of the Input page as one step.
    void RecordLeave(TTextField* field, void (TInputPage::*handler)());

private:
    void CreateEntries(QMenu& editMenu);
    void ShowSteps();
    void ConnectInputPage();

    TInputPage& input_;
    TUserDialogs& dialogs_;
    TUndoHistory* history_ = nullptr;
};
