#include "UFitStatistics.h"

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

struct TSums {
    double HeadSquares = 0.0;     // Sxx
    double QHSquares = 0.0;       // Syy
    double ResidualSquares = 0.0; // SSE
};

void CopyDataSets(TFitStatistics& statistics) {
    const std::size_t n = statistics.NrOfDataSets;
    statistics.Head.assign(XValues.begin(), XValues.begin() + n);
    statistics.QH.assign(YValues.begin(), YValues.begin() + n);
}

double LargestMagnitude(const std::vector<double>& values) {
    double largest = 0.0;
    for (const double value : values) {
        largest = std::max(largest, std::fabs(value));
    }
    return largest;
}

bool Negligible(double spread, const TFitStatistics& statistics) {
    return spread <= RoundingRatio * LargestMagnitude(statistics.QH);
}

void ComputeResiduals(TFitStatistics& statistics) {
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const double fitted = statistics.SlopeA * statistics.Head[i] + statistics.InterceptB;
        statistics.Fitted.push_back(fitted);
        statistics.Residuals.push_back(statistics.QH[i] - fitted);
    }
}

TSums SumSquares(const TFitStatistics& statistics) {
    TSums sums;
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const double dx = statistics.Head[i] - statistics.MeanHead;
        const double dy = statistics.QH[i] - statistics.MeanQH;
        sums.HeadSquares += dx * dx;
        sums.QHSquares += dy * dy;
        sums.ResidualSquares += statistics.Residuals[i] * statistics.Residuals[i];
    }
    return sums;
}

TInterval Around(double value, double halfWidth) {
    return {value - halfWidth, value + halfWidth};
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

std::optional<TSpreadStatistics> EstimateSpread(const TFitStatistics& statistics, const TSums& sums,
                                                double drainSpacing) {
    const std::size_t n = statistics.NrOfDataSets;
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
    const double spacingSquared = drainSpacing * drainSpacing;
    spread.KaInterval = Scaled(spread.SlopeInterval, spacingSquared / 4.0);
    spread.KbInterval =
        Scaled(spread.InterceptInterval, spacingSquared / (8.0 * statistics.EquivalentDepth));
    if (!AllFinite(spread)) {
        return std::nullopt;
    }
    return spread;
}

std::optional<double> CoefficientOfDetermination(const TFitStatistics& statistics,
                                                 const TSums& sums) {
    const double n = static_cast<double>(statistics.NrOfDataSets);
    if (!statistics.Spread || Negligible(std::sqrt(sums.QHSquares / n), statistics)) {
        return std::nullopt;
    }
    const double rSquared = 1.0 - sums.ResidualSquares / sums.QHSquares;
    return std::isfinite(rSquared) ? std::optional<double>(rSquared) : std::nullopt;
}

void MarkSuspects(TFitStatistics& statistics) {
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const std::optional<double> standardized = statistics.StandardizedResidual(i);
        if (standardized && std::fabs(*standardized) > SuspectLimit) {
            statistics.Suspect.push_back(i + 1);
        }
    }
}

// Cook's distance from the residual and the leverage of each data set; a
// data set with the whole leverage (h = 1) has none that can be measured.
void MarkInfluential(TFitStatistics& statistics) {
    if (!statistics.Spread || statistics.Spread->ResidualDeviation <= 0.0) {
        return;
    }
    const TSpreadStatistics& spread = *statistics.Spread;
    const double n = static_cast<double>(statistics.NrOfDataSets);
    const double variance = spread.ResidualDeviation * spread.ResidualDeviation;
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        const double dx = statistics.Head[i] - statistics.MeanHead;
        const double leverage = 1.0 / n + dx * dx / spread.HeadSquares;
        if (!(leverage < 1.0)) {
            continue;
        }
        const double residual = statistics.Residuals[i];
        const double cook = residual * residual / (2.0 * variance) * leverage /
                            ((1.0 - leverage) * (1.0 - leverage));
        if (cook > InfluenceLimit / n) {
            statistics.Influential.push_back(i + 1);
        }
    }
}

void AnalyseLeastSquaresLine(TFitStatistics& statistics, double drainSpacing) {
    ComputeResiduals(statistics);
    TSums sums = SumSquares(statistics);
    const double n = static_cast<double>(statistics.NrOfDataSets);
    if (Negligible(std::sqrt(sums.ResidualSquares / n), statistics)) {
        std::fill(statistics.Residuals.begin(), statistics.Residuals.end(), 0.0);
        sums.ResidualSquares = 0.0;
    }
    if (statistics.NrOfDataSets >= 3) {
        statistics.Spread = EstimateSpread(statistics, sums, drainSpacing);
    }
    statistics.RSquared = CoefficientOfDetermination(statistics, sums);
    MarkSuspects(statistics);
    MarkInfluential(statistics);
}

} // namespace

bool TFitStatistics::IsSuspect(std::size_t serial) const {
    return std::find(Suspect.begin(), Suspect.end(), serial) != Suspect.end();
}

bool TFitStatistics::IsInfluential(std::size_t serial) const {
    return std::find(Influential.begin(), Influential.end(), serial) != Influential.end();
}

double TFitStatistics::LineAt(double head) const {
    return Option == TCalculationOption::OverEntireSoilDepth ? SlopeA * head + InterceptB
                                                             : SlopeA * head;
}

std::optional<TInterval> TFitStatistics::BandAt(double head) const {
    if (!Spread || !(Spread->HeadSquares > 0.0) || NrOfDataSets == 0) {
        return std::nullopt;
    }
    const double dx = head - MeanHead;
    const double halfWidth =
        Spread->StudentT * Spread->ResidualDeviation *
        std::sqrt(1.0 / static_cast<double>(NrOfDataSets) + dx * dx / Spread->HeadSquares);
    if (!std::isfinite(halfWidth)) {
        return std::nullopt;
    }
    return Around(LineAt(head), halfWidth);
}

std::optional<double> TFitStatistics::StandardizedResidual(std::size_t index) const {
    if (!Spread || Spread->ResidualDeviation <= 0.0 || index >= Residuals.size()) {
        return std::nullopt;
    }
    return Residuals[index] / Spread->ResidualDeviation;
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
    statistics.Ka = store.Ka;
    statistics.Kb = store.Kb;
    CopyDataSets(statistics);
    if (option == TCalculationOption::OverEntireSoilDepth) {
        AnalyseLeastSquaresLine(statistics, store.DrainSpacing);
    }
    return statistics;
}
