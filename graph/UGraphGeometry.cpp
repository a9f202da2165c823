#include "UGraphGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A range or count of zero would leave nothing to divide by; the scaling never
// gives one, and a single unit keeps the drawing sound if it ever did.
double RangeOf(const TAxisScale& axis) {
    const std::int64_t range = static_cast<std::int64_t>(axis.Top) - axis.Bottom;
    return static_cast<double>(std::max<std::int64_t>(range, 1));
}

double IntervalsOf(const TAxisScale& axis) {
    return static_cast<double>(std::max<std::int32_t>(axis.Intervals, 1));
}

double TickFraction(std::int32_t k, const TAxisScale& axis) {
    return k / IntervalsOf(axis);
}

} // namespace

int ScaledOffset(double value, const TAxisScale& axis, std::int32_t plotSize) {
    const double scaledPlot =
        static_cast<double>(static_cast<std::int64_t>(plotSize) * axis.Factor);
    const double offset = (value - axis.Bottom) * scaledPlot / RangeOf(axis);
    return Round(std::clamp<double>(offset, -FarOffPixels, FarOffPixels));
}

int VerticalTickY(std::int32_t k, const TAxisScale& axis) {
    return Round(TickFraction(k, axis) * PlotHeight + (GraphOriginY - PlotHeight));
}

int HorizontalTickX(std::int32_t k, const TAxisScale& axis) {
    return Round(TickFraction(k, axis) * PlotWidth + GraphOriginX);
}

double VerticalTickValue(std::int32_t k, const TAxisScale& axis) {
    const double range = static_cast<double>(static_cast<std::int64_t>(axis.Top) - axis.Bottom);
    return axis.Top - TickFraction(k, axis) * range;
}

double HorizontalTickValue(std::int32_t k, const TAxisScale& axis) {
    const std::int64_t range = static_cast<std::int64_t>(axis.Top) - axis.Bottom;
    return axis.Bottom + static_cast<double>(range * k) / IntervalsOf(axis);
}

std::string FormatTickLabel(double value, std::int32_t decimals) {
    const int precision = std::clamp<std::int32_t>(decimals, 0, 15);
    char digits[400];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    std::string text = error == std::errc() ? std::string(digits, end) : std::string("?");
    const std::size_t width = static_cast<std::size_t>(precision) + 2;
    if (text.size() < width) {
        text.insert(0, width - text.size(), ' ');
    }
    return text;
}
