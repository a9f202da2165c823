// The results of the last calculation as the window's pages see them: the
// report's contents, the what-if fit the user makes of them on the Report
// page, whether the table has changed since, and what the Design page is
// filled with. The Output, Report and Design pages only show what it gives
// them, and hear of every change through Changed.
#pragma once

#include "UReportContents.h"
#include "UWhatIfFit.h"

#include <QObject>

#include <optional>
#include <string>
#include <vector>

// What the Design page is filled with: the fit the Report page shows (the
// what-if fit while data sets are left out of it), the site constants of the
// calculation, and the last fit of the first option, which a design after the
// second option may take.
struct TDesignInputs {
    TSharedFit Fit;
    // Serial numbers left out of Fit, ascending; none for the calculation's fit.
    std::vector<std::size_t> LeftOut;
    TSharedFit EarlierFirstOption;
    double DrainDepth = 0.0;
    double ImpermeableDepth = 0.0;
    double DrainRadius = 0.0;
};

enum class TResultsChange {
    // A calculation has run: new contents, every data set in the fit.
    Calculation,
    // Data sets were left out of the what-if fit or put back.
    WhatIf,
    // The table, a site constant or the option changed after the calculation.
    Stale,
};

class TResults : public QObject {
    Q_OBJECT
public:
    explicit TResults(QObject* parent = nullptr);

    void Calculated(TReportContents contents);
    // The last calculation's contents, the what-if fit included while data
    // sets are left out; nothing before the first calculation.
    const std::optional<TReportContents>& Contents() const { return contents_; }
    // The last calculation's fit; null before the first.
    TSharedFit Last() const;
    // The one owner of the data sets left out; every data set is back in
    // with each calculation.
    TWhatIfFit& WhatIf() { return whatIf_; }
    const std::optional<TDesignInputs>& DesignInputs() const { return design_; }

    // Why data set `serial` is left out of the what-if fit, as the user typed
    // it; empty when not told. Kept in the contents, so the saved report has
    // it, until the next calculation or opening.
    std::string Reason(std::size_t serial) const;
    void SetReason(std::size_t serial, const std::string& reason);
    // An input file was opened: every data set back in the fit, no reason kept.
    void Opened();

    void MarkStale();
    bool IsStale() const { return stale_; }
    // A cell of the Input page's grid now reads `text`: stale unless it is
    // the value the results were calculated from.
    void CellChanged(int column, int row, const std::string& text);
    // True also for a cell outside the data sets calculated.
    bool IsReportedValue(int column, int row, const std::string& text) const;

signals:
    void Changed(TResultsChange change);

private:
    void WhatIfChanged();

    std::optional<TReportContents> contents_;
    TWhatIfFit whatIf_;
    std::optional<TDesignInputs> design_;
    bool stale_ = false;
    bool calculating_ = false;
};
