// The what-if fit: the calculation's data sets fitted again with some of
// them left out, to answer "what are Ka and Kb without data set 7?" without
// touching the input or output file. The one owner of which data sets are
// left out (the window keeps it in its results object); whoever shows them
// (the Report page's check boxes, a click on its graph) changes them here and
// hears of every change.
#pragma once

#include "UCalculationResults.h"

#include <functional>
#include <string>
#include <vector>

class TWhatIfFit {
public:
    // Starts again from a new calculation, with every data set in the fit;
    // a null one is none.
    void Reset(TSharedFit full);

    // Leaves data set `serial` (from 1) out of the fit, or puts it back.
    // False, and nothing changes, when the serial number is out of range or
    // the data sets left could not fix a line.
    bool Toggle(std::size_t serial);
    bool SetInFit(std::size_t serial, bool inFit);
    // Leaves out the data sets that the full fit finds suspect.
    bool LeaveOutSuspects();
    void PutAllBack();

    bool HasFit() const { return full_ != nullptr; }
    bool IsActive() const { return !excluded_.empty(); }
    // Serial numbers left out, ascending.
    const std::vector<std::size_t>& Excluded() const { return excluded_; }
    // The calculation's own fit of every data set; needs HasFit().
    const TCalculationResults& Full() const { return *full_; }
    // The fit as it stands: the full one while nothing is left out.
    const TCalculationResults& Current() const { return *SharedCurrent(); }
    // The same, for whoever keeps it beyond the next change.
    const TSharedFit& SharedCurrent() const { return current_ ? current_ : full_; }

    // Called after every change of the data sets in the fit.
    std::function<void()> OnChanged;

private:
    bool Apply(std::vector<std::size_t> excluded);
    void Changed() const;

    TSharedFit full_;
    TSharedFit current_;
    std::vector<std::size_t> excluded_;
};

// "What-if: data sets 3, 7 left out — the files are unchanged"; empty while
// every data set is in the fit.
std::string WhatIfLine(const std::vector<std::size_t>& excluded);
