// The equivalent depth d of the layer below drain level, by the closed-form
// solution of van der Molen and Wesseling.
#pragma once

// D: depth of the impermeable layer (m), S: drain spacing (m), r: drain radius
// (m). Raises EZeroDivide or EInvalidOp for constants that make no sense.
double EquivalentDepth(double D, double S, double r);
