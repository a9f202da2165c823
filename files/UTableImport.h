// A table of data sets written by a spreadsheet: comma, semicolon or tab
// separated values, "." as decimal mark (or "," when the values are not
// separated by commas), an optional heading line, and per line the three
// values Q, depth midway and depth near, or a serial number before them.
// The table becomes the block of cells that a paste of it would bring.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct TImportedTable {
    // One line per data set, the three values as written, separated by tabs
    // and ended by a carriage return and a line feed.
    std::string Block;
    int DataSets = 0;
};

// Why a text is no table: the first line that is not a data set (counted
// from 1; 0 when the text holds no data set at all) and what is wrong there.
struct TTableProblem {
    int Line = 0;
    std::string Reason;
};

struct TTableImport {
    std::optional<TImportedTable> Table;
    TTableProblem Problem;
};

TTableImport ParseDelimitedTable(std::string_view text);

// The names that a dropped file must have to be taken as a table.
bool IsTableFileName(const std::string& fileName);

// The largest table file read: some millions of data sets.
constexpr std::size_t MaxTableFileBytes = std::size_t{64} << 20;

// The whole file, or nothing when it cannot be read or exceeds MaxTableFileBytes.
std::optional<std::string> ReadTableFile(const std::string& fileName);

// What the user is told when a file brings no table; the grid stays as it was.
std::string TableRefusalMessage(const std::string& fileName, const TTableProblem& problem);
std::string UnreadableTableMessage(const std::string& fileName);
