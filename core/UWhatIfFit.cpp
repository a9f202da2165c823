#include "UWhatIfFit.h"

#include "UFitStatistics.h"
#include "UResultText.h"

#include <algorithm>
#include <utility>

void TWhatIfFit::Reset(TSharedFit full) {
    full_ = std::move(full);
    current_.reset();
    excluded_.clear();
    Changed();
}

bool TWhatIfFit::Toggle(std::size_t serial) {
    const bool left = std::binary_search(excluded_.begin(), excluded_.end(), serial);
    return SetInFit(serial, left);
}

bool TWhatIfFit::SetInFit(std::size_t serial, bool inFit) {
    if (!full_ || serial < 1 || serial > full_->NrOfDataSets) {
        return false;
    }
    std::vector<std::size_t> excluded = excluded_;
    const auto place = std::lower_bound(excluded.begin(), excluded.end(), serial);
    const bool left = place != excluded.end() && *place == serial;
    if (left != inFit) {
        return true;
    }
    if (inFit) {
        excluded.erase(place);
    } else {
        excluded.insert(place, serial);
    }
    return Apply(std::move(excluded));
}

bool TWhatIfFit::LeaveOutSuspects() {
    if (!full_) {
        return false;
    }
    std::vector<std::size_t> excluded = excluded_;
    excluded.insert(excluded.end(), full_->Suspect.begin(), full_->Suspect.end());
    std::sort(excluded.begin(), excluded.end());
    excluded.erase(std::unique(excluded.begin(), excluded.end()), excluded.end());
    return Apply(std::move(excluded));
}

void TWhatIfFit::PutAllBack() {
    if (full_ && !excluded_.empty()) {
        Apply({});
    }
}

bool TWhatIfFit::Apply(std::vector<std::size_t> excluded) {
    if (excluded.empty()) {
        current_.reset();
    } else {
        std::optional<TCalculationResults> refit = FitWithout(*full_, excluded);
        if (!refit) {
            return false;
        }
        current_ = std::make_shared<const TCalculationResults>(std::move(*refit));
    }
    excluded_ = std::move(excluded);
    Changed();
    return true;
}

void TWhatIfFit::Changed() const {
    if (OnChanged) {
        OnChanged();
    }
}

std::string WhatIfLine(const std::vector<std::size_t>& excluded) {
    if (excluded.empty()) {
        return {};
    }
    return std::string(excluded.size() == 1 ? "What-if: data set " : "What-if: data sets ") +
           SerialList(excluded) + " left out \u2014 the files are unchanged";
}
