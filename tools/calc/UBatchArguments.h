// soravik-calc's command line: the options, each value checked, and the files.
#pragma once

#include "UBatchPrinter.h"
#include "UCalculation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct TBatchArguments {
    TCalculationOption Option = TCalculationOption::OverEntireSoilDepth;
    std::vector<std::string> Files;
    bool Help = false;
    TPrintChoice Print;
    // Serial numbers of every --exclude together, ascending, each once.
    std::vector<std::size_t> Excluded;
};

// The words after the program's name. On wrong usage, tells why on standard
// error with the usage line `usage` and returns the exit status 2; nothing
// otherwise.
std::optional<int> ParseBatchArguments(const std::vector<std::string>& words, const char* usage,
                                       TBatchArguments& arguments);
