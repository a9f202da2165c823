// Fits and designs at the edges of what the data can say, against values
// worked out outside the program: A, B, leverages and Cook's distances as
// exact fractions from the decimal inputs (Python fractions); the narrowest
// spacing whose d stays within D by bisection on the published formula.
#include "UCalculation.h"
#include "UDrainDesign.h"
#include "UFitStatistics.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The pipe-drain field (drains 1.1 m deep and 20 m apart, r = 0.05 m, D = 5 m)
// with data sets of the given discharge (mm/day) at H" = 0.05 k, k = 1, 2 ...,
// unless the H" are given: the water table lies 1.05 m deep near the drains.
TCalculationResults Fit(const std::vector<double>& discharges, std::vector<double> heads = {}) {
    TDMTylwen store;
    store.DrainDepth = 1.1;
    store.ImpermeableDepth = 5;
    store.DrainSpacing = 20;
    store.DrainRadius = 0.05;
    store.NrOfDataSets = static_cast<std::int32_t>(discharges.size());
    for (std::size_t i = 0; i < discharges.size(); ++i) {
        store.WorkDischarge.push_back(discharges[i]);
        store.WorkMidway.push_back(1.05 - (heads.empty() ? 0.05 * (i + 1.0) : heads[i]));
        store.WorkNear.push_back(1.05);
    }
    ResetTylwenUtils();
    const double d = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    return FitStatisticsOfLastCalculation(TCalculationOption::OverEntireSoilDepth, d, store);
}

std::vector<std::string> CodesOf(const TCalculationResults& fit) {
    std::vector<std::string> codes;
    for (const TFitWarning& warning : fit.Warnings) {
        codes.push_back(warning.Code);
    }
    return codes;
}

std::vector<double> Discharges(int n, double (*of)(int k)) {
    std::vector<double> discharges;
    for (int k = 1; k <= n; ++k) {
        discharges.push_back(of(k));
    }
    return discharges;
}

TEST(FitEdges, DataSetOffALineOnWhichEveryOtherLiesIsSuspectWithUnboundedT) {
    // Q = 0.025 k^2 + k puts Q/H" on 0.01 H" + 0.02; data set 20 has 2.5 times
    // its 30 mm/day: A = 4/175, h = 13/70, r^2 = n - 2 = 18, Cook's D = 39/19.
    std::vector<double> discharges = Discharges(20, [](int k) { return 0.025 * k * k + k; });
    discharges[19] = 75.0;
    const TCalculationResults fit = Fit(discharges);
    EXPECT_NEAR(fit.SlopeA, 4.0 / 175.0, 1e-15);
    const TDataSetInfluence& outlier = fit.Influence[19];
    EXPECT_NEAR(*outlier.Studentized, std::sqrt(18.0), 1e-12);
    EXPECT_TRUE(outlier.ExternalUnbounded() && *outlier.External > 0.0);
    EXPECT_EQ(*outlier.BonferroniP, 0.0);
    EXPECT_NEAR(*outlier.CooksDistance, 39.0 / 19.0, 1e-12);
    EXPECT_EQ(CodesOf(fit),
              std::vector<std::string>({"suspect", "others_on_one_line", "influential"}));
}

TEST(FitEdges, LineRestingOnOneDataSetIsInfluentialAndTold) {
    // Nine data sets at H" = 0.3 m and one at 0.6 m, of leverage 1:
    // A = 127/8100, B = 151/27000.
    const TCalculationResults fit = Fit({3.0, 3.3, 2.9, 3.1, 3.4, 2.8, 3.0, 3.2, 3.1, 9.0},
                                        {0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.6});
    EXPECT_NEAR(fit.SlopeA, 127.0 / 8100.0, 1e-15);
    EXPECT_NEAR(fit.InterceptB, 151.0 / 27000.0, 1e-15);
    EXPECT_NEAR(*fit.Influence[9].Leverage, 1.0, 1e-12);
    EXPECT_FALSE(fit.Influence[9].CooksDistance || fit.Influence[9].KaWithout);
    EXPECT_EQ(fit.Influential, fit.LineRestsOn);
    EXPECT_EQ(fit.LineRestsOn, std::vector<std::size_t>({10}));
    EXPECT_EQ(CodesOf(fit), std::vector<std::string>({"line_rests_on_one_data_set"}));
}

// A slope or intercept that rounding made of 0 is 0, and so is Ka or Kb, which
// the output file writes as " 0.000" (an exact zero has no sign there). The
// examples' own results are held byte for byte by the files and window tests.
TEST(FitEdges, SlopeOrInterceptOfRoundingIsZero) {
    const struct {
        const char* Name;
        std::vector<double> Discharges;
        double SlopeA;
        double InterceptB;
    } cases[] = {
        {"Q/H\" = 0.01 throughout", Discharges(10, [](int k) { return 0.5 * k; }), 0.0, 0.01},
        {"through the origin", Discharges(10, [](int k) { return 0.025 * k * k; }), 0.01, 0.0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Name);
        const TCalculationResults fit = Fit(test.Discharges);
        EXPECT_NEAR(fit.SlopeA, test.SlopeA, 1e-15);
        EXPECT_NEAR(fit.InterceptB, test.InterceptB, 1e-15);
        EXPECT_EQ(fit.SlopeA == 0.0 && fit.Ka == 0.0, test.SlopeA == 0.0);
        EXPECT_EQ(fit.InterceptB == 0.0 && fit.Kb == 0.0, test.InterceptB == 0.0);
        // No "negative" warning; the interval lies about the value shown.
        EXPECT_TRUE(fit.Warnings.empty() || fit.Warnings[0].Code.rfind("negative", 0) != 0);
        EXPECT_TRUE(fit.Spread->KaInterval.Low <= fit.Ka && fit.Ka <= fit.Spread->KaInterval.High);
        EXPECT_TRUE(DesignSpacing({7, 0.5, fit.Ka, fit.Kb, 5, 0.05}).Spacing);
    }
}

TEST(FitEdges, SpreadBeyondTheArithmeticIsTooLargeToCompute) {
    // 1.1e300 to 2.2e300 mm/day: A = -2.2855578764669674e298, but the squares
    // of Q/H" overflow.
    const TCalculationResults fit =
        Fit(Discharges(12, [](int k) { return (1.0 + 0.1 * k) * 1e300; }));
    EXPECT_NEAR(fit.SlopeA / -2.2855578764669674e298, 1.0, 1e-12);
    EXPECT_TRUE(fit.TooLarge && !fit.Spread && !fit.RSquared);
    EXPECT_EQ(CodesOf(fit), std::vector<std::string>({"negative_Ka", "too_large_to_compute"}));
}

// For D = 5 m and r = 0.05 m, d stays within D from 0.1008 m on, falls to its
// least value 0.10676 m at 2r e = 0.27183 m (where ln(L / 2r) = 1 once F has
// vanished) and grows from there: at that spacing the soil carries off
// 6,395 mm/day at h = 0.5 m (worked out in Python with the same formula).
TEST(DesignEdges, LooksOnlyWhereTheEquivalentDepthGrowsWithinTheLayer) {
    const std::string tooMuch = "The design discharge is too high, or the allowed height too low, "
                                "for this soil: even drains 0.2718 m apart, the narrowest spacing "
                                "that can be judged, leave the water table higher than h";
    const TDesignRequest refused[] = {
        {7, 1e-9, 0.177, 0.692, 5, 0.05},
        {1e6, 0.5, 0.177, 0.692, 5, 0.05},
        {6400, 0.5, 0.177, 0.692, 5, 0.05},
    };
    for (const TDesignRequest& request : refused) {
        const TDesignResult result = DesignSpacing(request);
        EXPECT_TRUE(!result.Spacing && result.Refusal.Field == TDesignField::Spacing);
        EXPECT_EQ(result.Refusal.Message, tooMuch);
    }
    const TDesignResult root = DesignSpacing({6390, 0.5, 0.177, 0.692, 5, 0.05});
    ASSERT_TRUE(root.Spacing);
    EXPECT_GT(root.Spacing->Spacing, 0.2718);
    EXPECT_LT(root.Spacing->Spacing, 0.2720);
}

} // namespace
