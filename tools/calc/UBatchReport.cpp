#include "UBatchReport.h"

#include "UPrintableText.h"

#include <charconv>

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

std::string IntervalText(const TInterval& interval) {
    return "95 % interval " + Number(interval.Low) + " to " + Number(interval.High);
}

std::string SuspectText(const TFitStatistics& statistics) {
    if (statistics.Suspect.empty()) {
        return "none";
    }
    std::string text;
    for (const std::size_t serial : statistics.Suspect) {
        const double standardized = statistics.StandardizedResidual(serial - 1).value_or(0.0);
        text += (text.empty() ? "" : ", ") + std::to_string(serial) + " (" + Number(standardized) +
                " s)";
    }
    return text;
}

std::string SpreadLines(const TFitStatistics& statistics, const TSpreadStatistics& spread) {
    const std::string rSquared =
        statistics.RSquared ? Number(*statistics.RSquared) : "not available";
    const std::size_t freedom = statistics.NrOfDataSets - 2;
    return " R^2 = " + rSquared + "   s = " + Number(spread.ResidualDeviation) + " 1/day (" +
           std::to_string(freedom) + (freedom == 1 ? " degree" : " degrees") + " of freedom)\n" +
           " A  = " + Number(statistics.SlopeA) + "   standard error " + Number(spread.SlopeError) +
           "   " + IntervalText(spread.SlopeInterval) + "\n" +
           " B  = " + Number(statistics.InterceptB) + "   standard error " +
           Number(spread.InterceptError) + "   " + IntervalText(spread.InterceptInterval) + "\n" +
           " Ka = " + Number(statistics.Ka) + " m/day   " + IntervalText(spread.KaInterval) + "\n" +
           " Kb = " + Number(statistics.Kb) + " m/day   " + IntervalText(spread.KbInterval) + "\n" +
           " Suspect data sets (residual beyond " + Number(SuspectLimit) +
           " s): " + SuspectText(statistics) + "\n";
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
    entry["residuals"] = statistics.Residuals;
}

} // namespace

std::string StatisticsLines(const TFitStatistics& statistics) {
    const std::string count = std::to_string(statistics.NrOfDataSets);
    if (statistics.Option == TCalculationOption::AboveAndBelowDrains) {
        return " Statistics (n = " + count + "): mean H\" = " + Number(statistics.MeanHead) +
               " m   mean Q/H\" = " + Number(statistics.MeanQH) +
               " 1/day   A = " + Number(statistics.SlopeA) + "\n";
    }
    if (!statistics.Spread) {
        return " Statistics (n = " + count +
               "): not available, a line through two data sets leaves no spread to estimate\n";
    }
    return " Statistics (n = " + count + "):\n" + SpreadLines(statistics, *statistics.Spread);
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
