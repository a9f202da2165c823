#include "UBatchReport.h"

#include "UFitWarnings.h"
#include "UPrintableText.h"

#include <charconv>
#include <functional>

namespace {

using TJson = nlohmann::ordered_json;

// Four significant digits, "." whatever the locale.
std::string Number(double value) {
    if (value == 0.0) {
        return "0";
    }
    char text[32];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 4);
    return std::string(text, end.ptr);
}

std::string NumberOr(const std::optional<double>& value) {
    return value ? Number(*value) : std::string("not available");
}

std::string IntervalText(const TInterval& interval) {
    return "95 % interval " + Number(interval.Low) + " to " + Number(interval.High);
}

std::string SerialsWith(const std::vector<std::size_t>& serials,
                        const std::function<std::string(const TDataSetInfluence&)>& detail,
                        const TFitStatistics& statistics) {
    if (serials.empty()) {
        return "none";
    }
    std::string text;
    for (const std::size_t serial : serials) {
        text += (text.empty() ? "" : ", ") + std::to_string(serial) + " (" +
                detail(statistics.Influence[serial - 1]) + ")";
    }
    return text;
}

const char* const TooLargeText = "too large to compute";

std::string SuspectText(const TFitStatistics& statistics) {
    return SerialsWith(
        statistics.Suspect,
        [](const TDataSetInfluence& influence) {
            const std::string t =
                influence.ExternalUnbounded() ? "unbounded" : NumberOr(influence.External);
            return "t = " + t + ", p = " + NumberOr(influence.BonferroniP);
        },
        statistics);
}

std::string InfluentialText(const TFitStatistics& statistics) {
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

std::string InfluenceLines(const TFitStatistics& statistics) {
    std::string lines =
        " Suspect data sets (Bonferroni p below 0.05): " + SuspectText(statistics) + "\n";
    if (statistics.InfluenceLimit) {
        lines += " Influential data sets (Cook's distance above " +
                 Number(*statistics.InfluenceLimit) + "): " + InfluentialText(statistics) + "\n";
    }
    return lines;
}

std::string WarningLines(const TFitStatistics& statistics) {
    std::string lines;
    for (const TFitWarning& warning : statistics.Warnings) {
        lines += " Warning: " + warning.Text + "\n";
    }
    return lines;
}

std::string Heading(const TFitStatistics& statistics) {
    const std::string count = "n = " + std::to_string(statistics.NrInFit());
    if (statistics.Excluded.empty()) {
        return " Statistics (" + count + ")";
    }
    const char* const what = statistics.Excluded.size() == 1 ? " data set " : " data sets ";
    return " Statistics without" + std::string(what) + SerialListText(statistics.Excluded) + " (" +
           count + "; what-if only: the output file above is of every data set)";
}

std::string SpreadLines(const TFitStatistics& statistics, const TSpreadStatistics& spread) {
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

// JSON holds UTF-8 only: a name that is none is given as read in Latin-1
// wherever it is no UTF-8, and in full under `key`_bytes, in hexadecimal.
void AddName(TJson& entry, const std::string& key, const std::string& name) {
    entry[key] = Utf8OrLatin1(name);
    if (!IsValidUtf8(name)) {
        entry[key + "_bytes"] = HexBytes(name);
    }
}

TJson Pair(const TInterval& interval) {
    return TJson::array({interval.Low, interval.High});
}

// Absent statistics are null, so every entry of an option has the same keys.
template <typename Value> TJson OrNull(const std::optional<TSpreadStatistics>& spread, Value get) {
    return spread ? TJson(get(*spread)) : TJson(nullptr);
}

void AddLeastSquaresStatistics(TJson& entry, const TFitStatistics& statistics) {
    const std::optional<TSpreadStatistics>& spread = statistics.Spread;
    entry["r_squared"] = statistics.RSquared ? TJson(*statistics.RSquared) : TJson(nullptr);
    entry["s"] = OrNull(spread, [](const auto& s) { return s.ResidualDeviation; });
    entry["se_A"] = OrNull(spread, [](const auto& s) { return s.SlopeError; });
    entry["se_B"] = OrNull(spread, [](const auto& s) { return s.InterceptError; });
    entry["A_ci95"] = OrNull(spread, [](const auto& s) { return Pair(s.SlopeInterval); });
    entry["B_ci95"] = OrNull(spread, [](const auto& s) { return Pair(s.InterceptInterval); });
    entry["Ka_ci95"] = OrNull(spread, [](const auto& s) { return Pair(s.KaInterval); });
    entry["Kb_ci95"] = OrNull(spread, [](const auto& s) { return Pair(s.KbInterval); });
    entry["suspect"] = statistics.Suspect;
    entry["influential"] = statistics.Influential;
    entry["residuals"] = statistics.Residuals;
}

std::string StatisticsBody(const TFitStatistics& statistics) {
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

TJson Optional(const std::optional<double>& value) {
    return value ? TJson(*value) : TJson(nullptr);
}

TJson Entry(const DataSetR& column, std::size_t index) {
    return index < column.size() ? TJson(column[index]) : TJson(nullptr);
}

TJson WarningsJson(const TFitStatistics& statistics) {
    TJson warnings = TJson::array();
    for (const TFitWarning& warning : statistics.Warnings) {
        warnings.push_back(TJson{{"code", warning.Code}, {"text", warning.Text}});
    }
    return warnings;
}

void AddFitOfDataSet(TJson& entry, const TFitStatistics& statistics, std::size_t i) {
    const bool leastSquares = statistics.Option == TCalculationOption::OverEntireSoilDepth;
    const TDataSetInfluence& influence = statistics.Influence[i];
    entry["fitted"] = leastSquares ? TJson(statistics.Fitted[i]) : TJson(nullptr);
    entry["residual"] = leastSquares ? TJson(statistics.Residuals[i]) : TJson(nullptr);
    entry["leverage"] = Optional(influence.Leverage);
    entry["studentized"] = Optional(influence.Studentized);
    // JSON has no infinity: an unbounded t is null and says so.
    entry["t"] = influence.ExternalUnbounded() ? TJson(nullptr) : Optional(influence.External);
    entry["t_unbounded"] = influence.ExternalUnbounded();
    entry["p_bonferroni"] = Optional(influence.BonferroniP);
    entry["cooks_distance"] = Optional(influence.CooksDistance);
    entry["Ka_without"] = Optional(influence.KaWithout);
    entry["Kb_without"] = Optional(influence.KbWithout);
    entry["suspect"] = statistics.IsSuspect(i + 1);
    entry["influential"] = statistics.IsInfluential(i + 1);
}

// Data set i as the input file gives it (discharge in mm/day, depths below
// the surface) and as the calculation converted it.
TJson DataSetsJson(const TFileCalculation& calculation) {
    const TFitStatistics& statistics = calculation.Statistics;
    const TDMTylwen& store = calculation.Store;
    TJson dataSets = TJson::array();
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        TJson entry;
        entry["nr"] = i + 1;
        entry["Q"] = Entry(store.InputDischarge, i + 1);
        entry["depth_midway"] = Entry(store.InputDepthMidway, i + 1);
        entry["depth_near"] = Entry(store.InputDepthNear, i + 1);
        entry["H"] = Entry(store.WorkMidway, i);
        entry["E"] = Entry(store.WorkNear, i);
        entry["H2"] = statistics.Head[i];
        entry["Q_over_H2"] = statistics.QH[i];
        entry["in_fit"] = statistics.IsInFit(i);
        if (statistics.IsInFit(i)) {
            AddFitOfDataSet(entry, statistics, i);
        }
        dataSets.push_back(std::move(entry));
    }
    return dataSets;
}

} // namespace

std::string StatisticsLines(const TFitStatistics& statistics) {
    return StatisticsBody(statistics) + WarningLines(statistics);
}

void TJsonRun::AddCalculated(const std::string& file, const TFileCalculation& calculation) {
    const TFitStatistics& statistics = calculation.Statistics;
    const bool leastSquares = statistics.Option == TCalculationOption::OverEntireSoilDepth;
    TJson entry;
    AddName(entry, "file", file);
    AddName(entry, "output_file", calculation.Store.FileName);
    entry["option"] = leastSquares ? 1 : 2;
    entry["data_sets"] = statistics.NrOfDataSets;
    entry["d"] = statistics.EquivalentDepth;
    entry["A"] = statistics.SlopeA;
    // The second option computes no intercept and no conductivities.
    entry["B"] = leastSquares ? TJson(statistics.InterceptB) : TJson(nullptr);
    entry["Ka"] = leastSquares ? TJson(statistics.Ka) : TJson(nullptr);
    entry["Kb"] = leastSquares ? TJson(statistics.Kb) : TJson(nullptr);
    entry["mean_H"] = statistics.MeanHead;
    entry["mean_Q_over_H"] = statistics.MeanQH;
    if (leastSquares) {
        AddLeastSquaresStatistics(entry, statistics);
    }
    entry["excluded"] = statistics.Excluded;
    entry["warnings"] = WarningsJson(statistics);
    entry["data"] = DataSetsJson(calculation);
    files_.push_back(std::move(entry));
}

void TJsonRun::AddFailed(const std::string& file, const std::string& error) {
    TJson entry;
    AddName(entry, "file", file);
    entry["error"] = Utf8OrLatin1(error.empty() ? "The file could not be calculated." : error);
    files_.push_back(std::move(entry));
}

void TJsonRun::AddToLastEntry(const std::string& key, nlohmann::ordered_json value) {
    if (!files_.empty()) {
        files_.back()[key] = std::move(value);
    }
}

std::string TJsonRun::Document() const {
    // Every text is UTF-8 by now; should one slip through, it is written
    // with the replacement character instead of ending the run.
    return files_.dump(2, ' ', false, TJson::error_handler_t::replace) + "\n";
}
