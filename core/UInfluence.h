// How far each data set of a least-squares fit lies from the line, and how
// much the line would move without it: leverage, studentized residuals with
// their Bonferroni p-value, Cook's distance, and Ka and Kb without the data set.
#pragma once

#include "UFitStatistics.h"

// Sums over the data sets in the fit, about their means.
struct TLineSums {
    double HeadSquares = 0.0;     // Sxx
    double QHSquares = 0.0;       // Syy
    double Cross = 0.0;           // Sxy
    double ResidualSquares = 0.0; // SSE
};

// Fills Influence, InfluenceLimit, Suspect and Influential of a least-squares
// fit whose residuals and spread are set.
void ComputeInfluence(TFitStatistics& statistics, const TLineSums& sums);

// The median of the F distribution with 2 and `denominatorFreedom` degrees of
// freedom.
double MedianOfF(double denominatorFreedom);
