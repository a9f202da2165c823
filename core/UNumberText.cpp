#include "UNumberText.h"

#include "UFloatMath.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a decimal number as typed, kept as text so that no locale and
// no rounding of our own come between the user and the value.
struct TDecimalText {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool exponentNegative = false;
    std::string exponentDigits;
};

class TScanner {
public:
    explicit TScanner(const std::string& text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void SkipBlanks() {
        while (Peek() == ' ') {
            ++pos_;
        }
    }
    bool Accept(char c) {
        if (AtEnd() || text_[pos_] != c) {
            return false;
        }
        ++pos_;
        return true;
    }
    std::string Digits() {
        const std::size_t start = pos_;
        while (IsDigit(Peek())) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }
    // A sign, if present; true when it is a minus.
    bool Sign() {
        if (Accept('-')) {
            return true;
        }
        Accept('+');
        return false;
    }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

bool ScanExponent(TScanner& scanner, TDecimalText& number) {
    if (!scanner.Accept('E') && !scanner.Accept('e')) {
        return true;
    }
    number.exponentNegative = scanner.Sign();
    number.exponentDigits = scanner.Digits();
    return !number.exponentDigits.empty();
}

std::optional<TDecimalText> ScanDecimal(const std::string& text, char separator) {
    TScanner scanner(text);
    TDecimalText number;
    scanner.SkipBlanks();
    number.negative = scanner.Sign();
    number.integerDigits = scanner.Digits();
    if (scanner.Accept(separator)) {
        number.fractionDigits = scanner.Digits();
    }
    // A lone separator or sign carries no value; taking it as 0 would hide a typing error.
    if (number.integerDigits.empty() && number.fractionDigits.empty()) {
        return std::nullopt;
    }
    if (!ScanExponent(scanner, number)) {
        return std::nullopt;
    }
    scanner.SkipBlanks();
    if (!scanner.AtEnd()) {
        return std::nullopt;
    }
    return number;
}

// Power of ten of the leading digit, ignoring the exponent: tells an overflow
// from an underflow when the conversion finds the value out of range.
long long LeadingDigitPower(const TDecimalText& number) {
    const std::size_t firstInteger = number.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos) {
        return static_cast<long long>(number.integerDigits.size() - firstInteger) - 1;
    }
    const std::size_t firstFraction = number.fractionDigits.find_first_not_of('0');
    if (firstFraction == std::string::npos) {
        return 0;
    }
    return -static_cast<long long>(firstFraction) - 1;
}

bool ExponentIsPositive(const TDecimalText& number) {
    const bool nonZero = number.exponentDigits.find_first_not_of('0') != std::string::npos;
    return nonZero && !number.exponentNegative;
}

bool Overflows(const TDecimalText& number) {
    if (number.exponentDigits.size() > 15) {
        return ExponentIsPositive(number);
    }
    const long long exponent =
        number.exponentDigits.empty() ? 0 : std::atoll(number.exponentDigits.c_str());
    const long long power =
        LeadingDigitPower(number) + (number.exponentNegative ? -exponent : exponent);
    return power >= 0;
}

std::optional<double> ToDouble(const TDecimalText& number) {
    std::string canonical = number.integerDigits + "." + number.fractionDigits;
    if (!number.exponentDigits.empty()) {
        canonical += number.exponentNegative ? "e-" : "e";
        canonical += number.exponentDigits;
    }
    if (canonical.front() == '.') {
        canonical.insert(canonical.begin(), '0');
    }
    double value = 0.0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (Overflows(number)) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (result.ec != std::errc() || result.ptr != canonical.data() + canonical.size()) {
        return std::nullopt;
    }
    return number.negative ? -value : value;
}

// The text as typed most often, digits with at most one point inside them,
// converted directly; the general road gives the same value, more slowly.
std::optional<double> PlainDecimal(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t end = text.find_last_not_of(' ') + 1;
    std::size_t pos = begin + (text[begin] == '-' ? 1 : 0);
    const auto skipDigits = [&] {
        const std::size_t start = pos;
        while (pos < end && IsDigit(text[pos])) {
            ++pos;
        }
        return pos > start;
    };
    if (!skipDigits() || (pos < end && text[pos] == '.' && (++pos, !skipDigits())) || pos != end) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + begin, text.data() + end, value);
    if (result.ec != std::errc() || result.ptr != text.data() + end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ConvertWith(const std::string& text, char separator) {
    const std::optional<TDecimalText> number = ScanDecimal(text, separator);
    if (!number) {
        return std::nullopt;
    }
    return ToDouble(*number);
}

} // namespace

double StringToFloat(const std::string& text) {
    if (const auto value = PlainDecimal(text)) {
        return *value;
    }
    if (const auto value = ConvertWith(text, '.')) {
        return *value;
    }
    if (const auto value = ConvertWith(text, ',')) {
        return *value;
    }
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

namespace {

constexpr int SignificantDigits = 15;

// The value rounded to 15 significant digits: the digits without trailing
// zeros and the power of ten of the first one.
struct TRoundedDigits {
    std::string digits;
    int exponent = 0;
};

TRoundedDigits RoundToSignificant(double magnitude) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string text(buffer.data(), result.ptr);
    const std::size_t ePos = text.find('e');
    TRoundedDigits rounded;
    rounded.digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const std::size_t lastNonZero = rounded.digits.find_last_not_of('0');
    rounded.digits.erase(lastNonZero + 1);
    int exponent = 0;
    const char* expBegin = text.data() + ePos + 1;
    if (*expBegin == '+') {
        ++expBegin;
    }
    std::from_chars(expBegin, text.data() + text.size(), exponent);
    rounded.exponent = exponent;
    return rounded;
}

std::string Scientific(const TRoundedDigits& rounded) {
    std::string text = rounded.digits.substr(0, 1);
    if (rounded.digits.size() > 1) {
        text += "." + rounded.digits.substr(1);
    }
    return text + "E" + std::to_string(rounded.exponent);
}

std::string Fixed(const TRoundedDigits& rounded) {
    const int integerLength = rounded.exponent + 1;
    const int digitCount = static_cast<int>(rounded.digits.size());
    if (integerLength <= 0) {
        return "0." + std::string(-integerLength, '0') + rounded.digits;
    }
    if (integerLength >= digitCount) {
        return rounded.digits + std::string(integerLength - digitCount, '0');
    }
    return rounded.digits.substr(0, integerLength) + "." + rounded.digits.substr(integerLength);
}

// A value of at most three decimals, as the input file holds them, is the
// double nearest to thousandths/1000; as a double holds 15 digits exactly,
// those thousandths are its 15-digit form, written without trailing zeros.
std::optional<std::string> Thousandths(double value) {
    const double scaled = std::round(value * 1000.0);
    if (!(std::fabs(scaled) >= 1.0 && std::fabs(scaled) < 1e15) || scaled / 1000.0 != value) {
        return std::nullopt;
    }
    const auto thousandths = static_cast<long long>(std::fabs(scaled));
    char digits[24];
    char* const end = std::to_chars(digits, digits + sizeof digits, thousandths / 1000).ptr;
    std::string text = value < 0 ? "-" : "";
    text.append(digits, end);
    long long fraction = thousandths % 1000;
    if (fraction != 0) {
        char decimals[4] = {'.', char('0' + fraction / 100), char('0' + fraction / 10 % 10),
                            char('0' + fraction % 10)};
        std::size_t length = 4;
        while (decimals[length - 1] == '0') {
            --length;
        }
        text.append(decimals, length);
    }
    return text;
}

// Most values on screen were typed or read with a few digits: their shortest
// exact form has at most 15 significant digits, and then it is the value
// rounded to 15 digits, as a double holds 15 digits exactly. In the fixed
// range that is the text to show; anything else takes the general road.
std::optional<std::string> ShortFixed(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) {
        return std::nullopt;
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    const char* const begin = buffer.data();
    const char* const end = result.ptr;
    const char* first = std::find_if(begin, end, [](char c) { return c >= '1' && c <= '9'; });
    const auto digits = std::count_if(first, end, [](char c) { return c >= '0' && c <= '9'; });
    if (digits > SignificantDigits) {
        return std::nullopt;
    }
    return std::string(begin, end);
}

} // namespace

std::string FormatGeneral(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0.0) {
        return "0";
    }
    if (std::optional<std::string> fixed = Thousandths(value)) {
        return std::move(*fixed);
    }
    if (std::optional<std::string> fixed = ShortFixed(value)) {
        return std::move(*fixed);
    }
    const TRoundedDigits rounded = RoundToSignificant(std::fabs(value));
    const bool fixed = rounded.exponent >= -4 && rounded.exponent < SignificantDigits;
    const std::string text = fixed ? Fixed(rounded) : Scientific(rounded);
    return value < 0 ? "-" + text : text;
}

namespace {

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int DigitValue(char c, int base) {
    const int value = HexDigitValue(c);
    return value < base ? value : -1;
}

// Length of the hexadecimal prefix at `pos` ("$", "x", "X", "0x", "0X"), 0 when none.
std::size_t HexPrefixLength(const std::string& text, std::size_t pos) {
    const char first = pos < text.size() ? text[pos] : '\0';
    if (first == '$' || first == 'x' || first == 'X') {
        return 1;
    }
    const char second = pos + 1 < text.size() ? text[pos + 1] : '\0';
    if (first == '0' && (second == 'x' || second == 'X')) {
        return 2;
    }
    return 0;
}

} // namespace

std::optional<std::int32_t> ParseWholeNumber(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        return std::nullopt;
    }
    const bool negative = text[pos] == '-';
    if (text[pos] == '-' || text[pos] == '+') {
        ++pos;
    }
    const std::size_t prefix = HexPrefixLength(text, pos);
    const int base = prefix > 0 ? 16 : 10;
    pos += prefix;
    if (pos >= text.size()) {
        return std::nullopt;
    }
    // The magnitude is gathered in 64 bits and bounded before it can overflow.
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
