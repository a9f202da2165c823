#include "UReportContents.h"

#include "UResultText.h"
#include "UWhatIfFit.h"

#include <QStringList>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

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
        return Text("Bonferroni p-value of the externally studentized residual; below 0.05 the "
                    "data set is suspect");
    case TDataSetColumn::CooksDistance:
        return Text("Cook's distance: how far the line moves without the data set");
    case TDataSetColumn::KaWithout:
        return Text("Ka of the line fitted without the data set (m/day)");
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
        return Text("Fitted");
    case TDataSetColumn::Residual:
        return Text("Residual");
    case TDataSetColumn::Leverage:
        return Text("Leverage");
    case TDataSetColumn::Studentized:
        return Text("Stud. r");
    case TDataSetColumn::External:
        return Text("Ext. t");
    case TDataSetColumn::BonferroniP:
        return Text("Bonf. p");
    case TDataSetColumn::CooksDistance:
        return Text("Cook's D");
    case TDataSetColumn::KaWithout:
        return Text("Ka without");
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

QString Optional(const std::optional<double>& value) {
    return value ? ReportNumber(*value) : QString();
}

// No soil gives an infinite t; it says that the other data sets have no
// spread about their own line.
QString ExternalCell(const TDataSetInfluence& influence) {
    if (influence.ExternalUnbounded()) {
        return Text(*influence.External > 0.0 ? "\u221e" : "-\u221e");
    }
    return Optional(influence.External);
}

// The columns that only a data set in a least-squares fit has.
QString FitCell(const TCalculationResults& statistics, std::size_t index, TDataSetColumn column) {
    const auto valueAt = [index](const std::vector<double>& values) {
        return index < values.size() ? ReportNumber(values[index]) : QString();
    };
    if (!statistics.IsInFit(index) || index >= statistics.Influence.size()) {
        return {};
    }
    const TDataSetInfluence& influence = statistics.Influence[index];
    switch (column) {
    case TDataSetColumn::Fitted:
        return valueAt(statistics.Fitted);
    case TDataSetColumn::Residual:
        return valueAt(statistics.Residuals);
    case TDataSetColumn::Leverage:
        return Optional(influence.Leverage);
    case TDataSetColumn::Studentized:
        return Optional(influence.Studentized);
    case TDataSetColumn::External:
        return ExternalCell(influence);
    case TDataSetColumn::BonferroniP:
        return Optional(influence.BonferroniP);
    case TDataSetColumn::CooksDistance:
        return Optional(influence.CooksDistance);
    case TDataSetColumn::KaWithout:
        return Optional(influence.KaWithout);
    default:
        return {};
    }
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
    case TDataSetColumn::QH:
        return index < statistics.QH.size() ? ReportNumber(statistics.QH[index]) : QString();
    default:
        return FitCell(statistics, index, column);
    }
}

TOptionalNumber DataSetNumber(const TCalculationResults& statistics, std::size_t index,
                              TDataSetColumn column) {
    const auto valueAt = [index](const std::vector<double>& values) {
        return index < values.size() ? TOptionalNumber(values[index]) : TOptionalNumber();
    };
    if (column == TDataSetColumn::Head || column == TDataSetColumn::QH) {
        return valueAt(column == TDataSetColumn::Head ? statistics.Head : statistics.QH);
    }
    if (!statistics.IsInFit(index) || index >= statistics.Influence.size()) {
        return {};
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
        return {};
    }
}

namespace {

// The numbers of one column by sign and power of two: the first data set of
// each, and whether zero or a number beyond the arithmetic's range is there.
class TNumberShapes {
public:
    void Take(double value, std::size_t index) {
        if (value == 0.0 || !std::isfinite(value)) {
            special_.try_emplace(std::fpclassify(value) * 2 + std::signbit(value), index);
        } else {
            powers_[std::signbit(value)].set(
                static_cast<std::size_t>(std::ilogb(value) - LeastPower));
        }
    }

    // The longest text among the cells of the special numbers and the
    // longest a number of each sign and power can have.
    QString Longest(const TCalculationResults& statistics, TDataSetColumn column) const {
        QString longest;
        const auto keep = [&longest](const QString& text) {
            if (text.size() > longest.size()) {
                longest = text;
            }
        };
        for (const auto& [shape, index] : special_) {
            keep(DataSetCell(statistics, index, column));
        }
        for (const bool negative : {false, true}) {
            for (std::size_t bit = 0; bit < Powers; ++bit) {
                if (!powers_[negative].test(bit)) {
                    continue;
                }
                for (const double digits : LongestDigits(static_cast<int>(bit) + LeastPower)) {
                    keep(ReportNumber(negative ? -digits : digits));
                }
            }
        }
        return longest;
    }

private:
    // The bounds of [2^power, 2^(power + 1)) and, for each power of ten the
    // span reaches, a number in it of four digits whose last is not 0.
    static std::vector<double> LongestDigits(int power) {
        const double low = std::ldexp(1.0, power);
        const double high = std::nextafter(std::ldexp(1.0, power + 1), 0.0);
        std::vector<double> numbers = {low, high};
        for (int ten = static_cast<int>(std::floor(std::log10(low)));
             ten <= static_cast<int>(std::floor(std::log10(high))); ++ten) {
            const double unit = std::pow(10.0, ten - 3);
            double digits = std::ceil(std::max(low, std::pow(10.0, ten)) / unit);
            if (std::fmod(digits, 10.0) == 0.0) {
                digits += 1.0;
            }
            if (digits * unit <= high) {
                numbers.push_back(digits * unit);
            }
        }
        return numbers;
    }

    // The powers of two of finite doubles, from the least subnormal's up.
    static constexpr int LeastPower =
        std::numeric_limits<double>::min_exponent - 1 - std::numeric_limits<double>::digits;
    static constexpr std::size_t Powers = std::numeric_limits<double>::max_exponent - LeastPower;

    std::map<int, std::size_t> special_;
    std::bitset<Powers> powers_[2];
};

// The last serial number, or a marked one.
QString LongestSerialCell(const TCalculationResults& statistics) {
    std::vector<std::size_t> serials = statistics.Suspect;
    serials.insert(serials.end(), statistics.Influential.begin(), statistics.Influential.end());
    serials.push_back(statistics.NrOfDataSets);
    QString longest;
    for (const std::size_t serial : serials) {
        if (serial >= 1 && serial <= statistics.NrOfDataSets) {
            const QString text = DataSetCell(statistics, serial - 1, TDataSetColumn::Serial);
            longest = text.size() > longest.size() ? text : longest;
        }
    }
    return longest;
}

} // namespace

std::vector<QString> LongestDataSetCells(const TCalculationResults& statistics) {
    constexpr auto columns = static_cast<std::size_t>(TDataSetColumn::Count);
    std::vector<TNumberShapes> shapes(columns);
    for (std::size_t index = 0; index < statistics.NrOfDataSets; ++index) {
        for (std::size_t column = 0; column < columns; ++column) {
            const TOptionalNumber number =
                DataSetNumber(statistics, index, static_cast<TDataSetColumn>(column));
            if (number) {
                shapes[column].Take(*number, index);
            }
        }
    }
    std::vector<QString> longest(columns);
    for (std::size_t column = 0; column < columns; ++column) {
        longest[column] = shapes[column].Longest(statistics, static_cast<TDataSetColumn>(column));
    }
    longest[static_cast<std::size_t>(TDataSetColumn::Serial)] = LongestSerialCell(statistics);
    // One data set in the fit and one left out, where there are such.
    const auto inFit = static_cast<std::size_t>(TDataSetColumn::InFit);
    for (const bool in : {true, false}) {
        for (std::size_t index = 0; index < statistics.NrOfDataSets; ++index) {
            if (statistics.IsInFit(index) == in) {
                const QString text = DataSetCell(statistics, index, TDataSetColumn::InFit);
                longest[inFit] = text.size() > longest[inFit].size() ? text : longest[inFit];
                break;
            }
        }
    }
    return longest;
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
