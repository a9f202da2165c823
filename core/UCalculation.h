// The numerical heart of a calculation: equivalent depth, conversion of the
// data sets, least-squares line and conductivities.
#pragma once

#include "UCalculationOption.h"
#include "UDMTylwen.h"

// A calculation converts the working arrays in place, so a repeated one starts
// again from the values as entered, which only the input arrays still hold:
// data set k from input slot k to working slot k - 1.
void RebuildWorkingArrays(TDMTylwen& store = DMTylwen);

// Runs the calculation up to and including the conductivities and returns the
// equivalent depth d. Site constants that describe no drained field are
// refused first, before anything changes (CheckDrainGeometry), and so is a
// table too short for the option (CheckDataSetCount). Converts the
// working arrays in place (rebuilding them from the input arrays first when
// OutputShown is set) and writes SlopeA, InterceptB, MeanX, MeanY, XValues,
// YValues, Ka and Kb. Data sets that all have one H" give no least-squares
// line: refused with SameHeadMessage once they are converted. A floating-point
// error ends it where it arises (TCheckedArithmetic); what was changed before
// stays changed.
double CalculateRegression(TCalculationOption option, TDMTylwen& store = DMTylwen);
