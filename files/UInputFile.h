// The fixed-layout input file (".inp"): a file-name line, the four labelled
// site constants, a six-line column heading, one line per data set and a
// separator line that ends the table.
#pragma once

#include "UDMTylwen.h"
#include "USafeFileWriter.h"

#include <cstddef>
#include <string>

class TUserDialogs;

// A data line as written, with a serial number of up to five digits: the
// number, three values and CR LF; a longer number widens it.
constexpr std::size_t WrittenDataLineBytes = 42;

// The whole file for the store's constants and its first NrOfDataSets working
// slots, lines ended by CR LF, "." as decimal separator whatever the locale.
std::string FormatInputFile(const std::string& path, const TDMTylwen& store);

// Writes the store to `path`, replacing an existing file only when the new one
// is complete. Returns false after telling the user when the file could not be
// created; raises EInOutError when it could not be written after that.
bool WriteInputFile(const std::string& path, TUserDialogs& dialogs, TDMTylwen& store = DMTylwen,
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

// Switches the extension of FileName to ".inp" and reads that file into the
// store. All or nothing: unless the file is read up to its end marker, the
// store keeps everything but the new FileName, and the user has been told.
// A table of more than `maxDataSets` data sets is refused as a whole: the
// window passes what its grid can hold; the batch road takes any size.
TReadInputOutcome ReadInputFile(TUserDialogs& dialogs, TDMTylwen& store = DMTylwen,
                                std::int32_t maxDataSets = MaxStoredDataSets);

// The file that the writer could not create.
std::string CouldNotCreateMessage(const std::string& path);
// The file that the reader could not open.
std::string CouldNotOpenInputMessage(const std::string& path);
