#include "ScriptedDialogs.h"
#include "UFloatMath.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const std::string NearMessage = "The depth of the water table near the drains should be greater "
                                "then the depth midway. Input not saved. Please correct the data";
const std::string MidwayMessage =
    "The depth of the water midway between the drains should be less than the drain depth. "
    "Input not saved. Please correct the data";

// Depths (midway, near) of each data set, as the save command leaves them.
TDMTylwen StoreWithDepths(const std::vector<std::pair<double, double>>& depths) {
    TDMTylwen store;
    store.DrainDepth = 1.2;
    store.NrOfDataSets = static_cast<std::int32_t>(depths.size());
    for (const auto& [midway, near] : depths) {
        store.WorkMidway.push_back(midway);
        store.WorkNear.push_back(near);
    }
    return store;
}

struct TCheckOutcome {
    bool ok;
    std::vector<std::string> messages;
};

TCheckOutcome Check(const TDMTylwen& store) {
    TScriptedDialogs dialogs;
    bool ok = false;
    CheckWaterTableDepths(ok, dialogs, store);
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_TRUE(dialogs.Questions.empty());
    return {ok, dialogs.Messages};
}

TEST(WaterTableCheck, MessagesAreWordedAsTheUserSeesThem) {
    EXPECT_EQ(NearNotDeeperMessage, NearMessage);
    EXPECT_EQ(MidwayNotAboveDrainsMessage, MidwayMessage);
}

TEST(WaterTableCheck, ConsistentDepthsPassSilently) {
    // Near the drains deeper than the drains themselves is allowed.
    const TCheckOutcome outcome = Check(StoreWithDepths({{0.6, 1.0}, {0.8, 1.3}, {1.1, 1.15}}));
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(WaterTableCheck, EqualDepthsFailTheFirstCheck) {
    const TCheckOutcome outcome = Check(StoreWithDepths({{0.6, 1.0}, {0.9, 0.9}}));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{NearMessage});
}

TEST(WaterTableCheck, FailingBothShowsOnlyTheFirstMessageOnce) {
    const TCheckOutcome outcome =
        Check(StoreWithDepths({{1.3, 1.0}, {1.2, 1.1}, {0.6, 1.0}, {1.5, 1.4}}));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{NearMessage});
}

TEST(WaterTableCheck, MidwayAtDrainDepthFailsTheSecondCheck) {
    const TCheckOutcome outcome = Check(StoreWithDepths({{0.6, 1.0}, {1.2, 1.3}}));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{MidwayMessage});
}

TEST(WaterTableCheck, LastDataSetIsCheckedLikeTheOthers) {
    std::vector<std::pair<double, double>> depths(300, {0.6, 1.0});
    depths.back() = {0.7, 0.7};
    EXPECT_FALSE(Check(StoreWithDepths(depths)).ok);
    depths.back() = {1.25, 1.3};
    const TCheckOutcome outcome = Check(StoreWithDepths(depths));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{MidwayMessage});
}

TEST(WaterTableCheck, NoDataSetsPass) {
    const TCheckOutcome outcome = Check(StoreWithDepths({}));
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(WaterTableCheck, CountBeyondTheArraysIsARangeErrorNotARead) {
    TDMTylwen store = StoreWithDepths({{0.6, 1.0}});
    store.NrOfDataSets = 2;
    TScriptedDialogs dialogs;
    bool ok = true;
    EXPECT_THROW(CheckWaterTableDepths(ok, dialogs, store), ERangeError);
}

} // namespace
