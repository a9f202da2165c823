#include "UResults.h"

#include "UNumberText.h"

#include <QScopedValueRollback>

#include <utility>

TResults::TResults(QObject* parent) : QObject(parent) {
    whatIf_.OnChanged = [this] { WhatIfChanged(); };
}

void TResults::Calculated(TReportContents contents) {
    {
        // The new calculation is told once, as a whole.
        const QScopedValueRollback<bool> calculating(calculating_, true);
        contents_ = std::move(contents);
        contents_->WhatIf.reset();
        contents_->Reasons.clear();
        whatIf_.Reset(contents_->Statistics);
    }
    TDesignInputs design;
    design.Fit = contents_->Statistics;
    design.EarlierFirstOption = design_ ? design_->EarlierFirstOption : nullptr;
    if (design.Fit->Option == TCalculationOption::OverEntireSoilDepth) {
        design.EarlierFirstOption = design.Fit;
    }
    design.DrainDepth = contents_->DrainDepth;
    design.ImpermeableDepth = contents_->ImpermeableDepth;
    design.DrainRadius = contents_->DrainRadius;
    design_ = std::move(design);
    stale_ = false;
    emit Changed(TResultsChange::Calculation);
}

TSharedFit TResults::Last() const {
    return contents_ ? contents_->Statistics : nullptr;
}

void TResults::WhatIfChanged() {
    if (calculating_ || !contents_) {
        return;
    }
    contents_->WhatIf.reset();
    if (whatIf_.IsActive()) {
        contents_->WhatIf = whatIf_.SharedCurrent();
    }
    if (design_) {
        design_->Fit = whatIf_.SharedCurrent();
        design_->LeftOut = whatIf_.Excluded();
    }
    emit Changed(TResultsChange::WhatIf);
}

std::string TResults::Reason(std::size_t serial) const {
    if (!contents_) {
        return {};
    }
    const auto found = contents_->Reasons.find(serial);
    return found == contents_->Reasons.end() ? std::string() : found->second;
}

void TResults::SetReason(std::size_t serial, const std::string& reason) {
    if (!contents_) {
        return;
    }
    if (reason.empty()) {
        contents_->Reasons.erase(serial);
    } else {
        contents_->Reasons[serial] = reason;
    }
}

void TResults::Opened() {
    if (contents_) {
        contents_->Reasons.clear();
    }
    whatIf_.PutAllBack();
}

void TResults::MarkStale() {
    if (contents_ && !stale_) {
        stale_ = true;
        emit Changed(TResultsChange::Stale);
    }
}

void TResults::CellChanged(int column, int row, const std::string& text) {
    if (!IsReportedValue(column, row, text)) {
        MarkStale();
    }
}

bool TResults::IsReportedValue(int column, int row, const std::string& text) const {
    if (!contents_ || row < 0 || static_cast<std::size_t>(row) >= contents_->RawData.size() ||
        column < 1 || column > 3) {
        return true;
    }
    const TRawDataSet& data = contents_->RawData[static_cast<std::size_t>(row)];
    const double reported =
        column == 1 ? data.Discharge : (column == 2 ? data.DepthMidway : data.DepthNear);
    try {
        return StringToFloat(text) == reported;
    } catch (...) {
        // Not a number: certainly not what was calculated.
        return false;
    }
}
