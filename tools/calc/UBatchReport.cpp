#include "UBatchReport.h"

#include "UPrintableText.h"
#include "UResultText.h"
#include "UStandardOutput.h"

#include <functional>
#include <type_traits>

namespace {

using TJson = nlohmann::ordered_json;

std::string Number(double value) {
    return FourDigits(value, TTieBreak::ToEven);
}

std::string NumberOr(const std::optional<double>& value) {
    return value ? Number(*value) : std::string("not available");
}

std::string IntervalText(const TInterval& interval) {
    return "95 % interval " + Number(interval.Low) + " to " + Number(interval.High);
}

std::string SerialsWith(const std::vector<std::size_t>& serials,
                        const std::function<std::string(const TDataSetInfluence&)>& detail,
                        const TCalculationResults& statistics) {
    if (serials.empty()) {
        return "none";
    }
    return SerialList(serials, [&](std::size_t serial) {
        return std::to_string(serial) + " (" + detail(statistics.Influence[serial - 1]) + ")";
    });
}

const char* const TooLargeText = "too large to compute";

std::string SuspectText(const TCalculationResults& statistics) {
    return SerialsWith(
        statistics.Suspect,
        [](const TDataSetInfluence& influence) {
            const std::string t =
                influence.ExternalUnbounded() ? "unbounded" : NumberOr(influence.External);
            return "t = " + t + ", p = " + NumberOr(influence.BonferroniP);
        },
        statistics);
}

std::string InfluentialText(const TCalculationResults& statistics) {
    return SerialsWith(
        statistics.Influential,
        [](const TDataSetInfluence& influence) {
            if (!influence.CooksDistance && influence.Leverage) {
                // Leverage 1: the line rests on it alone.
                return "leverage " + Number(*influence.Leverage) + ", the slope rests on it alone";
            }
            return "D = " + NumberOr(influence.CooksDistance) + ", Ka without it " +
                   NumberOr(influence.KaWithout);
        },
        statistics);
}

std::string InfluenceLines(const TCalculationResults& statistics) {
    std::string lines =
        " Suspect data sets (Bonferroni p below 0.05): " + SuspectText(statistics) + "\n";
    if (statistics.InfluenceLimit) {
        lines += " Influential data sets (Cook's distance above " +
                 Number(*statistics.InfluenceLimit) + "): " + InfluentialText(statistics) + "\n";
    }
    return lines;
}

std::string WarningLines(const TCalculationResults& statistics) {
    std::string lines;
    for (const TFitWarning& warning : statistics.Warnings) {
        lines += " Warning: " + warning.Text + "\n";
    }
    return lines;
}

std::string Heading(const TCalculationResults& statistics) {
    const std::string count = "n = " + std::to_string(statistics.NrInFit());
    if (statistics.Excluded.empty()) {
        return " Statistics (" + count + ")";
    }
    const char* const what = statistics.Excluded.size() == 1 ? " data set " : " data sets ";
    return " Statistics without" + std::string(what) + SerialListText(statistics.Excluded) + " (" +
           count + "; what-if only: the output file above is of every data set)";
}

std::string SpreadLines(const TCalculationResults& statistics, const TSpreadStatistics& spread) {
    const std::string rSquared = statistics.RSquared   ? Number(*statistics.RSquared)
                                 : statistics.TooLarge ? TooLargeText
                                                       : "not available";
    const std::size_t freedom = statistics.NrInFit() - 2;
    return " R^2 = " + rSquared + "   s = " + Number(spread.ResidualDeviation) + " 1/day (" +
           std::to_string(freedom) + (freedom == 1 ? " degree" : " degrees") + " of freedom)\n" +
           " A  = " + Number(statistics.SlopeA) + "   standard error " + Number(spread.SlopeError) +
           "   " + IntervalText(spread.SlopeInterval) + "\n" +
           " B  = " + Number(statistics.InterceptB) + "   standard error " +
           Number(spread.InterceptError) + "   " + IntervalText(spread.InterceptInterval) + "\n" +
           " Ka = " + Number(statistics.Ka) + " m/day   " + IntervalText(spread.KaInterval) + "\n" +
           " Kb = " + Number(statistics.Kb) + " m/day   " + IntervalText(spread.KbInterval) + "\n" +
           InfluenceLines(statistics);
}

std::string StatisticsBody(const TCalculationResults& statistics) {
    if (statistics.Option == TCalculationOption::AboveAndBelowDrains) {
        return Heading(statistics) + ": mean H\" = " + Number(statistics.MeanHead) +
               " m   mean Q/H\" = " + Number(statistics.MeanQH) +
               " 1/day   A = " + Number(statistics.SlopeA) + "\n";
    }
    if (!statistics.Spread && statistics.TooLarge) {
        return Heading(statistics) + ": " + TooLargeText +
               ", the squared deviations of Q/H\" from the line exceed the range of the "
               "arithmetic\n";
    }
    if (!statistics.Spread) {
        return Heading(statistics) +
               ": not available, a line through two data sets leaves no spread to estimate\n";
    }
    return Heading(statistics) + ":\n" + SpreadLines(statistics, *statistics.Spread);
}

// The JSON of a run: every key a file's object can have, in the order
// written, with when it is there and how its value is written. Large arrays
// (one number or object per data set) are written element by element.
using TWrite = void (*)(TJsonStream&, const TJsonEntry&);

struct TFileKey {
    const char* Name;
    TJsonPresence Presence;
    TWrite Write;
};

const TCalculationResults& StatisticsOf(const TJsonEntry& entry) {
    return entry.Calculation.Statistics;
}

bool IsLeastSquares(const TCalculationResults& statistics) {
    return statistics.Option == TCalculationOption::OverEntireSoilDepth;
}

bool LeastSquares(const TJsonEntry& entry) {
    return IsLeastSquares(StatisticsOf(entry));
}

// JSON holds UTF-8 only: a name that is none is given as read in Latin-1
// wherever it is no UTF-8, and in full under the key that follows it,
// `name`_bytes, in hexadecimal.
bool IsPresent(TJsonPresence presence, const TJsonEntry& entry) {
    switch (presence) {
    case TJsonPresence::NameNotUtf8:
        return !IsValidUtf8(entry.File);
    case TJsonPresence::OutputNameNotUtf8:
        return !IsValidUtf8(entry.Calculation.Store.FileName);
    case TJsonPresence::LeastSquares:
        return LeastSquares(entry);
    case TJsonPresence::WithDesign:
        return entry.Design.has_value();
    case TJsonPresence::Always:
        break;
    }
    return true;
}

TJson Pair(const TInterval& interval) {
    return TJson::array({interval.Low, interval.High});
}

TJson Optional(const std::optional<double>& value) {
    return value ? TJson(*value) : TJson(nullptr);
}

// The second option computes no intercept and no conductivities.
template <double TCalculationResults::*Member>
void WriteOfLine(TJsonStream& out, const TJsonEntry& e) {
    const TCalculationResults& statistics = StatisticsOf(e);
    out.Value(IsLeastSquares(statistics) ? TJson(statistics.*Member) : TJson(nullptr));
}

template <double TCalculationResults::*Member>
void WriteNumber(TJsonStream& out, const TJsonEntry& e) {
    out.Value(StatisticsOf(e).*Member);
}

// Absent statistics are null, so every entry of an option has the same keys.
template <typename Value, Value TSpreadStatistics::*Member>
void WriteSpread(TJsonStream& out, const TJsonEntry& e) {
    const std::optional<TSpreadStatistics>& spread = StatisticsOf(e).Spread;
    if (!spread) {
        out.Value(nullptr);
    } else if constexpr (std::is_same_v<Value, TInterval>) {
        out.Value(Pair((*spread).*Member));
    } else {
        out.Value((*spread).*Member);
    }
}

template <typename Element> void WriteArray(TJsonStream& out, const std::vector<Element>& values) {
    out.BeginArray();
    for (const Element& value : values) {
        out.Value(value);
    }
    out.End();
}

TJson WarningsJson(const TCalculationResults& statistics) {
    TJson warnings = TJson::array();
    for (const TFitWarning& warning : statistics.Warnings) {
        warnings.push_back(TJson{{"code", warning.Code}, {"text", warning.Text}});
    }
    return warnings;
}

struct TDataSetKey {
    const char* Name;
    // Only a data set in the fit has it.
    bool InFitOnly;
    TJson (*Value)(const TFileCalculation& calculation, std::size_t index);
};

TJson Entry(const DataSetR& column, std::size_t index) {
    return index < column.size() ? TJson(column[index]) : TJson(nullptr);
}

const TCalculationResults& StatisticsOf(const TFileCalculation& calculation) {
    return calculation.Statistics;
}

TJson FitValue(const TFileCalculation& calculation, const std::vector<double>& values,
               std::size_t i) {
    return IsLeastSquares(StatisticsOf(calculation)) ? TJson(values[i]) : TJson(nullptr);
}

template <TOptionalNumber TDataSetInfluence::*Member>
TJson Influence(const TFileCalculation& calculation, std::size_t i) {
    return Optional(StatisticsOf(calculation).Influence[i].*Member);
}

// Data set i as the input file gives it (discharge in mm/day, depths below
// the surface, input arrays from 1) and as the calculation converted it.
const TDataSetKey DataSetKeys[] = {
    {"nr", false, [](const auto&, std::size_t i) { return TJson(i + 1); }},
    {"Q", false, [](const auto& c, std::size_t i) { return Entry(c.Store.InputDischarge, i + 1); }},
    {"depth_midway", false,
     [](const auto& c, std::size_t i) { return Entry(c.Store.InputDepthMidway, i + 1); }},
    {"depth_near", false,
     [](const auto& c, std::size_t i) { return Entry(c.Store.InputDepthNear, i + 1); }},
    {"H", false, [](const auto& c, std::size_t i) { return Entry(c.Store.WorkMidway, i); }},
    {"E", false, [](const auto& c, std::size_t i) { return Entry(c.Store.WorkNear, i); }},
    {"H2", false, [](const auto& c, std::size_t i) { return TJson(c.Statistics.Head[i]); }},
    {"Q_over_H2", false, [](const auto& c, std::size_t i) { return TJson(c.Statistics.QH[i]); }},
    {"in_fit", false, [](const auto& c, std::size_t i) { return TJson(c.Statistics.IsInFit(i)); }},
    {"fitted", true,
     [](const auto& c, std::size_t i) { return FitValue(c, c.Statistics.Fitted, i); }},
    {"residual", true,
     [](const auto& c, std::size_t i) { return FitValue(c, c.Statistics.Residuals, i); }},
    {"leverage", true, Influence<&TDataSetInfluence::Leverage>},
    {"studentized", true, Influence<&TDataSetInfluence::Studentized>},
    // JSON has no infinity: an unbounded t is null and says so.
    {"t", true,
     [](const auto& c, std::size_t i) {
         const TDataSetInfluence& influence = c.Statistics.Influence[i];
         return influence.ExternalUnbounded() ? TJson(nullptr) : Optional(influence.External);
     }},
    {"t_unbounded", true,
     [](const auto& c, std::size_t i) {
         return TJson(c.Statistics.Influence[i].ExternalUnbounded());
     }},
    {"p_bonferroni", true, Influence<&TDataSetInfluence::BonferroniP>},
    {"cooks_distance", true, Influence<&TDataSetInfluence::CooksDistance>},
    {"Ka_without", true, Influence<&TDataSetInfluence::KaWithout>},
    {"Kb_without", true, Influence<&TDataSetInfluence::KbWithout>},
    {"suspect", true,
     [](const auto& c, std::size_t i) { return TJson(c.Statistics.IsSuspect(i + 1)); }},
    {"influential", true,
     [](const auto& c, std::size_t i) { return TJson(c.Statistics.IsInfluential(i + 1)); }},
};

TJson DataSetJson(const TFileCalculation& calculation, std::size_t i) {
    const bool inFit = StatisticsOf(calculation).IsInFit(i);
    TJson dataSet;
    for (const TDataSetKey& key : DataSetKeys) {
        if (inFit || !key.InFitOnly) {
            dataSet[key.Name] = key.Value(calculation, i);
        }
    }
    return dataSet;
}

void WriteDataSets(TJsonStream& out, const TJsonEntry& entry) {
    out.BeginArray();
    for (std::size_t i = 0; i < StatisticsOf(entry).NrOfDataSets; ++i) {
        out.Value(DataSetJson(entry.Calculation, i));
    }
    out.End();
}

const TFileKey FileKeys[] = {
    {"file", TJsonPresence::Always,
     [](auto& out, const auto& e) { out.Value(Utf8OrLatin1(e.File)); }},
    {"file_bytes", TJsonPresence::NameNotUtf8,
     [](auto& out, const auto& e) { out.Value(HexBytes(e.File)); }},
    {"output_file", TJsonPresence::Always,
     [](auto& out, const auto& e) { out.Value(Utf8OrLatin1(e.Calculation.Store.FileName)); }},
    {"output_file_bytes", TJsonPresence::OutputNameNotUtf8,
     [](auto& out, const auto& e) { out.Value(HexBytes(e.Calculation.Store.FileName)); }},
    {"option", TJsonPresence::Always,
     [](auto& out, const auto& e) { out.Value(LeastSquares(e) ? 1 : 2); }},
    {"data_sets", TJsonPresence::Always,
     [](auto& out, const auto& e) { out.Value(StatisticsOf(e).NrOfDataSets); }},
    {"d", TJsonPresence::Always, WriteNumber<&TCalculationResults::EquivalentDepth>},
    {"A", TJsonPresence::Always, WriteNumber<&TCalculationResults::SlopeA>},
    {"B", TJsonPresence::Always, WriteOfLine<&TCalculationResults::InterceptB>},
    {"Ka", TJsonPresence::Always, WriteOfLine<&TCalculationResults::Ka>},
    {"Kb", TJsonPresence::Always, WriteOfLine<&TCalculationResults::Kb>},
    {"mean_H", TJsonPresence::Always, WriteNumber<&TCalculationResults::MeanHead>},
    {"mean_Q_over_H", TJsonPresence::Always, WriteNumber<&TCalculationResults::MeanQH>},
    {"r_squared", TJsonPresence::LeastSquares,
     [](auto& out, const auto& e) { out.Value(Optional(StatisticsOf(e).RSquared)); }},
    {"s", TJsonPresence::LeastSquares, WriteSpread<double, &TSpreadStatistics::ResidualDeviation>},
    {"se_A", TJsonPresence::LeastSquares, WriteSpread<double, &TSpreadStatistics::SlopeError>},
    {"se_B", TJsonPresence::LeastSquares, WriteSpread<double, &TSpreadStatistics::InterceptError>},
    {"A_ci95", TJsonPresence::LeastSquares,
     WriteSpread<TInterval, &TSpreadStatistics::SlopeInterval>},
    {"B_ci95", TJsonPresence::LeastSquares,
     WriteSpread<TInterval, &TSpreadStatistics::InterceptInterval>},
    {"Ka_ci95", TJsonPresence::LeastSquares,
     WriteSpread<TInterval, &TSpreadStatistics::KaInterval>},
    {"Kb_ci95", TJsonPresence::LeastSquares,
     WriteSpread<TInterval, &TSpreadStatistics::KbInterval>},
    {"suspect", TJsonPresence::LeastSquares,
     [](auto& out, const auto& e) { WriteArray(out, StatisticsOf(e).Suspect); }},
    {"influential", TJsonPresence::LeastSquares,
     [](auto& out, const auto& e) { WriteArray(out, StatisticsOf(e).Influential); }},
    {"residuals", TJsonPresence::LeastSquares,
     [](auto& out, const auto& e) { WriteArray(out, StatisticsOf(e).Residuals); }},
    {"excluded", TJsonPresence::Always,
     [](auto& out, const auto& e) { WriteArray(out, StatisticsOf(e).Excluded); }},
    {"warnings", TJsonPresence::Always,
     [](auto& out, const auto& e) { out.Value(WarningsJson(StatisticsOf(e))); }},
    {"data", TJsonPresence::Always, WriteDataSets},
    {"design", TJsonPresence::WithDesign,
     [](auto& out, const auto& e) { out.Value(DesignJson(*e.Design, e.Calculation)); }},
};

// Depth of the stream inside a file's object.
constexpr std::size_t InEntry = 2;

} // namespace

std::vector<TJsonKey> JsonFileKeys() {
    std::vector<TJsonKey> keys;
    for (const TFileKey& key : FileKeys) {
        keys.push_back({key.Name, key.Presence});
    }
    return keys;
}

std::string StatisticsLines(const TCalculationResults& statistics) {
    return StatisticsBody(statistics) + WarningLines(statistics);
}

TJsonRun::TJsonRun(TStandardOutput& output) : stream_(output) {
    stream_.BeginArray();
}

void TJsonRun::AddCalculated(const TJsonEntry& entry) {
    stream_.BeginObject();
    for (const TFileKey& key : FileKeys) {
        if (IsPresent(key.Presence, entry)) {
            stream_.Key(key.Name);
            key.Write(stream_, entry);
        }
    }
    stream_.End();
    stream_.Flush();
}

void TJsonRun::AddFailed(const std::string& file, const std::string& error) {
    const TJson text = Utf8OrLatin1(error.empty() ? "The file could not be calculated." : error);
    if (stream_.Depth() < InEntry) {
        stream_.BeginObject();
        stream_.Key("file");
        stream_.Value(Utf8OrLatin1(file));
        if (!IsValidUtf8(file)) {
            stream_.Key("file_bytes");
            stream_.Value(HexBytes(file));
        }
    }
    // An entry cut short keeps what was written and ends with the error.
    stream_.EndTo(InEntry);
    stream_.Key("error");
    stream_.Value(text);
    stream_.End();
    stream_.Flush();
}

void TJsonRun::Finish() {
    stream_.EndTo(0);
    stream_.Flush("\n");
}
