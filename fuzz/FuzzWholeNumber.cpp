// Arbitrary text in the count field: ParseWholeNumber agrees with a reading
// built on std::from_chars, and every count it gives reads back from its
// decimal text.
#include "FuzzSupport.h"
#include "UNumberText.h"

#include <charconv>
#include <limits>

namespace {

bool IsDigitOf(char c, int base) {
    if (c >= '0' && c <= '9') {
        return true;
    }
    return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

std::size_t HexPrefix(const std::string& text, std::size_t pos) {
    if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
        return 2;
    }
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        return 1;
    }
    return 0;
}

// Blanks, a sign, an optional hexadecimal prefix and digits to the end.
std::optional<std::int32_t> Reference(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        return std::nullopt;
    }
    const bool negative = text[pos] == '-';
    pos += (text[pos] == '-' || text[pos] == '+') ? 1 : 0;
    const std::size_t prefix = HexPrefix(text, pos);
    const int base = prefix > 0 ? 16 : 10;
    pos += prefix;
    if (pos >= text.size() || !IsDigitOf(text[pos], base)) {
        return std::nullopt;
    }
    unsigned long long magnitude = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data() + pos, end, magnitude, base);
    if (result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    const unsigned long long limit = negative ? 2147483648ULL : 2147483647ULL;
    if (magnitude > limit) {
        return std::nullopt;
    }
    const long long value =
        negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> count = ParseWholeNumber(text);
    Require(count == Reference(text), "the count agrees with the reference reading");
    if (count) {
        Require(ParseWholeNumber(std::to_string(*count)) == count, "a count reads back");
    }
    return 0;
}
