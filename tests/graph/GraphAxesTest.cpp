#include "UDMTylwen.h"
#include "UGraphAxes.h"

#include <algorithm>
#include <cstddef>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct TExpectedAxis {
    double max;
    std::int32_t factor;
    std::int32_t top;
    std::int32_t intervals;
    std::int32_t decimals;
};

void PrintTo(const TExpectedAxis& row, std::ostream* out) {
    *out << "M = " << row.max;
}

void ExpectAxis(const TAxisScale& axis, const TExpectedAxis& row) {
    EXPECT_EQ(axis.Factor, row.factor);
    EXPECT_EQ(axis.Top, row.top);
    EXPECT_EQ(axis.Bottom, 0);
    EXPECT_EQ(axis.Intervals, row.intervals);
    EXPECT_EQ(axis.Decimals, row.decimals);
}

// Both axes from their largest values times 1.1, as every drawing scales them.
void ScaleFromMaxima(double qhMax, double headMax) {
    QHAxis.Max = qhMax;
    HeadAxis.Max = headMax;
    QHAxis.Min = 0.0;
    HeadAxis.Min = 0.0;
    ScaleGraphAxes();
    SetAxisTitles();
}

void ScaleFromData(const DataSetR& heads, const DataSetR& qh, std::int32_t count) {
    FindGraphMaxima(heads, qh, count);
    ScaleGraphAxes();
    SetAxisTitles();
}

class QHAxisScaling : public ::testing::TestWithParam<TExpectedAxis> {};

TEST_P(QHAxisScaling, FollowsTheQHSteps) {
    ScaleFromMaxima(GetParam().max, 5.0);
    ExpectAxis(QHAxis, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    StepsHalvesAndAdjustments, QHAxisScaling,
    ::testing::Values(TExpectedAxis{3.3, 1, 4, 5, 2}, TExpectedAxis{9.9, 1, 10, 10, 1},
                      TExpectedAxis{11, 1, 12, 5, 2}, TExpectedAxis{22, 1, 24, 6, 1},
                      TExpectedAxis{44, 1, 45, 9, 1}, TExpectedAxis{60, 1, 60, 6, 0},
                      TExpectedAxis{70, 1, 80, 8, 0}, TExpectedAxis{150, 1, 160, 10, 1},
                      TExpectedAxis{1.0, 1, 2, 5, 2}, TExpectedAxis{0.407, 10, 5, 5, 0},
                      TExpectedAxis{0.0044, 1000, 5, 5, 0}, TExpectedAxis{0.05, 100, 6, 6, 0}));

class HeadAxisScaling : public ::testing::TestWithParam<TExpectedAxis> {};

TEST_P(HeadAxisScaling, FollowsTheHeadSteps) {
    ScaleFromMaxima(5.0, GetParam().max);
    ExpectAxis(HeadAxis, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    StepsHalvesAndAdjustments, HeadAxisScaling,
    ::testing::Values(TExpectedAxis{0.55, 10, 6, 6, 0}, TExpectedAxis{3.3, 1, 4, 5, 2},
                      TExpectedAxis{66, 1, 70, 7, 0}, TExpectedAxis{165, 1, 175, 7, 0},
                      TExpectedAxis{100, 1, 100, 5, 1}, TExpectedAxis{150, 1, 150, 6, 0},
                      TExpectedAxis{480, 1, 500, 10, 0}, TExpectedAxis{1210, 1, 1250, 5, 0},
                      TExpectedAxis{2860, 1, 3000, 10, 1}));

TEST(GraphMaxima, TakeTheLargestValueOfEachAxisTimesOnePointOne) {
    ScaleFromData({0.2, 0.5, 0.4}, {1.0, 3.0, 2.5}, 3);
    EXPECT_DOUBLE_EQ(QHAxis.Max, 3.0 * 1.1);
    EXPECT_DOUBLE_EQ(HeadAxis.Max, 0.5 * 1.1);
    EXPECT_EQ(QHAxis.Min, 0.0);
    EXPECT_EQ(PlotWidth, 500);
    EXPECT_EQ(PlotHeight, 180);
    ExpectAxis(QHAxis, {0, 1, 4, 5, 2});
    ExpectAxis(HeadAxis, {0, 10, 6, 6, 0});

    ScaleFromData({0.30, 0.33}, {0.01, 0.37}, 2);
    ExpectAxis(QHAxis, {0, 10, 5, 5, 0});
}

TEST(GraphMaxima, ScanOnlyTheDataSetsThatExist) {
    // The count may exceed the arrays (or be negative); nothing past them is read.
    ScaleFromData({0.5, 9.0}, {2.0}, 40);
    EXPECT_DOUBLE_EQ(QHAxis.Max, 2.0 * 1.1);
    EXPECT_DOUBLE_EQ(HeadAxis.Max, 9.0 * 1.1);

    ScaleFromData({0.5, 9.0}, {2.0, 50.0}, 1);
    EXPECT_DOUBLE_EQ(HeadAxis.Max, 0.5 * 1.1);
    EXPECT_DOUBLE_EQ(QHAxis.Max, 2.0 * 1.1);

    ScaleFromData({0.5}, {2.0}, -3);
    ExpectAxis(QHAxis, {0, 1, 1, 5, 1});
}

TEST(GraphMaxima, ScanEveryDataSetBeyondTheFirst256) {
    const std::size_t count = 300;
    DataSetR heads(count, 1.0);
    DataSetR qh(count, 2.0);
    heads[count - 1] = 60.0;
    qh[280] = 10.0;
    ScaleFromData(heads, qh, static_cast<std::int32_t>(count));
    ExpectAxis(HeadAxis, {0, 1, 70, 7, 0});
    ExpectAxis(QHAxis, {0, 1, 12, 5, 2});
}

// A small axis gets its ticks from its own end, so labels such as 0.5 or 0.2
// read exactly and the same data always give the same axis.
TEST(SmallAxis, TicksFollowFromItsOwnTop) {
    const TExpectedAxis rows[] = {{0.0008, 1000, 1, 5, 1}, {0.0012, 1000, 2, 10, 1},
                                  {0.0025, 1000, 3, 6, 1}, {0.0033, 1000, 4, 8, 1},
                                  {0.0062, 1000, 7, 7, 0}, {0.95, 10, 10, 10, 0}};
    for (const TExpectedAxis& row : rows) {
        SCOPED_TRACE(row.max);
        ScaleFromMaxima(row.max, row.max);
        ExpectAxis(QHAxis, row);
        ExpectAxis(HeadAxis, row);
    }
}

TEST(SmallAxis, DoesNotDependOnTheDrawingBefore) {
    ScaleFromMaxima(0.407, 0.55);
    const TAxisScale freshQH = QHAxis;
    const TAxisScale freshHead = HeadAxis;
    ScaleFromMaxima(150, 2860);
    ScaleFromMaxima(0.407, 0.55);
    EXPECT_EQ(QHAxis.Intervals, freshQH.Intervals);
    EXPECT_EQ(QHAxis.Decimals, freshQH.Decimals);
    EXPECT_EQ(HeadAxis.Intervals, freshHead.Intervals);
    EXPECT_EQ(HeadAxis.Decimals, freshHead.Decimals);
    ScaleFromMaxima(3.3, 1.0);
    ScaleFromMaxima(0.407, 0.55);
    EXPECT_EQ(QHAxis.Intervals, freshQH.Intervals);
    EXPECT_EQ(HeadAxis.Decimals, freshHead.Decimals);
}

// Data with nothing above 0 would give an axis of no length.
TEST(DegenerateAxis, GetsOneUnscaledUnit) {
    const TExpectedAxis oneUnit{0, 1, 1, 5, 1};
    ScaleFromData({0.2, 0.4}, {0.0, 0.0}, 2);
    ExpectAxis(QHAxis, oneUnit);
    EXPECT_EQ(QHAxis.Title, "Q/H\" (1/day)");
    ScaleFromData({-0.4, -0.2}, {-0.5, -0.01}, 2);
    ExpectAxis(QHAxis, oneUnit);
    ExpectAxis(HeadAxis, oneUnit);
    ScaleFromData({}, {}, 0);
    ExpectAxis(QHAxis, oneUnit);
    ExpectAxis(HeadAxis, oneUnit);
    // Positive but too small to reach half a unit of the finest scale.
    ScaleFromMaxima(1e-9, 1e-300);
    ExpectAxis(QHAxis, {0, 1000, 1, 5, 1});
    ExpectAxis(HeadAxis, {0, 1000, 1, 5, 1});
}

TEST(HugeAxis, StaysWithinTheIntegerRange) {
    const double maxima[] = {3e9, 1e300, std::numeric_limits<double>::infinity()};
    for (const double max : maxima) {
        SCOPED_TRACE(max);
        ScaleFromMaxima(max, max);
        for (const TAxisScale* axis : {&QHAxis, &HeadAxis}) {
            EXPECT_GT(axis->Top, 2000000000);
            EXPECT_EQ(axis->Bottom, 0);
            EXPECT_EQ(axis->Intervals, 10);
        }
        EXPECT_EQ(QHAxis.Top % 10, 0);
        EXPECT_EQ(HeadAxis.Top % 250, 0);
    }
}

TEST(AxisTitles, NameTheFactorOfEachAxis) {
    const struct {
        double max;
        const char* qh;
        const char* head;
    } rows[] = {{5.0, "Q/H\" (1/day)", "Hydraulic head H\" (m)"},
                {0.5, "Q/H\" (1/day) * 10)", "Hydraulic head H\" (dm)"},
                {0.05, "Q/H\" (1/day) * 100", "Hydraulic head H\" (cm)"},
                {0.005, "Q/H\" (1/day) * 1000", "Hydraulic head H\" (mm)"}};
    for (const auto& row : rows) {
        ScaleFromMaxima(row.max, row.max);
        EXPECT_EQ(QHAxis.Title, row.qh);
        EXPECT_EQ(HeadAxis.Title, row.head);
        EXPECT_EQ(std::count(QHAxis.Title.begin(), QHAxis.Title.end(), '"'), 1);
        EXPECT_EQ(std::count(HeadAxis.Title.begin(), HeadAxis.Title.end(), '"'), 1);
    }
}

TEST(Round, TakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(Round(6.5), 6);
    EXPECT_EQ(Round(7.5), 8);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(4.57), 5);
    EXPECT_EQ(Round(-2.6), -3);
    EXPECT_EQ(Round(92.5), 92);
}

TEST(Round, HoldsValuesOutsideTheIntegerRange) {
    constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t smallest = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Round(2147483646.6), largest);
    EXPECT_EQ(Round(1e20), largest);
    EXPECT_EQ(Round(std::numeric_limits<double>::infinity()), largest);
    EXPECT_EQ(Round(-2147483648.4), smallest);
    EXPECT_EQ(Round(-1e300), smallest);
    EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
