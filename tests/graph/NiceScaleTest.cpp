#include "UNiceScale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NiceScale, StepsOfOneTwoOrFiveHoldTheRange) {
    struct TCase {
        double Low, High;
        int MaxIntervals;
        double ScaleLow, ScaleHigh, Step;
        int Decimals;
        const char* LastLabel;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const TCase& c : {
             TCase{0.0, 0.72, 7, 0.0, 0.8, 0.2, 1, "0.8"},
             TCase{0.0, 0.0279, 4, 0.0, 0.03, 0.01, 2, "0.03"},
             TCase{-0.0179, 0.0344, 5, -0.02, 0.04, 0.02, 2, "0.04"},
             TCase{0.0, 1.0, 10, 0.0, 1.0, 0.1, 1, "1.0"},
             TCase{3.0, 3.0, 5, 2.6, 3.4, 0.2, 1, "3.4"}, // a single value
             TCase{nan, 1.0, 5, 0.0, 1.0, 0.2, 1, "1.0"}, // no range to go by
             TCase{0.0, 340.0, 6, 0.0, 400.0, 100.0, 0, "400"},
         }) {
        const TNiceScale scale = NiceScale(c.Low, c.High, c.MaxIntervals);
        EXPECT_NEAR(scale.Low, c.ScaleLow, 1e-12) << c.Low << " " << c.High;
        EXPECT_NEAR(scale.High, c.ScaleHigh, 1e-12) << c.Low << " " << c.High;
        EXPECT_DOUBLE_EQ(scale.Step, c.Step) << c.Low << " " << c.High;
        EXPECT_EQ(scale.Decimals, c.Decimals) << c.Low << " " << c.High;
        EXPECT_EQ(NiceTickLabel(scale, scale.Intervals()), c.LastLabel);
    }
    // A tick that lands on zero by rounding reads "0.00", never "-0.00".
    EXPECT_EQ(NiceTickLabel({-0.06, 0.06, 0.02, 2}, 3), "0.00");
}

} // namespace
