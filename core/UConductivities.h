// Ka and Kb from the line Q/H" = A H" + B: the rearranged drain-spacing
// equation gives A = 4 Ka / S^2 and B = 8 Kb d / S^2.
#pragma once

#include "UCalculationResults.h"

// Ka = S^2 A / 4 and Kb = S^2 B / (8 d), in the arithmetic of the caller
// (UArithmetic.h). Ka is set before Kb is worked out, so that an error of the
// arithmetic in Kb leaves Ka as the calculation's steps would.
template <typename Arithmetic>
void SetConductivities(double slope, double intercept, double spacing, double equivalentDepth,
                       double& ka, double& kb);

struct TConductivityIntervals {
    TInterval Ka;
    TInterval Kb;
};

// The intervals of Ka and Kb from those of A and B: Ka and Kb are fixed
// multiples of A and B, so their intervals are the same multiples of those of
// A and B (a negative multiple turns them round).
TConductivityIntervals ConductivityIntervals(const TInterval& slope, const TInterval& intercept,
                                             double spacing, double equivalentDepth);
