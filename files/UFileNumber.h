// Numbers as the files hold them: fixed-point text with "." as decimal
// separator, written and read without regard to the process locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Appends `value` with exactly `decimals` digits after the point, right-aligned
// in at least `width` characters; a value that needs more widens the field.
void AppendFixed(std::string& out, double value, int width, int decimals);

std::string FormatFixed(double value, int width, int decimals);

// Appends `value` in fixed-point notation with the fewest decimals that read
// back as exactly `value` (0.0325, 1e-300 in full), right-aligned in at least
// `width` characters.
void AppendShortestFixed(std::string& out, double value, int width);

// An integer right-aligned in at least `width` characters.
void AppendInteger(std::string& out, long long value, int width);

// A decimal number with an optional sign, "." as decimal point and an optional
// exponent ("-1.5", "2.", ".5", "3E-4"). Nothing for any other text, for
// "nan" and "inf" alike, and for a value too large for a double; a value too
// small for one reads as zero.
std::optional<double> ParseFileNumber(std::string_view text);
