// What the report of a calculation says, in the words and numbers that the
// Report page and the saved report share, so the two never disagree.
#pragma once

#include "UFitStatistics.h"
#include "UReportGraph.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One line of the summary: a quantity, its value and, where there is one,
// its 95 % interval.
struct TReportLine {
    QString Quantity;
    QString Value;
    QString Interval;
};

// A drain spacing designed from the results: its values, and the spacing for
// each allowed height; or, when no spacing meets the design, its values and
// the message why.
struct TDesignSection {
    std::vector<TReportLine> Lines;
    std::vector<TReportLine> Table;
    QString Message;
};

// A data set as it was entered: discharge in mm/day, the two depths of the
// water table in m.
struct TRawDataSet {
    double Discharge = 0.0;
    double DepthMidway = 0.0;
    double DepthNear = 0.0;
};

struct TReportContents {
    std::string InputFileName;
    std::string OutputFileName;
    double DrainDepth = 0.0;
    double ImpermeableDepth = 0.0;
    double DrainSpacing = 0.0;
    double DrainRadius = 0.0;
    // The calculation's fit of every data set; never null.
    TSharedFit Statistics = std::make_shared<const TCalculationResults>();
    // The what-if fit of the Report page while data sets are left out of it.
    TSharedFit WhatIf;
    std::vector<TRawDataSet> RawData;
    // Why the user left data sets out of the what-if fit, by serial number;
    // a reason outlives putting its data set back, not a new calculation.
    std::map<std::size_t, std::string> Reasons;
    // Saved with the report when the Design page has a result.
    std::optional<TDesignSection> Design;
};

// A number as the report shows it: four significant digits
// (ReportNumberText).
QString ReportNumber(double value);
// A length as the report shows it: "2.323 m".
QString ReportMetres(double value);

QString CalculationOptionText(TCalculationOption option);
// The fit the graph draws: the what-if fit while data sets are left out (they
// are drawn hollow), else the calculation's.
const TCalculationResults& GraphedFit(const TReportContents& contents);
std::vector<TReportLine> SiteConstantLines(const TReportContents& contents);
std::vector<TReportLine> ResultLines(const TReportContents& contents);
// The lines of a fit: the what-if fit with the full fit's Ka and Kb beside.
std::vector<TReportLine> FitLines(const TCalculationResults& statistics);
std::vector<TReportLine> WhatIfLines(const TCalculationResults& full,
                                     const TCalculationResults& whatIf);
// The heading above a what-if fit's lines.
QString WhatIfHeading(const TCalculationResults& whatIf);
// The warnings of a fit in plain words, one per entry.
QStringList WarningTexts(const TCalculationResults& statistics);

// The data-set table: its column titles and the text of one cell. A suspect
// data set's serial number carries SuspectMark, an influential one
// InfluentialMark; the cells of a data set left out of the fit stay empty
// beyond its measurements, but for its Reason. An unbounded t reads "∞" (or
// "-∞").
enum class TDataSetColumn {
    Serial,
    InFit,
    Head,
    QH,
    Fitted,
    Residual,
    Leverage,
    Studentized,
    External,
    BonferroniP,
    CooksDistance,
    KaWithout,
    Reason,
    Count
};
inline const char* const SuspectMark = " *";
inline const char* const InfluentialMark = " \u2020";
QString DataSetColumnTitle(TDataSetColumn column);
// What a column holds, in a sentence for its tool tip.
QString DataSetColumnExplanation(TDataSetColumn column);
QString DataSetCell(const TCalculationResults& statistics, std::size_t index,
                    TDataSetColumn column);
// The number a cell of a column of numbers shows; nothing for an empty cell,
// the serial number, the check box and the reason.
std::optional<double> DataSetNumber(const TCalculationResults& statistics, std::size_t index,
                                    TDataSetColumn column);
// What each column's widest cell can be, read from its numbers without
// writing any of them: per column (in TDataSetColumn's order) the texts whose
// width bounds every cell's, none for the check box and the reason. One pass
// over the data sets for all columns, as a change of the fit needs it.
std::vector<QStringList> WidestDataSetCells(const TCalculationResults& statistics);
// The data sets left out of a what-if fit as the saved report lists them:
// their r, t, Bonferroni p and Cook's distance in the fit of every data set.
std::vector<TDataSetColumn> LeftOutColumns();
// The line below the table that explains the mark.
QString SuspectLegend(const TCalculationResults& statistics);
// The line that names the influential data sets; empty when there are none.
QString InfluenceLegend(const TCalculationResults& statistics);
// Both, as the page and the report show them under the table.
QString DataSetLegend(const TCalculationResults& statistics);
