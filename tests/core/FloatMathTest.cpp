#include "UFloatMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double Huge = std::numeric_limits<double>::max();
constexpr double Infinity = std::numeric_limits<double>::infinity();
const double NaN = std::nan("");

TEST(FloatMath, OrdinaryArithmeticIsUnchanged) {
    EXPECT_EQ(FAdd(1.5, 2.25), 3.75);
    EXPECT_EQ(FSub(1.5, 2.25), -0.75);
    EXPECT_EQ(FMul(1.5, -2.0), -3.0);
    EXPECT_EQ(FDiv(3.0, 4.0), 0.75);
    EXPECT_EQ(FDiv(0.0, 4.0), 0.0);
    EXPECT_DOUBLE_EQ(FLn(std::exp(2.0)), 2.0);
    EXPECT_DOUBLE_EQ(FExp(1.0), std::exp(1.0));
}

TEST(FloatMath, DivisionByZero) {
    EXPECT_THROW(FDiv(1.0, 0.0), EZeroDivide);
    EXPECT_THROW(FDiv(-1.0, -0.0), EZeroDivide);
    EXPECT_THROW(FDiv(0.0, 0.0), EInvalidOp);
    EXPECT_THROW(FLn(0.0), EZeroDivide);
    EXPECT_THROW(FLn(-0.0), EZeroDivide);
}

TEST(FloatMath, InvalidOperations) {
    EXPECT_THROW(FSub(Infinity, Infinity), EInvalidOp);
    EXPECT_THROW(FAdd(Infinity, -Infinity), EInvalidOp);
    EXPECT_THROW(FMul(0.0, Infinity), EInvalidOp);
    EXPECT_THROW(FDiv(Infinity, Infinity), EInvalidOp);
    EXPECT_THROW(FLn(-1.0), EInvalidOp);
    EXPECT_THROW(FAdd(NaN, 1.0), EInvalidOp);
    EXPECT_THROW(FDiv(NaN, 0.0), EInvalidOp);
    EXPECT_THROW(FExp(NaN), EInvalidOp);
}

TEST(FloatMath, OverflowOfFiniteOperands) {
    EXPECT_THROW(FAdd(Huge, Huge), EOverflow);
    EXPECT_THROW(FSub(-Huge, Huge), EOverflow);
    EXPECT_THROW(FMul(Huge, 2.0), EOverflow);
    EXPECT_THROW(FDiv(Huge, 0.5), EOverflow);
    EXPECT_THROW(FDiv(1.0, 1e-320), EOverflow);
    EXPECT_THROW(FExp(710.0), EOverflow);
}

TEST(FloatMath, UnderflowPassesSilently) {
    EXPECT_EQ(FExp(-1000.0), 0.0);
    EXPECT_EQ(FMul(1e-200, 1e-200), 0.0);
    EXPECT_EQ(FDiv(1e-300, 1e100), 0.0);
}

} // namespace
