#include "UCalculationResults.h"

TFitStatistics CalculateResults(TCalculationOption option, TDMTylwen& store) {
    const double equivalentDepth = CalculateRegression(option, store);
    return FitStatisticsOfLastCalculation(option, equivalentDepth, store);
}
