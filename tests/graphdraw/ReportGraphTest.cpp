// The report's graph, drawn from results made up for it, at one and two
// device pixels per unit: the same drawing, only sharper.
#include "GuiApplicationEnvironment.h"
#include "UReportGraph.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Five data sets about Q/H" = 0.01 H" + 0.02, the largest H" first, data set
// 2 suspect, data set 4 influential.
TCalculationResults MadeUpResults() {
    TCalculationResults results;
    results.NrOfDataSets = 5;
    results.InFit.assign(5, true);
    results.Head = {0.5, 0.1, 0.3, 0.2, 0.4};
    results.QH = {0.025, 0.0235, 0.023, 0.0215, 0.024};
    results.SlopeA = 0.01;
    results.InterceptB = 0.02;
    results.MeanHead = 0.3;
    results.MeanQH = 0.0234;
    TSpreadStatistics spread;
    spread.ResidualDeviation = 0.0006;
    spread.StudentT = 3.18;
    spread.HeadSquares = 0.1;
    results.Spread = spread;
    results.Suspect = {2};
    results.Influential = {4};
    return results;
}

constexpr double RingOffsets[] = {6.0, 6.5, 7.0};

bool Near(const QColor& colour, QColor expected) {
    const int tolerance = 40;
    return std::abs(colour.red() - expected.red()) < tolerance &&
           std::abs(colour.green() - expected.green()) < tolerance &&
           std::abs(colour.blue() - expected.blue()) < tolerance;
}

TEST(ReportGraph, MarkersLineAndBandAtRatioOneAndTwo) {
    const TCalculationResults results = MadeUpResults();
    const TFitFlags inFit = {true, true, false, true, true};
    const QRectF area(0, 0, 500, 320);
    const TReportGraphLayout layout = ReportGraphLayout(area, results, inFit);
    const auto marker = [&](std::size_t i) { return layout.Place(results.Head[i], results.QH[i]); };
    EXPECT_DOUBLE_EQ(layout.HeadScale.High, 0.6);
    EXPECT_GT(layout.Plot.top(), 20.0); // the legend's room above the plot
    for (const qreal ratio : {1.0, 2.0}) {
        QImage image((area.size() * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            EXPECT_TRUE(PaintReportGraph(painter, area, results, inFit));
        }
        const auto at = [&](QPointF point) {
            return image.pixelColor(qRound(point.x() * ratio), qRound(point.y() * ratio));
        };
        SCOPED_TRACE(ratio);
        // White to every edge: no band or margin of another colour.
        for (const QPointF corner :
             {QPointF(0, 0), QPointF(499.4, 0), QPointF(0, 319.4), QPointF(499.4, 319.4)}) {
            EXPECT_EQ(at(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
        }
        EXPECT_TRUE(Near(at(marker(0)), QColor(20, 70, 160)));
        EXPECT_TRUE(Near(at(marker(1)), QColor(200, 30, 30))); // suspect
        EXPECT_EQ(at(marker(2)), QColor(Qt::white));           // left out: hollow
        // The ring of the influential one, 6.5 units out.
        EXPECT_TRUE(std::any_of(std::begin(RingOffsets), std::end(RingOffsets), [&](double dy) {
            return Near(at(marker(3) + QPointF(0, dy)), QColor(230, 130, 0));
        }));
        // The line reaches the largest H" (data set 1, not the last one), and
        // the band lies about it: at the mean H" it is t s / sqrt(5) wide.
        EXPECT_LT(at(layout.Place(0.49, results.LineAt(0.49))).lightness(), 128);
        const double halfWidth = 3.18 * 0.0006 / std::sqrt(5.0);
        EXPECT_TRUE(Near(at(layout.Place(0.3, 0.023 + halfWidth * 0.6)), QColor(196, 216, 240)));
        EXPECT_EQ(at(layout.Place(0.25, 0.023 + halfWidth * 1.8)), QColor(Qt::white));
    }
    // A click near a marker finds its data set; one between them finds none.
    EXPECT_EQ(ReportGraphMarkerAt(area, results, inFit, marker(2) + QPointF(3, -2)), 2u);
    EXPECT_FALSE(ReportGraphMarkerAt(area, results, inFit, (marker(1) + marker(3)) / 2));
}

QImage Painted(const TCalculationResults& results, const TFitFlags& inFit, qreal ratio,
               QPointF shift, TMarkerPainting markers) {
    const QRectF area(0, 0, 500, 320);
    QImage image((area.size() * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.translate(shift);
    PaintReportGraph(painter, area.translated(-shift), results, inFit, {}, markers);
    return image;
}

// Stamped markers lie where drawn ones do, whatever the pixel density or the
// shift of the painter: they differ at most in the shading of their edges,
// where a marker a pixel off would differ by its whole colour.
constexpr int EdgeShading = 64;

TEST(ReportGraph, StampedMarkersMatchDrawnOnes) {
    TCalculationResults results = MadeUpResults();
    // Many markers a fraction of a pixel apart, of every kind.
    for (int i = 0; i < 400; ++i) {
        results.Head.push_back(0.05 + 0.001 * i);
        results.QH.push_back(0.0205 + 0.000013 * i);
    }
    results.NrOfDataSets = results.Head.size();
    results.InFit.assign(results.NrOfDataSets, true);
    results.Suspect.push_back(105);
    results.Influential.push_back(205);
    TFitFlags inFit = results.InFit;
    inFit[2] = inFit[300] = false;
    for (const auto& [ratio, shift] : {std::pair{1.0, QPointF()}, std::pair{2.0, QPointF()},
                                       std::pair{1.25, QPointF(3.3, 1.6)}}) {
        SCOPED_TRACE(ratio);
        const QImage drawn = Painted(results, inFit, ratio, shift, TMarkerPainting::Drawn);
        const QImage stamped = Painted(results, inFit, ratio, shift, TMarkerPainting::Stamped);
        int unlike = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y);
                const QColor b = stamped.pixelColor(x, y);
                unlike += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())}) > EdgeShading;
            }
        }
        EXPECT_EQ(unlike, 0);
    }
}

} // namespace
