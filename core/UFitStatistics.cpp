#include "UFitStatistics.h"

#include "UArithmetic.h"
#include "UCalculation.h"
#include "UConductivities.h"
#include "UFitWarnings.h"
#include "UInfluence.h"
#include "ULeastSquares.h"
#include "URoundingNoise.h"
#include "UTylwenUtils.h"

#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Differences this small against the data themselves are the rounding of
// the arithmetic, not field scatter: a line through data sets that lie on it
// exactly has no spread, and none of them is suspect.
constexpr double RoundingRatio = 1e-10;

constexpr double TwoSidedTail = 0.025;

void CopyDataSets(TCalculationResults& statistics) {
    const std::size_t n = statistics.NrOfDataSets;
    statistics.Head.assign(XValues.begin(), XValues.begin() + n);
    statistics.QH.assign(YValues.begin(), YValues.begin() + n);
    statistics.InFit.assign(n, true);
}

double LargestMagnitude(const std::vector<double>& values) {
    double largest = 0.0;
    for (const double value : values) {
        largest = std::max(largest, std::fabs(value));
    }
    return largest;
}

bool Negligible(double spread, const std::vector<double>& values) {
    return spread <= RoundingRatio * LargestMagnitude(values);
}

TDataSetNoise NoiseOfFit(const TCalculationResults& statistics) {
    return NoiseOfDataSets(statistics.Head, statistics.QH, statistics.NrOfDataSets,
                           statistics.InFit, statistics.DepthScale);
}

void ComputeResiduals(TCalculationResults& statistics) {
    statistics.Fitted.reserve(statistics.NrOfDataSets);
    statistics.Residuals.reserve(statistics.NrOfDataSets);
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const double fitted = statistics.SlopeA * statistics.Head[i] + statistics.InterceptB;
        statistics.Fitted.push_back(fitted);
        statistics.Residuals.push_back(statistics.QH[i] - fitted);
    }
}

TLineSums SumSquares(const TCalculationResults& statistics) {
    TLineSums sums;
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        if (!statistics.IsInFit(i)) {
            continue;
        }
        const double dx = statistics.Head[i] - statistics.MeanHead;
        const double dy = statistics.QH[i] - statistics.MeanQH;
        sums.HeadSquares += dx * dx;
        sums.QHSquares += dy * dy;
        sums.Cross += dx * dy;
        sums.ResidualSquares += statistics.Residuals[i] * statistics.Residuals[i];
        sums.AbsoluteResiduals += std::fabs(statistics.Residuals[i]);
    }
    return sums;
}

// A line through data sets that lie on it exactly leaves only rounding.
void ClearRoundingResiduals(TCalculationResults& statistics, TLineSums& sums) {
    const double n = static_cast<double>(statistics.NrInFit());
    if (!Negligible(std::sqrt(sums.ResidualSquares / n), statistics.QH)) {
        return;
    }
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        if (statistics.IsInFit(i)) {
            statistics.Residuals[i] = 0.0;
        }
    }
    sums.ResidualSquares = 0.0;
    sums.AbsoluteResiduals = 0.0;
}

bool AllFinite(const TSpreadStatistics& spread) {
    for (const double value :
         {spread.ResidualDeviation, spread.SlopeError, spread.InterceptError,
          spread.SlopeInterval.Low, spread.SlopeInterval.High, spread.InterceptInterval.Low,
          spread.InterceptInterval.High, spread.KaInterval.Low, spread.KaInterval.High,
          spread.KbInterval.Low, spread.KbInterval.High}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

double StudentQuantile(std::size_t degreesOfFreedom) {
    const boost::math::students_t distribution(static_cast<double>(degreesOfFreedom));
    return boost::math::quantile(boost::math::complement(distribution, TwoSidedTail));
}

std::optional<TSpreadStatistics> EstimateSpread(const TCalculationResults& statistics,
                                                const TLineSums& sums) {
    const std::size_t n = statistics.NrInFit();
    const double count = static_cast<double>(n);
    TSpreadStatistics spread;
    spread.ResidualDeviation = std::sqrt(sums.ResidualSquares / (count - 2.0));
    spread.SlopeError = spread.ResidualDeviation / std::sqrt(sums.HeadSquares);
    spread.InterceptError =
        spread.ResidualDeviation *
        std::sqrt(1.0 / count + statistics.MeanHead * statistics.MeanHead / sums.HeadSquares);
    spread.StudentT = StudentQuantile(n - 2);
    spread.HeadSquares = sums.HeadSquares;
    spread.SlopeInterval = Around(statistics.SlopeA, spread.StudentT * spread.SlopeError);
    spread.InterceptInterval =
        Around(statistics.InterceptB, spread.StudentT * spread.InterceptError);
    const TConductivityIntervals conductivities =
        ConductivityIntervals(spread.SlopeInterval, spread.InterceptInterval,
                              statistics.DrainSpacing, statistics.EquivalentDepth);
    spread.KaInterval = conductivities.Ka;
    spread.KbInterval = conductivities.Kb;
    if (!AllFinite(spread)) {
        return std::nullopt;
    }
    return spread;
}

std::optional<double> CoefficientOfDetermination(const TCalculationResults& statistics,
                                                 const TLineSums& sums) {
    const double n = static_cast<double>(statistics.NrInFit());
    if (!statistics.Spread || !std::isfinite(sums.QHSquares) ||
        Negligible(std::sqrt(sums.QHSquares / n), statistics.QH)) {
        return std::nullopt;
    }
    const double rSquared = 1.0 - sums.ResidualSquares / sums.QHSquares;
    return std::isfinite(rSquared) ? std::optional<double>(rSquared) : std::nullopt;
}

void AnalyseLeastSquaresLine(TCalculationResults& statistics) {
    ComputeResiduals(statistics);
    TLineSums sums = SumSquares(statistics);
    ClearRoundingResiduals(statistics, sums);
    if (statistics.NrInFit() >= 3) {
        statistics.Spread = EstimateSpread(statistics, sums);
        // With finite data only squares beyond the range of the arithmetic
        // leave a spread or an R^2 without a value.
        statistics.TooLarge = !statistics.Spread || !std::isfinite(sums.QHSquares);
    }
    statistics.RSquared = CoefficientOfDetermination(statistics, sums);
    ComputeInfluence(statistics, sums, NoiseOfFit(statistics));
}

TLineData DataSetsOf(const TCalculationResults& statistics) {
    return {statistics.Head, statistics.QH, statistics.NrOfDataSets, &statistics.InFit,
            statistics.DepthScale};
}

// Data sets left whose H" spread is a negligible part of the largest H" would
// give a line of rounding, not of the field.
bool FitLine(TCalculationResults& statistics, const TMeans& means) {
    const auto oneHead = [&statistics](double rmsHead, const TDataSetNoise&) {
        return Negligible(rmsHead, statistics.Head);
    };
    if (!FitLeastSquaresLine<TPlainArithmetic>(DataSetsOf(statistics), means, oneHead,
                                               statistics.SlopeA, statistics.InterceptB)) {
        return false;
    }
    SetConductivities<TPlainArithmetic>(statistics.SlopeA, statistics.InterceptB,
                                        statistics.DrainSpacing, statistics.EquivalentDepth,
                                        statistics.Ka, statistics.Kb);
    return std::isfinite(statistics.Ka) && std::isfinite(statistics.Kb);
}

bool Refit(TCalculationResults& statistics) {
    if (statistics.NrInFit() < 2) {
        return false;
    }
    const TMeans means = MeansOf<TPlainArithmetic>(DataSetsOf(statistics));
    statistics.MeanQH = means.QH;
    statistics.MeanHead = means.Head;
    if (statistics.Option == TCalculationOption::AboveAndBelowDrains) {
        statistics.SlopeA = SlopeThroughOrigin<TPlainArithmetic>(means);
        return std::isfinite(statistics.SlopeA);
    }
    return FitLine(statistics, means);
}

// What a fit of the same data sets starts from: the line and the
// conductivities (a fit that cannot fix a line of its own keeps them), not
// what AnalyseFit works out again. A million data sets carry some 90 MB of
// residuals and influence that a whole copy would only throw away.
TCalculationResults DataSetsAndLineOf(const TCalculationResults& full) {
    TCalculationResults statistics;
    statistics.Option = full.Option;
    statistics.NrOfDataSets = full.NrOfDataSets;
    statistics.MeanHead = full.MeanHead;
    statistics.MeanQH = full.MeanQH;
    statistics.SlopeA = full.SlopeA;
    statistics.InterceptB = full.InterceptB;
    statistics.EquivalentDepth = full.EquivalentDepth;
    statistics.DrainSpacing = full.DrainSpacing;
    statistics.Ka = full.Ka;
    statistics.Kb = full.Kb;
    statistics.DepthScale = full.DepthScale;
    statistics.Head = full.Head;
    statistics.QH = full.QH;
    return statistics;
}

} // namespace

void AnalyseFit(TCalculationResults& statistics) {
    statistics.Fitted.clear();
    statistics.Residuals.clear();
    statistics.Spread.reset();
    statistics.RSquared.reset();
    statistics.Influence.clear();
    statistics.InfluenceLimit.reset();
    statistics.TooLarge = false;
    statistics.Suspect.clear();
    statistics.Influential.clear();
    statistics.LineRestsOn.clear();
    if (statistics.Option == TCalculationOption::OverEntireSoilDepth) {
        AnalyseLeastSquaresLine(statistics);
    } else {
        statistics.Influence.assign(statistics.NrOfDataSets, TDataSetInfluence{});
    }
    statistics.Warnings = FitWarnings(statistics);
}

TCalculationResults CalculateResults(TCalculationOption option, TDMTylwen& store) {
    const double equivalentDepth = CalculateRegression(option, store);
    return FitStatisticsOfLastCalculation(option, equivalentDepth, store);
}

TCalculationResults FitStatisticsOfLastCalculation(TCalculationOption option,
                                                   double equivalentDepth, const TDMTylwen& store) {
    TCalculationResults statistics;
    statistics.Option = option;
    statistics.NrOfDataSets =
        std::min<std::size_t>({static_cast<std::size_t>(std::max(store.NrOfDataSets, 0)),
                               XValues.size(), YValues.size()});
    statistics.MeanHead = MeanX;
    statistics.MeanQH = MeanY;
    statistics.SlopeA = SlopeA;
    statistics.InterceptB = InterceptB;
    statistics.EquivalentDepth = equivalentDepth;
    statistics.DrainSpacing = store.DrainSpacing;
    statistics.Ka = store.Ka;
    statistics.Kb = store.Kb;
    statistics.DepthScale = DepthScale(store, statistics.NrOfDataSets);
    CopyDataSets(statistics);
    AnalyseFit(statistics);
    return statistics;
}

std::optional<TCalculationResults> FitWithout(const TCalculationResults& full,
                                              const std::vector<std::size_t>& excluded) {
    std::vector<std::size_t> sorted = excluded;
    std::sort(sorted.begin(), sorted.end());
    TCalculationResults statistics = DataSetsAndLineOf(full);
    statistics.InFit.assign(statistics.NrOfDataSets, true);
    for (std::size_t serial = 1; serial <= statistics.NrOfDataSets; ++serial) {
        if (std::binary_search(sorted.begin(), sorted.end(), serial)) {
            statistics.InFit[serial - 1] = false;
            statistics.Excluded.push_back(serial);
        }
    }
    if (!Refit(statistics)) {
        return std::nullopt;
    }
    AnalyseFit(statistics);
    return statistics;
}
