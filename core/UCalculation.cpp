#include "UCalculation.h"

#include "UEquivalentDepth.h"
#include "UFloatMath.h"
#include "UTylwenUtils.h"

#include <algorithm>
#include <cstddef>

namespace {

// Discharges are typed in mm/day; the formulas want m/day.
constexpr double MillimetresPerMetre = 1000.0;

std::size_t DataSetCount(const TDMTylwen& store) {
    return static_cast<std::size_t>(std::max<std::int32_t>(store.NrOfDataSets, 0));
}

// A calculation converts the working arrays in place, so a repeated one starts
// again from the values as entered, which only the input arrays still hold.
void RebuildWorkingArrays(TDMTylwen& store, std::size_t n) {
    SetLength(store.WorkDischarge, n + 1);
    SetLength(store.WorkMidway, n + 1);
    SetLength(store.WorkNear, n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        At(store.WorkDischarge, i) = At(store.InputDischarge, i + 1);
        At(store.WorkMidway, i) = At(store.InputDepthMidway, i + 1);
        At(store.WorkNear, i) = At(store.InputDepthNear, i + 1);
    }
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

// Rounding in the mean can leave a tiny non-zero Sxx when every H" is the
// same; the slope is then undefined, not huge.
bool AllXEqual(std::size_t n) {
    for (std::size_t i = 1; i < n; ++i) {
        if (At(XValues, i) != At(XValues, 0)) {
            return false;
        }
    }
    return true;
}

void FitLeastSquaresLine(std::size_t n) {
    double sxx = 0.0;
    double sxy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = FSub(At(XValues, i), MeanX);
        const double dy = FSub(At(YValues, i), MeanY);
        sxx = FAdd(sxx, FMul(dx, dx));
        sxy = FAdd(sxy, FMul(dy, dx));
    }
    if (AllXEqual(n)) {
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

double CalculateRegression(TCalculationOption option, TDMTylwen& store) {
    SlopeA = 1.0;
    InterceptB = 1.0;
    const double d = EquivalentDepth(store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius);
    const std::size_t n = DataSetCount(store);
    SetLength(YValues, n + 1);
    SetLength(XValues, n + 1);
    if (OutputShown) {
        RebuildWorkingArrays(store, n);
    }
    ConvertDataSets(store, n);
    ComputeMeans(n);
    if (option == TCalculationOption::OverEntireSoilDepth) {
        FitLeastSquaresLine(n);
        ComputeConductivities(store, d);
    }
    if (option == TCalculationOption::AboveAndBelowDrains) {
        SlopeA = FDiv(MeanY, MeanX);
    }
    return d;
}
