#include "UCalculation.h"

#include "UDrainGeometry.h"
#include "UEquivalentDepth.h"
#include "UFloatMath.h"
#include "UTylwenUtils.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// Discharges are typed in mm/day; the formulas want m/day.
constexpr double MillimetresPerMetre = 1000.0;

std::size_t DataSetCount(const TDMTylwen& store) {
    return static_cast<std::size_t>(std::max<std::int32_t>(store.NrOfDataSets, 0));
}

// Depths below the surface become heights above drain level; each data set is
// finished before the next is touched, so an error leaves a clean boundary.
void ConvertDataSets(TDMTylwen& store, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        double& q = At(store.WorkDischarge, i);
        double& h = At(store.WorkMidway, i);
        double& e = At(store.WorkNear, i);
        q = FDiv(q, MillimetresPerMetre);
        h = FSub(store.DrainDepth, h);
        e = FSub(store.DrainDepth, e);
        At(XValues, i) = FSub(h, e);
        At(YValues, i) = FDiv(q, At(XValues, i));
    }
}

void ComputeMeans(std::size_t n) {
    double sumY = 0.0;
    double sumX = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sumY = FAdd(sumY, At(YValues, i));
        sumX = FAdd(sumX, At(XValues, i));
    }
    const double count = static_cast<double>(n);
    MeanY = FDiv(sumY, count);
    MeanX = FDiv(sumX, count);
}

// A deviation of H" from its mean goes through six roundings, each off by at
// most half an epsilon of the largest value it touched: the two typed depths
// (decimal fractions in binary), H and E as differences from the drain
// depth, H" as their difference and the deviation itself; the mean adds one
// per data set summed. Eight epsilons per value leave a margin above two.
constexpr double RoundingsPerDeviation = 8.0;

// Equal H" from different depth pairs (0.55 and 0.85, 0.60 and 0.90) differ in
// their last bits, so Sxx is tiny but not zero and the slope would come out
// absurdly large instead of undefined. The spread is taken as real only when
// the root mean square deviation of H" exceeds what rounding can make of
// values the size of the depths and the drain depth, plus the n roundings of
// the sum behind the mean. That noise is some 1e-14 m for field data; H" that
// differ by a millimetre lie eleven orders of magnitude above it.
bool SpreadIsRoundingNoise(const TDMTylwen& store, std::size_t n, double sxx) {
    double largestDepth = 0.0;
    double largestX = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        largestDepth = std::max(
            {largestDepth, std::fabs(At(store.WorkMidway, i)), std::fabs(At(store.WorkNear, i))});
        largestX = std::max(largestX, std::fabs(At(XValues, i)));
    }
    // Every typed depth lies within the drain depth plus the larger of H and E.
    const double scale = std::fabs(store.DrainDepth) + largestDepth;
    const double count = static_cast<double>(n);
    const double noise =
        RoundingsPerDeviation * std::numeric_limits<double>::epsilon() * (scale + count * largestX);
    return std::sqrt(sxx / count) <= noise;
}

void FitLeastSquaresLine(const TDMTylwen& store, std::size_t n) {
    double sxx = 0.0;
    double sxy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = FSub(At(XValues, i), MeanX);
        const double dy = FSub(At(YValues, i), MeanY);
        sxx = FAdd(sxx, FMul(dx, dx));
        sxy = FAdd(sxy, FMul(dy, dx));
    }
    if (SpreadIsRoundingNoise(store, n, sxx)) {
        throw EInvalidOp();
    }
    SlopeA = FDiv(sxy, sxx);
    InterceptB = FSub(MeanY, FMul(SlopeA, MeanX));
}

void ComputeConductivities(TDMTylwen& store, double d) {
    const double spacingSquared = FMul(store.DrainSpacing, store.DrainSpacing);
    store.Ka = FDiv(FMul(spacingSquared, SlopeA), 4.0);
    store.Kb = FDiv(FMul(spacingSquared, InterceptB), FMul(8.0, d));
}

} // namespace

void RebuildWorkingArrays(TDMTylwen& store) {
    const std::size_t n = DataSetCount(store);
    SetLength(store.WorkDischarge, n + 1);
    SetLength(store.WorkMidway, n + 1);
    SetLength(store.WorkNear, n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        At(store.WorkDischarge, i) = At(store.InputDischarge, i + 1);
        At(store.WorkMidway, i) = At(store.InputDepthMidway, i + 1);
        At(store.WorkNear, i) = At(store.InputDepthNear, i + 1);
    }
}

double CalculateRegression(TCalculationOption option, TDMTylwen& store) {
    CheckDrainGeometry(store);
    CheckDataSetCount(option, store);
    SlopeA = 1.0;
    InterceptB = 1.0;
    const double d = EquivalentDepth(store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius);
    const std::size_t n = DataSetCount(store);
    SetLength(YValues, n + 1);
    SetLength(XValues, n + 1);
    if (OutputShown) {
        RebuildWorkingArrays(store);
    }
    ConvertDataSets(store, n);
    ComputeMeans(n);
    if (option == TCalculationOption::OverEntireSoilDepth) {
        FitLeastSquaresLine(store, n);
        ComputeConductivities(store, d);
    }
    if (option == TCalculationOption::AboveAndBelowDrains) {
        SlopeA = FDiv(MeanY, MeanX);
    }
    return d;
}
