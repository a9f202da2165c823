#include "UUndoHistory.h"

#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UPasteCells.h"
#include "UTextField.h"
#include "UTylwenUtils.h"
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

bool TPageState::operator==(const TPageState& other) const {
    return GridRowCount == other.GridRowCount && Fields == other.Fields &&
           NrOfDataSets == other.NrOfDataSets && GridRows == other.GridRows &&
           PreviousNrOfDataSets == other.PreviousNrOfDataSets && RowsToFill == other.RowsToFill &&
           Constants == other.Constants && DataPresent == other.DataPresent;
}

TUndoHistory::TUndoHistory(TDataGrid& grid, const std::array<TTextField*, 5>& fields,
                           const TMemoryProbe* const& memory, QObject* parent)
    : QObject(parent), grid_(grid), fields_(fields), memory_(memory),
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
    const TPageState before = CaptureBefore(leftField);
    const std::uint64_t revision = grid_.Revision();
    const bool kept = MakeRoomFor(grid_.CellBytes());
    // Taken also when the history cannot keep it: an action that runs out of
    // memory or is cancelled gives the table back. Without memory for the
    // copy the action does not run at all.
    TCellStore cells = grid_.CopyCells();
    if (editedCell.Column >= 0) {
        cells.SetText(editedCell.Column, editedCell.Row, editedCell.Text);
    }
    const std::exception_ptr failure = RunBusy(busy_, action);
    if (IsAbandoned(failure)) {
        grid_.SwapCells(cells);
        Restore(before);
        std::rethrow_exception(failure);
    }
    CommitField(leftField);
    const TPageState after = Capture();
    const bool cellsChanged = grid_.Revision() != revision;
    if (cellsChanged && !kept) {
        // Without the table as it was, no step before this one can be undone.
        ChangedWithoutStep();
    } else if (cellsChanged) {
        Push(new TTableStep(name(), *this, before, after, std::move(cells)));
    } else if (after != before) {
        Push(new TFieldStep(name(), *this, before, after));
    }
    RethrowIfAny(failure);
}

void TUndoHistory::RecordFields(const QString& name, int leftField,
                                const std::function<void()>& action) {
    if (busy_) {
        action();
        return;
    }
    const TPageState before = CaptureBefore(leftField);
    const std::uint64_t revision = grid_.Revision();
    const std::exception_ptr failure = RunBusy(busy_, action);
    CommitField(leftField);
    const TPageState after = Capture();
    if (grid_.Revision() != revision) {
        ChangedWithoutStep();
    } else if (after != before) {
        Push(new TFieldStep(name, *this, before, after));
    }
    RethrowIfAny(failure);
}

void TUndoHistory::RecordCellEdit(const TCellText& before, const std::string& text, int editSession,
                                  const std::function<void()>& action) {
    if (busy_) {
        action();
        return;
    }
    const TPageState pageBefore = Capture();
    const std::exception_ptr failure = RunBusy(busy_, action);
    Push(new TCellEditStep(*this, before, text, editSession, pageBefore, Capture()));
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

TPageState TUndoHistory::Capture() const {
    const TDMTylwen& store = DMTylwen;
    TPageState state;
    state.GridRowCount = grid_.RowCount();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        state.Fields[i] = fields_[i]->text();
    }
    state.NrOfDataSets = store.NrOfDataSets;
    state.GridRows = store.GridRows;
    state.PreviousNrOfDataSets = store.PreviousNrOfDataSets;
    state.RowsToFill = store.RowsToFill;
    state.Constants = {store.DrainDepth, store.ImpermeableDepth, store.DrainSpacing,
                       store.DrainRadius};
    state.DataPresent = DataPresent;
    return state;
}

TPageState TUndoHistory::CaptureBefore(int leftField) const {
    TPageState state = Capture();
    if (leftField >= 0 && leftField < static_cast<int>(fields_.size())) {
        state.Fields[leftField] = fields_[leftField]->CommittedText();
    }
    return state;
}

void TUndoHistory::CommitField(int leftField) {
    if (leftField >= 0 && leftField < static_cast<int>(fields_.size())) {
        fields_[leftField]->Commit();
    }
}

void TUndoHistory::Restore(const TPageState& state) {
    grid_.SetRowCount(state.GridRowCount);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(state.Fields[i]);
    }
    TDMTylwen& store = DMTylwen;
    store.NrOfDataSets = state.NrOfDataSets;
    store.GridRows = state.GridRows;
    store.PreviousNrOfDataSets = state.PreviousNrOfDataSets;
    store.RowsToFill = state.RowsToFill;
    store.DrainDepth = state.Constants[0];
    store.ImpermeableDepth = state.Constants[1];
    store.DrainSpacing = state.Constants[2];
    store.DrainRadius = state.Constants[3];
    DataPresent = state.DataPresent;
}

void TUndoHistory::SetCell(int column, int row, const std::string& text) {
    grid_.SetCell(column, row, text);
}

void TUndoHistory::SwapCells(TCellStore& cells) {
    grid_.SwapCells(cells);
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
