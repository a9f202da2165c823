#include "UFitWarnings.h"

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

void WarnDataSets(std::vector<TFitWarning>& warnings, const TFitStatistics& statistics) {
    if (!statistics.Suspect.empty()) {
        warnings.push_back({"suspect", DataSetsText(statistics.Suspect) +
                                           (statistics.Suspect.size() == 1 ? " lies" : " lie") +
                                           " further from the line than scatter explains "
                                           "(Bonferroni p below 0.05). Look again at the field "
                                           "notes and in the field."});
    }
    if (!statistics.Influential.empty()) {
        warnings.push_back(
            {"influential", DataSetsText(statistics.Influential) +
                                (statistics.Influential.size() == 1 ? " sways" : " sway") +
                                " the line strongly (Cook's distance above the "
                                "median of F): Ka and Kb change noticeably "
                                "without " +
                                (statistics.Influential.size() == 1 ? "it." : "them.")});
    }
}

} // namespace

std::string SerialListText(const std::vector<std::size_t>& serials) {
    std::string text;
    for (std::size_t k = 0; k < serials.size(); ++k) {
        if (k > 0) {
            text += k + 1 == serials.size() ? " and " : ", ";
        }
        text += std::to_string(serials[k]);
    }
    return text;
}

std::vector<TFitWarning> FitWarnings(const TFitStatistics& statistics) {
    std::vector<TFitWarning> warnings;
    if (statistics.Option == TCalculationOption::OverEntireSoilDepth) {
        WarnNegative(warnings, "Ka", statistics.Ka);
        WarnNegative(warnings, "Kb", statistics.Kb);
        if (statistics.Spread) {
            WarnIntervalWithZero(warnings, "Ka", statistics.Spread->KaInterval);
            WarnIntervalWithZero(warnings, "Kb", statistics.Spread->KbInterval);
        }
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
