#include "UDepthFault.h"

namespace {

// Each comparison of a NaN is false, so a NaN breaks the rule too.
bool NearDeeperThanMidway(const TDMTylwen& store, std::int32_t i) {
    return At(store.WorkNear, i) > At(store.WorkMidway, i);
}

bool MidwayAboveDrains(const TDMTylwen& store, std::int32_t i) {
    return At(store.WorkMidway, i) < store.DrainDepth;
}

} // namespace

std::optional<TDepthFault> FirstDepthFault(const TDMTylwen& store) {
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!NearDeeperThanMidway(store, i)) {
            return TDepthFault{i, true};
        }
    }
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!MidwayAboveDrains(store, i)) {
            return TDepthFault{i, false};
        }
    }
    return std::nullopt;
}
