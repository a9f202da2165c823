// The two ways of calculating that the Input page offers, on their own so
// that the checks made before a calculation need not know the calculation.
#pragma once

enum class TCalculationOption {
    // "Over enntire soil depth": least-squares line, Ka and Kb.
    OverEntireSoilDepth,
    // "Above and below drains ": slope through the origin and the mean point.
    AboveAndBelowDrains,
};
