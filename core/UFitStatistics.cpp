#include "UFitStatistics.h"

#include "UCalculation.h"
#include "UFitWarnings.h"
#include "UInfluence.h"
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

void CopyDataSets(TFitStatistics& statistics) {
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

TDataSetNoise NoiseOfFit(const TFitStatistics& statistics) {
    return NoiseOfDataSets(statistics.Head, statistics.QH, statistics.NrOfDataSets,
                           statistics.InFit, statistics.DepthScale);
}

void ComputeResiduals(TFitStatistics& statistics) {
    statistics.Fitted.reserve(statistics.NrOfDataSets);
    statistics.Residuals.reserve(statistics.NrOfDataSets);
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const double fitted = statistics.SlopeA * statistics.Head[i] + statistics.InterceptB;
        statistics.Fitted.push_back(fitted);
        statistics.Residuals.push_back(statistics.QH[i] - fitted);
    }
}

TLineSums SumSquares(const TFitStatistics& statistics) {
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
void ClearRoundingResiduals(TFitStatistics& statistics, TLineSums& sums) {
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

// Ka and Kb are fixed multiples of A and B, so their intervals are the same
// multiples of those of A and B (a negative multiple turns them round).
TInterval Scaled(const TInterval& interval, double factor) {
    const double low = interval.Low * factor;
    const double high = interval.High * factor;
    return {std::min(low, high), std::max(low, high)};
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

std::optional<TSpreadStatistics> EstimateSpread(const TFitStatistics& statistics,
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
    const double spacingSquared = statistics.DrainSpacing * statistics.DrainSpacing;
    spread.KaInterval = Scaled(spread.SlopeInterval, spacingSquared / 4.0);
    spread.KbInterval =
        Scaled(spread.InterceptInterval, spacingSquared / (8.0 * statistics.EquivalentDepth));
    if (!AllFinite(spread)) {
        return std::nullopt;
    }
    return spread;
}

std::optional<double> CoefficientOfDetermination(const TFitStatistics& statistics,
                                                 const TLineSums& sums) {
    const double n = static_cast<double>(statistics.NrInFit());
    if (!statistics.Spread || !std::isfinite(sums.QHSquares) ||
        Negligible(std::sqrt(sums.QHSquares / n), statistics.QH)) {
        return std::nullopt;
    }
    const double rSquared = 1.0 - sums.ResidualSquares / sums.QHSquares;
    return std::isfinite(rSquared) ? std::optional<double>(rSquared) : std::nullopt;
}

void AnalyseLeastSquaresLine(TFitStatistics& statistics) {
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

void ComputeMeans(TFitStatistics& statistics) {
    double sumQH = 0.0;
    double sumHead = 0.0;
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        if (statistics.IsInFit(i)) {
            sumQH += statistics.QH[i];
            sumHead += statistics.Head[i];
        }
    }
    const double count = static_cast<double>(statistics.NrInFit());
    statistics.MeanQH = sumQH / count;
    statistics.MeanHead = sumHead / count;
}

// The same steps and order as the calculation, so that a fit of every data
// set gives its very numbers, rounding noise taken as 0 alike.
bool FitLine(TFitStatistics& statistics) {
    double sxx = 0.0;
    double sxy = 0.0;
    TAbsoluteSums absolute;
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        if (statistics.IsInFit(i)) {
            const double dx = statistics.Head[i] - statistics.MeanHead;
            const double dy = statistics.QH[i] - statistics.MeanQH;
            sxx += dx * dx;
            sxy += dy * dx;
            absolute.Add(dx, dy);
        }
    }
    const std::size_t count = statistics.NrInFit();
    if (Negligible(std::sqrt(sxx / static_cast<double>(count)), statistics.Head)) {
        return false;
    }
    const TDataSetNoise noise = NoiseOfFit(statistics);
    TLineFit line{statistics.MeanHead, statistics.MeanQH, sxx, sxy / sxx, count};
    const double slopeNoise = SlopeNoise(line, absolute, noise);
    line.Slope = ZeroButForRounding(line.Slope, slopeNoise);
    statistics.SlopeA = line.Slope;
    statistics.InterceptB =
        ZeroButForRounding(statistics.MeanQH - statistics.SlopeA * statistics.MeanHead,
                           InterceptNoise(line, slopeNoise, noise));
    const double spacingSquared = statistics.DrainSpacing * statistics.DrainSpacing;
    statistics.Ka = spacingSquared * statistics.SlopeA / 4.0;
    statistics.Kb = spacingSquared * statistics.InterceptB / (8.0 * statistics.EquivalentDepth);
    return std::isfinite(statistics.Ka) && std::isfinite(statistics.Kb);
}

bool Refit(TFitStatistics& statistics) {
    if (statistics.NrInFit() < 2) {
        return false;
    }
    ComputeMeans(statistics);
    if (statistics.Option == TCalculationOption::AboveAndBelowDrains) {
        statistics.SlopeA = statistics.MeanQH / statistics.MeanHead;
        return std::isfinite(statistics.SlopeA);
    }
    return FitLine(statistics);
}

} // namespace

void AnalyseFit(TFitStatistics& statistics) {
    statistics.Fitted.clear();
    statistics.Residuals.clear();
    statistics.Spread.reset();
    statistics.RSquared.reset();
    statistics.Influence.assign(statistics.NrOfDataSets, TDataSetInfluence{});
    statistics.InfluenceLimit.reset();
    statistics.TooLarge = false;
    statistics.Suspect.clear();
    statistics.Influential.clear();
    statistics.LineRestsOn.clear();
    if (statistics.Option == TCalculationOption::OverEntireSoilDepth) {
        AnalyseLeastSquaresLine(statistics);
    }
    statistics.Warnings = FitWarnings(statistics);
}

TFitStatistics CalculateResults(TCalculationOption option, TDMTylwen& store) {
    const double equivalentDepth = CalculateRegression(option, store);
    return FitStatisticsOfLastCalculation(option, equivalentDepth, store);
}

TFitStatistics FitStatisticsOfLastCalculation(TCalculationOption option, double equivalentDepth,
                                              const TDMTylwen& store) {
    TFitStatistics statistics;
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

std::optional<TFitStatistics> FitWithout(const TFitStatistics& full,
                                         const std::vector<std::size_t>& excluded) {
    std::vector<std::size_t> sorted = excluded;
    std::sort(sorted.begin(), sorted.end());
    TFitStatistics statistics = full;
    statistics.InFit.assign(statistics.NrOfDataSets, true);
    statistics.Excluded.clear();
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
