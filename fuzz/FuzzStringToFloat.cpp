// Arbitrary text typed into a field: StringToFloat gives a finite number or
// the conversion error with the text in its message, and whatever the screen
// shows of a number (FormatGeneral) converts back to what it shows, with
// either decimal separator.
#include "FuzzSupport.h"
#include "UFloatMath.h"
#include "UNumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

std::optional<double> Convert(const std::string& text) {
    try {
        const double value = StringToFloat(text);
        Require(std::isfinite(value), "a converted text is finite");
        return value;
    } catch (const EConvertError& error) {
        // what() ends at the first NUL of the text, as the error box would.
        const std::string expected = "'" + text + "' is not a valid floating point value";
        Require(std::strcmp(error.what(), expected.c_str()) == 0,
                "the conversion error names the text");
        return std::nullopt;
    }
}

// Fifteen significant digits keep the value to a few parts in 10^15; values
// below the normal range keep only their order.
bool CloseEnough(double shown, double value) {
    const double magnitude = std::fabs(value);
    const double tolerance = magnitude >= DBL_MIN ? magnitude * 1e-14 : DBL_MIN;
    return std::fabs(shown - value) <= tolerance;
}

void RequireShownTextConverts(double value) {
    const std::string shown = FormatGeneral(value);
    const std::optional<double> again = Convert(shown);
    Require(again.has_value(), "the screen's text of a number converts");
    Require(CloseEnough(*again, value), "the screen's text keeps the value");
    Require(FormatGeneral(*again) == shown, "a shown number shows the same again");
    std::string withComma = shown;
    std::replace(withComma.begin(), withComma.end(), '.', ',');
    const std::optional<double> commaValue = Convert(withComma);
    Require(commaValue.has_value() && *commaValue == *again, "a decimal comma reads the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<double> value = Convert(text)) {
        RequireShownTextConverts(*value);
    }
    return 0;
}
