// What the user has done since the program started (four flags), the
// regression variables as the last calculation left them, from which its
// result is taken (FitStatisticsOfLastCalculation), and the water-table check.
#pragma once

#include "UDMTylwen.h"

class TUserDialogs;

// A calculation has written an output file since the program started.
extern bool ResultsAvailable;
// The working arrays must be rebuilt from the input arrays before the next
// calculation, and the Output page's text box is to be visible.
extern bool OutputShown;
// The store holds data sets that came from a file or were typed or pasted.
extern bool DataPresent;
// The last save dropped incomplete rows or found the count lowered; while set,
// the grid is filled from the working arrays instead of the input arrays.
extern bool RowsIncomplete;

extern double SlopeA;
extern double InterceptB;
extern double MeanX;
extern double MeanY;
extern DataSetR XValues;
extern DataSetR YValues;

// Puts the flags and regression results back to their start-up values.
void ResetTylwenUtils();

// Refuses physically inconsistent water-table depths: near the drains the
// water table must lie deeper than midway, and midway above drain level.
// `ok` is false when the user has been shown why (FirstDepthFault).
void CheckWaterTableDepths(bool& ok, TUserDialogs& dialogs, const TDMTylwen& store = DMTylwen);

extern const char* const NearNotDeeperMessage;
extern const char* const MidwayNotAboveDrainsMessage;
