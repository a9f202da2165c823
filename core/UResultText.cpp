#include "UResultText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// Digits enough for the exact decimal expansion of every double.
constexpr int ExactDigits = 800;

// Whether `magnitude` lies exactly halfway between its two roundings to
// `digits` significant digits: its exact decimal expansion goes on after
// them with a 5 and nothing else.
bool IsTie(double magnitude, int digits) {
    char shortText[64];
    std::to_chars(shortText, shortText + sizeof shortText, magnitude, std::chars_format::scientific,
                  digits);
    // "d.ddd5e+04": the digit after those kept stands behind the point.
    if (shortText[digits + 1] != '5') {
        return false;
    }
    char exact[ExactDigits + 16];
    const std::to_chars_result end = std::to_chars(exact, exact + sizeof exact, magnitude,
                                                   std::chars_format::scientific, ExactDigits);
    const std::string text(exact, end.ptr);
    const std::size_t rest = text.find_first_not_of('0', static_cast<std::size_t>(digits) + 2);
    return text[digits + 1] == '5' && text[rest] == 'e';
}

std::string General(double value, int digits) {
    char text[64];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return std::string(text, end.ptr);
}

std::string Serial(std::size_t serial) {
    return std::to_string(serial);
}

// Just beyond a tie, the rounding to `digits` takes the far neighbour.
double TieBroken(double value, int digits, TTieBreak ties) {
    if (ties == TTieBreak::AwayFromZero && std::isfinite(value) &&
        IsTie(std::fabs(value), digits)) {
        return std::nextafter(value, std::copysign(std::numeric_limits<double>::infinity(), value));
    }
    return value;
}

// The Report page writes numbers from 0.001 up to 10^6 in full, smaller and
// larger ones in scientific notation.
constexpr int LeastFixedExponent = -3;
constexpr int MostFixedExponent = 5;

// A magnitude rounded to four significant digits: "1235" and 5 for 123456.
struct TFourDigits {
    std::string Digits;
    int Exponent = 0;
};

TFourDigits RoundToFourDigits(double magnitude) {
    char text[64];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, TieBroken(magnitude, 4, TTieBreak::AwayFromZero),
                      std::chars_format::scientific, 3);
    // "d.ddde+XX"
    const std::string scientific(text, end.ptr);
    return {scientific.substr(0, 1) + scientific.substr(2, 3), std::atoi(scientific.c_str() + 6)};
}

std::string WithoutTrailingZeros(std::string text) {
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

// "123500", "12.35", "0.001235".
std::string FixedText(const TFourDigits& rounded) {
    const std::string& digits = rounded.Digits;
    if (rounded.Exponent >= 3) {
        return digits + std::string(static_cast<std::size_t>(rounded.Exponent - 3), '0');
    }
    if (rounded.Exponent >= 0) {
        const auto point = static_cast<std::size_t>(rounded.Exponent + 1);
        return WithoutTrailingZeros(digits.substr(0, point) + "." + digits.substr(point));
    }
    const auto zeros = static_cast<std::size_t>(-rounded.Exponent - 1);
    return WithoutTrailingZeros("0." + std::string(zeros, '0') + digits);
}

// "1.235e+06", "8.9e-11".
std::string ScientificText(const TFourDigits& rounded) {
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", rounded.Exponent < 0 ? '-' : '+',
                  std::abs(rounded.Exponent));
    return WithoutTrailingZeros(rounded.Digits.substr(0, 1) + "." + rounded.Digits.substr(1)) +
           exponent;
}

} // namespace

std::string SignificantDigits(double value, int digits, TTieBreak ties) {
    if (std::isnan(value)) {
        return "nan";
    }
    return General(TieBroken(value, digits, ties), digits);
}

std::string FourDigits(double value, TTieBreak ties) {
    return value == 0.0 ? "0" : SignificantDigits(value, 4, ties);
}

std::string ReportNumberText(double value) {
    if (value == 0.0) {
        return "0";
    }
    if (std::isinf(value)) {
        return value > 0.0 ? "\u221e" : "-\u221e";
    }
    if (std::isnan(value)) {
        return "nan";
    }
    // The notation follows the value as rounded: 999999.5 is 1e+06.
    const TFourDigits rounded = RoundToFourDigits(std::fabs(value));
    const bool scientific =
        rounded.Exponent < LeastFixedExponent || rounded.Exponent > MostFixedExponent;
    return (value < 0.0 ? "-" : "") + (scientific ? ScientificText(rounded) : FixedText(rounded));
}

void TReportNumberWidth::Add(double value) {
    if (std::isnan(value)) {
        notANumber_ = true;
        return;
    }
    negative_ = negative_ || value < 0.0;
    if (std::isinf(value)) {
        infinite_ = true;
        return;
    }
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        return;
    }
    least_ = finite_ ? std::min(least_, magnitude) : magnitude;
    most_ = finite_ ? std::max(most_, magnitude) : magnitude;
    finite_ = true;
}

namespace {

// The longest text of a number whose rounding has exponent `exponent`,
// trailing zeros kept: every digit an 8.
std::string WidestOfExponent(int exponent) {
    if (exponent < LeastFixedExponent || exponent > MostFixedExponent) {
        return std::string("8.888e") + (exponent < 0 ? "-" : "+") +
               (std::abs(exponent) < 100 ? "88" : "888");
    }
    return FixedText({"8888", exponent});
}

} // namespace

std::vector<std::string> TReportNumberWidth::WidestTexts() const {
    std::vector<std::string> texts;
    const std::string sign = negative_ ? "-" : "";
    if (finite_) {
        // Every exponent between those of the least and the largest number.
        const int least = RoundToFourDigits(least_).Exponent;
        const int most = RoundToFourDigits(most_).Exponent;
        for (int exponent = least; exponent <= most; ++exponent) {
            // Of the scientific ones, those of the extreme exponents are widest.
            const bool scientific = exponent < LeastFixedExponent || exponent > MostFixedExponent;
            if (!scientific || exponent == least || exponent == most) {
                texts.push_back(sign + WidestOfExponent(exponent));
            }
        }
    }
    if (infinite_) {
        texts.push_back(sign + "\u221e");
    }
    if (notANumber_) {
        texts.push_back("nan");
    }
    return texts;
}

std::string Metres(double value, std::string (*number)(double)) {
    return number(value) + " m";
}

std::string SerialList(const std::vector<std::size_t>& serials,
                       const std::function<std::string(std::size_t)>& item, const char* separator) {
    std::string text;
    for (std::size_t k = 0; k < serials.size(); ++k) {
        text += (k > 0 ? separator : "") + (item ? item(serials[k]) : Serial(serials[k]));
    }
    return text;
}

std::string SerialListText(const std::vector<std::size_t>& serials) {
    std::vector<std::string> items;
    for (const std::size_t serial : serials) {
        items.push_back(Serial(serial));
    }
    return ListInWords(items);
}

std::string ListInWords(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) {
            text += k + 1 == items.size() ? " and " : ", ";
        }
        text += items[k];
    }
    return text;
}
