// The whole calculation as one value: what the output file, the graph, the
// report and the companion program are given, so that none of them has to
// read the shared regression variables.
#pragma once

#include "UCalculation.h"
#include "UDMTylwen.h"
#include "UFitStatistics.h"

// Runs the calculation on the store and returns d, A, B, Ka, Kb, H" and Q/H"
// of every data set, the option and the statistics. SlopeA, InterceptB,
// MeanX, MeanY, XValues and YValues are left filled with the same results for
// those that read them. Raises where the calculation raises.
TFitStatistics CalculateResults(TCalculationOption option, TDMTylwen& store = DMTylwen);
