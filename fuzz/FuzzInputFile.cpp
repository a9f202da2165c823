// Arbitrary bytes as an input file: the reader either takes the whole table
// into the store, laid out as every later reader of the store expects, or
// changes nothing but the file name and tells the user why.
#include "FuzzSupport.h"
#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UFileNumber.h"
#include "UInputFile.h"

#include <cmath>

namespace {

// A store whose every field differs from what any file could give, so that a
// partial change shows.
TDMTylwen EarlierStore(const std::string& fileName) {
    TDMTylwen store;
    store.FileName = fileName;
    store.InputDischarge = {0.0, -1.0, 0.0, 0.0};
    store.InputDepthMidway = {0.0, -2.0, 0.0, 0.0};
    store.InputDepthNear = {0.0, -3.0, 0.0, 0.0};
    store.WorkDischarge = {-4.0};
    store.NrOfDataSets = 1;
    store.RowsToFill = 7;
    store.PreviousNrOfDataSets = 9;
    store.GridRows = 11;
    store.DrainDepth = -5.0;
    store.ImpermeableDepth = -6.0;
    store.DrainSpacing = -7.0;
    store.DrainRadius = -8.0;
    return store;
}

bool SameExceptFileName(const TDMTylwen& a, const TDMTylwen& b) {
    return a.InputDischarge == b.InputDischarge && a.InputDepthMidway == b.InputDepthMidway &&
           a.InputDepthNear == b.InputDepthNear && a.WorkDischarge == b.WorkDischarge &&
           a.NrOfDataSets == b.NrOfDataSets && a.RowsToFill == b.RowsToFill &&
           a.PreviousNrOfDataSets == b.PreviousNrOfDataSets && a.GridRows == b.GridRows &&
           a.DrainDepth == b.DrainDepth && a.ImpermeableDepth == b.ImpermeableDepth &&
           a.DrainSpacing == b.DrainSpacing && a.DrainRadius == b.DrainRadius;
}

// Slot 0 and the two slots after the last data set hold 0; every value is a
// number.
void RequireLaidOutColumn(const DataSetR& column, std::int32_t count) {
    const auto n = static_cast<std::size_t>(count);
    Require(column.size() == n + 3, "input array has n + 3 slots");
    Require(column[0] == 0.0 && column[n + 1] == 0.0 && column[n + 2] == 0.0,
            "slots 0, n + 1 and n + 2 hold 0");
    for (double value : column) {
        Require(std::isfinite(value), "data values are finite");
    }
}

void RequireReadStore(const TDMTylwen& store, const TDMTylwen& earlier) {
    Require(store.NrOfDataSets >= 0, "count is not negative");
    Require(store.RowsToFill == store.NrOfDataSets, "RowsToFill follows the count");
    RequireLaidOutColumn(store.InputDischarge, store.NrOfDataSets);
    RequireLaidOutColumn(store.InputDepthMidway, store.NrOfDataSets);
    RequireLaidOutColumn(store.InputDepthNear, store.NrOfDataSets);
    for (double constant :
         {store.DrainDepth, store.ImpermeableDepth, store.DrainSpacing, store.DrainRadius}) {
        Require(std::isfinite(constant), "site constants are finite");
    }
    Require(store.WorkDischarge == earlier.WorkDischarge, "working arrays untouched");
    Require(store.GridRows == earlier.GridRows &&
                store.PreviousNrOfDataSets == earlier.PreviousNrOfDataSets,
            "grid counts untouched");
}

// The value as the writer's field of `decimals` decimals gives it back.
double AsWritten(double value, int decimals) {
    return ParseFileNumber(FormatFixed(value, 0, decimals)).value_or(std::nan(""));
}

// What was read, written back by the writer, reads again as written.
void RequireRoundTrip(const TDMTylwen& read, const TScratchFile& file) {
    TDMTylwen written = read;
    const auto n = static_cast<std::size_t>(read.NrOfDataSets);
    written.WorkDischarge.assign(read.InputDischarge.begin() + 1, read.InputDischarge.end());
    written.WorkMidway.assign(read.InputDepthMidway.begin() + 1, read.InputDepthMidway.end());
    written.WorkNear.assign(read.InputDepthNear.begin() + 1, read.InputDepthNear.end());
    const std::string bytes = FormatInputFile(file.Path(), written);
    file.Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    TDMTylwen again;
    again.FileName = file.Path();
    Require(ReadInputFile(again).Outcome == TReadInputOutcome::Read, "a written file reads");
    Require(again.NrOfDataSets == read.NrOfDataSets, "a written file keeps its count");
    Require(again.DrainDepth == read.DrainDepth &&
                again.ImpermeableDepth == read.ImpermeableDepth &&
                again.DrainSpacing == read.DrainSpacing && again.DrainRadius == read.DrainRadius,
            "constants read back exactly");
    for (std::size_t slot = 1; slot <= n; ++slot) {
        Require(again.InputDischarge[slot] == AsWritten(read.InputDischarge[slot], 3) &&
                    again.InputDepthMidway[slot] == AsWritten(read.InputDepthMidway[slot], 3) &&
                    again.InputDepthNear[slot] == AsWritten(read.InputDepthNear[slot], 3),
                "data read back with three decimals");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file("field.inp");
    file.Write(data, size);
    // The reader is asked for the output name and must switch to the input.
    const TDMTylwen earlier = EarlierStore(ChangeFileExt(file.Path(), ".out"));
    TDMTylwen store = earlier;
    const TReadInputResult read = ReadInputFile(store);
    Require(store.FileName == file.Path(), "FileName switched to the input name");
    Require(read.Outcome != TReadInputOutcome::CouldNotOpen, "a regular file opens");
    if (read.Outcome == TReadInputOutcome::Read) {
        Require(!read.Tell, "a file read is not told");
        RequireReadStore(store, earlier);
        RequireRoundTrip(store, file);
    } else {
        Require(read.Tell && !read.Tell->Text.empty(), "a file not read is told");
        Require(SameExceptFileName(store, earlier), "a file not read changes nothing");
    }
    return 0;
}
