// The check that the site constants describe drains in a field at all, made
// before anything is saved or calculated from them.
#pragma once

#include "UCalculationOption.h"
#include "UDMTylwen.h"
#include "UFloatMath.h"

#include <string>

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

// "All data sets have the same H" (0.3 m); no line can be fitted.": H" to four
// significant digits.
std::string SameHeadMessage(double head);

// Raises EDrainGeometryError with SameHeadMessage when every data set of the
// working arrays, still depths below the surface, has the same H" but for
// rounding and `option` fits a least-squares line. Decides as the calculation
// does, so that nothing is saved of a table it would refuse.
void CheckHeadsDiffer(TCalculationOption option, const TDMTylwen& store = DMTylwen);
