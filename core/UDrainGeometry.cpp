#include "UDrainGeometry.h"

#include "UEquivalentDepth.h"
#include "UNumberText.h"

#include <cmath>
#include <string>

namespace {

// The output file gives d to the millimetre: a d that it would show as 0.000
// makes Kb = B S^2 / (8 d) a division by what the file itself calls zero.
// Only a layer within half a millimetre below the drains comes this low.
constexpr double SmallestEquivalentDepth = 0.0005;

std::string Metres(double value) {
    return FormatGeneral(value) + " m";
}

// A zero or negative length would otherwise end the calculation in a bare
// floating-point error that names nothing the user typed.
void CheckPositiveLength(const char* name, double value) {
    if (!(std::isfinite(value) && value > 0.0)) {
        throw EDrainGeometryError(std::string("The ") + name + " must be a positive length, not " +
                                  Metres(value));
    }
}

void CheckPositiveLengths(const TDMTylwen& store) {
    CheckPositiveLength("drain depth", store.DrainDepth);
    CheckPositiveLength("depth to the impermeable layer", store.ImpermeableDepth);
    CheckPositiveLength("drain spacing", store.DrainSpacing);
    CheckPositiveLength("drain radius", store.DrainRadius);
}

std::string HoldsText(std::int32_t count) {
    return count <= 0 ? "none" : count == 1 ? "only one" : std::to_string(count);
}

void CheckDrainRadius(const TDMTylwen& store) {
    if (store.DrainRadius >= store.DrainSpacing / 2.0) {
        throw EDrainGeometryError("The drain radius (" + Metres(store.DrainRadius) +
                                  ") must be less than half the drain spacing (" +
                                  Metres(store.DrainSpacing) + ")");
    }
}

void CheckEquivalentDepth(const TDMTylwen& store) {
    const double d = EquivalentDepth(store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius);
    if (!(std::isfinite(d) && d >= SmallestEquivalentDepth)) {
        throw EDrainGeometryError("The depth to the impermeable layer (" +
                                  Metres(store.ImpermeableDepth) +
                                  ") gives an equivalent depth d below half a millimetre, too "
                                  "small to calculate Kb from");
    }
}

} // namespace

void CheckDrainGeometry(const TDMTylwen& store) {
    CheckPositiveLengths(store);
    CheckDrainRadius(store);
    CheckEquivalentDepth(store);
}

void CheckDataSetCount(TCalculationOption option, const TDMTylwen& store) {
    const bool leastSquares = option == TCalculationOption::OverEntireSoilDepth;
    const std::int32_t needed = leastSquares ? 2 : 1;
    if (store.NrOfDataSets >= needed) {
        return;
    }
    throw EDrainGeometryError(std::string(leastSquares
                                              ? "At least two data sets are needed to fit the line"
                                              : "At least one data set is needed") +
                              ", but the table holds " + HoldsText(store.NrOfDataSets));
}
