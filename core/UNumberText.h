// Conversions between numbers and the texts the user types and sees.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Text to number with "." or "," as decimal separator; leading and trailing
// blanks allowed. Raises EConvertError "'<text>' is not a valid floating point
// value" when the text is no number in either notation.
double StringToFloat(const std::string& text);

// The general number format of the screen: 15 significant digits, fewest
// characters, "." as separator ("1.2", "50", "5E-5", "1E15").
std::string FormatGeneral(double value);

// A whole number as the count field takes it: blanks, optional sign, decimal
// digits or hexadecimal after "$", "x", "X", "0x" or "0X", nothing after;
// must fit 32 bits. Nothing when the text is not such a number.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text);
