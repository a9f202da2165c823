#include "UTylwenUtils.h"

#include "UDepthFault.h"
#include "UUserDialogs.h"

#include <optional>

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

// Every depth near the drains is judged before any depth midway, so the
// message is the first of the two whose rule any data set breaks.
void CheckWaterTableDepths(bool& ok, TUserDialogs& dialogs, const TDMTylwen& store) {
    const std::optional<TDepthFault> fault = FirstDepthFault(store);
    ok = !fault;
    if (fault) {
        dialogs.ShowMessage(fault->NearDepth ? NearNotDeeperMessage : MidwayNotAboveDrainsMessage);
    }
}
