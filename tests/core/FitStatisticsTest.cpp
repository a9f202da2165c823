// The fit statistics against values worked out outside the program: the sums
// in exact rational arithmetic from the decimal inputs (Python fractions),
// Student's t from its distribution function (mpmath, 30 digits).
#include "UCalculation.h"
#include "UFitStatistics.h"
#include "UTylwenUtils.h"
#include "UWhatIfFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
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

    TCalculationResults Calculate(TDMTylwen store, TCalculationOption option) {
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
    const TCalculationResults fit =
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
    const TCalculationResults fit =
        Calculate(StoreWith(1.3, 30, dataSets), TCalculationOption::OverEntireSoilDepth);
    EXPECT_NEAR(fit.SlopeA, 0.004, 1e-14);
    EXPECT_NEAR(fit.InterceptB, 0.01, 1e-14);
    ASSERT_TRUE(fit.Spread && fit.RSquared);
    EXPECT_EQ(*fit.RSquared, 1.0);
    EXPECT_EQ(fit.Spread->ResidualDeviation, 0.0);
    ExpectInterval(fit.Spread->KaInterval, 0.9, 0.9, 1e-12);
    EXPECT_EQ(fit.Residuals, std::vector<double>(12, 0.0));
    EXPECT_TRUE(fit.Suspect.empty() && fit.Influential.empty() && fit.Warnings.empty());
    // Without spread nothing is studentized; any eleven data sets still give Ka.
    EXPECT_FALSE(fit.Influence[0].Studentized || fit.Influence[0].CooksDistance);
    EXPECT_NEAR(*fit.Influence[0].KaWithout, 0.9, 1e-12);
}

TEST_F(FitStatistics, PlantedOutlierIsTheOnlySuspect) {
    // The pipe-drain field (drain depth 1.1 m, spacing 20 m) with the discharge
    // of data set 8 raised from 7.5 to 10.5 mm/day: its residual is 3.361 s,
    // the next largest 0.602 s (data set 13); 13 degrees of freedom,
    // t = 2.16036865646279.
    const TCalculationResults fit = Calculate(StoreWith(1.1, 20,
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
    // Externally studentized t = 12.8026289527944, Bonferroni p = 3.51466460644647e-7
    // (Student's t with 12 degrees of freedom through mpmath's regularized beta).
    EXPECT_NEAR(*fit.Influence[7].External, 12.8026289527944, 1e-9);
    EXPECT_NEAR(*fit.Influence[7].BonferroniP / 3.51466460644647e-7, 1.0, 1e-8);
    EXPECT_EQ(fit.Suspect, std::vector<std::size_t>({8}));
    // Its Cook's distance, 0.439, stays below the median of F(2, 13), 0.731:
    // far from the line, yet near the mean H", it does not swing the line.
    EXPECT_TRUE(fit.Influential.empty());
}

TEST_F(FitStatistics, TwoDataSetsOrTheSecondOptionGiveNoSpread) {
    const std::vector<TDataSet> two = {{5, 0.6, 1.0}, {3, 0.8, 1.1}};
    const TCalculationResults line =
        Calculate(StoreWith(1.2, 30, two), TCalculationOption::OverEntireSoilDepth);
    EXPECT_FALSE(line.Spread || line.RSquared);
    EXPECT_EQ(line.Residuals, std::vector<double>(2, 0.0));
    EXPECT_EQ(*line.Influence[0].Leverage, 1.0);
    EXPECT_FALSE(line.Influence[0].Studentized || line.Influence[0].KaWithout);

    // Second option on the worked example: mean H" = 0.85 / 3, mean Q/H" =
    // 0.0325 / 3, A = 0.0325 / 0.85.
    const TCalculationResults origin =
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

    // Without its first data set only the line through the origin and the
    // others' mean point is fitted again: the calculation's d, S, Ka and Kb
    // stay.
    const std::optional<TCalculationResults> without = FitWithout(origin, {1});
    ASSERT_TRUE(without);
    EXPECT_NEAR(without->SlopeA, (origin.QH[1] + origin.QH[2]) / (origin.Head[1] + origin.Head[2]),
                1e-15);
    for (const auto& [kept, calculated] :
         {std::pair{without->EquivalentDepth, origin.EquivalentDepth},
          std::pair{without->DrainSpacing, origin.DrainSpacing}, std::pair{without->Ka, origin.Ka},
          std::pair{without->Kb, origin.Kb}, std::pair{without->DepthScale, origin.DepthScale}}) {
        EXPECT_EQ(kept, calculated);
    }
    EXPECT_EQ(without->Head, origin.Head);
    EXPECT_EQ(without->Excluded, std::vector<std::size_t>({1}));
    EXPECT_EQ(without->Influence.size(), 3u);
}

} // namespace

namespace {

// Expected values per data set; nullopt where the statistic is undefined.
struct TExpectedInfluence {
    std::size_t Index;
    double Leverage;
    double Studentized;
    std::optional<double> External;
    std::optional<double> BonferroniP;
    double CooksDistance;
    double KaWithout;
};

struct TInfluenceCase {
    const char* Name;
    double DrainDepth;
    double Spacing;
    std::vector<TDataSet> DataSets;
    double InfluenceLimit;
    std::vector<std::size_t> Suspect;
    std::vector<std::size_t> Influential;
    std::vector<std::string> WarningCodes;
    std::vector<TExpectedInfluence> Expected;
};

// Worked out with Python: H", Q/H", leverage, Cook's distance and Ka without
// a data set as exact fractions from the decimal inputs; square roots and
// Student's t (two-sided p from mpmath's regularized incomplete beta) at 30
// digits; the median of F(2, n - 2) as (n - 2)/2 (2^(2/(n-2)) - 1).
const std::vector<TInfluenceCase> InfluenceCases = {
    {"worked example: n = 3, |r| = 1 always, no t",
     1.2,
     30,
     {{5, 0.6, 1.0}, {3, 0.8, 1.1}, {1.5, 1.0, 1.15}},
     1.5,
     {},
     {1, 3},
     {"Ka_interval_includes_zero", "Kb_interval_includes_zero", "influential", "few_data_sets"},
     {{0, 29.0 / 38, 1.0, {}, {}, 29.0 / 18, 0.0},
      {1, 13.0 / 38, -1.0, {}, {}, 0.26, 2.25},
      {2, 17.0 / 19, 1.0, {}, {}, 4.25, 5.625}}},
    {"n = 4",
     1.2,
     30,
     {{5, 0.6, 1.0}, {3, 0.8, 1.1}, {1.5, 1.0, 1.15}, {4, 0.7, 1.05}},
     1.0,
     {},
     {3},
     {"Ka_interval_includes_zero", "influential", "few_data_sets"},
     {{0, 0.535714285714286, 1.02258519125439, 1.04677319749033, 1.0, 0.603277196176604,
       1.23626373626374},
      {1, 0.25, -1.31811831693361, -2.57238945340708, 0.944145577587571, 0.28957264957265,
       2.06632653061224},
      {2, 0.892857142857143, 1.4040235223393, 8.28509849928516, 0.305876898059349, 8.21367521367521,
       5.625}}},
    {"11 data sets, 13.5 mm/day typed as 1.35 at the highest H\"",
     1.1,
     20,
     {{1.35, 0.38, 1.0},
      {12.5, 0.42, 1.0},
      {11.4, 0.47, 1.0},
      {10.2, 0.52, 1.0},
      {9.4, 0.56, 1.0},
      {8.2, 0.61, 1.0},
      {7.1, 0.66, 1.0},
      {6.3, 0.7, 1.0},
      {5.1, 0.75, 1.0},
      {4.1, 0.8, 1.0},
      {3.0, 0.85, 1.0}},
     0.749380678092525,
     {1},
     {1},
     {"negative_Ka", "Ka_interval_includes_zero", "suspect", "influential"},
     {{0, 0.310246821241586, -2.99882058531949, -100.839173093565, 1.1490712022668e-12,
       2.02248170122415, 0.341194661885952},
      {1, 0.240837696335079, 1.1015122003077, 1.1164991482324, 1.0, 0.192459102971134,
       -2.06410785694384}}},
    {"6 data sets, one discharge grossly too low",
     1.1,
     20,
     {{11.3, 0.40, 1.0},
      {9.6, 0.50, 1.0},
      {8.4, 0.58, 1.0},
      {4.1, 0.66, 1.0},
      {5.0, 0.75, 1.0},
      {3.0, 0.85, 1.0}},
     0.82842712474619,
     {4},
     {},
     {"negative_Ka", "Ka_interval_includes_zero", "suspect", "few_data_sets"},
     {{3, 0.176571709233792, -1.9929783472315, -20.6155561593543, 0.00149751194790001,
       0.425863581260314, -0.257083209066508},
      {5, 0.545186640471513, 0.653663743493691, 0.598984119088016, 1.0, 0.256088920847509,
       0.514457078727819}}},
    {"11 data sets without an outlier",
     1.1,
     20,
     {{13.5, 0.38, 1.0},
      {12.5, 0.42, 1.0},
      {11.4, 0.47, 1.0},
      {10.2, 0.52, 1.0},
      {9.4, 0.56, 1.0},
      {8.2, 0.61, 1.0},
      {7.1, 0.66, 1.0},
      {6.3, 0.7, 1.0},
      {5.1, 0.75, 1.0},
      {4.1, 0.8, 1.0},
      {3.0, 0.85, 1.0}},
     0.749380678092525,
     {},
     {},
     {},
     {{7, 0.123560209424084, 1.93627557524745, 2.38999997564674, 0.482414188310242,
       0.264277924844313, 0.348916697535252},
      {10, 0.326065818997756, -1.72754195589973, -1.99220564096539, 0.89643597615725,
       0.721963102622081, 0.305680285587966}}},
};

void ExpectRelative(const std::optional<double>& actual, const std::optional<double>& expected,
                    const char* what) {
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-9 * std::max(1.0, std::fabs(*expected))) << what;
    }
}

std::vector<std::string> CodesOf(const std::vector<TFitWarning>& warnings) {
    std::vector<std::string> codes;
    for (const TFitWarning& warning : warnings) {
        codes.push_back(warning.Code);
    }
    return codes;
}

} // namespace

TEST_F(FitStatistics, InfluenceSuspectsAndWarnings) {
    for (const TInfluenceCase& test : InfluenceCases) {
        SCOPED_TRACE(test.Name);
        const TCalculationResults fit =
            Calculate(StoreWith(test.DrainDepth, test.Spacing, test.DataSets),
                      TCalculationOption::OverEntireSoilDepth);
        ASSERT_TRUE(fit.InfluenceLimit);
        EXPECT_NEAR(*fit.InfluenceLimit, test.InfluenceLimit, 1e-12);
        EXPECT_EQ(fit.Suspect, test.Suspect);
        EXPECT_EQ(fit.Influential, test.Influential);
        EXPECT_EQ(CodesOf(fit.Warnings), test.WarningCodes);
        for (const TExpectedInfluence& expected : test.Expected) {
            const TDataSetInfluence& actual = fit.Influence[expected.Index];
            ExpectRelative(actual.Leverage, expected.Leverage, "leverage");
            ExpectRelative(actual.Studentized, expected.Studentized, "studentized");
            ExpectRelative(actual.External, expected.External, "t");
            ExpectRelative(actual.BonferroniP, expected.BonferroniP, "Bonferroni p");
            ExpectRelative(actual.CooksDistance, expected.CooksDistance, "Cook's distance");
            ExpectRelative(actual.KaWithout, expected.KaWithout, "Ka without");
        }
    }
}

TEST_F(FitStatistics, WhatIfFitLeavesDataSetsOutAndPutsThemBack) {
    // The slipped decimal left out gives the clean field's other ten data sets:
    // Ka without data set 1 = 0.341194661885952 (the fraction above).
    const TCalculationResults full = Calculate(StoreWith(1.1, 20, InfluenceCases[2].DataSets),
                                               TCalculationOption::OverEntireSoilDepth);
    TWhatIfFit whatIf;
    int changes = 0;
    whatIf.OnChanged = [&changes] { ++changes; };
    whatIf.Reset(std::make_shared<const TCalculationResults>(full));
    EXPECT_TRUE(whatIf.LeaveOutSuspects());
    EXPECT_EQ(whatIf.Excluded(), std::vector<std::size_t>({1}));
    EXPECT_NEAR(whatIf.Current().Ka, 0.341194661885952, 1e-12);
    EXPECT_EQ(whatIf.Current().NrInFit(), 10u);
    EXPECT_FALSE(whatIf.Current().Influence[0].Leverage);
    // The band of the what-if line counts only the ten data sets in its fit.
    const TCalculationResults& ten = whatIf.Current();
    ASSERT_TRUE(ten.Spread && ten.BandAt(ten.MeanHead));
    EXPECT_NEAR(ten.BandAt(ten.MeanHead)->High - ten.LineAt(ten.MeanHead),
                ten.Spread->StudentT * ten.Spread->ResidualDeviation / std::sqrt(10.0), 1e-15);
    EXPECT_EQ(WhatIfLine(whatIf.Excluded()),
              "What-if: data set 1 left out \u2014 the files are unchanged");
    EXPECT_TRUE(whatIf.Toggle(7));
    EXPECT_EQ(WhatIfLine(whatIf.Excluded()),
              "What-if: data sets 1, 7 left out \u2014 the files are unchanged");
    // Out of range, or too few left for a line: refused, nothing changes.
    EXPECT_FALSE(whatIf.Toggle(12) || whatIf.Toggle(0));
    whatIf.PutAllBack();
    EXPECT_FALSE(whatIf.IsActive());
    EXPECT_EQ(whatIf.Current().Ka, full.Ka);
    EXPECT_EQ(changes, 4);

    // Every data set but two left out leaves a line without spread.
    const std::optional<TCalculationResults> two = FitWithout(full, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    ASSERT_TRUE(two);
    EXPECT_FALSE(two->Spread);
    EXPECT_FALSE(FitWithout(full, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}
