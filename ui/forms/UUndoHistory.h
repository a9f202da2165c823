// Undo and redo of what the user does to the table: every change of the
// grid, the count field, the site-constant fields and the store's part that
// the next Save-calculate reads is recorded as one step. Files on disk are
// never touched by undo or redo.
//
// A typed value is kept as its one cell; a step that may change many cells
// (a paste, a count raised, a close-up, a file read) keeps one copy of the
// whole compact table, swapped in and out on undo and redo. Copies of large
// tables are limited by the memory the machine can give: a history that
// would outgrow it starts afresh.
//
// The history also knows whether the page has changed since the data sets
// were last saved or opened: a step away from that point, or a change it
// could not keep, leaves the work unsaved.
#pragma once

#include "UMemoryBudget.h"
#include "UUndoPage.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QUndoStack;
class TDataGrid;
class TTextField;

class TUndoHistory : public QObject {
    Q_OBJECT
public:
    // `fields` are the count field and the four site-constant fields, in
    // order; `memory` follows the window's probe, which may be replaced.
    TUndoHistory(TDataGrid& grid, const std::array<TTextField*, 5>& fields,
                 const TMemoryProbe* const& memory, QObject* parent);
    ~TUndoHistory() override;

    QUndoStack& Stack() const { return *stack_; }

    // True while a step is recorded, undone or redone: the edits the grid
    // reports meanwhile belong to that step.
    bool Busy() const { return busy_; }

    using TCellText = TEditedCellText;
    // Runs an action that may change the whole table and records what it
    // changed as one step, named once the action has run. `editedCell` names
    // a cell whose text the grid took before the action ran (a paste arrives
    // as the edited cell's text), with the text it held before; `leftField`
    // (0 to 4) a field the user typed into, whose typing is part of the step.
    // An action that raises std::bad_alloc or EPasteCancelled leaves the
    // table and the page as they were and records nothing; so does a table
    // too large to copy, whose action does not run (std::bad_alloc).
    void RecordTable(const std::function<QString()>& name, const std::function<void()>& action,
                     const TCellText& editedCell = {}, int leftField = -1);
    // Runs an action that changes no cell, only fields and the store.
    void RecordFields(const QString& name, int leftField, const std::function<void()>& action);
    // One typed change of a cell; the changes of one open editor of one cell
    // make one step.
    void RecordCellEdit(const TCellText& before, const std::string& text, int editSession,
                        const std::function<void()>& action);

    void Undo();
    void Redo();

    // The page holds changes that no file has; from now on it is as saved.
    bool Unsaved() const;
    void MarkSaved();

signals:
    void UnsavedChanged();

private:
    bool MakeRoomFor(std::size_t bytes);
    void Push(class QUndoCommand* step);
    // Empties the stack, remembering a change since the last save that its
    // steps held.
    void ForgetSteps();
    // A change happened that no step can take back.
    void ChangedWithoutStep();

    TDataGrid& grid_;
    TUndoPage page_;
    const TMemoryProbe* const& memory_;
    // Bytes of the tables the steps keep; declared before the stack, whose
    // steps give their bytes back when it deletes them.
    std::size_t heldBytes_ = 0;
    std::unique_ptr<QUndoStack> stack_;
    bool busy_ = false;
    // A change since the last save lies before the steps the stack still has.
    bool changedBeforeSteps_ = false;
};
