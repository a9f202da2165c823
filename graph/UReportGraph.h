// The report's graph: the data sets over the fitted line and its 95 %
// confidence band, on a white ground with axes in m and 1/day, for the Report
// page and for every saved form of the report. It draws from the results it
// is given, never from the last calculation's shared values, so a report
// drawn later still shows its own results.
#pragma once

#include "UCalculationResults.h"
#include "UNiceScale.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

// The graph's size on paper, 16 x 10 cm, in units of 1/96 inch: the unit in
// which the drawing is laid out on every device.
constexpr double ReportGraphWidthCm = 16.0;
constexpr double ReportGraphHeightCm = 10.0;
QSizeF ReportGraphUnits();

// Which data sets the line was fitted to: one flag per data set, true for
// "in the fit". A data set without a flag is in the fit.
using TFitFlags = std::vector<bool>;

// Told how many markers are drawn; answers false to stop the drawing.
using TPaintProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Where the plot lies within the graph's area and how its axes are scaled.
struct TReportGraphLayout {
    QRectF Plot;
    TNiceScale HeadScale;
    TNiceScale QHScale;

    QPointF Place(double head, double qh) const;
};

TReportGraphLayout ReportGraphLayout(const QRectF& area, const TCalculationResults& statistics,
                                     const TFitFlags& inFit = {});

// How the markers reach the device.
enum class TMarkerPainting {
    // Each drawn as a shape: exact at any size, for every saved form.
    Drawn,
    // Each stamped from a picture of its kind drawn once per quarter of a
    // device pixel: for the screen, which otherwise spends most of a redraw
    // of many data sets on drawing thousands of small round shapes.
    Stamped,
};

// Draws the whole graph into `area` of the painter's coordinates (units of
// 1/96 inch). False when `progress` stopped it half-way.
bool PaintReportGraph(QPainter& painter, const QRectF& area, const TCalculationResults& statistics,
                      const TFitFlags& inFit = {}, const TPaintProgress& progress = {},
                      TMarkerPainting markers = TMarkerPainting::Drawn);

// The data set whose marker lies under `point`, the nearest one if several do.
std::optional<std::size_t> ReportGraphMarkerAt(const QRectF& area,
                                               const TCalculationResults& statistics,
                                               const TFitFlags& inFit, QPointF point);
