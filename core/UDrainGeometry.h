// The check that the site constants describe drains in a field at all, made
// before anything is saved or calculated from them.
#pragma once

#include "UCalculation.h"
#include "UDMTylwen.h"
#include "UFloatMath.h"

// Site constants for which the formulas give numbers but no drained field.
class EDrainGeometryError : public EApplicationError {
public:
    using EApplicationError::EApplicationError;
};

// Raises EDrainGeometryError, naming the constant at fault, when one of the
// four site constants is no positive finite length, when the drain radius is
// not below half the drain spacing (the drains would overlap and d and Kb
// change sign), or when the depth to the impermeable layer leaves an
// equivalent depth that is no positive length of at least half a millimetre.
void CheckDrainGeometry(const TDMTylwen& store = DMTylwen);

// Raises EDrainGeometryError, naming the count, when the table holds fewer
// data sets than `option` needs: two for the least-squares line, one for the
// line through the origin and the mean point.
void CheckDataSetCount(TCalculationOption option, const TDMTylwen& store = DMTylwen);
