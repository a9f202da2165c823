// What soravik-calc prints besides the output file's lines: the statistics of
// the fit as plain lines (--stats), and the whole run as one JSON array
// written file by file for other programs (--format json).
#pragma once

#include "UBatchCalculation.h"
#include "UBatchDesign.h"
#include "UJsonStream.h"

#include <optional>
#include <string>
#include <vector>

class TStandardOutput;

// Plain lines below a file's five output lines, each with one leading blank
// like them; numbers to four significant digits.
std::string StatisticsLines(const TCalculationResults& statistics);

// When a key of a file's JSON object is there.
enum class TJsonPresence {
    Always,
    // `file`_bytes and `output_file`_bytes: only for a name that is no UTF-8.
    NameNotUtf8,
    OutputNameNotUtf8,
    // Only with the first option, which fits a least-squares line.
    LeastSquares,
    // Only with --design.
    WithDesign,
};

struct TJsonKey {
    std::string Name;
    TJsonPresence Presence;
};

// The keys of a file's JSON object in the order written, from the table the
// writer itself goes by.
std::vector<TJsonKey> JsonFileKeys();

// One calculated file as its JSON object shows it.
struct TJsonEntry {
    const std::string& File;
    const TFileCalculation& Calculation;
    const std::optional<TDesignDuty>& Design;
};

// The run as one JSON array, an object per file in the order calculated,
// each printed as soon as it is added: numbers in full precision (the
// shortest text that reads back as the same double), not the rounded ones of
// the output file.
class TJsonRun {
public:
    // Opens the array.
    explicit TJsonRun(TStandardOutput& output);
    void AddCalculated(const TJsonEntry& entry);
    // A file that could not be calculated, with what the user was told. When
    // its object was cut short (memory ran out while it was written), that
    // object keeps what it has and ends with the error instead.
    void AddFailed(const std::string& file, const std::string& error);
    // Closes the array, ended by a line feed.
    void Finish();

private:
    TJsonStream stream_;
};
