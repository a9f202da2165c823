// The statistics of a calculation's line, worked out from its data sets, and
// the same data sets fitted again with some of them left out.
#pragma once

#include "UCalculationOption.h"
#include "UCalculationResults.h"
#include "UDMTylwen.h"

#include <cstddef>
#include <optional>
#include <vector>

// Runs the calculation on the store and returns d, A, B, Ka, Kb, H" and Q/H"
// of every data set, the option and the statistics. SlopeA, InterceptB,
// MeanX, MeanY, XValues and YValues are left filled with the same results for
// those that read them. Raises where the calculation raises.
TCalculationResults CalculateResults(TCalculationOption option, TDMTylwen& store = DMTylwen);

// The statistics of the calculation that has just run: reads XValues,
// YValues, SlopeA, InterceptB, MeanX and MeanY as it left them, the count,
// the drain spacing and the conductivities from the store, and takes the
// equivalent depth it returned. Never raises: what cannot be estimated is left
// out.
TCalculationResults FitStatisticsOfLastCalculation(TCalculationOption option,
                                                   double equivalentDepth,
                                                   const TDMTylwen& store = DMTylwen);

// The same data sets fitted again without the data sets `excluded` (serial
// numbers; those out of range are ignored). Nothing when what is left cannot
// fix a line: fewer than two data sets, or all at one H".
std::optional<TCalculationResults> FitWithout(const TCalculationResults& full,
                                              const std::vector<std::size_t>& excluded);

// Fills everything that follows from the line: residuals, spread, influence,
// suspects and warnings. Expects the data sets, InFit, the means over the fit,
// the line and the conductivities to be set.
void AnalyseFit(TCalculationResults& statistics);
