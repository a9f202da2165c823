// The fixed-layout input file (".inp"): a file-name line, the four labelled
// site constants, a six-line column heading, one line per data set and a
// separator line that ends the table.
#pragma once

#include "UDMTylwen.h"
#include "UFileMessage.h"
#include "USafeFileWriter.h"

#include <cstddef>
#include <optional>
#include <string>

// A data line as written, with a serial number of up to five digits: the
// number, three values and CR LF; a longer number widens it.
constexpr std::size_t WrittenDataLineBytes = 42;

// The whole file for the store's constants and its first NrOfDataSets working
// slots, lines ended by CR LF, "." as decimal separator whatever the locale.
std::string FormatInputFile(const std::string& path, const TDMTylwen& store);

// Writes the store to `path`, replacing an existing file only when the new one
// is complete. Returns what to tell the user when the file could not be
// created, nothing once it is written; raises EInOutError when it could not
// be written after being created.
[[nodiscard]] std::optional<TFileMessage>
WriteInputFile(const std::string& path, TDMTylwen& store = DMTylwen,
               TFileWriteSeam& seam = DefaultFileWriteSeam());

enum class TReadInputOutcome {
    Read,
    CouldNotOpen,
    InvalidNumber,
    // The file ended before its end marker.
    Incomplete,
    // A data line without its three numbers or with other text than a
    // serial number in its first six characters.
    UnreadableLine,
};

// What reading an input file did, and what the user is to be told about it:
// nothing exactly when the file was read.
struct TReadInputResult {
    TReadInputOutcome Outcome = TReadInputOutcome::Read;
    std::optional<TFileMessage> Tell;
};

// Switches the extension of FileName to ".inp" and reads that file into the
// store. All or nothing: unless the file is read up to its end marker, the
// store keeps everything but the new FileName, and the result says what to
// tell the user. A table of more than `maxDataSets` data sets is refused as a
// whole: the window passes what its grid can hold; the batch road takes any
// size.
[[nodiscard]] TReadInputResult ReadInputFile(TDMTylwen& store = DMTylwen,
                                             std::int32_t maxDataSets = MaxStoredDataSets);

// The file that the writer could not create.
std::string CouldNotCreateMessage(const std::string& path);
// The file that the reader could not open.
std::string CouldNotOpenInputMessage(const std::string& path);
