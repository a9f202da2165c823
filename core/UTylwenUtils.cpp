#include "UTylwenUtils.h"

#include "UUserDialogs.h"

bool ResultsAvailable = false;
bool OutputShown = false;
bool DataPresent = false;
bool RowsIncomplete = false;

double SlopeA = 0.0;
double InterceptB = 0.0;
double MeanX = 0.0;
double MeanY = 0.0;
DataSetR XValues;
DataSetR YValues;

const char* const NearNotDeeperMessage =
    "The depth of the water table near the drains should be greater then the depth midway. "
    "Input not saved. Please correct the data";
const char* const MidwayNotAboveDrainsMessage =
    "The depth of the water midway between the drains should be less than the drain depth. "
    "Input not saved. Please correct the data";

void ResetTylwenUtils() {
    ResultsAvailable = false;
    OutputShown = false;
    DataPresent = false;
    RowsIncomplete = false;
    SlopeA = 0.0;
    InterceptB = 0.0;
    MeanX = 0.0;
    MeanY = 0.0;
    XValues.clear();
    YValues.clear();
}

namespace {

// Every data set is examined so that the answer does not depend on where the
// first bad one sits; the comparisons are written negated so that a NaN fails.
bool AllNearDeeperThanMidway(const TDMTylwen& store) {
    bool allDeeper = true;
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!(At(store.WorkNear, i) > At(store.WorkMidway, i))) {
            allDeeper = false;
        }
    }
    return allDeeper;
}

bool AllMidwayAboveDrains(const TDMTylwen& store) {
    bool allAbove = true;
    for (std::int32_t i = 0; i < store.NrOfDataSets; ++i) {
        if (!(At(store.WorkMidway, i) < store.DrainDepth)) {
            allAbove = false;
        }
    }
    return allAbove;
}

} // namespace

void CheckWaterTableDepths(bool& ok, TUserDialogs& dialogs, const TDMTylwen& store) {
    ok = AllNearDeeperThanMidway(store);
    if (!ok) {
        dialogs.ShowMessage(NearNotDeeperMessage);
        return;
    }
    ok = AllMidwayAboveDrains(store);
    if (!ok) {
        dialogs.ShowMessage(MidwayNotAboveDrainsMessage);
    }
}
