// One input file calculated as a just-started program would do it after the
// user opened that file and pressed "Save - calculate", without rewriting the
// input file.
#pragma once

#include "UCalculation.h"
#include "UDMTylwen.h"
#include "UFitStatistics.h"
#include "UOutputFile.h"

#include <optional>
#include <string>

class TConsoleDialogs;

// What the calculation of one file leaves for whoever prints it: the store
// with the file's constants and data sets (FileName names the output file),
// the output file's text exactly as it was written, and the results with how
// far the fitted line can be trusted.
struct TFileCalculation {
    TDMTylwen Store;
    std::string OutputText;
    TCalculationResults Statistics;
};

// Reads `file` (its extension becomes ".inp"), checks and calculates it and
// writes the ".out" file beside it. Nothing when the user has been told why
// it could not be done. Memory that runs out raises std::bad_alloc, with the
// store emptied again.
std::optional<TFileCalculation> CalculateFile(const std::string& file, TCalculationOption option,
                                              TConsoleDialogs& dialogs);

// The output text with its CR LF line ends turned into the line feeds of a
// terminal, and the control characters that a folder's name may bring into
// its first line escaped.
std::string TerminalLines(const std::string& outputText);
