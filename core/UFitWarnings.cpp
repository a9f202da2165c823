#include "UFitWarnings.h"

#include "UResultText.h"

#include <algorithm>
#include <string>

namespace {

std::string DataSetsText(const std::vector<std::size_t>& serials) {
    return (serials.size() == 1 ? "Data set " : "Data sets ") + SerialListText(serials);
}

void WarnNegative(std::vector<TFitWarning>& warnings, const char* name, double value) {
    if (value < 0.0) {
        warnings.push_back({std::string("negative_") + name,
                            std::string(name) +
                                " is negative, which no soil can be: the data sets do not follow "
                                "the drain-spacing equation. Check them for typing and measuring "
                                "errors."});
    }
}

void WarnIntervalWithZero(std::vector<TFitWarning>& warnings, const char* name,
                          const TInterval& interval) {
    if (interval.Low <= 0.0 && interval.High >= 0.0) {
        warnings.push_back({std::string(name) + "_interval_includes_zero",
                            "The 95 % interval of " + std::string(name) +
                                " includes zero, so the data do not show that " + name +
                                " differs from zero."});
    }
}

void WarnTooLarge(std::vector<TFitWarning>& warnings, const TCalculationResults& statistics) {
    if (statistics.TooLarge) {
        warnings.push_back({"too_large_to_compute",
                            "The squared deviations of Q/H\" from the line exceed the range of "
                            "the arithmetic: the spread of the data sets, the 95 % intervals and "
                            "what follows from them are too large to compute."});
    }
}

// A data set off a line on which every other one lies: its t is unbounded.
void WarnOthersOnOneLine(std::vector<TFitWarning>& warnings,
                         const TCalculationResults& statistics) {
    for (std::size_t i = 0; i < statistics.Influence.size(); ++i) {
        if (statistics.Influence[i].ExternalUnbounded()) {
            const std::string serial = std::to_string(i + 1);
            warnings.push_back({"others_on_one_line",
                                "All other data sets lie on one line without data set " + serial +
                                    ": it alone lies off that line (t unbounded, Bonferroni p "
                                    "0)."});
        }
    }
}

void WarnLineRestsOnOne(std::vector<TFitWarning>& warnings, const TCalculationResults& statistics) {
    for (const std::size_t serial : statistics.LineRestsOn) {
        warnings.push_back({"line_rests_on_one_data_set",
                            "The slope rests on data set " + std::to_string(serial) +
                                " alone: every other data set has the same H\", so without it "
                                "there is no line, and Ka cannot be judged without it. Measure at "
                                "other water-table heights."});
    }
}

// Cook's distance names those that sway the line; a line resting on one data
// set has its own warning.
std::vector<std::size_t> SwayingDataSets(const TCalculationResults& statistics) {
    std::vector<std::size_t> swaying;
    for (const std::size_t serial : statistics.Influential) {
        if (std::find(statistics.LineRestsOn.begin(), statistics.LineRestsOn.end(), serial) ==
            statistics.LineRestsOn.end()) {
            swaying.push_back(serial);
        }
    }
    return swaying;
}

void WarnDataSets(std::vector<TFitWarning>& warnings, const TCalculationResults& statistics) {
    if (!statistics.Suspect.empty()) {
        warnings.push_back({"suspect", DataSetsText(statistics.Suspect) +
                                           (statistics.Suspect.size() == 1 ? " lies" : " lie") +
                                           " further from the line than scatter explains "
                                           "(Bonferroni p below 0.05). Look again at the field "
                                           "notes and in the field."});
    }
    WarnOthersOnOneLine(warnings, statistics);
    const std::vector<std::size_t> swaying = SwayingDataSets(statistics);
    if (!swaying.empty()) {
        warnings.push_back({"influential", DataSetsText(swaying) +
                                               (swaying.size() == 1 ? " sways" : " sway") +
                                               " the line strongly (Cook's distance above the "
                                               "median of F): Ka and Kb change noticeably "
                                               "without " +
                                               (swaying.size() == 1 ? "it." : "them.")});
    }
    WarnLineRestsOnOne(warnings, statistics);
}

} // namespace

std::vector<TFitWarning> FitWarnings(const TCalculationResults& statistics) {
    std::vector<TFitWarning> warnings;
    if (statistics.Option == TCalculationOption::OverEntireSoilDepth) {
        WarnNegative(warnings, "Ka", statistics.Ka);
        WarnNegative(warnings, "Kb", statistics.Kb);
        if (statistics.Spread) {
            WarnIntervalWithZero(warnings, "Ka", statistics.Spread->KaInterval);
            WarnIntervalWithZero(warnings, "Kb", statistics.Spread->KbInterval);
        }
        WarnTooLarge(warnings, statistics);
        WarnDataSets(warnings, statistics);
    }
    const std::size_t inFit = statistics.NrInFit();
    if (inFit < EnoughDataSets) {
        warnings.push_back(
            {"few_data_sets", "Only " + std::to_string(inFit) + " data set" +
                                  (inFit == 1 ? " is" : "s are") +
                                  " in the fit: with fewer than 10 the results are rough, and a "
                                  "single faulty measurement can go unnoticed."});
    }
    return warnings;
}
