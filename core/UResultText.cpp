#include "UResultText.h"

#include <charconv>
#include <cmath>
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

} // namespace

std::string SignificantDigits(double value, int digits, TTieBreak ties) {
    if (std::isnan(value)) {
        return "nan";
    }
    // Just beyond the tie, the rounding to `digits` takes the far neighbour.
    if (ties == TTieBreak::AwayFromZero && std::isfinite(value) &&
        IsTie(std::fabs(value), digits)) {
        value =
            std::nextafter(value, std::copysign(std::numeric_limits<double>::infinity(), value));
    }
    return General(value, digits);
}

std::string FourDigits(double value, TTieBreak ties) {
    return value == 0.0 ? "0" : SignificantDigits(value, 4, ties);
}

std::string ReportNumberText(double value) {
    return FourDigits(value, TTieBreak::AwayFromZero);
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
