#include "UCalculation.h"

#include "UArithmetic.h"
#include "UConductivities.h"
#include "UDrainGeometry.h"
#include "UEquivalentDepth.h"
#include "ULeastSquares.h"
#include "URoundingNoise.h"
#include "UTylwenUtils.h"

#include <algorithm>
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

TLineData DataSetsOf(const TDMTylwen& store, std::size_t n) {
    return {XValues, YValues, n, nullptr, DepthScale(store, n)};
}

void ComputeMeans(const TDMTylwen& store, std::size_t n) {
    const TMeans means = MeansOf<TCheckedArithmetic>(DataSetsOf(store, n));
    MeanY = means.QH;
    MeanX = means.Head;
}

// Equal H" from different depth pairs (0.55 and 0.85, 0.60 and 0.90) differ in
// their last bits, so Sxx is tiny but not zero and the slope would come out
// absurdly large instead of undefined. The spread is taken as real only when
// the root mean square deviation of H" exceeds what rounding can make of
// them (HeadDeviationNoise). A slope or an intercept within what rounding can
// make of 0 is 0: data sets with one Q/H" give Ka = 0, not -1e-16, which the
// output file would print as -0.000 and every reader take for negative.
void FitLine(const TDMTylwen& store, std::size_t n) {
    const auto oneHead = [](double rmsHead, const TDataSetNoise& noise) {
        return HeadSpreadIsRoundingNoise(rmsHead, noise.Head);
    };
    if (!FitLeastSquaresLine<TCheckedArithmetic>(DataSetsOf(store, n), {MeanX, MeanY}, oneHead,
                                                 SlopeA, InterceptB)) {
        throw EDrainGeometryError(SameHeadMessage(At(XValues, 0)));
    }
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
    ComputeMeans(store, n);
    if (option == TCalculationOption::OverEntireSoilDepth) {
        FitLine(store, n);
        SetConductivities<TCheckedArithmetic>(SlopeA, InterceptB, store.DrainSpacing, d, store.Ka,
                                              store.Kb);
    }
    if (option == TCalculationOption::AboveAndBelowDrains) {
        SlopeA = SlopeThroughOrigin<TCheckedArithmetic>({MeanX, MeanY});
    }
    return d;
}
