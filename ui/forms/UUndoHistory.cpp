#include "UUndoHistory.h"

#include "UDataGrid.h"
#include "UPasteCells.h"
#include "UUndoSteps.h"

#include <QUndoStack>

#include <exception>
#include <new>

namespace {

// The history keeps at most this share of the memory the machine can still
// give when a table is copied.
constexpr std::uint64_t HistoryShareOfAvailable = 4;

// Marks the history busy for one recording or one undo, also when the
// action ends with an error.
class TBusy {
public:
    explicit TBusy(bool& busy) : busy_(busy) { busy_ = true; }
    ~TBusy() { busy_ = false; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& busy_;
};

// Runs the action while busy; its error comes back after the step is recorded.
std::exception_ptr RunBusy(bool& busy, const std::function<void()>& action) {
    TBusy marked(busy);
    try {
        action();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

// An action that ran out of memory or that the user cancelled changes nothing.
bool IsAbandoned(const std::exception_ptr& failure) {
    if (!failure) {
        return false;
    }
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return true;
    } catch (const EPasteCancelled&) {
        return true;
    } catch (...) {
        return false;
    }
}

void RethrowIfAny(const std::exception_ptr& failure) {
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace

TUndoHistory::TUndoHistory(TDataGrid& grid, const std::array<TTextField*, 5>& fields,
                           const TMemoryProbe* const& memory, QObject* parent)
    : QObject(parent), grid_(grid), page_(grid, fields), memory_(memory),
      stack_(std::make_unique<QUndoStack>()) {
    connect(stack_.get(), &QUndoStack::cleanChanged, this, &TUndoHistory::UnsavedChanged);
}

// The steps go with the history; the menu entries that showed them may be gone.
TUndoHistory::~TUndoHistory() {
    stack_->disconnect();
}

void TUndoHistory::RecordTable(const std::function<QString()>& name,
                               const std::function<void()>& action, const TCellText& editedCell,
                               int leftField) {
    if (busy_) {
        action();
        return;
    }
    const TPageState before = page_.CaptureBefore(leftField);
    const std::uint64_t revision = grid_.Revision();
    const bool kept = MakeRoomFor(grid_.Cells().Bytes());
    // Taken also when the history cannot keep it: an action that runs out of
    // memory or is cancelled gives the table back. Without memory for the
    // copy the action does not run at all.
    TCellStore cells = grid_.Cells();
    if (editedCell.Column >= 0) {
        cells.SetText(editedCell.Column, editedCell.Row, editedCell.Text);
    }
    const std::exception_ptr failure = RunBusy(busy_, action);
    if (IsAbandoned(failure)) {
        grid_.SwapCells(cells);
        page_.Restore(before);
        std::rethrow_exception(failure);
    }
    page_.CommitField(leftField);
    const TPageState after = page_.Capture();
    const bool cellsChanged = grid_.Revision() != revision;
    if (cellsChanged && !kept) {
        // Without the table as it was, no step before this one can be undone.
        ChangedWithoutStep();
    } else if (cellsChanged) {
        Push(new TTableStep(name(), page_, before, after, std::move(cells), heldBytes_));
    } else if (after != before) {
        Push(new TFieldStep(name(), page_, before, after));
    }
    RethrowIfAny(failure);
}

void TUndoHistory::RecordFields(const QString& name, int leftField,
                                const std::function<void()>& action) {
    if (busy_) {
        action();
        return;
    }
    const TPageState before = page_.CaptureBefore(leftField);
    const std::uint64_t revision = grid_.Revision();
    const std::exception_ptr failure = RunBusy(busy_, action);
    page_.CommitField(leftField);
    const TPageState after = page_.Capture();
    if (grid_.Revision() != revision) {
        ChangedWithoutStep();
    } else if (after != before) {
        Push(new TFieldStep(name, page_, before, after));
    }
    RethrowIfAny(failure);
}

void TUndoHistory::RecordCellEdit(const TCellText& before, const std::string& text, int editSession,
                                  const std::function<void()>& action) {
    if (busy_) {
        action();
        return;
    }
    const TPageState pageBefore = page_.Capture();
    const std::exception_ptr failure = RunBusy(busy_, action);
    Push(new TCellEditStep(page_, before, text, editSession, pageBefore, page_.Capture()));
    RethrowIfAny(failure);
}

// Typing still open in a cell is a step of its own, ended before the undo.
void TUndoHistory::Undo() {
    grid_.EndEdit();
    TBusy marked(busy_);
    stack_->undo();
}

void TUndoHistory::Redo() {
    grid_.EndEdit();
    TBusy marked(busy_);
    stack_->redo();
}

// A table too large for the history's share of the memory is not copied,
// and the history starts afresh when the copies would outgrow it.
bool TUndoHistory::MakeRoomFor(std::size_t bytes) {
    const std::uint64_t budget = memory_->AvailableBytes() / HistoryShareOfAvailable;
    if (bytes > budget) {
        ForgetSteps();
        return false;
    }
    if (heldBytes_ + bytes > budget) {
        ForgetSteps();
    }
    return true;
}

void TUndoHistory::Push(QUndoCommand* step) {
    stack_->push(step);
}

// An emptied stack counts as clean: what it had not saved is remembered here.
void TUndoHistory::ForgetSteps() {
    if (!stack_->isClean()) {
        changedBeforeSteps_ = true;
    }
    stack_->clear();
    emit UnsavedChanged();
}

void TUndoHistory::ChangedWithoutStep() {
    stack_->clear();
    changedBeforeSteps_ = true;
    emit UnsavedChanged();
}

bool TUndoHistory::Unsaved() const {
    return changedBeforeSteps_ || !stack_->isClean();
}

void TUndoHistory::MarkSaved() {
    changedBeforeSteps_ = false;
    stack_->setClean();
    emit UnsavedChanged();
}
