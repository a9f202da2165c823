#include "UCalculation.h"
#include "UDrainGeometry.h"
#include "UFloatMath.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TDataSet = std::tuple<double, double, double>; // discharge, depth midway, depth near

// The store as reading an input file leaves it: input arrays from index 1
// with two spare zeros, working arrays from index 0.
TDMTylwen StoreWith(const std::vector<TDataSet>& dataSets) {
    TDMTylwen store;
    store.DrainDepth = 1.2;
    store.ImpermeableDepth = 10;
    store.DrainSpacing = 30;
    store.DrainRadius = 0.1;
    const std::size_t n = dataSets.size();
    store.NrOfDataSets = static_cast<std::int32_t>(n);
    store.InputDischarge.assign(n + 3, 0.0);
    store.InputDepthMidway.assign(n + 3, 0.0);
    store.InputDepthNear.assign(n + 3, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [q, midway, near] = dataSets[i];
        store.InputDischarge[i + 1] = q;
        store.InputDepthMidway[i + 1] = midway;
        store.InputDepthNear[i + 1] = near;
        store.WorkDischarge.push_back(q);
        store.WorkMidway.push_back(midway);
        store.WorkNear.push_back(near);
    }
    return store;
}

TDMTylwen WorkedExample() {
    return StoreWith({{5, 0.6, 1.0}, {3, 0.8, 1.1}, {1.5, 1.0, 1.15}});
}

class Calculation : public ::testing::Test {
protected:
    void SetUp() override { ResetTylwenUtils(); }
    void TearDown() override { ResetTylwenUtils(); }

    void ExpectWorkedExampleResults(const TDMTylwen& store, double d) {
        EXPECT_NEAR(d, 2.322957, 5e-7);
        EXPECT_NEAR(MeanX, 0.2833333, 5e-8);
        EXPECT_NEAR(MeanY, 0.01083333, 5e-9);
        EXPECT_NEAR(SlopeA, 0.009210526, 5e-10);
        EXPECT_NEAR(InterceptB, 0.008223684, 5e-10);
        EXPECT_NEAR(store.Ka, 2.072368, 5e-7);
        EXPECT_NEAR(store.Kb, 0.3982701, 5e-8);
    }

    // Refused in words before anything is saved, and by the calculation alike.
    static void ExpectSameHeadRefusal(TDMTylwen store, const char* head) {
        const std::string message =
            std::string("All data sets have the same H\" (") + head + " m); no line can be fitted.";
        const auto option = TCalculationOption::OverEntireSoilDepth;
        for (const auto& refuse :
             {std::function<void()>([&] { CheckHeadsDiffer(option, store); }),
              std::function<void()>([&] { CalculateRegression(option, store); })}) {
            try {
                refuse();
                ADD_FAILURE() << message;
            } catch (const EDrainGeometryError& error) {
                EXPECT_EQ(error.what(), message);
            }
        }
    }
};

TEST_F(Calculation, WorkedExampleFirstOption) {
    TDMTylwen store = WorkedExample();
    const double d = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    ExpectWorkedExampleResults(store, d);

    ASSERT_EQ(XValues.size(), 4u);
    ASSERT_EQ(YValues.size(), 4u);
    EXPECT_NEAR(XValues[0], 0.4, 1e-15);
    EXPECT_NEAR(XValues[2], 0.15, 1e-15);
    EXPECT_NEAR(YValues[0], 0.0125, 1e-15);
    EXPECT_NEAR(YValues[1], 0.01, 1e-15);
    // Working arrays now hold Q (m/day), H and E; the input arrays are untouched.
    EXPECT_DOUBLE_EQ(store.WorkDischarge[0], 0.005);
    EXPECT_NEAR(store.WorkMidway[0], 0.6, 1e-15);
    EXPECT_NEAR(store.WorkNear[0], 0.2, 1e-15);
    EXPECT_EQ(store.InputDischarge[1], 5.0);
    EXPECT_EQ(store.InputDepthNear[3], 1.15);
}

TEST_F(Calculation, SecondOptionGivesSlopeThroughMeanPointAndKeepsConductivities) {
    TDMTylwen store = WorkedExample();
    store.Ka = 7.0;
    store.Kb = 8.0;
    const double d = CalculateRegression(TCalculationOption::AboveAndBelowDrains, store);
    EXPECT_NEAR(d, 2.322957, 5e-7);
    EXPECT_NEAR(SlopeA, 0.03823529, 5e-9);
    EXPECT_EQ(InterceptB, 1.0);
    EXPECT_EQ(store.Ka, 7.0);
    EXPECT_EQ(store.Kb, 8.0);
}

TEST_F(Calculation, RepeatedCalculationRebuildsFromInputArrays) {
    TDMTylwen store = WorkedExample();
    OutputShown = true;
    CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    const double d = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    ExpectWorkedExampleResults(store, d);
    EXPECT_DOUBLE_EQ(store.WorkDischarge[0], 0.005);
    EXPECT_EQ(store.WorkDischarge.size(), 4u);
}

TEST_F(Calculation, OutputFileOpenedFillsOnlyInputArraysYetAllDataSetsCount) {
    TDMTylwen store = WorkedExample();
    store.WorkDischarge.clear();
    store.WorkMidway.clear();
    store.WorkNear.clear();
    OutputShown = true;
    const double d = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    ExpectWorkedExampleResults(store, d);
}

TEST_F(Calculation, ZeroDischargeGivesZeroResultsWithoutError) {
    TDMTylwen store = StoreWith({{0, 0.6, 1.0}, {0, 0.8, 1.1}, {0, 1.0, 1.15}});
    CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    EXPECT_EQ(SlopeA, 0.0);
    EXPECT_EQ(InterceptB, 0.0);
    EXPECT_EQ(store.Ka, 0.0);
    EXPECT_EQ(store.Kb, 0.0);
}

TEST_F(Calculation, InvalidSiteConstantStopsBeforeAnyDataSetIsTouched) {
    TDMTylwen store = WorkedExample();
    store.DrainSpacing = 0;
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store),
                 EDrainGeometryError);
    EXPECT_EQ(SlopeA, 0.0);
    EXPECT_EQ(InterceptB, 0.0);
    EXPECT_EQ(store.WorkDischarge, (DataSetR{5, 3, 1.5}));
    EXPECT_EQ(store.WorkMidway, (DataSetR{0.6, 0.8, 1.0}));
}

TEST_F(Calculation, EqualDepthsStopAtTheirDataSetWithEarlierOnesConverted) {
    TDMTylwen store = StoreWith({{5, 0.6, 1.0}, {3, 0.9, 0.9}, {1.5, 1.0, 1.15}});
    store.Ka = 7.0;
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store), EZeroDivide);
    EXPECT_DOUBLE_EQ(store.WorkDischarge[0], 0.005);
    EXPECT_DOUBLE_EQ(store.WorkDischarge[1], 0.003);
    EXPECT_NEAR(store.WorkMidway[1], 0.3, 1e-15);
    EXPECT_NEAR(store.WorkNear[1], 0.3, 1e-15);
    EXPECT_EQ(XValues[1], 0.0);
    EXPECT_EQ(store.WorkDischarge[2], 1.5);
    EXPECT_EQ(store.WorkMidway[2], 1.0);
    EXPECT_EQ(store.Ka, 7.0);
}

TEST_F(Calculation, NoDataSetsAreRefusedBeforeAnythingChanges) {
    TDMTylwen store = StoreWith({});
    XValues = {7.0};
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store),
                 EDrainGeometryError);
    EXPECT_EQ(XValues, (DataSetR{7.0}));
}

// Six times the H" of 0.3 divided by 6 is not that H" in binary, so the
// squared deviations do not vanish; equal H" must still be refused, not fitted.
TEST_F(Calculation, AllEqualDepthDifferencesGiveNoSlope) {
    TDMTylwen store = StoreWith({{5, 0.1, 0.4},
                                 {3, 0.1, 0.4},
                                 {1.5, 0.1, 0.4},
                                 {2, 0.1, 0.4},
                                 {4, 0.1, 0.4},
                                 {6, 0.1, 0.4}});
    store.Ka = 7.0;
    store.Kb = 8.0;
    ExpectSameHeadRefusal(store, "0.3");
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store),
                 EDrainGeometryError);
    EXPECT_EQ(store.Ka, 7.0);
    EXPECT_EQ(store.Kb, 8.0);
    // The second option has a slope through the mean point all the same.
    CheckHeadsDiffer(TCalculationOption::AboveAndBelowDrains, store);
    OutputShown = true;
    CalculateRegression(TCalculationOption::AboveAndBelowDrains, store);
    EXPECT_NEAR(SlopeA, (0.0215 / 6 / 0.3) / 0.3, 1e-12);
}

// Each pair lies 0.3 (or 0.4) m apart as typed, but the binary H" differ in
// their last bits: still no slope, rather than a Ka of 1e15. A millimetre is
// a real difference.
TEST_F(Calculation, DepthDifferencesEqualButForRoundingGiveNoSlope) {
    std::vector<TDataSet> tenSets; // (2.0, 0.50, 0.80), (2.5, 0.55, 0.85) ... as typed
    for (int k = 0; k < 10; ++k) {
        tenSets.emplace_back((20 + 5 * k) / 10.0, (50 + 5 * k) / 100.0, (80 + 5 * k) / 100.0);
    }
    TDMTylwen ten = StoreWith(tenSets);
    ten.DrainDepth = 1.5;
    TDMTylwen three = StoreWith({{5, 0.6, 1.0}, {3, 0.7, 1.1}, {1.5, 0.75, 1.15}});
    ExpectSameHeadRefusal(ten, "0.3");
    ExpectSameHeadRefusal(three, "0.4");
    TDMTylwen millimetre = StoreWith({{5, 0.6, 0.9}, {3, 0.7, 1.001}});
    CheckHeadsDiffer(TCalculationOption::OverEntireSoilDepth, millimetre);
    CalculateRegression(TCalculationOption::OverEntireSoilDepth, millimetre);
    EXPECT_NEAR(SlopeA, (0.003 / 0.301 - 0.005 / 0.3) / 0.001, 1e-9);
}

TEST_F(Calculation, SiteConstantsOfNoDrainedFieldAreRefusedBeforeAnythingChanges) {
    const std::string halfSpacing = " m) must be less than half the drain spacing (30 m)";
    for (const auto& [layer, radius, message] :
         std::vector<std::tuple<double, double, std::string>>{
             {10, 100, "The drain radius (100" + halfSpacing},
             {10, 15, "The drain radius (15" + halfSpacing},
             {1e-300, 0.1,
              "The depth to the impermeable layer (1E-300 m) gives an equivalent depth d below "
              "half a millimetre, too small to calculate Kb from"}}) {
        TDMTylwen store = WorkedExample();
        store.ImpermeableDepth = layer;
        store.DrainRadius = radius;
        SlopeA = 7.0;
        try {
            CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
            ADD_FAILURE() << message;
        } catch (const EDrainGeometryError& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(SlopeA, 7.0);
        EXPECT_EQ(store.WorkDischarge, (DataSetR{5, 3, 1.5}));
    }
    TDMTylwen thinLayer = WorkedExample();
    thinLayer.ImpermeableDepth = 0.01;
    EXPECT_NEAR(CalculateRegression(TCalculationOption::OverEntireSoilDepth, thinLayer), 0.01,
                1e-4);
}

// Each refusal names what is wrong in words, not as a floating-point error.
TEST_F(Calculation, ConstantsThatAreNoLengthAndTooFewDataSetsAreNamed) {
    const auto option1 = TCalculationOption::OverEntireSoilDepth;
    const auto option2 = TCalculationOption::AboveAndBelowDrains;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::string notLength = " must be a positive length, not ";
    for (const auto& [constant, value, option, sets, message] :
         std::vector<std::tuple<double TDMTylwen::*, double, TCalculationOption, int, std::string>>{
             {&TDMTylwen::DrainDepth, 0, option1, 3, "The drain depth" + notLength + "0 m"},
             {&TDMTylwen::ImpermeableDepth, -2, option1, 3,
              "The depth to the impermeable layer" + notLength + "-2 m"},
             {&TDMTylwen::DrainSpacing, HUGE_VAL, option2, 3,
              "The drain spacing" + notLength + "INF m"},
             {&TDMTylwen::DrainRadius, nan, option1, 3, "The drain radius" + notLength + "NAN m"},
             {&TDMTylwen::DrainRadius, 0.1, option1, 1,
              "At least two data sets are needed to fit the line, but the table holds only one"},
             {&TDMTylwen::DrainRadius, 0.1, option2, 0,
              "At least one data set is needed, but the table holds none"}}) {
        TDMTylwen store = WorkedExample();
        store.*constant = value;
        store.NrOfDataSets = sets;
        SlopeA = 7.0;
        try {
            CalculateRegression(option, store);
            ADD_FAILURE() << message;
        } catch (const EDrainGeometryError& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(SlopeA, 7.0);
    }
    TDMTylwen one = WorkedExample();
    one.NrOfDataSets = 1;
    CalculateRegression(option2, one);
    EXPECT_NEAR(SlopeA, 0.005 / 0.4 / 0.4, 1e-12);
}

TEST_F(Calculation, MeanDepthDifferenceOfZeroStopsTheSecondOption) {
    TDMTylwen store = StoreWith({{5, 0.6, 0.8}, {3, 0.8, 0.6}});
    EXPECT_THROW(CalculateRegression(TCalculationOption::AboveAndBelowDrains, store), EZeroDivide);
    EXPECT_EQ(SlopeA, 1.0);
}

TEST_F(Calculation, CountBeyondTheArraysIsARangeErrorNotARead) {
    TDMTylwen store = WorkedExample();
    store.NrOfDataSets = 5;
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store), ERangeError);

    TDMTylwen rebuilt = WorkedExample();
    rebuilt.NrOfDataSets = 3;
    rebuilt.InputDischarge.resize(3);
    OutputShown = true;
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, rebuilt),
                 ERangeError);
}

TEST_F(Calculation, NegativeCountIsTreatedAsNoDataSets) {
    TDMTylwen store = WorkedExample();
    store.NrOfDataSets = -4;
    EXPECT_THROW(CalculateRegression(TCalculationOption::OverEntireSoilDepth, store),
                 EDrainGeometryError);
    EXPECT_EQ(store.WorkDischarge[0], 5.0);
}

} // namespace
