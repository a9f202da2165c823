#include "UDrainGeometry.h"

#include "UEquivalentDepth.h"
#include "UResultText.h"
#include "URoundingNoise.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

// The output file gives d to the millimetre: a d that it would show as 0.000
// makes Kb = B S^2 / (8 d) a division by what the file itself calls zero.
// Only a layer within half a millimetre below the drains comes this low.
constexpr double SmallestEquivalentDepth = 0.0005;

// A zero or negative length would otherwise end the calculation in a bare
// floating-point error that names nothing the user typed.
void CheckPositiveLength(const char* name, double value) {
    if (!(std::isfinite(value) && value > 0.0)) {
        throw EDrainGeometryError(std::string("The ") + name + " must be a positive length, not " +
                                  Metres(value));
    }
}

void CheckPositiveLengths(const TDMTylwen& store) {
    CheckPositiveLength("drain depth", store.DrainDepth);
    CheckPositiveLength("depth to the impermeable layer", store.ImpermeableDepth);
    CheckPositiveLength("drain spacing", store.DrainSpacing);
    CheckPositiveLength("drain radius", store.DrainRadius);
}

std::string HoldsText(std::int32_t count) {
    return count <= 0 ? "none" : count == 1 ? "only one" : std::to_string(count);
}

void CheckDrainRadius(const TDMTylwen& store) {
    if (store.DrainRadius >= store.DrainSpacing / 2.0) {
        throw EDrainGeometryError("The drain radius (" + Metres(store.DrainRadius) +
                                  ") must be less than half the drain spacing (" +
                                  Metres(store.DrainSpacing) + ")");
    }
}

void CheckEquivalentDepth(const TDMTylwen& store) {
    const double d = EquivalentDepth(store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius);
    if (!(std::isfinite(d) && d >= SmallestEquivalentDepth)) {
        throw EDrainGeometryError("The depth to the impermeable layer (" +
                                  Metres(store.ImpermeableDepth) +
                                  ") gives an equivalent depth d below half a millimetre, too "
                                  "small to calculate Kb from");
    }
}

} // namespace

void CheckDrainGeometry(const TDMTylwen& store) {
    CheckPositiveLengths(store);
    CheckDrainRadius(store);
    CheckEquivalentDepth(store);
}

void CheckDataSetCount(TCalculationOption option, const TDMTylwen& store) {
    const bool leastSquares = option == TCalculationOption::OverEntireSoilDepth;
    const std::int32_t needed = leastSquares ? 2 : 1;
    if (store.NrOfDataSets >= needed) {
        return;
    }
    throw EDrainGeometryError(std::string(leastSquares
                                              ? "At least two data sets are needed to fit the line"
                                              : "At least one data set is needed") +
                              ", but the table holds " + HoldsText(store.NrOfDataSets));
}

std::string SameHeadMessage(double head) {
    return "All data sets have the same H\" (" + SignificantDigits(head, 4) +
           " m); no line can be fitted.";
}

void CheckHeadsDiffer(TCalculationOption option, const TDMTylwen& store) {
    if (option != TCalculationOption::OverEntireSoilDepth || store.NrOfDataSets < 1) {
        return;
    }
    const auto n = static_cast<std::size_t>(store.NrOfDataSets);
    // H and E as the calculation makes them from the depths, and H" from those.
    const auto heightsOf = [&store](std::size_t i) {
        return std::pair{store.DrainDepth - At(store.WorkMidway, i),
                         store.DrainDepth - At(store.WorkNear, i)};
    };
    double largestHeight = 0.0;
    double largestHead = 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto [h, e] = heightsOf(i);
        largestHeight = std::max({largestHeight, std::fabs(h), std::fabs(e)});
        largestHead = std::max(largestHead, std::fabs(h - e));
        sum += h - e;
    }
    const double count = static_cast<double>(n);
    const double mean = sum / count;
    double squares = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto [h, e] = heightsOf(i);
        squares += (h - e - mean) * (h - e - mean);
    }
    const double noise =
        HeadDeviationNoise(std::fabs(store.DrainDepth) + largestHeight, n, largestHead);
    if (HeadSpreadIsRoundingNoise(std::sqrt(squares / count), noise)) {
        const auto [h, e] = heightsOf(0);
        throw EDrainGeometryError(SameHeadMessage(h - e));
    }
}
