// Floating-point arithmetic that stops the running command with an error
// instead of carrying an infinity or a NaN into the results: division by zero,
// invalid operations and overflow raise; underflow and inexact results pass.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error that ends only the running command; the application
// shows its text in the error box and goes on.
class EApplicationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EZeroDivide : public EApplicationError {
public:
    EZeroDivide() : EApplicationError("Floating point division by zero") {}
};

class EInvalidOp : public EApplicationError {
public:
    EInvalidOp() : EApplicationError("Invalid floating point operation") {}
};

class EOverflow : public EApplicationError {
public:
    EOverflow() : EApplicationError("Floating point overflow") {}
};

// A text that is no number ("'abc' is not a valid floating point value").
class EConvertError : public EApplicationError {
public:
    using EApplicationError::EApplicationError;
};

// A file that could not be read or written after it was opened.
class EInOutError : public EApplicationError {
public:
    using EApplicationError::EApplicationError;
};

// An index outside an array: a programming error, never relied upon.
class ERangeError : public EApplicationError {
public:
    ERangeError() : EApplicationError("Range check error") {}
};

double FAdd(double a, double b);
double FSub(double a, double b);
double FMul(double a, double b);
double FDiv(double a, double b);
// Natural logarithm: ln(0) is a division by zero, a negative argument invalid.
double FLn(double x);
double FExp(double x);
