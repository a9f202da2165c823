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

TFieldStep::TFieldStep(const QString& name, TUndoTarget& page, TPageState before, TPageState after)
    : QUndoCommand(name), page_(page), before_(std::move(before)), after_(std::move(after)) {}

void TFieldStep::undo() {
    Exchange();
    page_.Restore(before_);
}

void TFieldStep::redo() {
    if (FirstRedo(happened_)) {
        return;
    }
    Exchange();
    page_.Restore(after_);
}

TTableStep::TTableStep(const QString& name, TUndoTarget& page, TPageState before, TPageState after,
                       TCellStore otherCells, std::size_t& heldBytes)
    : TFieldStep(name, page, std::move(before), std::move(after)),
      otherCells_(std::move(otherCells)), bytes_(otherCells_.Bytes()), heldBytes_(heldBytes) {
    heldBytes_ += bytes_;
}

TTableStep::~TTableStep() {
    heldBytes_ -= bytes_;
}

void TTableStep::Exchange() {
    page_.SwapCells(otherCells_);
}

TCellEditStep::TCellEditStep(TUndoTarget& page, TEditedCellText before, std::string after,
                             int editSession, TPageState pageBefore, TPageState pageAfter)
    : QUndoCommand(CellName(before.Column, before.Row)), page_(page), before_(std::move(before)),
      after_(std::move(after)), editSession_(editSession), pageBefore_(std::move(pageBefore)),
      pageAfter_(std::move(pageAfter)) {}

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
    page_.SetCell(before_.Column, before_.Row, before_.Text);
    page_.Restore(pageBefore_);
}

void TCellEditStep::redo() {
    if (FirstRedo(happened_)) {
        return;
    }
    page_.SetCell(before_.Column, before_.Row, after_);
    page_.Restore(pageAfter_);
}
