// The markers come from one prepared glyph; they must be the very pixels of
// the "o" drawn as text on its dark-blue box at every point, as the graph was
// always drawn, at a device pixel ratio of 1 and of 2.
#include "GuiApplicationEnvironment.h"
#include "UGraphGeometry.h"
#include "URegressionGraph.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Each marker as text, in data-set order, over the graph drawn with glyphs:
// every pixel a marker's box covers ends as its text drawing leaves it.
void DrawMarkersAsText(QImage& image, const TCalculationResults& results) {
    QPainter painter(&image);
    painter.setFont(GraphFont());
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(0, 0, GraphWidth, GraphHeight);
    painter.setPen(QColor(0, 255, 255));
    const QFontMetrics metrics = painter.fontMetrics();
    for (std::size_t i = 0; i < results.Head.size(); ++i) {
        const int x = GraphOriginX + ScaledOffset(results.Head[i], HeadAxis, PlotWidth);
        const int y = GraphOriginY - ScaledOffset(results.QH[i], QHAxis, PlotHeight) - 10;
        painter.fillRect(x, y, metrics.horizontalAdvance(QStringLiteral("o")), metrics.height(),
                         QColor(0, 0, 139));
        painter.drawText(x, y + metrics.ascent(), QStringLiteral("o"));
    }
}

TEST(MarkerDrawing, GlyphMarkersMatchTextMarkersAtRatioOneAndTwo) {
    // Overlapping markers, one place met again after another that covers
    // it in part, and markers off the bitmap.
    TCalculationResults results;
    results.Head = {0.0, 0.31, 0.315, 0.31, 0.9, 1.7, 2.25, 2.26, 3.3, -0.5, 3.4, -900.0, 1.0};
    results.QH = {0.0, 7.5, 7.6, 7.5, 11.9, 3.3, 0.2, 0.25, 10.0, 1.0, 13.5, 1.0, -50.0};
    results.NrOfDataSets = results.Head.size();
    // No fitted line, which would cross the markers.
    results.SlopeA = 0.0;
    results.InterceptB = std::numeric_limits<double>::quiet_NaN();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage glyphs(qRound(GraphWidth * ratio), qRound(GraphHeight * ratio),
                      QImage::Format_RGB32);
        glyphs.setDevicePixelRatio(ratio);
        PaintRegressionGraph(glyphs, results);
        QImage text = glyphs.copy();
        text.setDevicePixelRatio(ratio);
        DrawMarkersAsText(text, results);
        EXPECT_TRUE(text == glyphs) << "ratio " << ratio;
        // Nor does a glyph reach beyond its box: the marker at the origin
        // leaves the axis right of it and the tick below it white.
        const QFontMetrics metrics(GraphFont());
        const int boxRight = GraphOriginX + metrics.horizontalAdvance(QStringLiteral("o"));
        const int boxBottom = GraphOriginY - 10 + metrics.height();
        EXPECT_EQ(glyphs.pixel(qRound(boxRight * ratio), qRound(GraphOriginY * ratio)),
                  0xffffffffu);
        EXPECT_EQ(glyphs.pixel(qRound(GraphOriginX * ratio), qRound(boxBottom * ratio)),
                  0xffffffffu);
    }
}

} // namespace
