#include "UInfluence.h"

#include "UArithmetic.h"
#include "UConductivities.h"
#include "ULeastSquares.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace {

// Sxx without a data set this small against the whole Sxx leaves the others
// at one H" (up to rounding): no line through them.
constexpr double SpreadMargin = 1e-12;

// Some ten roundings of the sums behind a difference.
constexpr double CancellationMargin = 1e-13;

// The t where n p reaches 1 is taken this much smaller, which raises p there
// by at least some 1e-7 of itself; the p-values are good to some 1e-15.
constexpr double OneMargin = 1e-6;
constexpr double OneSlack = 1e-9;

struct TFitSize {
    std::size_t Count = 0;
    double N = 0.0;
};

// What the influence of every data set of one fit is worked out from.
struct TFitContext {
    const TCalculationResults& Statistics;
    const TLineSums& Sums;
    TFitSize Size;
    TLineFit Line;
    const TDataSetNoise& Noise;
    const TBonferroni& Bonferroni;
};

// A data set of leverage 1 fixes the line at its H" by itself: its residual
// is rounding, and dividing by 1 - h would only enlarge that.
std::optional<double> Studentized(double residual, double leverage, bool restsOnIt,
                                  const std::optional<TSpreadStatistics>& spread) {
    if (!spread || spread->ResidualDeviation <= 0.0 || restsOnIt || !(leverage < 1.0)) {
        return std::nullopt;
    }
    return residual / (spread->ResidualDeviation * std::sqrt(1.0 - leverage));
}

// t = r sqrt((n - 3) / (n - 2 - r^2)); when the other data sets lie on a line
// (r^2 = n - 2 but for rounding) their spread is nil and t is unbounded: the
// data set lies infinitely many of their deviations off it, and no scatter
// puts it there (p = 0).
void AddExternal(TDataSetInfluence& influence, const TFitContext& fit, double residual) {
    if (!influence.Studentized || fit.Size.Count < 4) {
        return;
    }
    const double r = *influence.Studentized;
    if (OthersLieOnOneLine(r, residual, fit.Sums.ResidualSquares, fit.Sums.AbsoluteResiduals,
                           fit.Size.Count, fit.Noise)) {
        influence.External = std::copysign(std::numeric_limits<double>::infinity(), r);
        influence.BonferroniP = 0.0;
        return;
    }
    const double rest = fit.Size.N - 2.0 - r * r;
    if (!(rest > 0.0)) {
        return;
    }
    const double t = r * std::sqrt((fit.Size.N - 3.0) / rest);
    influence.External = t;
    influence.BonferroniP = fit.Bonferroni.PValue(t);
}

void AddCooksDistance(TDataSetInfluence& influence) {
    if (!influence.Studentized) {
        return;
    }
    const double r = *influence.Studentized;
    const double h = *influence.Leverage;
    influence.CooksDistance = r * r * h / (2.0 * (1.0 - h));
}

// `difference` of a and b, or 0 when it is only what rounding left of two
// equal values: the data sets without one may lie on a line through the
// origin or a level line, and Ka or Kb is then 0, not 1e-14.
double WithoutCancellation(double difference, double a, double b) {
    return std::fabs(difference) <= CancellationMargin * std::max(std::fabs(a), std::fabs(b))
               ? 0.0
               : difference;
}

// The line without data set i from the sums of the whole fit, downdated:
// removing (x, y) moves the means by (mean - x) / (n - 1) and takes
// n / (n - 1) times the product of its deviations from Sxx and Sxy.
void AddWithout(TDataSetInfluence& influence, const TCalculationResults& statistics,
                const TLineSums& sums, const TFitSize& size, std::size_t i) {
    if (size.Count < 3) {
        return;
    }
    const double dx = statistics.Head[i] - statistics.MeanHead;
    const double dy = statistics.QH[i] - statistics.MeanQH;
    const double share = size.N / (size.N - 1.0);
    const double sxx = sums.HeadSquares - share * dx * dx;
    if (sxx <= SpreadMargin * sums.HeadSquares) {
        return;
    }
    const double ownCross = share * dx * dy;
    const double slope = WithoutCancellation(sums.Cross - ownCross, sums.Cross, ownCross) / sxx;
    const TMeans means{statistics.MeanHead - dx / (size.N - 1.0),
                       statistics.MeanQH - dy / (size.N - 1.0)};
    const double intercept = WithoutCancellation(
        InterceptThroughMeans<TPlainArithmetic>(means, slope), means.QH, slope * means.Head);
    double ka = 0.0;
    double kb = 0.0;
    SetConductivities<TPlainArithmetic>(slope, intercept, statistics.DrainSpacing,
                                        statistics.EquivalentDepth, ka, kb);
    if (std::isfinite(ka) && std::isfinite(kb)) {
        influence.KaWithout = ka;
        influence.KbWithout = kb;
    }
}

// With three data sets or more a line that rests on one of them cannot be
// judged without it: no Ka without it, no residual of it.
TDataSetInfluence InfluenceOf(const TFitContext& fit, std::size_t i, bool& restsOnIt) {
    const TCalculationResults& statistics = fit.Statistics;
    TDataSetInfluence influence;
    const double dx = statistics.Head[i] - statistics.MeanHead;
    const double leverage = 1.0 / fit.Size.N + dx * dx / fit.Sums.HeadSquares;
    restsOnIt = false;
    if (!std::isfinite(leverage)) {
        return influence;
    }
    influence.Leverage = leverage;
    restsOnIt = fit.Size.Count >= 3 && LeverageIsOne(leverage, dx, fit.Line, fit.Noise);
    const double residual = statistics.Residuals[i];
    influence.Studentized = Studentized(residual, leverage, restsOnIt, statistics.Spread);
    AddExternal(influence, fit, residual);
    AddCooksDistance(influence);
    if (!restsOnIt) {
        AddWithout(influence, statistics, fit.Sums, fit.Size, i);
    }
    return influence;
}

void Classify(TCalculationResults& statistics, std::size_t i, bool restsOnIt) {
    const TDataSetInfluence& influence = statistics.Influence[i];
    if (influence.BonferroniP && *influence.BonferroniP < SuspectLevel) {
        statistics.Suspect.push_back(i + 1);
    }
    if (restsOnIt) {
        statistics.LineRestsOn.push_back(i + 1);
    }
    if (restsOnIt || (influence.CooksDistance && statistics.InfluenceLimit &&
                      *influence.CooksDistance > *statistics.InfluenceLimit)) {
        statistics.Influential.push_back(i + 1);
    }
}

double TwoSidedP(double degreesOfFreedom, double t) {
    const boost::math::students_t distribution(degreesOfFreedom);
    return 2.0 * boost::math::cdf(boost::math::complement(distribution, std::fabs(t)));
}

} // namespace

TBonferroni::TBonferroni(double n) : n_(n) {
    if (!(n >= 4.0)) {
        return;
    }
    try {
        const boost::math::students_t distribution(n - 3.0);
        const double t = boost::math::quantile(boost::math::complement(distribution, 0.5 / n)) *
                         (1.0 - OneMargin);
        // Checked with the very p-value it stands for: below that t every p
        // is larger, and n p stays at least 1 whatever the rounding.
        if (std::isfinite(t) && t > 0.0 && n * TwoSidedP(n - 3.0, t) >= 1.0 + OneSlack) {
            certainlyOne_ = t;
        }
    } catch (const std::exception&) {
        // No short cut: every p-value is worked out.
    }
}

double TBonferroni::PValue(double t) const {
    if (std::fabs(t) < certainlyOne_) {
        return 1.0;
    }
    return std::min(1.0, n_ * TwoSidedP(n_ - 3.0, t));
}

double MedianOfF(double denominatorFreedom) {
    return boost::math::median(boost::math::fisher_f(2.0, denominatorFreedom));
}

void ComputeInfluence(TCalculationResults& statistics, const TLineSums& sums,
                      const TDataSetNoise& noise) {
    const TFitSize size{statistics.NrInFit(), static_cast<double>(statistics.NrInFit())};
    statistics.Influence.assign(statistics.NrOfDataSets, TDataSetInfluence{});
    if (size.Count >= 3) {
        statistics.InfluenceLimit = MedianOfF(size.N - 2.0);
    }
    const TBonferroni bonferroni(size.N);
    const TFitContext fit{
        statistics,
        sums,
        size,
        {statistics.MeanHead, statistics.MeanQH, sums.HeadSquares, statistics.SlopeA, size.Count},
        noise,
        bonferroni};
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        if (statistics.IsInFit(i)) {
            bool restsOnIt = false;
            statistics.Influence[i] = InfluenceOf(fit, i, restsOnIt);
            Classify(statistics, i, restsOnIt);
        }
    }
}
