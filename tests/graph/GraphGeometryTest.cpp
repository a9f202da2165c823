#include "UGraphGeometry.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

TAxisScale Axis(std::int32_t top, std::int32_t intervals, std::int32_t decimals,
                std::int32_t factor = 1) {
    TAxisScale axis;
    axis.Top = top;
    axis.Intervals = intervals;
    axis.Decimals = decimals;
    axis.Factor = factor;
    return axis;
}

class GraphGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        PlotWidth = 500;
        PlotHeight = 180;
    }
};

TEST_F(GraphGeometry, VerticalTicksRoundHalvesToEvenRows) {
    const TAxisScale eight = Axis(80, 8, 0);
    const std::vector<int> expected = {70, 92, 115, 138, 160, 182, 205, 228, 250};
    for (std::int32_t k = 0; k <= 8; ++k) {
        EXPECT_EQ(VerticalTickY(k, eight), expected[k]) << k;
    }
}

TEST_F(GraphGeometry, VerticalLabelsCountDownFromTheTop) {
    const TAxisScale qh = Axis(12, 5, 2);
    const std::vector<std::string> labels = {"12.00", "9.60", "7.20", "4.80", "2.40", "0.00"};
    const std::vector<int> rows = {70, 106, 142, 178, 214, 250};
    for (std::int32_t k = 0; k <= 5; ++k) {
        EXPECT_EQ(FormatTickLabel(VerticalTickValue(k, qh), qh.Decimals), labels[k]);
        EXPECT_EQ(VerticalTickY(k, qh), rows[k]);
    }
}

TEST_F(GraphGeometry, HorizontalTicksAndLabelsCountUpFromTheOrigin) {
    const TAxisScale head = Axis(70, 7, 0);
    const std::vector<int> columns = {70, 141, 213, 284, 356, 427, 499, 570};
    for (std::int32_t k = 0; k <= 7; ++k) {
        EXPECT_EQ(HorizontalTickX(k, head), columns[k]);
        EXPECT_EQ(FormatTickLabel(HorizontalTickValue(k, head), 0),
                  k == 0 ? std::string(" 0") : std::to_string(10 * k));
    }
    const TAxisScale ten = Axis(3000, 10, 1);
    for (std::int32_t k = 0; k <= 10; ++k) {
        EXPECT_EQ(HorizontalTickX(k, ten), 70 + 50 * k);
    }
    EXPECT_EQ(FormatTickLabel(HorizontalTickValue(3, ten), 1), "900.0");
}

// Every label of a scaled axis must read its tick value exactly.
TEST_F(GraphGeometry, SmallAxisLabelsAreExact) {
    for (const double max : {0.0008, 0.0012, 0.0025, 0.0033, 0.0062, 0.407, 0.95, 0.0}) {
        QHAxis.Max = max;
        HeadAxis.Max = max;
        ScaleGraphAxes();
        const TAxisScale& axis = HeadAxis;
        const double unit = std::pow(10.0, axis.Decimals);
        for (std::int32_t k = 0; k <= axis.Intervals; ++k) {
            const double value = HorizontalTickValue(k, axis);
            const std::string label = FormatTickLabel(value, axis.Decimals);
            EXPECT_NEAR(value * unit, std::round(value * unit), 1e-9) << max << " " << label;
            EXPECT_NEAR(std::stod(label), value, 1e-12);
        }
    }
}

TEST_F(GraphGeometry, LabelsKeepThePointAndTheirWidth) {
    const char* german = std::setlocale(LC_ALL, "de_DE.utf8");
    EXPECT_EQ(FormatTickLabel(2.4, 2), "2.40");
    EXPECT_EQ(FormatTickLabel(0.0, 1), "0.0");
    EXPECT_EQ(FormatTickLabel(5.0, 0), " 5");
    EXPECT_EQ(FormatTickLabel(-0.5, 1), "-0.5");
    EXPECT_EQ(FormatTickLabel(1250.0, 0), "1250");
    if (german != nullptr) {
        std::setlocale(LC_ALL, "C");
    }
}

TEST_F(GraphGeometry, OffsetsScaleFromTheAxisRange) {
    const TAxisScale qh = Axis(12, 5, 2);
    const TAxisScale head = Axis(4, 5, 2);
    EXPECT_EQ(ScaledOffset(1.0, qh, PlotHeight), 15);
    EXPECT_EQ(ScaledOffset(7.0, qh, PlotHeight), 105);
    EXPECT_EQ(ScaledOffset(3.0, head, PlotWidth), 375);
    EXPECT_EQ(ScaledOffset(-1.0, head, PlotWidth), -125);
    // With a factor the metres are drawn as decimetres: 0.3 m is 3 of 6 dm.
    EXPECT_EQ(ScaledOffset(0.3, Axis(6, 6, 0, 10), PlotWidth), 250);
    EXPECT_EQ(ScaledOffset(0.0125, Axis(2, 10, 1, 100), PlotHeight), 112);
}

TEST_F(GraphGeometry, WildValuesStayFarOffButSafe) {
    const TAxisScale head = Axis(4, 5, 2);
    EXPECT_EQ(ScaledOffset(1e300, head, PlotWidth), FarOffPixels);
    EXPECT_EQ(ScaledOffset(-std::numeric_limits<double>::infinity(), head, PlotWidth),
              -FarOffPixels);
    // An axis of no length is never scaled to, but must not divide by zero.
    EXPECT_EQ(ScaledOffset(1.0, Axis(0, 0, 0), PlotWidth), 500);
    EXPECT_EQ(HorizontalTickX(1, Axis(0, 0, 0)), 570);
    const TAxisScale widest = Axis(std::numeric_limits<std::int32_t>::max(), 10, 1);
    EXPECT_DOUBLE_EQ(HorizontalTickValue(10, widest), 2147483647.0);
}

} // namespace
