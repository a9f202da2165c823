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

bool ArePositive(const TDMTylwen& store) {
    return store.ImpermeableDepth > 0.0 && store.DrainSpacing > 0.0 && store.DrainRadius > 0.0;
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
    if (!ArePositive(store)) {
        return;
    }
    CheckDrainRadius(store);
    CheckEquivalentDepth(store);
}
