// The check that the site constants describe drains in a field at all, made
// before anything is saved or calculated from them.
#pragma once

#include "UDMTylwen.h"
#include "UFloatMath.h"

// Site constants for which the formulas give numbers but no drained field.
class EDrainGeometryError : public EApplicationError {
public:
    using EApplicationError::EApplicationError;
};

// Raises EDrainGeometryError, naming the constant at fault, when the drain
// radius is not below half the drain spacing (the drains would overlap and
// d and Kb change sign), or when the depth to the impermeable layer leaves an
// equivalent depth that is no positive length of at least half a millimetre.
// Zero and negative constants are left to the floating-point errors of the
// calculation, which has always refused them.
void CheckDrainGeometry(const TDMTylwen& store = DMTylwen);
