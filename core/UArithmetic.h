// The arithmetic a formula is worked out in, given as a type: the
// calculation's own, in which division by zero, invalid operations and
// overflow raise at the step where they arise (UFloatMath.h), or plain
// arithmetic, which carries an infinity or a NaN on for the statistics to
// judge once the formula is done.
#pragma once

#include "UFloatMath.h"

struct TCheckedArithmetic {
    static double Add(double a, double b) { return FAdd(a, b); }
    static double Sub(double a, double b) { return FSub(a, b); }
    static double Mul(double a, double b) { return FMul(a, b); }
    static double Div(double a, double b) { return FDiv(a, b); }
};

struct TPlainArithmetic {
    static double Add(double a, double b) { return a + b; }
    static double Sub(double a, double b) { return a - b; }
    static double Mul(double a, double b) { return a * b; }
    static double Div(double a, double b) { return a / b; }
};
