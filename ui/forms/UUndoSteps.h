// The steps of the undo history. Each records a change that has already
// happened, so the stack's first redo, on push, does nothing.
#pragma once

#include "UUndoTarget.h"

#include <cstddef>

#include <QUndoCommand>

// A change of fields and store values only.
class TFieldStep : public QUndoCommand {
public:
    TFieldStep(const QString& name, TUndoTarget& page, TPageState before, TPageState after);

    void undo() override;
    void redo() override;

protected:
    // What the step keeps beside the page state, exchanged with the grid's
    // before either state is restored.
    virtual void Exchange() {}

    TUndoTarget& page_;

private:
    TPageState before_;
    TPageState after_;
    bool happened_ = true;
};

// A change that may reach every cell: the step keeps the table of the side
// not shown, and undo and redo swap it with the grid's. Its bytes count in
// `heldBytes` while it lives.
class TTableStep : public TFieldStep {
public:
    TTableStep(const QString& name, TUndoTarget& page, TPageState before, TPageState after,
               TCellStore otherCells, std::size_t& heldBytes);
    ~TTableStep() override;

protected:
    void Exchange() override;

private:
    TCellStore otherCells_;
    std::size_t bytes_;
    std::size_t& heldBytes_;
};

// The typing in one cell while its editor stays open.
class TCellEditStep : public QUndoCommand {
public:
    TCellEditStep(TUndoTarget& page, TEditedCellText before, std::string after, int editSession,
                  TPageState pageBefore, TPageState pageAfter);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    TUndoTarget& page_;
    TEditedCellText before_;
    std::string after_;
    int editSession_;
    TPageState pageBefore_;
    TPageState pageAfter_;
    bool happened_ = true;
};
