// A table of data sets written by a spreadsheet: comma, semicolon or tab
// separated values, "." as decimal mark (or "," when the values are not
// separated by commas), an optional heading line, and per line the three
// values Q, depth midway and depth near, or a serial number before them.
// The table becomes the block of cells that a paste of it would bring.
//
// Nothing is guessed that could put a value into the wrong cell: the whole
// file has one separator, every data line the same number of values, a
// serial column rises by one from line to line, and a first line is taken
// as a heading only when it reads as one.
#pragma once

#include "UTableFile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct TImportedTable {
    // One line per data set, the three values as written, separated by tabs
    // and ended by a carriage return and a line feed.
    std::string Block;
    int DataSets = 0;
};

// Why a text is no table.
struct TTableProblem {
    enum TKind { BadLine, NoDataSets, Utf16Text };
    TKind Kind = BadLine;
    // For a bad line: the line (counted from 1) and what is wrong there.
    int Line = 0;
    std::string Reason;
};

struct TTableImport {
    std::optional<TImportedTable> Table;
    TTableProblem Problem;
    // The progress said to stop; neither a table nor a problem.
    bool Cancelled = false;
};

// How far the reading got, in bytes of the text; false stops it.
using TTableProgress = std::function<bool(std::size_t done, std::size_t total)>;

TTableImport ParseDelimitedTable(std::string_view text, const TTableProgress& progress = {});

// The names that a dropped file must have to be taken as a table.
bool IsTableFileName(const std::string& fileName);

// What the user is told when a file brings no table; the grid stays as it was.
std::string TableRefusalMessage(const std::string& fileName, const TTableProblem& problem);
