// What soravik-calc prints besides the output file's lines: the statistics of
// the fit as plain lines (--stats), and the whole run as one JSON document
// for other programs (--format json).
#pragma once

#include "UBatchCalculation.h"

#include <nlohmann/json.hpp>

#include <string>

// Plain lines below a file's five output lines, each with one leading blank
// like them; numbers to four significant digits.
std::string StatisticsLines(const TFitStatistics& statistics);

// One entry per file in the order calculated, numbers in full precision (the
// shortest text that reads back as the same double), not the rounded ones of
// the output file.
class TJsonRun {
public:
    void AddCalculated(const std::string& file, const TFileCalculation& calculation);
    // A file that could not be calculated, with what the user was told.
    void AddFailed(const std::string& file, const std::string& error);
    // One more key of the entry added last.
    void AddToLastEntry(const std::string& key, nlohmann::ordered_json value);
    // The document: an array of the entries, ended by a line feed.
    std::string Document() const;

private:
    nlohmann::ordered_json files_ = nlohmann::ordered_json::array();
};
