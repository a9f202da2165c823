// Results in words, as the window's pages, the messages of the core and
// soravik-calc write them: numbers to so many significant digits, lengths in
// metres and lists of data-set numbers. "." is the decimal separator
// whatever the locale.
#pragma once

#include "UNumberText.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Which way a number exactly halfway between two roundings goes (1.0625 to
// four digits): the window's pages have always rounded it away from zero
// (1.063), soravik-calc and the core's messages to the even digit (1.062).
enum class TTieBreak { ToEven, AwayFromZero };

// `value` to `digits` significant digits in fixed or scientific notation,
// whichever C's %g chooses ("0.0125", "1.235e+05", "1e-05"), without trailing
// zeros; "inf", "-inf" and "nan" for what is no number.
std::string SignificantDigits(double value, int digits, TTieBreak ties = TTieBreak::ToEven);

// A result to four significant digits, with every zero written "0": no "-0"
// for a value that rounds away to nothing.
std::string FourDigits(double value, TTieBreak ties);

// A number as the Report and Design pages and the saved report show it: four
// significant digits without trailing zeros, written out from 0.001 up to
// 10^6 ("0.0125", "2.323", "123500"), in scientific notation below and above
// ("8.9e-11", "1.234e+06"); zero as "0", infinities as "∞" and "-∞". A tie
// is rounded away from zero.
std::string ReportNumberText(double value);

// The widest texts that ReportNumberText gives for a column of numbers, found
// in one pass over the numbers without writing any of them: a table of a
// million rows is as wide as its widest cell, at the cost of a comparison
// per number.
class TReportNumberWidth {
public:
    void Add(double value);
    // Texts as wide as the widest cell can be, each of one shape ("0.008888",
    // "-8.888e-88", "∞"), with 8 for every digit; none for no numbers.
    std::vector<std::string> WidestTexts() const;

private:
    double least_ = 0.0;
    double most_ = 0.0;
    bool finite_ = false;
    bool negative_ = false;
    bool infinite_ = false;
    bool notANumber_ = false;
};

// "1.2 m": a length written by `number`, by default in the screen's general
// number format, as the site constants are typed.
std::string Metres(double value, std::string (*number)(double) = FormatGeneral);

// "3, 7, 9": data-set numbers (from 1), each written by `item` (the number
// alone when it is empty), joined by `separator`.
std::string SerialList(const std::vector<std::size_t>& serials,
                       const std::function<std::string(std::size_t)>& item = {},
                       const char* separator = ", ");

// "3", "3 and 7", "3, 7 and 9".
std::string SerialListText(const std::vector<std::size_t>& serials);
// The same of any words: "a, b and c".
std::string ListInWords(const std::vector<std::string>& items);
