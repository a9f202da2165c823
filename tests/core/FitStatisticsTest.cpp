// The fit statistics against values worked out outside the program: the sums
// in exact rational arithmetic from the decimal inputs (Python fractions),
// Student's t from its distribution function (mpmath, 30 digits).
#include "UFitStatistics.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

using TDataSet = std::tuple<double, double, double>; // discharge mm/day, depth midway, near

TDMTylwen StoreWith(double drainDepth, double spacing, const std::vector<TDataSet>& dataSets) {
    TDMTylwen store;
    store.DrainDepth = drainDepth;
    store.ImpermeableDepth = 10;
    store.DrainSpacing = spacing;
    store.DrainRadius = 0.1;
    store.NrOfDataSets = static_cast<std::int32_t>(dataSets.size());
    for (const auto& [q, midway, near] : dataSets) {
        store.WorkDischarge.push_back(q);
        store.WorkMidway.push_back(midway);
        store.WorkNear.push_back(near);
    }
    return store;
}

class FitStatistics : public ::testing::Test {
protected:
    void SetUp() override { ResetTylwenUtils(); }
    void TearDown() override { ResetTylwenUtils(); }

    TFitStatistics Calculate(TDMTylwen store, TCalculationOption option) {
        const double d = CalculateRegression(option, store);
        return FitStatisticsOfLastCalculation(option, d, store);
    }

    static void ExpectInterval(const TInterval& interval, double low, double high,
                               double tolerance) {
        EXPECT_NEAR(interval.Low, low, tolerance);
        EXPECT_NEAR(interval.High, high, tolerance);
    }
};

TEST_F(FitStatistics, WorkedExample) {
    // H" = 0.4, 0.3, 0.15; Q/H" = 0.0125, 0.01, 0.01; Sxx = 114/3600, Sxy = 7/24000,
    // SSE = 1.480263e-6 on 1 degree of freedom, whose t is the Cauchy quantile
    // tan(0.475 pi) = 12.7062047361747.
    const TFitStatistics fit =
        Calculate(StoreWith(1.2, 30, {{5, 0.6, 1.0}, {3, 0.8, 1.1}, {1.5, 1.0, 1.15}}),
                  TCalculationOption::OverEntireSoilDepth);
    ASSERT_TRUE(fit.Spread && fit.RSquared);
    EXPECT_EQ(fit.NrOfDataSets, 3u);
    EXPECT_NEAR(*fit.RSquared, 0.644736842105263, 1e-12);
    EXPECT_NEAR(fit.Spread->ResidualDeviation, 0.00121666065848072, 1e-15);
    EXPECT_NEAR(fit.Spread->SlopeError, 0.00683704266145609, 1e-15);
    EXPECT_NEAR(fit.Spread->InterceptError, 0.00206058681096919, 1e-15);
    EXPECT_NEAR(fit.Spread->StudentT, 12.7062047361747, 1e-10);
    ExpectInterval(fit.Spread->SlopeInterval, -0.0776623375306325, 0.0960833901622114, 1e-13);
    ExpectInterval(fit.Spread->InterceptInterval, -0.0179585536863095, 0.0344059221073621, 1e-13);
    // Ka = A * 30^2 / 4; Kb = B * 30^2 / (8 d) with d = 2.322957 (to 7 digits).
    ExpectInterval(fit.Spread->KaInterval, -17.4740259443923, 21.6187627864976, 1e-9);
    ExpectInterval(fit.Spread->KbInterval, -0.8697265, 1.6662668, 1e-6);
    const std::vector<double> residuals = {0.000592105263157895, -0.000986842105263158,
                                           0.000394736842105263};
    for (std::size_t i = 0; i < residuals.size(); ++i) {
        EXPECT_NEAR(fit.Residuals[i], residuals[i], 1e-15) << i;
    }
    EXPECT_TRUE(fit.Suspect.empty());
    // The band of the line is t s sqrt(1/n + (H" - mean)^2 / Sxx) either side:
    // at H" = 0 the intercept's interval, at the mean H" t s / sqrt(3).
    ASSERT_TRUE(fit.BandAt(0.0) && fit.BandAt(fit.MeanHead));
    ExpectInterval(*fit.BandAt(0.0), -0.0179585536863095, 0.0344059221073621, 1e-13);
    const double halfWidth = 12.7062047361747 * 0.00121666065848072 / std::sqrt(3.0);
    ExpectInterval(*fit.BandAt(fit.MeanHead), fit.MeanQH - halfWidth, fit.MeanQH + halfWidth,
                   1e-13);
}

TEST_F(FitStatistics, PerfectLineHasNoSpreadAndNoSuspect) {
    // Drain depth 1.3 m with the water table at drain level near the drains:
    // H" = 1.3 - midway = 0.1 ... 1.2 m, and Q = H" (4 H" + 10) mm/day puts
    // every data set on Q/H" = 0.004 H" + 0.01 exactly; Ka = 0.004 * 900 / 4.
    std::vector<TDataSet> dataSets;
    for (int k = 1; k <= 12; ++k) {
        const double head = k / 10.0;
        dataSets.emplace_back(head * (4 * head + 10), 1.3 - head, 1.3);
    }
    const TFitStatistics fit =
        Calculate(StoreWith(1.3, 30, dataSets), TCalculationOption::OverEntireSoilDepth);
    EXPECT_NEAR(fit.SlopeA, 0.004, 1e-14);
    EXPECT_NEAR(fit.InterceptB, 0.01, 1e-14);
    ASSERT_TRUE(fit.Spread && fit.RSquared);
    EXPECT_EQ(*fit.RSquared, 1.0);
    EXPECT_EQ(fit.Spread->ResidualDeviation, 0.0);
    ExpectInterval(fit.Spread->KaInterval, 0.9, 0.9, 1e-12);
    EXPECT_EQ(fit.Residuals, std::vector<double>(12, 0.0));
    EXPECT_TRUE(fit.Suspect.empty());
}

TEST_F(FitStatistics, PlantedOutlierIsTheOnlySuspect) {
    // The pipe-drain field (drain depth 1.1 m, spacing 20 m) with the discharge
    // of data set 8 raised from 7.5 to 10.5 mm/day: its residual is 3.361 s,
    // the next largest 0.602 s (data set 13); 13 degrees of freedom,
    // t = 2.16036865646279.
    const TFitStatistics fit = Calculate(StoreWith(1.1, 20,
                                                   {{15, 0.26, 0.98},
                                                    {13.6, 0.32, 0.98},
                                                    {12.8, 0.38, 0.99},
                                                    {11.7, 0.46, 1.01},
                                                    {10.5, 0.51, 1.01},
                                                    {9.2, 0.56, 1.02},
                                                    {8.8, 0.61, 1.02},
                                                    {10.5, 0.66, 1.03},
                                                    {7.1, 0.7, 1.03},
                                                    {5.9, 0.74, 1.03},
                                                    {5.1, 0.77, 1.03},
                                                    {4.4, 0.82, 1.04},
                                                    {3.7, 0.87, 1.06},
                                                    {3.3, 0.9, 1.06},
                                                    {2.6, 0.94, 1.07}}),
                                         TCalculationOption::OverEntireSoilDepth);
    ASSERT_TRUE(fit.Spread && fit.RSquared);
    EXPECT_NEAR(*fit.RSquared, 0.0160427902298496, 1e-12);
    EXPECT_NEAR(fit.Spread->ResidualDeviation, 0.00218215185764832, 1e-15);
    EXPECT_NEAR(fit.Spread->StudentT, 2.16036865646279, 1e-12);
    ExpectInterval(fit.Spread->KaInterval, -0.528066275944241, 0.814087224921518, 1e-11);
    EXPECT_NEAR(*fit.StandardizedResidual(7), 3.36082444038678, 1e-10);
    EXPECT_EQ(fit.Suspect, std::vector<std::size_t>({8}));
    // Cook's distance 0.439 against 4/15; the next largest is 0.037 (data set 13).
    EXPECT_EQ(fit.Influential, std::vector<std::size_t>({8}));
}

TEST_F(FitStatistics, TwoDataSetsOrTheSecondOptionGiveNoSpread) {
    const std::vector<TDataSet> two = {{5, 0.6, 1.0}, {3, 0.8, 1.1}};
    const TFitStatistics line =
        Calculate(StoreWith(1.2, 30, two), TCalculationOption::OverEntireSoilDepth);
    EXPECT_FALSE(line.Spread || line.RSquared);
    EXPECT_EQ(line.Residuals, std::vector<double>(2, 0.0));
    EXPECT_FALSE(line.StandardizedResidual(0));

    // Second option on the worked example: mean H" = 0.85 / 3, mean Q/H" =
    // 0.0325 / 3, A = 0.0325 / 0.85.
    const TFitStatistics origin =
        Calculate(StoreWith(1.2, 30, {{5, 0.6, 1.0}, {3, 0.8, 1.1}, {1.5, 1.0, 1.15}}),
                  TCalculationOption::AboveAndBelowDrains);
    EXPECT_NEAR(origin.MeanHead, 0.283333333333333, 1e-15);
    EXPECT_NEAR(origin.MeanQH, 0.0108333333333333, 1e-16);
    EXPECT_NEAR(origin.SlopeA, 0.0382352941176471, 1e-15);
    EXPECT_EQ(origin.QH.size(), 3u);
    EXPECT_FALSE(origin.Spread || origin.RSquared);
    EXPECT_TRUE(origin.Residuals.empty() && origin.Suspect.empty());
    // Its line runs through the origin, whatever intercept was left behind.
    EXPECT_DOUBLE_EQ(origin.LineAt(2.0), 2.0 * origin.SlopeA);
    EXPECT_FALSE(origin.BandAt(0.5) || line.BandAt(0.5));
}

} // namespace
