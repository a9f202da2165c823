// The window takes tables of any length that the machine's memory holds: a
// count of data sets or an input file that it cannot hold is refused with a
// message before anything is allocated or read.
#pragma once

#include "UDMTylwen.h"
#include "UInputFile.h"
#include "UMemoryBudget.h"

#include <optional>
#include <string>

// The message refusing a count raised from `gridRows` to `count`, or nothing
// when the memory for the new data sets is available.
std::optional<std::string> CountRefusal(std::int32_t count, std::int32_t gridRows,
                                        const TMemoryProbe& memory);

// ReadInputFile for the window: a file whose table the memory cannot hold is
// refused before it is read, judged by its size, and a file of unusually
// short lines stops being read before it outgrows the memory.
[[nodiscard]] TReadInputResult ReadInputFileWithinMemory(const TMemoryProbe& memory,
                                                         TDMTylwen& store = DMTylwen);
