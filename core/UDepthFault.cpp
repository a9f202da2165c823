#include "UDepthFault.h"

std::optional<TDepthFault> FirstDepthFault(const TDMTylwen& store) {
    // Written negated, as the check is, so that a NaN is a fault too.
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!(At(store.WorkNear, i) > At(store.WorkMidway, i))) {
            return TDepthFault{i, true};
        }
    }
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!(At(store.WorkMidway, i) < store.DrainDepth)) {
            return TDepthFault{i, false};
        }
    }
    return std::nullopt;
}
