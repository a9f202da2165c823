// What soravik-calc says of its own use: the usage line and --help, whose
// lists of JSON keys and CSV columns come from the tables the writers go by.
#pragma once

#include <string>

extern const char* const UsageLine;

std::string HelpText();
