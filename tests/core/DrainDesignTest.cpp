#include "UCalculation.h"
#include "UDrainDesign.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TDesignRequest Request(double q, double h, double ka, double kb, double D, double r) {
    return TDesignRequest{q, h, ka, kb, D, r};
}

// The fitted line of a field gives back that field's own spacing: with
// Ka = S^2 A / 4 and Kb = S^2 B / (8 d(S)), the discharge (m/day) that
// Hooghoudt's equation gives at S is A h^2 + B h, in mm/day 1000 times that.
TEST(DrainDesign, DischargeOfTheFittedLineGivesBackTheFieldsSpacing) {
    ResetTylwenUtils();
    TDMTylwen store;
    store.DrainDepth = 1.1;
    store.ImpermeableDepth = 5;
    store.DrainSpacing = 20;
    store.DrainRadius = 0.05;
    const std::vector<std::vector<double>> dataSets = {{15, 0.26, 0.98},
                                                       {10.5, 0.51, 1.01},
                                                       {7.5, 0.66, 1.03},
                                                       {5.1, 0.77, 1.03},
                                                       {2.6, 0.94, 1.07}};
    store.NrOfDataSets = static_cast<std::int32_t>(dataSets.size());
    for (const std::vector<double>& set : dataSets) {
        store.WorkDischarge.push_back(set[0]);
        store.WorkMidway.push_back(set[1]);
        store.WorkNear.push_back(set[2]);
    }
    CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    for (const double h : {0.05, 0.35, 0.9, 2.5}) {
        const double q = 1000.0 * (SlopeA * h * h + InterceptB * h);
        const TDesignResult result = DesignSpacing(Request(q, h, store.Ka, store.Kb, 5, 0.05));
        ASSERT_TRUE(result.Spacing) << result.Refusal.Message;
        EXPECT_NEAR(result.Spacing->Spacing / 20.0, 1.0, 1e-6) << "h = " << h;
    }
    ResetTylwenUtils();
}

// Reference values solved apart from the program, by bisection on the same
// equation with the published short constants.
TEST(DrainDesign, ShallowAndDeepLayerTakeEachFormOfTheEquivalentDepth) {
    const TDesignResult shallow = DesignSpacing(Request(7, 0.5, 0.8, 1.2, 0.5, 0.1));
    ASSERT_TRUE(shallow.Spacing);
    EXPECT_NEAR(shallow.Spacing->Spacing, 20.9538164386, 1e-7);
    EXPECT_NEAR(shallow.Spacing->EquivalentDepth, 0.4736327007, 1e-8);
    const TDesignResult deep = DesignSpacing(Request(7, 0.5, 0.8, 1.2, 40, 0.1));
    ASSERT_TRUE(deep.Spacing);
    EXPECT_NEAR(deep.Spacing->Spacing, 50.8690369428, 1e-7);
    EXPECT_NEAR(deep.Spacing->EquivalentDepth, 3.6070025909, 1e-8);
}

struct TRefusalRow {
    TDesignRequest Request;
    TDesignField Field;
};

TEST(DrainDesign, RefusesWithTheFieldAtFaultAndNoSpacing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using F = TDesignField;
    const std::vector<TRefusalRow> rows = {
        {Request(0, 0.5, 1, 1, 5, 0.1), F::Discharge},
        {Request(-3, 0.5, 1, 1, 5, 0.1), F::Discharge},
        {Request(7, 0, 1, 1, 5, 0.1), F::Head},
        {Request(7, nan, 1, 1, 5, 0.1), F::Head},
        {Request(7, 0.5, -0.1, 1, 5, 0.1), F::Ka},
        {Request(7, 0.5, 1, -0.1, 5, 0.1), F::Kb},
        {Request(7, 0.5, 0, 0, 5, 0.1), F::Ka},
        {Request(7, 0.5, 1, 1, 0, 0.1), F::ImpermeableDepth},
        {Request(7, 0.5, 1, 1, 5, 0), F::DrainRadius},
        // Spacing beyond 10 km, and one below the drain diameter.
        {Request(1e-9, 0.5, 1, 1, 5, 0.1), F::Spacing},
        {Request(1e9, 0.5, 1, 0, 5, 0.1), F::Spacing},
    };
    for (const TRefusalRow& row : rows) {
        const TDesignResult result = DesignSpacing(row.Request);
        EXPECT_FALSE(result.Spacing);
        EXPECT_EQ(result.Refusal.Field, row.Field) << result.Refusal.Message;
        EXPECT_FALSE(result.Refusal.Message.empty());
        EXPECT_EQ(result.Refusal.Message.find("floating"), std::string::npos);
    }
}

TEST(DrainDesign, RangeNeedsPositiveLowerBoundsAndEnclosesTheSpacing) {
    const TDesignRequest request = Request(7, 0.5, 0.8, 1.2, 5, 0.1);
    const double spacing = DesignSpacing(request).Spacing->Spacing;
    const TDesignRange range = DesignRange(request, {0.5, 1.1}, {1.0, 1.4});
    ASSERT_TRUE(range.Bounded()) << range.Reason;
    EXPECT_LT(*range.Narrowest, spacing);
    EXPECT_GT(*range.Widest, spacing);
    EXPECT_FALSE(DesignRange(request, {-0.1, 1.1}, {1.0, 1.4}).Bounded());
}

TEST(DrainDesign, SecondOptionTakesEarlierConductivitiesOnlyWhenConfirmed) {
    TCalculationResults earlier;
    earlier.Ka = 0.8;
    earlier.Kb = 1.2;
    TCalculationResults last;
    last.Option = TCalculationOption::AboveAndBelowDrains;
    EXPECT_FALSE(DesignConductivitiesOf(last, &earlier, false));
    EXPECT_FALSE(DesignConductivitiesOf(last, nullptr, true));
    EXPECT_EQ(DesignConductivitiesOf(last, &earlier, true)->Kb, 1.2);
}

} // namespace
