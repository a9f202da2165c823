// The five-line output file (".out") beside the input file, and the reading of
// an output file's lines for the Output page.
#pragma once

#include "UDMTylwen.h"
#include "UFitStatistics.h"
#include "USafeFileWriter.h"

#include <string>

class TUserDialogs;

// The five lines for the output file `outputPath`, each ended by CR LF.
std::string FormatOutputFile(const std::string& outputPath, const TFitStatistics& result);

// Steps that end a calculation: write the output file named after FileName,
// set ResultsAvailable, switch FileName to the output file and, unless
// OutputShown is set, tell the user where both files were saved. Returns the
// text written, so that it can be shown without reading the file back, which
// another run may have rewritten meanwhile. A file that cannot be written
// raises EInOutError before anything else changes.
std::string FinishCalculation(const TFitStatistics& result, TUserDialogs& dialogs,
                              TDMTylwen& store = DMTylwen,
                              TFileWriteSeam& seam = DefaultFileWriteSeam());

// Reads every line of `name` into OutputLines and NrOfOutputLines. A file that
// cannot be opened, or that is far larger than an output file (more than
// 10000 lines or 1 MiB of text), is told to the user and leaves both unchanged.
void ReadOutputLines(const std::string& name, TUserDialogs& dialogs, TDMTylwen& store = DMTylwen);
