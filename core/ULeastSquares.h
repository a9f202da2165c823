// The line Q/H" = A H" + B through the data sets (H", Q/H"), the one way the
// calculation, the statistics and the what-if fit work it out, in the
// arithmetic each of them needs (UArithmetic.h). Every sum runs in index
// order, so that the same data sets give the same digits wherever they are
// fitted.
#pragma once

#include "URoundingNoise.h"

#include <cstddef>
#include <functional>
#include <vector>

// The data sets a line is fitted to: the first Count entries of Head (H") and
// QH (Q/H"), of them those that InFit marks (all when it is null or empty).
// DepthScale is the size of the depths behind them (DepthScale()).
struct TLineData {
    const std::vector<double>& Head;
    const std::vector<double>& QH;
    std::size_t Count;
    const std::vector<bool>* InFit;
    double DepthScale;
};

struct TMeans {
    double Head = 0.0;
    double QH = 0.0;
};

// The means of H" and Q/H" of the data sets in the fit, summed in one pass;
// the mean Q/H" is divided out first.
template <typename Arithmetic> TMeans MeansOf(const TLineData& data);

// Whether data sets whose H" have the root mean square deviation `rmsHead`
// from their mean lie at one H" (`noise` tells what rounding can make of
// them): then no line can be fitted through them.
using TOneHeadTest = std::function<bool(double rmsHead, const TDataSetNoise& noise)>;

// The least-squares line through the data sets in the fit and their `means`.
// False, and nothing set, when `oneHead` finds them at one H". A slope or an
// intercept that rounding alone can have made of 0 is 0. The slope is set
// before the intercept is worked out, so that an error of the arithmetic in
// the intercept leaves the slope as the calculation's steps would.
template <typename Arithmetic>
bool FitLeastSquaresLine(const TLineData& data, const TMeans& means, const TOneHeadTest& oneHead,
                         double& slope, double& intercept);

// The intercept of the line of `slope` through the mean point.
template <typename Arithmetic> double InterceptThroughMeans(const TMeans& means, double slope);

// The slope of the second option's line, through the origin and the mean
// point: mean Q/H" / mean H".
template <typename Arithmetic> double SlopeThroughOrigin(const TMeans& means);
