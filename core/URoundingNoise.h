// How much of a result the rounding of the arithmetic alone can have made:
// bounds derived from the sizes of the values and the number of roundings
// behind them, below which a difference says nothing about the field.
#pragma once

#include "UDMTylwen.h"

#include <cstddef>
#include <vector>

// The sizes behind the data sets: the depths were typed in metres below the
// surface and became heights above drain level, H" their difference. Every
// typed depth lies within the drain depth plus the larger of H and E.
double DepthScale(const TDMTylwen& store, std::size_t n);

// The most rounding can move a deviation of H" and of Q/H" from its mean.
struct TDataSetNoise {
    double Head = 0.0;
    double QH = 0.0;
};

// The noise of a deviation of H" among `count` data sets whose largest H" is
// `largestHead`.
double HeadDeviationNoise(double depthScale, std::size_t count, double largestHead);

// Over the first `n` data sets, those that `inFit` marks (all when it is
// empty); `depthScale` as DepthScale gives it.
TDataSetNoise NoiseOfDataSets(const std::vector<double>& heads, const std::vector<double>& qh,
                              std::size_t n, const std::vector<bool>& inFit, double depthScale);

// Whether a root mean square deviation of H" of `rmsHead` is what rounding
// makes of equal H" (noise as HeadDeviationNoise gives it): no line can be
// fitted through them.
bool HeadSpreadIsRoundingNoise(double rmsHead, double headNoise);

// The sums of a least-squares line by which its rounding is judged: the
// absolute deviations from the means and their products.
struct TAbsoluteSums {
    double Head = 0.0;
    double QH = 0.0;
    double Cross = 0.0;
    void Add(double dx, double dy);
};

struct TLineFit {
    double MeanHead = 0.0;
    double MeanQH = 0.0;
    double HeadSquares = 0.0; // Sxx
    double Slope = 0.0;
    std::size_t Count = 0;
};

// The most rounding can make of a slope and of an intercept that are 0.
double SlopeNoise(const TLineFit& line, const TAbsoluteSums& sums, const TDataSetNoise& noise);
double InterceptNoise(const TLineFit& line, double slopeNoise, const TDataSetNoise& noise);

// 0 for a value that rounding alone can have made of 0, else the value.
double ZeroButForRounding(double value, double noise);

// Whether 1 - h of a data set whose H" lies `headDeviation` from the mean is
// rounding: the other data sets lie at one H" and the line rests on it alone.
bool LeverageIsOne(double leverage, double headDeviation, const TLineFit& line,
                   const TDataSetNoise& noise);

// Whether n - 2 - r^2 of a data set with internally studentized residual
// `studentized` and residual `residual` is rounding: the other data sets lie
// on one line without it. `residualSquares` is the SSE of the fit,
// `absoluteResiduals` the sum of the residuals' magnitudes.
bool OthersLieOnOneLine(double studentized, double residual, double residualSquares,
                        double absoluteResiduals, std::size_t count, const TDataSetNoise& noise);
