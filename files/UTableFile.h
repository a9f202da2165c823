// Reads a table file for the import without ever waiting on it: only a
// regular file is read, so a pipe, a device or a folder named on the command
// line, dropped on the window or chosen in the dialog is refused at once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The largest table file read: some millions of data sets.
constexpr std::size_t MaxTableFileBytes = std::size_t{64} << 20;

enum class TTableFileFault { None, Missing, NotARegularFile, TooLarge, Unreadable };

struct TTableFile {
    std::optional<std::string> Text;
    TTableFileFault Fault = TTableFileFault::None;
    // The system's word for an unreadable file; what a file that is no
    // regular one is ("a pipe", "a folder", "a device", "a socket").
    std::string Cause;
};

// The whole file, or why it was not read. Raises std::bad_alloc when the
// memory for its text cannot be had.
TTableFile ReadTableFile(const std::string& fileName);

// What the user is told about a file that was not read; the grid stays as it was.
std::string TableFileFaultMessage(const std::string& fileName, const TTableFile& file);
