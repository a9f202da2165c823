// What the report of a calculation says, in the words and numbers that the
// Report page and the saved report share, so the two never disagree.
#pragma once

#include "UFitStatistics.h"

#include <QImage>
#include <QString>

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
// each allowed height.
struct TDesignSection {
    std::vector<TReportLine> Lines;
    std::vector<TReportLine> Table;
};

struct TReportContents {
    std::string InputFileName;
    std::string OutputFileName;
    double DrainDepth = 0.0;
    double ImpermeableDepth = 0.0;
    double DrainSpacing = 0.0;
    double DrainRadius = 0.0;
    TFitStatistics Statistics;
    // The regression graph as the Output page shows it; the report and a
    // drawing file draw it anew from the statistics.
    QImage GraphBitmap;
    // Saved with the report when the Design page has a result.
    std::optional<TDesignSection> Design;
};

// A number as the report shows it: four significant digits.
QString ReportNumber(double value);

QString CalculationOptionText(TCalculationOption option);
std::vector<TReportLine> SiteConstantLines(const TReportContents& contents);
std::vector<TReportLine> ResultLines(const TReportContents& contents);

// The data-set table: its column titles and the text of one cell. A suspect
// data set's serial number carries SuspectMark.
enum class TDataSetColumn { Serial, Head, QH, Fitted, Residual, Standardized, Count };
inline const char* const SuspectMark = " *";
QString DataSetColumnTitle(TDataSetColumn column);
QString DataSetCell(const TFitStatistics& statistics, std::size_t index, TDataSetColumn column);
// The line below the table that explains the mark.
QString SuspectLegend(const TFitStatistics& statistics);
