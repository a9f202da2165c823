#include "UUndoSteps.h"

#include <utility>

namespace {

constexpr int CellEditStepId = 1;

// "row 3, column 2" as the user counts them; column 1 is the discharge.
QString CellName(int column, int row) {
    return QStringLiteral("typing in row %1, column %2").arg(row + 1).arg(column);
}

// Every recorded step has happened when it is pushed.
bool FirstRedo(bool& happened) {
    const bool first = happened;
    happened = false;
    return first;
}

} // namespace

TFieldStep::TFieldStep(const QString& name, TUndoHistory& history, TPageState before,
                       TPageState after)
    : QUndoCommand(name), history_(history), before_(std::move(before)), after_(std::move(after)) {}

void TFieldStep::undo() {
    Exchange();
    history_.Restore(before_);
}

void TFieldStep::redo() {
    if (FirstRedo(happened_)) {
        return;
    }
    Exchange();
    history_.Restore(after_);
}

TTableStep::TTableStep(const QString& name, TUndoHistory& history, TPageState before,
                       TPageState after, TCellStore otherCells)
    : TFieldStep(name, history, std::move(before), std::move(after)),
      otherCells_(std::move(otherCells)), bytes_(otherCells_.Bytes()) {
    history_.Hold(bytes_);
}

TTableStep::~TTableStep() {
    history_.Release(bytes_);
}

void TTableStep::Exchange() {
    history_.SwapCells(otherCells_);
}

TCellEditStep::TCellEditStep(TUndoHistory& history, TUndoHistory::TCellText before,
                             std::string after, int editSession, TPageState pageBefore,
                             TPageState pageAfter)
    : QUndoCommand(CellName(before.Column, before.Row)), history_(history),
      before_(std::move(before)), after_(std::move(after)), editSession_(editSession),
      pageBefore_(std::move(pageBefore)), pageAfter_(std::move(pageAfter)) {}

int TCellEditStep::id() const {
    return CellEditStepId;
}

// Keystrokes in one open editor of one cell are one step; typing that gives
// the cell back its old text is none.
bool TCellEditStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TCellEditStep*>(other);
    if (next->editSession_ != editSession_ || next->before_.Column != before_.Column ||
        next->before_.Row != before_.Row) {
        return false;
    }
    after_ = next->after_;
    pageAfter_ = next->pageAfter_;
    setObsolete(after_ == before_.Text && pageAfter_ == pageBefore_);
    return true;
}

void TCellEditStep::undo() {
    history_.SetCell(before_.Column, before_.Row, before_.Text);
    history_.Restore(pageBefore_);
}

void TCellEditStep::redo() {
    if (FirstRedo(happened_)) {
        return;
    }
    history_.SetCell(before_.Column, before_.Row, after_);
    history_.Restore(pageAfter_);
}
