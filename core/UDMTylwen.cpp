#include "UDMTylwen.h"

#include "UFloatMath.h"

TDMTylwen DMTylwen;

void TDMTylwen::DataModuleCreate() {
    FileName.clear();
}

double& At(DataSetR& array, std::size_t index) {
    if (index >= array.size()) {
        throw ERangeError();
    }
    return array[index];
}

double At(const DataSetR& array, std::size_t index) {
    if (index >= array.size()) {
        throw ERangeError();
    }
    return array[index];
}

void SetLength(DataSetR& array, std::size_t length) {
    array.resize(length, 0.0);
}

void SetStartingSiteConstants(TDMTylwen& store) {
    store.DrainDepth = 1.2;
    store.ImpermeableDepth = 10.0;
    store.DrainSpacing = 50.0;
    store.DrainRadius = 0.1;
}
