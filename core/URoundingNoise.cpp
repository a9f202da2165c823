#include "URoundingNoise.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Epsilon = std::numeric_limits<double>::epsilon();

// A value of the calculation goes through some six roundings, each off by at
// most half an epsilon of the largest value it touched: a typed depth
// (decimal fractions in binary), H and E as differences from the drain depth,
// H" as their difference and its deviation from the mean; a discharge as
// typed, in m/day, and Q/H" as a quotient. Eight epsilons per value leave a
// margin above two.
constexpr double RoundingsPerValue = 8.0;
constexpr double ValueNoise = RoundingsPerValue * Epsilon;

bool Counts(const std::vector<bool>& inFit, std::size_t i) {
    return inFit.empty() || (i < inFit.size() && inFit[i]);
}

} // namespace

double DepthScale(const TDMTylwen& store, std::size_t n) {
    double largest = 0.0;
    const std::size_t count = std::min({n, store.WorkMidway.size(), store.WorkNear.size()});
    for (std::size_t i = 0; i < count; ++i) {
        largest = std::max({largest, std::fabs(store.WorkMidway[i]), std::fabs(store.WorkNear[i])});
    }
    return std::fabs(store.DrainDepth) + largest;
}

// H" is off by at most ValueNoise times the depths behind it, and the mean
// adds one rounding of the running sum per data set. That noise is some
// 1e-14 m for field data; H" that differ by a millimetre lie eleven orders of
// magnitude above it.
double HeadDeviationNoise(double depthScale, std::size_t count, double largestHead) {
    return ValueNoise * (depthScale + static_cast<double>(count) * largestHead);
}

// Q/H" carries the
// roundings of the discharge and the quotient, plus the error of H" in
// proportion: depthScale / |H"| times its own relative noise.
TDataSetNoise NoiseOfDataSets(const std::vector<double>& heads, const std::vector<double>& qh,
                              std::size_t n, const std::vector<bool>& inFit, double depthScale) {
    double largestHead = 0.0;
    double largestQH = 0.0;
    double largestQHNoise = 0.0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < n && i < heads.size() && i < qh.size(); ++i) {
        if (!Counts(inFit, i)) {
            continue;
        }
        ++count;
        const double head = std::fabs(heads[i]);
        const double value = std::fabs(qh[i]);
        largestHead = std::max(largestHead, head);
        largestQH = std::max(largestQH, value);
        if (head > 0.0) {
            largestQHNoise = std::max(largestQHNoise, value * (1.0 + depthScale / head));
        }
    }
    return {HeadDeviationNoise(depthScale, count, largestHead),
            ValueNoise * (largestQHNoise + static_cast<double>(count) * largestQH)};
}

bool HeadSpreadIsRoundingNoise(double rmsHead, double headNoise) {
    return rmsHead <= headNoise;
}

void TAbsoluteSums::Add(double dx, double dy) {
    Head += std::fabs(dx);
    QH += std::fabs(dy);
    Cross += std::fabs(dx * dy);
}

// Sxy = sum dx dy moves by at most the noise of each dy times |dx|, the noise
// of each dx times |dy|, and a rounding of the running sum per data set; the
// slope is Sxy / Sxx.
double SlopeNoise(const TLineFit& line, const TAbsoluteSums& sums, const TDataSetNoise& noise) {
    const double summing = ValueNoise * static_cast<double>(line.Count) * sums.Cross;
    return (noise.QH * sums.Head + noise.Head * sums.QH + summing) / line.HeadSquares;
}

// B = mean Q/H" - A mean H": the noise of the mean, of the slope carried to
// the mean H", and the roundings of the product and the difference.
double InterceptNoise(const TLineFit& line, double slopeNoise, const TDataSetNoise& noise) {
    return noise.QH + std::fabs(line.MeanHead) * slopeNoise +
           ValueNoise * (std::fabs(line.MeanQH) + std::fabs(line.Slope * line.MeanHead));
}

double ZeroButForRounding(double value, double noise) {
    return std::isfinite(noise) && std::fabs(value) <= noise ? 0.0 : value;
}

// 1 - h = (n - 1) / n * Sxx' / Sxx, with Sxx' the Sxx of the other data sets.
// Those at one H" leave Sxx' at most (n - 1) times the squared noise of a
// deviation; h itself carries the noise of its dx^2 / Sxx and its roundings.
bool LeverageIsOne(double leverage, double headDeviation, const TLineFit& line,
                   const TDataSetNoise& noise) {
    const double n = static_cast<double>(line.Count);
    const double others = (n - 1.0) * (n - 1.0) / n * noise.Head * noise.Head;
    const double ownNoise = 2.0 * std::fabs(headDeviation) * noise.Head;
    const double bound = ValueNoise + (ownNoise + others) / line.HeadSquares;
    return std::isfinite(bound) && 1.0 - leverage <= bound;
}

// (n - 2 - r^2) / (n - 2) = SSE' / SSE, with SSE' the residual squares of the
// line fitted without the data set. Other data sets on one line leave SSE'
// at most (n - 1) squared residual noises, the data set's own and the line's
// at its H", each at most the noise of a Q/H" deviation. r^2 itself is off by
// the relative noise of its squared residual and of SSE, and by the roundings
// of the sums.
bool OthersLieOnOneLine(double studentized, double residual, double residualSquares,
                        double absoluteResiduals, std::size_t count, const TDataSetNoise& noise) {
    if (residual == 0.0) {
        return false;
    }
    const double n = static_cast<double>(count);
    const double residualNoise = 2.0 * noise.QH;
    const double relative = 2.0 * residualNoise / std::fabs(residual) +
                            2.0 * residualNoise * absoluteResiduals / residualSquares +
                            ValueNoise * n;
    const double rSquared = studentized * studentized;
    const double others = (n - 2.0) * (n - 1.0) * residualNoise * residualNoise / residualSquares;
    const double bound = rSquared * relative + others;
    return std::isfinite(bound) && n - 2.0 - rSquared <= bound;
}
