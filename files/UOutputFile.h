// The five-line output file (".out") beside the input file, and the reading of
// an output file's lines for the Output page.
#pragma once

#include "UCalculationResults.h"
#include "UDMTylwen.h"
#include "UFileMessage.h"
#include "USafeFileWriter.h"

#include <optional>
#include <string>

// The five lines for the output file `outputPath`, each ended by CR LF.
std::string FormatOutputFile(const std::string& outputPath, const TCalculationResults& result);

// What writing the output file did: the names of the two files and the text
// written, so that it can be shown without reading the file back, which
// another run may have rewritten meanwhile.
struct TOutputWritten {
    std::string InputName;
    std::string OutputName;
    std::string Text;
};

// Writes the output file named after FileName and switches FileName to it;
// telling the user and the flags are the caller's. A file that cannot be
// written, or that is the input file itself under the output file's name,
// raises EInOutError before anything else changes.
TOutputWritten WriteOutputFile(const TCalculationResults& result, TDMTylwen& store = DMTylwen,
                               TFileWriteSeam& seam = DefaultFileWriteSeam());

// Where a calculation saved its two files, in the words the user is told.
std::string ConfirmationMessage(const TOutputWritten& written);

// The lines of a written output text, without their line ends, as
// ReadOutputLines would read them back.
LineSet OutputLinesOf(const std::string& text);

// Reads every line of `name` into OutputLines and NrOfOutputLines. A file that
// cannot be opened, or that is far larger than an output file (more than
// 10000 lines or 1 MiB of text), leaves both unchanged and returns what to
// tell the user; a file read returns nothing.
[[nodiscard]] std::optional<TFileMessage> ReadOutputLines(const std::string& name,
                                                          TDMTylwen& store = DMTylwen);
