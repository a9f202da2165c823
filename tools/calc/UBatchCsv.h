// soravik-calc --format csv: one line per file for a spreadsheet over a whole
// survey, fields quoted as RFC 4180 has it, lines ended by CR LF, numbers in
// full precision exactly as the JSON gives them.
#pragma once

#include "UBatchCalculation.h"

#include <string>
#include <vector>

// The names of the columns, in order.
std::vector<std::string> CsvColumns();

std::string CsvHeading();
// The line of a calculated file; its error field is empty.
std::string CsvCalculatedLine(const std::string& file, const TFileCalculation& calculation);
// The line of a file that could not be calculated: its name and the error.
std::string CsvFailedLine(const std::string& file, const std::string& error);

// One field: as it is, or between double quotes with each double quote
// doubled when it holds a comma, a double quote or a line break.
std::string CsvField(const std::string& text);
