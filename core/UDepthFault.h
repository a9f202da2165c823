// Where the water-table check of a save finds its fault, so that the window
// can point the user at the cell to correct.
#pragma once

#include "UDMTylwen.h"

#include <optional>

struct TDepthFault {
    // Index of the data set in the working arrays.
    int DataSet;
    // The depth near the drains is not below the depth midway; otherwise the
    // depth midway is not above the drains.
    bool NearDepth;
};

// The first data set that the message of the check is about: the first one
// whose depth near the drains fails, else the first whose depth midway fails.
std::optional<TDepthFault> FirstDepthFault(const TDMTylwen& store = DMTylwen);
