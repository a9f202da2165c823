#include "UReportContents.h"

#include "UResultText.h"
#include "UWhatIfFit.h"

#include <QStringList>

#include <array>

namespace {

const char* const NotAvailable = "not available (needs 3 data sets)";
const char* const TooLarge = "too large to compute";
const char* const NotComputed = "not computed with this option";

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

QString IntervalText(const TInterval& interval) {
    return ReportNumber(interval.Low) + QStringLiteral(" to ") + ReportNumber(interval.High);
}

bool FirstOption(const TCalculationResults& statistics) {
    return statistics.Option == TCalculationOption::OverEntireSoilDepth;
}

// Why a statistic of the spread has no value.
QString Absent(const TCalculationResults& statistics) {
    return Text(statistics.TooLarge ? TooLarge : NotAvailable);
}

QString SpreadValue(const TCalculationResults& statistics, double value) {
    return statistics.Spread ? ReportNumber(value) : Absent(statistics);
}

QString IntervalOf(const TCalculationResults& statistics, TInterval TSpreadStatistics::*interval) {
    return statistics.Spread ? IntervalText(*statistics.Spread.*interval) : Absent(statistics);
}

std::vector<TReportLine> LeastSquaresLines(const TCalculationResults& statistics) {
    const std::optional<TSpreadStatistics>& spread = statistics.Spread;
    QString rSquared =
        statistics.RSquared ? ReportNumber(*statistics.RSquared) : Absent(statistics);
    if (spread && !statistics.RSquared && !statistics.TooLarge) {
        rSquared = Text("not available (every Q/H\" the same)");
    }
    return {
        {Text("A (1/(m·day))"), ReportNumber(statistics.SlopeA),
         IntervalOf(statistics, &TSpreadStatistics::SlopeInterval)},
        {Text("B (1/day)"), ReportNumber(statistics.InterceptB),
         IntervalOf(statistics, &TSpreadStatistics::InterceptInterval)},
        {Text("Ka (m/day)"), ReportNumber(statistics.Ka),
         IntervalOf(statistics, &TSpreadStatistics::KaInterval)},
        {Text("Kb (m/day)"), ReportNumber(statistics.Kb),
         IntervalOf(statistics, &TSpreadStatistics::KbInterval)},
        {Text("R²"), rSquared, {}},
        {Text("s, residual deviation of Q/H\" (1/day)"),
         SpreadValue(statistics, spread ? spread->ResidualDeviation : 0.0),
         {}},
    };
}

std::vector<TReportLine> ThroughOriginLines(const TCalculationResults& statistics) {
    return {
        {Text("Mean H\" (m)"), ReportNumber(statistics.MeanHead), {}},
        {Text("Mean Q/H\" (1/day)"), ReportNumber(statistics.MeanQH), {}},
        {Text("A (1/(m·day))"), ReportNumber(statistics.SlopeA), {}},
        {Text("B, Ka and Kb"), Text(NotComputed), {}},
    };
}

QString SerialNumbers(const std::vector<std::size_t>& serials) {
    return QString::fromStdString(SerialList(serials));
}

} // namespace

QString ReportNumber(double value) {
    return QString::fromStdString(ReportNumberText(value));
}

QString ReportMetres(double value) {
    return QString::fromStdString(Metres(value, ReportNumberText));
}

QString CalculationOptionText(TCalculationOption option) {
    return option == TCalculationOption::OverEntireSoilDepth
               ? Text("least-squares line over the entire soil depth")
               : Text("line through the origin and the mean point (above and below drains)");
}

std::vector<TReportLine> SiteConstantLines(const TReportContents& contents) {
    return {
        {Text("Drain depth"), ReportMetres(contents.DrainDepth), {}},
        {Text("Depth to the impermeable layer"), ReportMetres(contents.ImpermeableDepth), {}},
        {Text("Drain spacing S"), ReportMetres(contents.DrainSpacing), {}},
        {Text("Drain radius"), ReportMetres(contents.DrainRadius), {}},
    };
}

std::vector<TReportLine> ResultLines(const TReportContents& contents) {
    return FitLines(*contents.Statistics);
}

std::vector<TReportLine> FitLines(const TCalculationResults& statistics) {
    QString count = QString::number(statistics.NrInFit());
    if (!statistics.Excluded.empty()) {
        count += Text(" of %1").arg(statistics.NrOfDataSets);
    }
    std::vector<TReportLine> lines = {
        {Text("Data sets n"), count, {}},
        {Text("Equivalent depth d"), ReportMetres(statistics.EquivalentDepth), {}},
    };
    const std::vector<TReportLine> fit =
        FirstOption(statistics) ? LeastSquaresLines(statistics) : ThroughOriginLines(statistics);
    lines.insert(lines.end(), fit.begin(), fit.end());
    return lines;
}

std::vector<TReportLine> WhatIfLines(const TCalculationResults& full,
                                     const TCalculationResults& whatIf) {
    std::vector<TReportLine> lines = FitLines(whatIf);
    if (FirstOption(full)) {
        lines.push_back({Text("Ka with every data set (m/day)"), ReportNumber(full.Ka),
                         IntervalOf(full, &TSpreadStatistics::KaInterval)});
        lines.push_back({Text("Kb with every data set (m/day)"), ReportNumber(full.Kb),
                         IntervalOf(full, &TSpreadStatistics::KbInterval)});
    }
    return lines;
}

QString WhatIfHeading(const TCalculationResults& whatIf) {
    return QString::fromStdString(WhatIfLine(whatIf.Excluded));
}

QStringList WarningTexts(const TCalculationResults& statistics) {
    QStringList texts;
    for (const TFitWarning& warning : statistics.Warnings) {
        texts << QString::fromStdString(warning.Text);
    }
    return texts;
}

QString DataSetColumnExplanation(TDataSetColumn column) {
    switch (column) {
    case TDataSetColumn::InFit:
        return Text("Untick to see the fit without this data set; the files stay as they are");
    case TDataSetColumn::Fitted:
        return Text("Q/H\" on the fitted line");
    case TDataSetColumn::Residual:
        return Text("Measured minus fitted Q/H\"");
    case TDataSetColumn::Leverage:
        return Text("Leverage h: how far the data set's H\" pulls the line towards itself");
    case TDataSetColumn::Studentized:
        return Text("Internally studentized residual r = residual / (s sqrt(1 - h))");
    case TDataSetColumn::External:
        return Text("Externally studentized residual t: the residual in deviations of the line "
                    "fitted without the data set; \u221e when every other data set lies on that "
                    "line");
    case TDataSetColumn::BonferroniP:
        return Text("Bonferroni p-value, worked out from t (the externally studentized "
                    "residual): the chance that scatter alone puts one of the n data sets this far "
                    "from the line; below 0.05 the data set is suspect");
    case TDataSetColumn::CooksDistance:
        return Text("Cook's distance: how far the line moves without the data set");
    case TDataSetColumn::KaWithout:
        return Text("Ka of the line fitted without the data set (m/day)");
    case TDataSetColumn::Reason:
        return Text("Why the data set is left out of the fit, from the field notes: typed for "
                    "the saved report, kept until the next calculation or opening");
    default:
        return DataSetColumnTitle(column);
    }
}

QString DataSetColumnTitle(TDataSetColumn column) {
    switch (column) {
    case TDataSetColumn::Serial:
        return Text("Nr.");
    case TDataSetColumn::InFit:
        return Text("In fit");
    case TDataSetColumn::Head:
        return Text("H\" (m)");
    case TDataSetColumn::QH:
        return Text("Q/H\" (1/day)");
    case TDataSetColumn::Fitted:
        return Text("Fitted (1/day)");
    case TDataSetColumn::Residual:
        return Text("Residual (1/day)");
    case TDataSetColumn::Leverage:
        return Text("Leverage");
    case TDataSetColumn::Studentized:
        return Text("Stud. r");
    case TDataSetColumn::External:
        return Text("t");
    case TDataSetColumn::BonferroniP:
        return Text("Bonf. p");
    case TDataSetColumn::CooksDistance:
        return Text("Cook's D");
    case TDataSetColumn::KaWithout:
        return Text("Ka without (m/day)");
    case TDataSetColumn::Reason:
        return Text("Reason");
    case TDataSetColumn::Count:
        break;
    }
    return {};
}

namespace {

QString SerialCell(const TCalculationResults& statistics, std::size_t serial) {
    return QString::number(serial) +
           (statistics.IsSuspect(serial) ? Text(SuspectMark) : QString()) +
           (statistics.IsInfluential(serial) ? Text(InfluentialMark) : QString());
}

// The columns that only a data set in a least-squares fit has.
std::optional<double> FitNumber(const TCalculationResults& statistics, std::size_t index,
                                TDataSetColumn column) {
    const auto valueAt = [index](const std::vector<double>& values) {
        return index < values.size() ? std::optional<double>(values[index]) : std::nullopt;
    };
    if (!statistics.IsInFit(index) || index >= statistics.Influence.size()) {
        return std::nullopt;
    }
    const TDataSetInfluence& influence = statistics.Influence[index];
    switch (column) {
    case TDataSetColumn::Fitted:
        return valueAt(statistics.Fitted);
    case TDataSetColumn::Residual:
        return valueAt(statistics.Residuals);
    case TDataSetColumn::Leverage:
        return influence.Leverage;
    case TDataSetColumn::Studentized:
        return influence.Studentized;
    case TDataSetColumn::External:
        return influence.External;
    case TDataSetColumn::BonferroniP:
        return influence.BonferroniP;
    case TDataSetColumn::CooksDistance:
        return influence.CooksDistance;
    case TDataSetColumn::KaWithout:
        return influence.KaWithout;
    default:
        return std::nullopt;
    }
}

QString Optional(const std::optional<double>& value) {
    return value ? ReportNumber(*value) : QString();
}

} // namespace

QString DataSetCell(const TCalculationResults& statistics, std::size_t index,
                    TDataSetColumn column) {
    switch (column) {
    case TDataSetColumn::Serial:
        return SerialCell(statistics, index + 1);
    case TDataSetColumn::InFit:
        return statistics.IsInFit(index) ? Text("yes") : Text("no");
    case TDataSetColumn::Head:
        return index < statistics.Head.size() ? ReportNumber(statistics.Head[index]) : QString();
    default:
        // No soil gives an infinite t; it says that the other data sets have
        // no spread about their own line: "∞".
        return Optional(DataSetNumber(statistics, index, column));
    }
}

std::optional<double> DataSetNumber(const TCalculationResults& statistics, std::size_t index,
                                    TDataSetColumn column) {
    switch (column) {
    case TDataSetColumn::Head:
        return index < statistics.Head.size() ? std::optional<double>(statistics.Head[index])
                                              : std::nullopt;
    case TDataSetColumn::QH:
        return index < statistics.QH.size() ? std::optional<double>(statistics.QH[index])
                                            : std::nullopt;
    default:
        return FitNumber(statistics, index, column);
    }
}

namespace {

using TColumnWidths =
    std::array<TReportNumberWidth, static_cast<std::size_t>(TDataSetColumn::Count)>;

void AddNumber(TColumnWidths& widths, TDataSetColumn column, const std::optional<double>& number) {
    if (number) {
        widths[static_cast<std::size_t>(column)].Add(*number);
    }
}

// The numbers DataSetNumber gives of one data set, read straight from the
// fit: a million data sets make the dispatch per cell show.
void AddDataSetNumbers(TColumnWidths& widths, const TCalculationResults& statistics,
                       std::size_t index) {
    const auto valueAt = [index](const std::vector<double>& values) {
        return index < values.size() ? std::optional<double>(values[index]) : std::nullopt;
    };
    AddNumber(widths, TDataSetColumn::Head, valueAt(statistics.Head));
    AddNumber(widths, TDataSetColumn::QH, valueAt(statistics.QH));
    if (!statistics.IsInFit(index) || index >= statistics.Influence.size()) {
        return;
    }
    const TDataSetInfluence& influence = statistics.Influence[index];
    AddNumber(widths, TDataSetColumn::Fitted, valueAt(statistics.Fitted));
    AddNumber(widths, TDataSetColumn::Residual, valueAt(statistics.Residuals));
    AddNumber(widths, TDataSetColumn::Leverage, influence.Leverage);
    AddNumber(widths, TDataSetColumn::Studentized, influence.Studentized);
    AddNumber(widths, TDataSetColumn::External, influence.External);
    AddNumber(widths, TDataSetColumn::BonferroniP, influence.BonferroniP);
    AddNumber(widths, TDataSetColumn::CooksDistance, influence.CooksDistance);
    AddNumber(widths, TDataSetColumn::KaWithout, influence.KaWithout);
}

QStringList WidestSerialCells(const TCalculationResults& statistics) {
    const bool marked = !statistics.Suspect.empty() || !statistics.Influential.empty();
    return {QString::number(statistics.NrOfDataSets) +
            (marked ? Text(SuspectMark) + Text(InfluentialMark) : QString())};
}

} // namespace

std::vector<QStringList> WidestDataSetCells(const TCalculationResults& statistics) {
    TColumnWidths widths;
    for (std::size_t index = 0; index < statistics.NrOfDataSets; ++index) {
        AddDataSetNumbers(widths, statistics, index);
    }
    std::vector<QStringList> columns(widths.size());
    for (std::size_t column = 0; column < widths.size(); ++column) {
        for (const std::string& text : widths[column].WidestTexts()) {
            columns[column] << QString::fromStdString(text);
        }
    }
    columns[static_cast<std::size_t>(TDataSetColumn::Serial)] = WidestSerialCells(statistics);
    return columns;
}

std::vector<TDataSetColumn> LeftOutColumns() {
    return {TDataSetColumn::Serial, TDataSetColumn::Studentized, TDataSetColumn::External,
            TDataSetColumn::BonferroniP, TDataSetColumn::CooksDistance};
}

QString SuspectLegend(const TCalculationResults& statistics) {
    if (!FirstOption(statistics)) {
        return Text("This option fits no intercept, so the data sets have no residuals.");
    }
    if (!statistics.Spread && statistics.TooLarge) {
        return Text("The spread of the data sets about the line is too large to compute: none of "
                    "them can be judged by it.");
    }
    if (!statistics.Spread) {
        return Text("With two data sets the line fits exactly: no spread to judge them by.");
    }
    QString legend =
        Text("* suspect: Bonferroni p below 0.05 (%1). ")
            .arg(statistics.Suspect.empty() ? Text("none") : SerialNumbers(statistics.Suspect));
    if (statistics.InfluenceLimit) {
        legend += Text("\u2020 influential: Cook's D above %1%2 (%3).")
                      .arg(ReportNumber(*statistics.InfluenceLimit))
                      .arg(statistics.LineRestsOn.empty() ? QString() : Text(" or leverage 1"))
                      .arg(statistics.Influential.empty() ? Text("none")
                                                          : SerialNumbers(statistics.Influential));
    }
    return legend;
}

const TCalculationResults& GraphedFit(const TReportContents& contents) {
    return contents.WhatIf ? *contents.WhatIf : *contents.Statistics;
}

QString InfluenceLegend(const TCalculationResults& statistics) {
    if (statistics.Influential.empty()) {
        return {};
    }
    return Text("Ringed on the graph, influential: pulls the line on its own (data set %1). "
                "Untick it under \"in fit\" or click its marker to see the results without it.")
        .arg(SerialNumbers(statistics.Influential));
}

QString DataSetLegend(const TCalculationResults& statistics) {
    const QString influence = InfluenceLegend(statistics);
    return influence.isEmpty() ? SuspectLegend(statistics)
                               : SuspectLegend(statistics) + QLatin1Char('\n') + influence;
}
