// soravik-calc --exclude: the statistics of a what-if fit without some data
// sets. The output file stays the standard calculation of every data set.
#pragma once

#include "UBatchCalculation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// "3,7" as serial numbers; nothing unless every entry is a whole number of
// at least 1.
std::optional<std::vector<std::size_t>> ParseSerialList(const std::string& text);

// Replaces the statistics of `calculation` by those of the fit without the
// data sets `excluded`. Returns what the user should be told: serial numbers
// beyond the file's data sets, or that too few data sets would be left for a
// line, in which case the statistics stay those of every data set.
std::string ApplyExclusion(const std::vector<std::size_t>& excluded, TFileCalculation& calculation);
