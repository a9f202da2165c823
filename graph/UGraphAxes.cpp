#include "UGraphAxes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

TAxisScale QHAxis;
TAxisScale HeadAxis;
std::int32_t PlotWidth = 0;
std::int32_t PlotHeight = 0;

namespace {

constexpr double NoValueYet = -100000.0;
constexpr double Headroom = 1.1;

// One row of a step table: below `bound` the axis end goes in steps of `step`.
struct TAxisStep {
    double bound;
    std::int32_t step;
    std::int32_t baseDecimals;
};

constexpr double NoBound = std::numeric_limits<double>::infinity();

constexpr TAxisStep QHSteps[] = {
    {10.0, 1, 1},
    {25.0, 4, 1},
    {50.0, 5, 1},
    {NoBound, 10, 0},
};

constexpr TAxisStep HeadSteps[] = {
    {10.0, 1, 1},   {25.0, 4, 1},   {50.0, 5, 1},     {100.0, 10, 0},
    {250.0, 25, 0}, {500.0, 50, 0}, {1000.0, 100, 0}, {NoBound, 250, 0},
};

template <std::size_t N> const TAxisStep& StepFor(const TAxisStep (&table)[N], double max) {
    for (const TAxisStep& row : table) {
        if (max < row.bound) {
            return row;
        }
    }
    return table[N - 1];
}

// The largest of the first `count` entries, or NoValueYet when none is larger.
// Never reads past the array, however large `count` is.
double LargestOf(const std::vector<double>& values, std::int32_t count) {
    const std::size_t available =
        std::min(values.size(), static_cast<std::size_t>(std::max<std::int32_t>(count, 0)));
    double largest = NoValueYet;
    for (std::size_t i = 0; i < available; ++i) {
        if (values[i] > largest) {
            largest = values[i];
        }
    }
    return largest;
}

// Labels that read well for an end of 1 to 10 scaled units: whole numbers
// from 5 up, steps of 0.2 or 0.5 below that.
void ChooseSmallAxisTicks(TAxisScale& axis) {
    if (axis.Top >= 5) {
        axis.Intervals = axis.Top;
        axis.Decimals = 0;
        return;
    }
    constexpr std::int32_t IntervalsForTop[] = {5, 5, 10, 6, 8};
    axis.Intervals = IntervalsForTop[std::clamp(axis.Top, 1, 4)];
    axis.Decimals = 1;
}

// No positive value leaves nothing to scale by: show 0 to 1 unscaled so the
// points and the line still fall where they belong.
void ScaleDegenerateAxis(TAxisScale& axis) {
    axis.Factor = 1;
    axis.Bottom = 0;
    axis.Top = 1;
    axis.Intervals = 5;
    axis.Decimals = 1;
}

void ScaleBelowOne(TAxisScale& axis) {
    const double max = axis.Max;
    if (max < 0.01) {
        axis.Factor = 1000;
    } else if (max < 0.1) {
        axis.Factor = 100;
    } else {
        axis.Factor = 10;
    }
    axis.Bottom = 0;
    axis.Top = std::max(Round(axis.Factor * max + 0.5), 1);
    ChooseSmallAxisTicks(axis);
}

void ScaleInSteps(TAxisScale& axis, const TAxisStep& row) {
    const double step = row.step;
    // An end beyond the 32-bit range is held at the largest whole step in it.
    const std::int32_t mostSteps = std::numeric_limits<std::int32_t>::max() / row.step;
    const auto stepsTo = [&](double value) {
        return std::clamp(Round(value / step), -mostSteps, mostSteps);
    };
    axis.Bottom = row.step * stepsTo(axis.Min - step / 2.0);
    axis.Top = row.step * stepsTo(axis.Max + step / 2.0);
    axis.TooLarge = Round((axis.Max + step / 2.0) / step) > mostSteps;
    const std::int64_t range = static_cast<std::int64_t>(axis.Top) - axis.Bottom;
    axis.Intervals = static_cast<std::int32_t>(range / row.step);
    axis.Decimals = row.baseDecimals;
}

template <std::size_t N> void ScaleAxis(TAxisScale& axis, const TAxisStep (&table)[N]) {
    axis.TooLarge = false;
    if (!(axis.Max > 0.0)) {
        ScaleDegenerateAxis(axis);
    } else if (axis.Max < 1.0) {
        ScaleBelowOne(axis);
    } else {
        ScaleInSteps(axis, StepFor(table, axis.Max));
    }
}

void LimitToTenIntervals(TAxisScale& axis) {
    if (axis.Intervals > 10) {
        axis.Intervals = 10;
        axis.Decimals += 1;
    }
}

void RaiseToFiveIntervals(TAxisScale& axis) {
    if (axis.Intervals < 5) {
        axis.Intervals = 5;
        axis.Decimals += 1;
    }
}

} // namespace

std::int32_t Round(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double nearest = std::nearbyint(value);
    if (nearest >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (nearest <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(nearest);
}

void FindGraphMaxima(const std::vector<double>& heads, const std::vector<double>& qh,
                     std::int32_t nrOfDataSets) {
    QHAxis.Max = LargestOf(qh, nrOfDataSets) * Headroom;
    HeadAxis.Max = LargestOf(heads, nrOfDataSets) * Headroom;
    QHAxis.Min = 0.0;
    HeadAxis.Min = 0.0;
    PlotWidth = 500;
    PlotHeight = 180;
}

void ScaleGraphAxes() {
    QHAxis.Factor = 1;
    HeadAxis.Factor = 1;
    ScaleAxis(QHAxis, QHSteps);
    ScaleAxis(HeadAxis, HeadSteps);
    LimitToTenIntervals(QHAxis);
    LimitToTenIntervals(HeadAxis);
    RaiseToFiveIntervals(QHAxis);
    RaiseToFiveIntervals(HeadAxis);
}

namespace {

const char* QHTitle(std::int32_t factor) {
    switch (factor) {
    case 10:
        return "Q/H\" (1/day) * 10)";
    case 100:
        return "Q/H\" (1/day) * 100";
    case 1000:
        return "Q/H\" (1/day) * 1000";
    default:
        return "Q/H\" (1/day)";
    }
}

const char* HeadTitle(std::int32_t factor) {
    switch (factor) {
    case 10:
        return "Hydraulic head H\" (dm)";
    case 100:
        return "Hydraulic head H\" (cm)";
    case 1000:
        return "Hydraulic head H\" (mm)";
    default:
        return "Hydraulic head H\" (m)";
    }
}

} // namespace

void SetAxisTitles() {
    QHAxis.Title = QHTitle(QHAxis.Factor);
    HeadAxis.Title = HeadTitle(HeadAxis.Factor);
}
