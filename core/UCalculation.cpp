#include "UCalculation.h"

#include "UDrainGeometry.h"
#include "UEquivalentDepth.h"
#include "UFloatMath.h"
#include "URoundingNoise.h"
#include "UTylwenUtils.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

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

// Equal H" from different depth pairs (0.55 and 0.85, 0.60 and 0.90) differ in
// their last bits, so Sxx is tiny but not zero and the slope would come out
// absurdly large instead of undefined. The spread is taken as real only when
// the root mean square deviation of H" exceeds what rounding can make of
// them (HeadDeviationNoise). A slope or an intercept within what rounding can
// make of 0 is 0: data sets with one Q/H" give Ka = 0, not -1e-16, which the
// output file would print as -0.000 and every reader take for negative.
void FitLeastSquaresLine(const TDMTylwen& store, std::size_t n) {
    double sxx = 0.0;
    double sxy = 0.0;
    TAbsoluteSums absolute;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = FSub(At(XValues, i), MeanX);
        const double dy = FSub(At(YValues, i), MeanY);
        sxx = FAdd(sxx, FMul(dx, dx));
        sxy = FAdd(sxy, FMul(dy, dx));
        absolute.Add(dx, dy);
    }
    const TDataSetNoise noise = NoiseOfDataSets(XValues, YValues, n, {}, DepthScale(store, n));
    if (HeadSpreadIsRoundingNoise(std::sqrt(sxx / static_cast<double>(n)), noise.Head)) {
        throw EDrainGeometryError(SameHeadMessage(At(XValues, 0)));
    }
    TLineFit line{MeanX, MeanY, sxx, FDiv(sxy, sxx), n};
    const double slopeNoise = SlopeNoise(line, absolute, noise);
    line.Slope = ZeroButForRounding(line.Slope, slopeNoise);
    SlopeA = line.Slope;
    InterceptB = ZeroButForRounding(FSub(MeanY, FMul(SlopeA, MeanX)),
                                    InterceptNoise(line, slopeNoise, noise));
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
