// One input file calculated as a just-started program would do it after the
// user opened that file and pressed "Save - calculate", without rewriting the
// input file.
#pragma once

#include "UCalculation.h"

#include <ostream>
#include <string>

class TConsoleDialogs;

// Reads `file` (its extension becomes ".inp"), checks and calculates it,
// writes the ".out" file beside it and prints that file's lines to `out`.
// False when the user has been told why it could not be done.
bool CalculateFile(const std::string& file, TCalculationOption option, TConsoleDialogs& dialogs,
                   std::ostream& out);
