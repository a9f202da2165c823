#include "UReportContents.h"

#include <QStringList>

namespace {

const char* const NotAvailable = "not available (needs 3 data sets)";
const char* const NotComputed = "not computed with this option";

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

QString Metres(double value) {
    return ReportNumber(value) + QStringLiteral(" m");
}

QString IntervalText(const TInterval& interval) {
    return ReportNumber(interval.Low) + QStringLiteral(" to ") + ReportNumber(interval.High);
}

bool FirstOption(const TFitStatistics& statistics) {
    return statistics.Option == TCalculationOption::OverEntireSoilDepth;
}

QString SpreadValue(const TFitStatistics& statistics, double value) {
    return statistics.Spread ? ReportNumber(value) : Text(NotAvailable);
}

QString IntervalOf(const TFitStatistics& statistics, TInterval TSpreadStatistics::*interval) {
    return statistics.Spread ? IntervalText(*statistics.Spread.*interval) : Text(NotAvailable);
}

std::vector<TReportLine> LeastSquaresLines(const TFitStatistics& statistics) {
    const std::optional<TSpreadStatistics>& spread = statistics.Spread;
    QString rSquared =
        statistics.RSquared ? ReportNumber(*statistics.RSquared) : Text(NotAvailable);
    if (spread && !statistics.RSquared) {
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

std::vector<TReportLine> ThroughOriginLines(const TFitStatistics& statistics) {
    return {
        {Text("Mean H\" (m)"), ReportNumber(statistics.MeanHead), {}},
        {Text("Mean Q/H\" (1/day)"), ReportNumber(statistics.MeanQH), {}},
        {Text("A (1/(m·day))"), ReportNumber(statistics.SlopeA), {}},
        {Text("B, Ka and Kb"), Text(NotComputed), {}},
    };
}

QString SerialList(const std::vector<std::size_t>& serials) {
    QStringList texts;
    for (const std::size_t serial : serials) {
        texts << QString::number(serial);
    }
    return texts.join(QStringLiteral(", "));
}

} // namespace

QString ReportNumber(double value) {
    // No "-0" for a value that rounds away to nothing.
    return value == 0.0 ? QStringLiteral("0") : QString::number(value, 'g', 4);
}

QString CalculationOptionText(TCalculationOption option) {
    return option == TCalculationOption::OverEntireSoilDepth
               ? Text("least-squares line over the entire soil depth")
               : Text("line through the origin and the mean point (above and below drains)");
}

std::vector<TReportLine> SiteConstantLines(const TReportContents& contents) {
    return {
        {Text("Drain depth"), Metres(contents.DrainDepth), {}},
        {Text("Depth to the impermeable layer"), Metres(contents.ImpermeableDepth), {}},
        {Text("Drain spacing S"), Metres(contents.DrainSpacing), {}},
        {Text("Drain radius"), Metres(contents.DrainRadius), {}},
    };
}

std::vector<TReportLine> ResultLines(const TReportContents& contents) {
    const TFitStatistics& statistics = contents.Statistics;
    std::vector<TReportLine> lines = {
        {Text("Data sets n"), QString::number(statistics.NrOfDataSets), {}},
        {Text("Equivalent depth d"), Metres(statistics.EquivalentDepth), {}},
    };
    const std::vector<TReportLine> fit =
        FirstOption(statistics) ? LeastSquaresLines(statistics) : ThroughOriginLines(statistics);
    lines.insert(lines.end(), fit.begin(), fit.end());
    return lines;
}

QString DataSetColumnTitle(TDataSetColumn column) {
    switch (column) {
    case TDataSetColumn::Serial:
        return Text("Nr.");
    case TDataSetColumn::Head:
        return Text("H\" (m)");
    case TDataSetColumn::QH:
        return Text("Q/H\" (1/day)");
    case TDataSetColumn::Fitted:
        return Text("Fitted Q/H\"");
    case TDataSetColumn::Residual:
        return Text("Residual");
    case TDataSetColumn::Standardized:
        return Text("Residual / s");
    case TDataSetColumn::Count:
        break;
    }
    return {};
}

QString DataSetCell(const TFitStatistics& statistics, std::size_t index, TDataSetColumn column) {
    const auto valueAt = [index](const std::vector<double>& values) {
        return index < values.size() ? ReportNumber(values[index]) : QString();
    };
    switch (column) {
    case TDataSetColumn::Serial:
        return QString::number(index + 1) +
               (statistics.IsSuspect(index + 1) ? Text(SuspectMark) : QString());
    case TDataSetColumn::Head:
        return valueAt(statistics.Head);
    case TDataSetColumn::QH:
        return valueAt(statistics.QH);
    case TDataSetColumn::Fitted:
        return valueAt(statistics.Fitted);
    case TDataSetColumn::Residual:
        return valueAt(statistics.Residuals);
    case TDataSetColumn::Standardized: {
        const std::optional<double> standardized = statistics.StandardizedResidual(index);
        return standardized ? ReportNumber(*standardized) : QString();
    }
    case TDataSetColumn::Count:
        break;
    }
    return {};
}

QString SuspectLegend(const TFitStatistics& statistics) {
    if (!FirstOption(statistics)) {
        return Text("This option fits no intercept, so the data sets have no residuals.");
    }
    if (!statistics.Spread) {
        return Text("With two data sets the line fits exactly: no spread to judge them by.");
    }
    if (statistics.Suspect.empty()) {
        return Text("No data set lies more than %1 s from the line.").arg(SuspectLimit);
    }
    return Text("* suspect: more than %1 s from the line (data set %2). Worth a second look in "
                "the field.")
        .arg(SuspectLimit)
        .arg(SerialList(statistics.Suspect));
}

QString InfluenceLegend(const TFitStatistics& statistics) {
    if (statistics.Influential.empty()) {
        return {};
    }
    return Text("Ringed, influential: pulls the line on its own, Cook's distance above %2/n "
                "(data set %1). Compare the results without it.")
        .arg(SerialList(statistics.Influential))
        .arg(InfluenceLimit);
}

QString DataSetLegend(const TFitStatistics& statistics) {
    const QString influence = InfluenceLegend(statistics);
    return influence.isEmpty() ? SuspectLegend(statistics)
                               : SuspectLegend(statistics) + QLatin1Char('\n') + influence;
}
