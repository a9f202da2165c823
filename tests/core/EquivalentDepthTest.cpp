#include "UEquivalentDepth.h"
#include "UFloatMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

struct TDepthRow {
    double D;
    double S;
    double expectedD;
};

void PrintTo(const TDepthRow& row, std::ostream* out) {
    *out << "D=" << row.D << " S=" << row.S;
}

class EquivalentDepthTable : public ::testing::TestWithParam<TDepthRow> {};

TEST_P(EquivalentDepthTable, MatchesPublishedValuesToSixDecimals) {
    const TDepthRow row = GetParam();
    EXPECT_NEAR(EquivalentDepth(row.D, row.S, 0.1), row.expectedD, 5e-7);
}

INSTANTIATE_TEST_SUITE_P(BothForms, EquivalentDepthTable,
                         ::testing::Values(TDepthRow{10, 30, 2.322957}, TDepthRow{10, 50, 3.342771},
                                           TDepthRow{1, 30, 0.879820}, TDepthRow{2, 30, 1.437971},
                                           TDepthRow{4.775, 30, 2.089186}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

// At x = 1 exactly the logarithmic form applies; the series would give
// F = 0.62942 instead of 0.63003, which moves d in the fourth decimal.
TEST(EquivalentDepth, BoundaryTakesLogarithmicForm) {
    const double S = 6.284;
    const double r = 0.1;
    const double base = std::log(S / (2 * r));
    const double expectedLog = (3.142 * S / 8) / (base + 0.63003);
    const double expectedSeries = (3.142 * S / 8) / (base + 0.62942);
    const double d = EquivalentDepth(1.0, S, r);
    EXPECT_NEAR(d, expectedLog, 2e-5);
    EXPECT_GT(std::fabs(d - expectedSeries), 5e-5);
}

TEST(EquivalentDepth, VeryDeepLayerOnlyUnderflowsTheSeries) {
    const double d = EquivalentDepth(1e6, 30, 0.1);
    EXPECT_NEAR(d, (3.142 * 30 / 8) / std::log(30 / 0.2), 1e-12);
}

TEST(EquivalentDepth, MeaninglessConstantsRaiseTheMatchingError) {
    EXPECT_THROW(EquivalentDepth(10, 0, 0.1), EZeroDivide);
    EXPECT_THROW(EquivalentDepth(10, 30, 0), EZeroDivide);
    EXPECT_THROW(EquivalentDepth(0, 30, 0.1), EZeroDivide);
    EXPECT_THROW(EquivalentDepth(-10, 30, 0.1), EInvalidOp);
    EXPECT_THROW(EquivalentDepth(10, -30, 0.1), EInvalidOp);
    EXPECT_THROW(EquivalentDepth(10, 30, -0.1), EInvalidOp);
}

} // namespace
