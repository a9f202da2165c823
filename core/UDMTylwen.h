// The data set store: the one in-memory home of the site constants, the data
// sets, the lines of the last output file read and the two conductivities.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One column of data sets (a discharge or a depth per data set).
using DataSetR = std::vector<double>;
// The lines of an output file.
using LineSet = std::vector<std::string>;

class TDMTylwen {
public:
    std::string FileName;
    // Input arrays: data set k at index k (index 0 holds 0 and is never read).
    DataSetR InputDischarge;
    DataSetR InputDepthMidway;
    DataSetR InputDepthNear;
    // Working arrays: data set k at index k - 1; converted in place by a calculation.
    DataSetR WorkDischarge;
    DataSetR WorkMidway;
    DataSetR WorkNear;
    std::int32_t NrOfDataSets = 0;
    LineSet OutputLines;
    std::int32_t NrOfOutputLines = 0;
    std::int32_t GridRows = 0;
    std::int32_t PreviousNrOfDataSets = 0;
    std::int32_t RowsToFill = 0;
    double DrainDepth = 0.0;
    double ImpermeableDepth = 0.0;
    double DrainSpacing = 0.0;
    double DrainRadius = 0.0;
    double Ka = 0.0;
    double Kb = 0.0;

    // Creation handler: the store starts without a current file.
    void DataModuleCreate();
};

// The site constants a new session starts with: drains 1.2 m deep and 50 m
// apart, radius 0.1 m, the impermeable layer 10 m down.
void SetStartingSiteConstants(TDMTylwen& store);

// The most data sets the store can count: the last slot of an input array
// (count + 2) must fit its 32-bit counts.
constexpr std::int32_t MaxStoredDataSets = 2147483647 - 3;

// The single instance, shared by every window and operation of the program.
extern TDMTylwen DMTylwen;

// Element access that refuses an index outside the array instead of reading
// past it; a failed check is a programming error reported as a range error.
double& At(DataSetR& array, std::size_t index);
double At(const DataSetR& array, std::size_t index);

// Grows or shrinks an array to `length` entries, keeping existing entries and
// filling new ones with 0.
void SetLength(DataSetR& array, std::size_t length);
