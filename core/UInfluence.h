// How far each data set of a least-squares fit lies from the line, and how
// much the line would move without it: leverage, studentized residuals with
// their Bonferroni p-value, Cook's distance, and Ka and Kb without the data set.
#pragma once

#include "UCalculationResults.h"
#include "URoundingNoise.h"

// Sums over the data sets in the fit, about their means.
struct TLineSums {
    double HeadSquares = 0.0;     // Sxx
    double QHSquares = 0.0;       // Syy
    double Cross = 0.0;           // Sxy
    double ResidualSquares = 0.0; // SSE
    double AbsoluteResiduals = 0.0;
};

// The Bonferroni p-value of an externally studentized residual t among n
// data sets: n times its two-sided p-value from Student's t with n - 3
// degrees of freedom, at most 1. Most data sets of a large fit lie where that
// is 1; below the t where n p reaches 1 it is given at once, which spares
// them the incomplete beta function (it took half a Save-calculate of a
// million data sets) and gives the very same value.
class TBonferroni {
public:
    // n below 4 leaves no degree of freedom for t: every p-value is worked out.
    explicit TBonferroni(double n);
    double PValue(double t) const;
    // |t| below this gives 1; 0 when nothing is given at once.
    double CertainlyOne() const { return certainlyOne_; }

private:
    double n_;
    double certainlyOne_ = 0.0;
};

// Fills Influence, InfluenceLimit, Suspect, Influential and LineRestsOn of a
// least-squares fit whose residuals and spread are set; `noise` tells what
// rounding can make of its data sets.
void ComputeInfluence(TCalculationResults& statistics, const TLineSums& sums,
                      const TDataSetNoise& noise);

// The median of the F distribution with 2 and `denominatorFreedom` degrees of
// freedom.
double MedianOfF(double denominatorFreedom);
