// The warnings a fit deserves, in plain words: conductivities no soil can
// have, intervals that do not exclude zero, data sets that deserve a second
// look, and too few data sets to say much.
#pragma once

#include "UCalculationResults.h"

#include <string>
#include <vector>

std::vector<TFitWarning> FitWarnings(const TFitStatistics& statistics);

// "3", "3 and 7", "3, 7 and 9".
std::string SerialListText(const std::vector<std::size_t>& serials);
