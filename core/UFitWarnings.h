// The warnings a fit deserves, in plain words: conductivities no soil can
// have, intervals that do not exclude zero, data sets that deserve a second
// look, and too few data sets to say much.
#pragma once

#include "UCalculationResults.h"

#include <vector>

std::vector<TFitWarning> FitWarnings(const TCalculationResults& statistics);
