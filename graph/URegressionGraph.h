// The regression graph of the Output page: one marker per data set at
// (H", Q/H") and the fitted line, on two scaled axes. The Report page and
// every file saved from it (PNG, SVG, PDF) show the report's graph instead
// (PaintReportGraph in UReportGraph.h).
#pragma once

#include "UCalculationResults.h"

#include <QtGlobal>

#include <cstdint>

class QFont;
class QImage;
class QPaintDevice;

constexpr int GraphWidth = 607;
constexpr int GraphHeight = 313;

// The font of the tick labels and the markers.
QFont GraphFont();

// Scales the axes from the H" and Q/H" of the results' data sets and draws
// the whole graph with their line onto `device`, whose top-left 607 x 313
// pixels it covers. The option tells how the line was fitted: the second one
// has no intercept, so its line runs through the origin.
void PaintRegressionGraph(QPaintDevice& device, const TCalculationResults& results);

// Whether the H" or Q/H" of the results lie beyond what the graph's integer
// axes can hold: it then draws the axes and the ticks it can, and no data set
// or line.
bool RegressionGraphTooLarge(const TCalculationResults& results);

// A fresh picture of the graph for a screen of `devicePixelRatio` image pixels
// per graph pixel: 607 x 313 at 1, 1214 x 626 of the same drawing at 2.
QImage RenderRegressionGraph(const TCalculationResults& results, qreal devicePixelRatio = 1.0);
