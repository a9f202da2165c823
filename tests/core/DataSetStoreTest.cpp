#include "UDMTylwen.h"
#include "UFloatMath.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(DataSetStore, AccessOutsideAnArrayIsARangeError) {
    DataSetR values{1.0, 2.0};
    const DataSetR& constValues = values;
    At(values, 1) = 5.0;
    EXPECT_EQ(At(constValues, 1), 5.0);
    EXPECT_THROW(At(values, 2), ERangeError);
    EXPECT_THROW(At(constValues, 2), ERangeError);
    DataSetR empty;
    EXPECT_THROW(At(empty, 0), ERangeError);
}

TEST(DataSetStore, SetLengthKeepsEntriesAndFillsWithZero) {
    DataSetR values{1.0, 2.0};
    SetLength(values, 4);
    EXPECT_EQ(values, (DataSetR{1.0, 2.0, 0.0, 0.0}));
    SetLength(values, 1);
    EXPECT_EQ(values, DataSetR{1.0});
}

TEST(DataSetStore, CreationClearsTheFileNameOnly) {
    TDMTylwen store;
    store.FileName = "/tmp/site.inp";
    store.DrainDepth = 1.2;
    store.DataModuleCreate();
    EXPECT_EQ(store.FileName, "");
    EXPECT_EQ(store.DrainDepth, 1.2);
    EXPECT_EQ(DMTylwen.Ka, 0.0);
    EXPECT_EQ(DMTylwen.Kb, 0.0);
}

TEST(DataSetStore, ResetPutsFlagsAndResultsBack) {
    ResultsAvailable = OutputShown = DataPresent = RowsIncomplete = true;
    SlopeA = InterceptB = MeanX = MeanY = 3.0;
    XValues = YValues = DataSetR{1.0};
    ResetTylwenUtils();
    EXPECT_FALSE(ResultsAvailable || OutputShown || DataPresent || RowsIncomplete);
    EXPECT_EQ(SlopeA, 0.0);
    EXPECT_EQ(MeanY, 0.0);
    EXPECT_TRUE(XValues.empty());
    EXPECT_TRUE(YValues.empty());
}

} // namespace
