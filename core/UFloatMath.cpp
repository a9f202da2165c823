#include "UFloatMath.h"

#include <cmath>

namespace {

bool IsFinite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

// Common tail of the two-operand operations: a NaN is an invalid operation, an
// infinity born of finite operands an overflow.
double CheckedResult(double result, double a, double b) {
    if (std::isnan(result) || std::isnan(a) || std::isnan(b)) {
        throw EInvalidOp();
    }
    if (std::isinf(result) && IsFinite(a, b)) {
        throw EOverflow();
    }
    return result;
}

} // namespace

double FAdd(double a, double b) {
    return CheckedResult(a + b, a, b);
}

double FSub(double a, double b) {
    return CheckedResult(a - b, a, b);
}

double FMul(double a, double b) {
    return CheckedResult(a * b, a, b);
}

double FDiv(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) {
            throw EInvalidOp();
        }
        throw EZeroDivide();
    }
    return CheckedResult(a / b, a, b);
}

double FLn(double x) {
    if (x == 0.0) {
        throw EZeroDivide();
    }
    if (std::isnan(x) || x < 0.0) {
        throw EInvalidOp();
    }
    return std::log(x);
}

double FExp(double x) {
    if (std::isnan(x)) {
        throw EInvalidOp();
    }
    const double result = std::exp(x);
    if (std::isinf(result) && std::isfinite(x)) {
        throw EOverflow();
    }
    return result;
}
