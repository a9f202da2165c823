// Where the parts of the regression graph go on the bitmap and what the tick
// labels read, kept apart from the painting so it is checked without a window.
#pragma once

#include "UGraphAxes.h"

#include <cstdint>
#include <string>

// The point of the value 0 on both axes; the vertical axis runs up from it by
// PlotHeight pixels, the horizontal axis to the right by PlotWidth pixels.
constexpr int GraphOriginX = 70;
constexpr int GraphOriginY = 250;

// Offsets from the origin further than this are held at it: far outside the
// bitmap, yet safe to add to and to hand to the painter.
constexpr int FarOffPixels = 100000;

// Pixel offset of `value` from the origin along an axis `plotSize` pixels long.
int ScaledOffset(double value, const TAxisScale& axis, std::int32_t plotSize);

// Row of the k-th tick of the vertical axis, k = 0 at the top end.
int VerticalTickY(std::int32_t k, const TAxisScale& axis);
// Column of the k-th tick of the horizontal axis, k = 0 at the origin.
int HorizontalTickX(std::int32_t k, const TAxisScale& axis);

// Values at the ticks: the vertical axis counts down from its top end, the
// horizontal axis up from its bottom end.
double VerticalTickValue(std::int32_t k, const TAxisScale& axis);
double HorizontalTickValue(std::int32_t k, const TAxisScale& axis);

// A tick label: fixed-point with `decimals` decimals and a point as separator,
// padded with blanks on the left to at least decimals + 2 characters.
std::string FormatTickLabel(double value, std::int32_t decimals);
