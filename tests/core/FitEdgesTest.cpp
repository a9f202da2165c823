// Fits and designs at the edges of what the data can say, against values
// worked out outside the program: the line, leverages, Cook's distances and
// Ka without a data set as exact fractions from the decimal inputs (Python
// fractions); the narrowest spacing whose equivalent depth stays within D by
// bisection on the published formula (Python floats, 200 halvings).
#include "UCalculation.h"
#include "UDrainDesign.h"
#include "UEquivalentDepth.h"
#include "UFitStatistics.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TDataSet = std::tuple<double, double, double>; // discharge mm/day, depth midway, near

// Drains 1.1 m deep and 20 m apart, radius 0.05 m, layer of 5 m: the
// pipe-drain field of the examples.
TDMTylwen FieldWith(const std::vector<TDataSet>& dataSets) {
    TDMTylwen store;
    store.DrainDepth = 1.1;
    store.ImpermeableDepth = 5;
    store.DrainSpacing = 20;
    store.DrainRadius = 0.05;
    store.NrOfDataSets = static_cast<std::int32_t>(dataSets.size());
    for (const auto& [q, midway, near] : dataSets) {
        store.WorkDischarge.push_back(q);
        store.WorkMidway.push_back(midway);
        store.WorkNear.push_back(near);
    }
    return store;
}

// H" = 0.05 k, k = 1 ... n, with the water table 1.05 m deep near the drains.
std::vector<TDataSet> AlongHeads(std::size_t n, double (*discharge)(int)) {
    std::vector<TDataSet> dataSets;
    for (int k = 1; k <= static_cast<int>(n); ++k) {
        dataSets.emplace_back(discharge(k), 1.05 - 0.05 * k, 1.05);
    }
    return dataSets;
}

std::vector<std::string> CodesOf(const TFitStatistics& fit) {
    std::vector<std::string> codes;
    for (const TFitWarning& warning : fit.Warnings) {
        codes.push_back(warning.Code);
    }
    return codes;
}

class FitEdges : public ::testing::Test {
protected:
    void SetUp() override { ResetTylwenUtils(); }
    void TearDown() override { ResetTylwenUtils(); }

    static TFitStatistics Calculate(TDMTylwen store) {
        const double d = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
        return FitStatisticsOfLastCalculation(TCalculationOption::OverEntireSoilDepth, d, store);
    }
};

TEST_F(FitEdges, DataSetOffALineOnWhichEveryOtherLiesIsSuspectWithUnboundedT) {
    // Q = 0.025 k^2 + k mm/day puts Q/H" on 0.01 H" + 0.02; data set 20 has
    // 2.5 times its 30 mm/day. Exactly: A = 4/175, B = 0.0155, h = 13/70, so
    // r^2 = n - 2 = 18 and Cook's D = 9 h / (1 - h) = 39/19; Ka without it 1.
    std::vector<TDataSet> dataSets = AlongHeads(20, [](int k) { return 0.025 * k * k + k; });
    std::get<0>(dataSets[19]) = 75.0;
    const TFitStatistics fit = Calculate(FieldWith(dataSets));
    EXPECT_NEAR(fit.SlopeA, 4.0 / 175.0, 1e-15);
    EXPECT_NEAR(fit.InterceptB, 0.0155, 1e-15);
    const TDataSetInfluence& outlier = fit.Influence[19];
    EXPECT_NEAR(*outlier.Studentized, std::sqrt(18.0), 1e-12);
    ASSERT_TRUE(outlier.ExternalUnbounded());
    EXPECT_GT(*outlier.External, 0.0);
    EXPECT_EQ(*outlier.BonferroniP, 0.0);
    EXPECT_NEAR(*outlier.CooksDistance, 39.0 / 19.0, 1e-12);
    EXPECT_NEAR(*outlier.KaWithout, 1.0, 1e-12);
    EXPECT_EQ(fit.Suspect, std::vector<std::size_t>({20}));
    EXPECT_EQ(fit.Influential, std::vector<std::size_t>({20}));
    EXPECT_EQ(CodesOf(fit),
              std::vector<std::string>({"suspect", "others_on_one_line", "influential"}));
    // Every other data set keeps a finite t.
    for (std::size_t i = 0; i < 19; ++i) {
        EXPECT_FALSE(fit.Influence[i].ExternalUnbounded()) << i;
    }
}

TEST_F(FitEdges, LineRestingOnOneDataSetIsInfluentialAndTold) {
    // Nine data sets at H" = 0.3 m and one at 0.6 m: h = 1 for the last, and
    // exactly A = 127/8100, B = 151/27000.
    std::vector<TDataSet> dataSets;
    for (const double q : {3.0, 3.3, 2.9, 3.1, 3.4, 2.8, 3.0, 3.2, 3.1}) {
        dataSets.emplace_back(q, 0.7, 1.0);
    }
    dataSets.emplace_back(9.0, 0.4, 1.0);
    const TFitStatistics fit = Calculate(FieldWith(dataSets));
    EXPECT_NEAR(fit.SlopeA, 127.0 / 8100.0, 1e-15);
    EXPECT_NEAR(fit.InterceptB, 151.0 / 27000.0, 1e-15);
    const TDataSetInfluence& alone = fit.Influence[9];
    EXPECT_NEAR(*alone.Leverage, 1.0, 1e-12);
    EXPECT_FALSE(alone.Studentized || alone.CooksDistance || alone.KaWithout);
    EXPECT_EQ(fit.Influential, std::vector<std::size_t>({10}));
    EXPECT_EQ(fit.LineRestsOn, std::vector<std::size_t>({10}));
    EXPECT_EQ(CodesOf(fit), std::vector<std::string>({"line_rests_on_one_data_set"}));
    EXPECT_NE(fit.Warnings[0].Text.find("data set 10 alone"), std::string::npos);
}

// A slope or intercept that rounding alone made of 0 is 0, and so are Ka or
// Kb (tests/files/OutputFileTest.cpp: " 0.000" in the output file); a real
// one stays what it is.
TEST_F(FitEdges, SlopeOrInterceptOfRoundingIsZero) {
    const struct {
        const char* Name;
        std::vector<TDataSet> DataSets;
        double SlopeA;
        double InterceptB;
    } cases[] = {
        // Q = 10 H" mm/day: Q/H" = 0.01 for every data set.
        {"one Q/H\"", AlongHeads(10, [](int k) { return 0.5 * k; }), 0.0, 0.01},
        // Q = 10 H"^2 mm/day: the line runs through the origin.
        {"through the origin", AlongHeads(10, [](int k) { return 0.025 * k * k; }), 0.01, 0.0},
        // The pipe-drain field of the examples, as its output file gives it.
        {"pipe-drain field",
         {{15, 0.26, 0.98},
          {13.6, 0.32, 0.98},
          {12.8, 0.38, 0.99},
          {11.7, 0.46, 1.01},
          {10.5, 0.51, 1.01},
          {9.2, 0.56, 1.02},
          {8.8, 0.61, 1.02},
          {7.5, 0.66, 1.03},
          {7.1, 0.7, 1.03},
          {5.9, 0.74, 1.03},
          {5.1, 0.77, 1.03},
          {4.4, 0.82, 1.04},
          {3.7, 0.87, 1.06},
          {3.3, 0.9, 1.06},
          {2.6, 0.94, 1.07}},
         0.0017696586076219193,
         0.019842217410701319},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Name);
        const TFitStatistics fit = Calculate(FieldWith(test.DataSets));
        EXPECT_NEAR(fit.SlopeA, test.SlopeA, 1e-15);
        EXPECT_NEAR(fit.InterceptB, test.InterceptB, 1e-15);
        EXPECT_EQ(fit.SlopeA == 0.0 && fit.Ka == 0.0, test.SlopeA == 0.0);
        EXPECT_EQ(fit.InterceptB == 0.0 && fit.Kb == 0.0, test.InterceptB == 0.0);
        for (const std::string& code : CodesOf(fit)) {
            EXPECT_EQ(code.rfind("negative_", 0), std::string::npos) << code;
        }
        // The interval lies about the value shown; a design takes Ka = 0.
        ASSERT_TRUE(fit.Spread);
        EXPECT_LE(fit.Spread->KaInterval.Low, fit.Ka);
        EXPECT_GE(fit.Spread->KaInterval.High, fit.Ka);
        EXPECT_TRUE(DesignSpacing({7, 0.5, fit.Ka, fit.Kb, 5, 0.05}).Spacing);
    }
}

TEST_F(FitEdges, SpreadBeyondTheArithmeticIsTooLargeToCompute) {
    // Discharges of 1.1e300 to 2.2e300 mm/day: exactly A = -2.2855578764669674e298
    // and B = 1.460008089553544e298, but the squares of Q/H" overflow.
    const TFitStatistics fit =
        Calculate(FieldWith(AlongHeads(12, [](int k) { return (1.0 + 0.1 * k) * 1e300; })));
    EXPECT_NEAR(fit.SlopeA / -2.2855578764669674e298, 1.0, 1e-12);
    EXPECT_NEAR(fit.InterceptB / 1.460008089553544e298, 1.0, 1e-12);
    EXPECT_TRUE(fit.TooLarge);
    EXPECT_FALSE(fit.Spread || fit.RSquared);
    EXPECT_EQ(CodesOf(fit), std::vector<std::string>({"negative_Ka", "too_large_to_compute"}));
}

// Only spacings whose equivalent depth stays within the layer D are judged:
// for D = 5 m and r = 0.05 m the narrowest is 0.100794886412506 m.
TEST(DesignEdges, LooksOnlyWhereTheEquivalentDepthStaysWithinTheLayer) {
    const std::string tooMuch = "The design discharge is too high, or the allowed height too low, "
                                "for this soil: even drains 0.1008 m apart, the narrowest spacing "
                                "that can be judged, leave the water table higher than h";
    const struct {
        TDesignRequest Request;
        std::string Message;
    } refusals[] = {
        {{7, 1e-9, 0.177, 0.692, 5, 0.05}, tooMuch},
        {{1e7, 0.5, 0.177, 0.692, 5, 0.05}, tooMuch},
        // d approaches a layer thinner than the drain diameter from above.
        {{7, 0.5, 0.177, 0.692, 0.15, 0.1},
         "No spacing up to 10000 m keeps the equivalent depth d within the layer below drain "
         "level (D = 0.15 m): the layer is too thin for drains of this radius"},
    };
    for (const auto& refusal : refusals) {
        const TDesignResult result = DesignSpacing(refusal.Request);
        EXPECT_FALSE(result.Spacing);
        EXPECT_EQ(result.Refusal.Field, TDesignField::Spacing);
        EXPECT_EQ(result.Refusal.Message, refusal.Message);
    }
    // Just wider than the narrowest, the equation still has its root.
    const double narrowest = 0.100794886412506;
    const double d = EquivalentDepth(5, narrowest * 1.001, 0.05);
    const double carried =
        (8 * 0.692 * d * 0.5 + 4 * 0.177 * 0.25) / std::pow(narrowest * 1.001, 2);
    const TDesignResult root = DesignSpacing({carried * 1000, 0.5, 0.177, 0.692, 5, 0.05});
    ASSERT_TRUE(root.Spacing) << root.Refusal.Message;
    EXPECT_NEAR(root.Spacing->Spacing, narrowest * 1.001, 1e-9);
    EXPECT_LE(root.Spacing->EquivalentDepth, 5.0);
}

} // namespace
