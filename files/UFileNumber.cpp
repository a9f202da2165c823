#include "UFileNumber.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace {

// Wide enough for the largest double in fixed notation with a few decimals,
// and for the smallest in full (324 decimals).
constexpr std::size_t FixedBufferSize = 400;
// An exponent beyond this decides overflow or underflow on its own.
constexpr long ExponentLimit = 100000;

void AppendPadded(std::string& out, const char* begin, const char* end, int width) {
    const long length = end - begin;
    if (length < width) {
        out.append(static_cast<std::size_t>(width - length), ' ');
    }
    out.append(begin, end);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t position) {
    while (position < text.size() && IsDigit(text[position])) {
        ++position;
    }
    return position;
}

// The parts of a number text that the grammar check has found.
struct TNumberParts {
    bool Negative = false;
    std::string_view Unsigned;
    std::string_view IntegerDigits;
    std::string_view FractionDigits;
    long Exponent = 0;
};

long ParseExponentDigits(std::string_view digits) {
    long exponent = 0;
    for (char c : digits) {
        exponent = std::min(exponent * 10 + (c - '0'), ExponentLimit);
    }
    return exponent;
}

// Reads "[e|E][+|-]digits" at `position`; false when an exponent starts but
// has no digits.
bool ParseExponent(std::string_view text, std::size_t& position, long& exponent) {
    if (position == text.size() || (text[position] != 'e' && text[position] != 'E')) {
        return true;
    }
    ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    const std::size_t digitsStart = position;
    position = SkipDigits(text, position);
    if (position == digitsStart) {
        return false;
    }
    const long magnitude = ParseExponentDigits(text.substr(digitsStart, position - digitsStart));
    exponent = negative ? -magnitude : magnitude;
    return true;
}

std::optional<TNumberParts> SplitNumber(std::string_view text) {
    TNumberParts parts;
    std::size_t position = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        parts.Negative = text[0] == '-';
        position = 1;
    }
    parts.Unsigned = text.substr(position);
    const std::size_t integerStart = position;
    position = SkipDigits(text, position);
    parts.IntegerDigits = text.substr(integerStart, position - integerStart);
    if (position < text.size() && text[position] == '.') {
        const std::size_t fractionStart = ++position;
        position = SkipDigits(text, position);
        parts.FractionDigits = text.substr(fractionStart, position - fractionStart);
    }
    if (parts.IntegerDigits.empty() && parts.FractionDigits.empty()) {
        return std::nullopt;
    }
    if (!ParseExponent(text, position, parts.Exponent) || position != text.size()) {
        return std::nullopt;
    }
    return parts;
}

// The power of ten of the first significant digit: below 0 the value is
// smaller than 1, so a value out of range there is an underflow.
long DecimalOrder(const TNumberParts& parts) {
    const std::size_t firstInteger = parts.IntegerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos) {
        return static_cast<long>(parts.IntegerDigits.size() - firstInteger - 1) + parts.Exponent;
    }
    const std::size_t firstFraction = parts.FractionDigits.find_first_not_of('0');
    return -static_cast<long>(firstFraction + 1) + parts.Exponent;
}

} // namespace

void AppendFixed(std::string& out, double value, int width, int decimals) {
    // An exact zero is written without a sign, whatever sign it carries.
    const double written = value == 0.0 ? 0.0 : value;
    char buffer[FixedBufferSize];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, written, std::chars_format::fixed, decimals);
    AppendPadded(out, buffer, result.ptr, width);
}

void AppendShortestFixed(std::string& out, double value, int width) {
    const double written = value == 0.0 ? 0.0 : value;
    char buffer[FixedBufferSize];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, written, std::chars_format::fixed);
    AppendPadded(out, buffer, result.ptr, width);
}

std::string FormatFixed(double value, int width, int decimals) {
    std::string text;
    AppendFixed(text, value, width, decimals);
    return text;
}

void AppendInteger(std::string& out, long long value, int width) {
    char buffer[32];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendPadded(out, buffer, result.ptr, width);
}

std::optional<double> ParseFileNumber(std::string_view text) {
    const std::optional<TNumberParts> parts = SplitNumber(text);
    if (!parts) {
        return std::nullopt;
    }
    const char* begin = parts->Unsigned.data();
    const char* end = begin + parts->Unsigned.size();
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (DecimalOrder(*parts) >= 0) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return parts->Negative ? -value : value;
}
