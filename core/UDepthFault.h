// The water-table rule of a save: near the drains the water table lies deeper
// than midway, and midway above drain level. Where a data set breaks it,
// so that the check can tell which and the window can point the user at the
// cell to correct.
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
