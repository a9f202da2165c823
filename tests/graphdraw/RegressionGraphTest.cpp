#include "GuiApplicationEnvironment.h"
#include "UDMTylwen.h"
#include "URegressionGraph.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Colours as red, green and blue, without the alpha byte.
constexpr QRgb Silver = 0xc0c0c0;
constexpr QRgb DarkBlue = 0x00008b;
constexpr QRgb White = 0xffffff;
constexpr QRgb Yellow = 0xffff00;
constexpr QRgb Aqua = 0x00ffff;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffffu;
}

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour, const QRect& area) {
    std::vector<QPoint> found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (At(image, x, y) == colour) {
                found.emplace_back(x, y);
            }
        }
    }
    return found;
}

const QRect WholeGraph(0, 0, GraphWidth, GraphHeight);

TCalculationResults Results(DataSetR heads, DataSetR qh, double slope, double intercept,
                            TCalculationOption option = TCalculationOption::OverEntireSoilDepth) {
    TCalculationResults results;
    results.Option = option;
    results.NrOfDataSets = heads.size();
    results.Head = std::move(heads);
    results.QH = std::move(qh);
    results.SlopeA = slope;
    results.InterceptB = intercept;
    return results;
}

QImage Draw(DataSetR heads, DataSetR qh, double slope, double intercept,
            TCalculationOption option = TCalculationOption::OverEntireSoilDepth) {
    return RenderRegressionGraph(
        Results(std::move(heads), std::move(qh), slope, intercept, option));
}

// Q/H" axis to 12 (largest 10), H" axis to 4 (largest 3.3), the last H" 3.
TCalculationResults TwelveByFour(double slope, double intercept, TCalculationOption option) {
    return Results({2.0, 1.0, 3.3, 3.0}, {10.0, 3.0, 8.0, 7.0}, slope, intercept, option);
}

QImage DrawTwelveByFour(double slope, double intercept, TCalculationOption option) {
    return RenderRegressionGraph(TwelveByFour(slope, intercept, option));
}

// Every yellow pixel lies on the line between the two ends, and the dots
// reach both of them.
void ExpectDottedLine(const QImage& image, QPoint from, QPoint to) {
    const std::vector<QPoint> dots = PixelsOf(image, Yellow, WholeGraph);
    ASSERT_GT(dots.size(), 20u);
    int leftmost = GraphWidth;
    int rightmost = 0;
    for (const QPoint& dot : dots) {
        const double along = double(dot.x() - from.x()) / (to.x() - from.x());
        const double lineY = from.y() + along * (to.y() - from.y());
        EXPECT_LE(std::abs(dot.y() - lineY), 1.0) << dot.x() << "," << dot.y();
        leftmost = std::min(leftmost, dot.x());
        rightmost = std::max(rightmost, dot.x());
    }
    EXPECT_GE(leftmost, from.x());
    EXPECT_LE(leftmost, from.x() + 2);
    EXPECT_LE(rightmost, to.x());
    EXPECT_GE(rightmost, to.x() - 2);
    const QRgb start = At(image, from.x(), from.y());
    EXPECT_TRUE(start == Yellow || start == DarkBlue) << "the line covers the axis at its start";
}

TEST(RegressionGraph, FillsASilverFrameAroundADarkBluePanel) {
    const QImage image = Draw({0.4, 0.3, 0.15}, {0.0125, 0.01, 0.01}, 0.009210526, 0.008223684);
    ASSERT_EQ(image.size(), QSize(607, 313));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (int y = 0; y < GraphHeight; ++y) {
        for (int x : {0, 10, 19, 605, 606}) {
            ASSERT_EQ(At(image, x, y), Silver) << x << "," << y;
        }
    }
    for (int x = 0; x < GraphWidth; ++x) {
        ASSERT_EQ(At(image, x, 0), Silver) << x;
        ASSERT_EQ(At(image, x, 18), Silver) << x;
    }
    for (int x = 20; x <= 604; ++x) {
        ASSERT_EQ(At(image, x, 19), DarkBlue) << x;
        ASSERT_EQ(At(image, x, 312), DarkBlue) << x;
    }
}

TEST(RegressionGraph, DrawsWhiteAxesAndTicks) {
    const QImage image = DrawTwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth);
    for (int y = 70; y <= 233; ++y) {
        EXPECT_EQ(At(image, 70, y), White) << y;
    }
    for (int x = 70; x <= 570; ++x) {
        EXPECT_EQ(At(image, x, 250), White) << x;
    }
    EXPECT_EQ(At(image, 70, 69), DarkBlue);
    EXPECT_EQ(At(image, 571, 250), DarkBlue);
    // Five intervals on both axes: 12.00, 9.60, ... and 0.00, 0.80, ... 4.00.
    for (int y : {70, 106, 142, 178, 214, 250}) {
        for (int x = 66; x <= 69; ++x) {
            EXPECT_EQ(At(image, x, y), White) << x << "," << y;
        }
        EXPECT_EQ(At(image, 65, y), DarkBlue) << y;
    }
    for (int x : {70, 170, 270, 370, 470, 570}) {
        for (int y = 251; y <= 254; ++y) {
            EXPECT_EQ(At(image, x, y), White) << x << "," << y;
        }
        EXPECT_EQ(At(image, x, 255), DarkBlue) << x;
    }
}

TEST(RegressionGraph, SpacesEightVerticalTicksWithHalvesToEven) {
    // Largest Q/H" 65: the axis runs to 80 in 8 intervals.
    const QImage image = Draw({1.0, 2.0}, {65.0, 30.0}, 0.0, 30.0);
    const std::vector<int> ticks = {70, 92, 115, 138, 160, 182, 205, 228, 250};
    for (int y = 60; y <= 250; ++y) {
        const bool tick = std::find(ticks.begin(), ticks.end(), y) != ticks.end();
        for (int x = 66; x <= 69; ++x) {
            EXPECT_EQ(At(image, x, y) == White, tick) << x << "," << y;
        }
    }
}

TEST(RegressionGraph, SpacesSevenAndTenHorizontalTicks) {
    const struct {
        double largestHead;
        std::vector<int> columns;
    } axes[] = {{60.0, {70, 141, 213, 284, 356, 427, 499, 570}},
                {9.0, {70, 120, 170, 220, 270, 320, 370, 420, 470, 520, 570}}};
    for (const auto& axis : axes) {
        SCOPED_TRACE(axis.largestHead);
        const QImage image = Draw({axis.largestHead}, {10.0}, 0.0, 5.0);
        for (int x = 64; x <= 580; ++x) {
            const bool tick =
                std::find(axis.columns.begin(), axis.columns.end(), x) != axis.columns.end();
            EXPECT_EQ(At(image, x, 253) == White, tick) << x;
        }
    }
}

TEST(RegressionGraph, PlacesAMarkerAboveAndRightOfItsPoint) {
    const QImage image = Draw({0.0, 3.0}, {0.0, 10.0}, 2.0, 1.0);
    EXPECT_FALSE(PixelsOf(image, Aqua, QRect(70, 240, 8, 13)).empty());
    EXPECT_TRUE(PixelsOf(image, Aqua, QRect(50, 225, 20, 40)).empty());
    EXPECT_TRUE(PixelsOf(image, Aqua, QRect(50, 225, 40, 15)).empty());
    // The text box covers the axes where the marker stands.
    EXPECT_EQ(At(image, 72, 250), DarkBlue);
}

TEST(RegressionGraph, DrawsTheFittedLineOverTheMarkers) {
    const QImage image = DrawTwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth);
    ExpectDottedLine(image, QPoint(70, 235), QPoint(445, 145));
    // The last data set (3, 7) has its marker at (445, 135).
    EXPECT_FALSE(PixelsOf(image, Aqua, QRect(445, 135, 8, 13)).empty());
    EXPECT_FALSE(PixelsOf(image, Aqua, QRect(320, 90, 8, 13)).empty());
}

// A negative intercept starts the line below the horizontal axis; where it
// crosses the axis its gaps are dark blue, not the white beneath.
TEST(RegressionGraph, PaintsTheGapsOfTheDottedLineDarkBlue) {
    const QImage image = DrawTwelveByFour(0.5, -0.5, TCalculationOption::OverEntireSoilDepth);
    ExpectDottedLine(image, QPoint(70, 258), QPoint(445, 235));
    int dots = 0;
    int gaps = 0;
    for (int x = 150; x <= 250; ++x) {
        dots += At(image, x, 250) == Yellow;
        gaps += At(image, x, 250) == DarkBlue;
    }
    EXPECT_GT(dots, 2);
    EXPECT_GT(gaps, 4);
}

TEST(RegressionGraph, DrawsTheSecondOptionsLineThroughTheOrigin) {
    const QImage image = DrawTwelveByFour(2.0, 1.0, TCalculationOption::AboveAndBelowDrains);
    ExpectDottedLine(image, QPoint(70, 250), QPoint(445, 160));
}

TEST(RegressionGraph, AlignsTheTickLabels) {
    const QImage image = DrawTwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth);
    for (int tickY : {70, 142, 250}) {
        const std::vector<QPoint> ink = PixelsOf(image, White, QRect(20, tickY - 8, 46, 17));
        ASSERT_FALSE(ink.empty()) << tickY;
        int right = 0;
        int top = GraphHeight;
        int bottom = 0;
        for (const QPoint& p : ink) {
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
        EXPECT_NEAR(right, 63, 1) << tickY;
        EXPECT_NEAR((top + bottom) / 2.0, tickY, 2.0) << tickY;
    }
    // "0.80" at the tick at x = 170 starts 8 pixels to its left, below the axis.
    const std::vector<QPoint> label = PixelsOf(image, White, QRect(150, 256, 40, 20));
    ASSERT_FALSE(label.empty());
    int left = GraphWidth;
    for (const QPoint& p : label) {
        left = std::min(left, p.x());
        EXPECT_GE(p.y(), 262);
    }
    EXPECT_GE(left, 162);
    EXPECT_LE(left, 164);
}

// Two device pixels per graph pixel: the same drawing at twice the size, in
// the five colours only (nothing blurred), lines two pixels wide; only the
// finer glyphs differ from the ordinary picture.
TEST(RegressionGraph, DrawsTheSamePictureSharplyAtTwiceTheDevicePixelRatio) {
    const QImage single = DrawTwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth);
    const QImage twice =
        RenderRegressionGraph(TwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth), 2.0);
    ASSERT_EQ(twice.size(), QSize(1214, 626));
    const QRect all(0, 0, 1214, 626);
    std::size_t inPalette = 0;
    for (QRgb colour : {Silver, DarkBlue, White, Yellow, Aqua}) {
        inPalette += PixelsOf(twice, colour, all).size();
    }
    EXPECT_EQ(inPalette, 1214u * 626u);
    int differing = 0;
    for (int y = 0; y < GraphHeight; ++y) {
        for (int x = 0; x < GraphWidth; ++x) {
            differing += At(twice, 2 * x, 2 * y) != At(single, x, y);
        }
    }
    EXPECT_LT(differing, GraphWidth * GraphHeight / 50);
    // The vertical axis, between its ticks at 70 and 106, in columns 139 and 140.
    for (int x : {138, 139, 140, 141}) {
        const std::size_t white = PixelsOf(twice, White, QRect(x, 144, 1, 64)).size();
        EXPECT_EQ(white, x == 139 || x == 140 ? 64u : 0u) << x;
    }
}

TEST(RegressionGraph, DrawsEveryDataSetBeyondThe256th) {
    DataSetR heads(300, 1.0);
    DataSetR qh(300, 1.0);
    heads[299] = 3.0;
    qh[299] = 10.0;
    const QImage image = Draw(heads, qh, 0.0, 1.0);
    // Data set 300 at (3, 10) sets both axes and has its marker at (445, 90).
    EXPECT_FALSE(PixelsOf(image, Aqua, QRect(445, 90, 8, 13)).empty());
}

TEST(RegressionGraph, DrawsDegenerateAndWildDataWithoutFailing) {
    const double huge = 1e300;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<QImage> images = {
        Draw({2.0, 4.0}, {0.0, 0.0}, 0.0, 0.0),
        Draw({-0.1, -0.2}, {-3.0, -4.0}, 10.0, -1.0),
        Draw({huge, -huge, 0.2}, {-huge, huge, 1.0}, huge, -huge),
        Draw({nan, 0.2}, {1.0, nan}, nan, nan),
        Draw({}, {}, 1.0, 1.0),
    };
    for (const QImage& image : images) {
        EXPECT_EQ(At(image, 10, 10), Silver);
        EXPECT_EQ(At(image, 70, 100), White);
    }
    // All Q/H" zero: the points lie on the horizontal axis of a 0..1 axis.
    EXPECT_FALSE(PixelsOf(images[0], Aqua, QRect(270, 240, 8, 13)).empty());
}

// Discharges near 1e300 mm/day: no Q/H" can be placed on an axis whose end
// is a 32-bit integer, so its ticks, the markers and the line are left out,
// and the H" axis keeps its own.
TEST(RegressionGraph, LeavesOutWhatIsTooLargeForItsIntegerAxes) {
    const TCalculationResults huge = Results({0.1, 0.2, 0.3}, {1e298, 2e298, 3e298}, 1e299, 0.0);
    EXPECT_TRUE(RegressionGraphTooLarge(huge));
    EXPECT_FALSE(
        RegressionGraphTooLarge(TwelveByFour(2.0, 1.0, TCalculationOption::OverEntireSoilDepth)));
    const QImage image = RenderRegressionGraph(huge);
    EXPECT_TRUE(PixelsOf(image, Aqua, WholeGraph).empty());
    EXPECT_TRUE(PixelsOf(image, Yellow, WholeGraph).empty());
    EXPECT_TRUE(PixelsOf(image, White, QRect(20, 60, 50, 189)).empty());
    EXPECT_EQ(At(image, 70, 100), White);
    EXPECT_EQ(At(image, 70, 253), White);
}

TEST(RegressionGraph, CoversOnlyTheTopLeftOfALargerDevice) {
    QImage canvas(700, 400, QImage::Format_RGB32);
    constexpr QRgb red = 0xff0000;
    canvas.fill(QColor(Qt::red));
    PaintRegressionGraph(canvas, Results({1.0, 2.0}, {2.0, 3.0}, 0.0, 0.0));
    EXPECT_EQ(At(canvas, 606, 312), Silver);
    EXPECT_EQ(At(canvas, 300, 312), DarkBlue);
    EXPECT_EQ(At(canvas, 607, 100), red);
    EXPECT_EQ(At(canvas, 300, 313), red);
}

} // namespace
