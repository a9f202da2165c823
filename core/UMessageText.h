// How a text that tells of a failure is finished before the user reads it.
#pragma once

#include <string>

// The text with a full stop added when it does not already end in one, as the
// error box shows every error ("Invalid numeric input" becomes
// "Invalid numeric input.").
std::string WithFullStop(const std::string& text);
