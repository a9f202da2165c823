// The one line of the calculation and the statistics in its two arithmetics:
// the same digits where nothing overflows, and an error at the very step in
// the calculation's where the statistics carry an infinity on.
#include "UArithmetic.h"
#include "UConductivities.h"
#include "ULeastSquares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const auto NeverOneHead = [](double, const TDataSetNoise&) { return false; };

TEST(LeastSquares, BothArithmeticsGiveTheSameDigits) {
    // The worked example's H" and Q/H"; the last entry lies beyond the count.
    const std::vector<double> heads{0.4, 0.3, 0.15, 99.0};
    const std::vector<double> qh{0.0125, 0.01, 0.01, 99.0};
    const TLineData data{heads, qh, 3, nullptr, 1.2};
    const TMeans checked = MeansOf<TCheckedArithmetic>(data);
    const TMeans plain = MeansOf<TPlainArithmetic>(data);
    EXPECT_EQ(checked.Head, plain.Head);
    EXPECT_EQ(checked.QH, plain.QH);
    double lines[2][4] = {};
    ASSERT_TRUE(FitLeastSquaresLine<TCheckedArithmetic>(data, checked, NeverOneHead, lines[0][0],
                                                        lines[0][1]));
    ASSERT_TRUE(
        FitLeastSquaresLine<TPlainArithmetic>(data, plain, NeverOneHead, lines[1][0], lines[1][1]));
    SetConductivities<TCheckedArithmetic>(lines[0][0], lines[0][1], 30, 2.322957, lines[0][2],
                                          lines[0][3]);
    SetConductivities<TPlainArithmetic>(lines[1][0], lines[1][1], 30, 2.322957, lines[1][2],
                                        lines[1][3]);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(lines[0][k], lines[1][k]) << "value " << k;
    }
    EXPECT_NEAR(lines[0][2], 2.072368, 5e-7);
    EXPECT_NEAR(lines[0][3], 0.3982701, 1e-7); // d is given to seven digits
}

TEST(LeastSquares, CheckedArithmeticRaisesWherePlainCarriesOn) {
    const std::vector<double> huge{1e308, 1.5e308};
    const TLineData data{huge, huge, 2, nullptr, 1.2};
    EXPECT_THROW(MeansOf<TCheckedArithmetic>(data), EOverflow);
    EXPECT_TRUE(std::isinf(MeansOf<TPlainArithmetic>(data).Head));
    // Ka is the calculation's before Kb overflows.
    double ka = 0.0;
    double kb = 0.0;
    EXPECT_THROW(SetConductivities<TCheckedArithmetic>(1.0, 1e305, 1e3, 1.0, ka, kb), EOverflow);
    EXPECT_EQ(ka, 250000.0);
    SetConductivities<TPlainArithmetic>(1.0, 1e305, 1e3, 1.0, ka, kb);
    EXPECT_TRUE(std::isinf(kb));
}

TEST(LeastSquares, DataSetsAtOneHeadLeaveTheLineUnset) {
    const std::vector<double> heads{0.3, 0.3, 0.3};
    const std::vector<double> qh{0.01, 0.02, 0.03};
    const std::vector<bool> inFit{true, false, true};
    const TLineData data{heads, qh, 3, &inFit, 1.2};
    const TMeans means = MeansOf<TPlainArithmetic>(data);
    EXPECT_DOUBLE_EQ(means.QH, 0.02);
    double slope = -1.0;
    double intercept = -1.0;
    const auto oneHead = [](double rmsHead, const TDataSetNoise& noise) {
        return HeadSpreadIsRoundingNoise(rmsHead, noise.Head);
    };
    EXPECT_FALSE(FitLeastSquaresLine<TPlainArithmetic>(data, means, oneHead, slope, intercept));
    EXPECT_EQ(slope, -1.0);
    EXPECT_EQ(intercept, -1.0);
}

} // namespace
