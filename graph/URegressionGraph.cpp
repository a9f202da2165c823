#include "URegressionGraph.h"

#include "UGraphAxes.h"
#include "UGraphGeometry.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace {

const QColor Silver(192, 192, 192);
const QColor DarkBlue(0, 0, 139);
const QColor White(255, 255, 255);
const QColor Yellow(255, 255, 0);
const QColor Aqua(0, 255, 255);

// Gaps between the vertical tick labels and the axis, and between a
// horizontal tick and the left edge of its label.
constexpr int VerticalLabelGap = 6;
constexpr int HorizontalLabelShift = 8;
constexpr int TickLength = 4;
constexpr int HorizontalLabelY = 262;
constexpr int MarkerLift = 10;

// One pixel of the graph wide, so that on a device with more pixels per
// graph pixel the lines and dots grow with the text and the panels.
QPen OnePixelPen(const QColor& colour, Qt::PenStyle style) {
    return QPen(colour, 1, style);
}

// Text with its top-left corner at `topLeft` on an opaque dark-blue box, so
// that it covers whatever lies beneath.
void DrawBoxedText(QPainter& painter, QPoint topLeft, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(topLeft.x(), topLeft.y(), metrics.horizontalAdvance(text), metrics.height(),
                     DarkBlue);
    painter.drawText(topLeft.x(), topLeft.y() + metrics.ascent(), text);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void FillBackground(QPainter& painter) {
    painter.fillRect(0, 0, GraphWidth, GraphHeight, White);
    painter.fillRect(QRect(QPoint(0, 0), QPoint(623 - 1, 545 - 1)), Silver);
    painter.fillRect(QRect(QPoint(20, 19), QPoint(605 - 1, 525 - 1)), DarkBlue);
}

void DrawAxisTitles(QPainter& painter) {
    DrawBoxedText(painter, QPoint(460, 275), Text(HeadAxis.Title));
    DrawBoxedText(painter, QPoint(70, 50), Text(QHAxis.Title));
}

void DrawAxes(QPainter& painter) {
    const int topY = GraphOriginY - PlotHeight;
    const int rightX = GraphOriginX + PlotWidth;
    painter.drawLine(GraphOriginX, GraphOriginY, GraphOriginX, topY);
    painter.drawLine(GraphOriginX, GraphOriginY, rightX, GraphOriginY);
}

void DrawVerticalTicks(QPainter& painter) {
    const QFontMetrics metrics = painter.fontMetrics();
    for (std::int32_t k = 0; k <= QHAxis.Intervals; ++k) {
        const int y = VerticalTickY(k, QHAxis);
        painter.drawLine(GraphOriginX, y, GraphOriginX - TickLength, y);
        const QString label = Text(FormatTickLabel(VerticalTickValue(k, QHAxis), QHAxis.Decimals));
        const int labelX = GraphOriginX - metrics.horizontalAdvance(label) - VerticalLabelGap;
        const int labelY = y - Round(metrics.height() * 0.5);
        DrawBoxedText(painter, QPoint(labelX, labelY), label);
    }
}

void DrawHorizontalTicks(QPainter& painter) {
    for (std::int32_t k = 0; k <= HeadAxis.Intervals; ++k) {
        const int x = HorizontalTickX(k, HeadAxis);
        painter.drawLine(x, GraphOriginY, x, GraphOriginY + TickLength);
        const QString label =
            Text(FormatTickLabel(HorizontalTickValue(k, HeadAxis), HeadAxis.Decimals));
        DrawBoxedText(painter, QPoint(x - HorizontalLabelShift, HorizontalLabelY), label);
    }
}

// The point of a data set or a line end on the bitmap.
QPoint PlotPoint(double head, double qh) {
    return QPoint(GraphOriginX + ScaledOffset(head, HeadAxis, PlotWidth),
                  GraphOriginY - ScaledOffset(qh, QHAxis, PlotHeight));
}

// The marker, an aqua "o" on its dark-blue text box, drawn once at the
// scale the painter draws at and then copied to every data point: the same
// pixels as drawing the text each time, for a fraction of the cost.
class TMarkerGlyph {
public:
    explicit TMarkerGlyph(const QPainter& painter) {
        const QFontMetrics metrics = painter.fontMetrics();
        const QString marker = QStringLiteral("o");
        size_ = QSize(metrics.horizontalAdvance(marker), metrics.height());
        const qreal scale = DeviceScale(painter);
        image_ = QImage(qCeil(size_.width() * scale), qCeil(size_.height() * scale),
                        QImage::Format_RGB32);
        image_.setDevicePixelRatio(scale);
        image_.fill(DarkBlue);
        QPainter glyph(&image_);
        glyph.setRenderHints(painter.renderHints());
        glyph.setFont(painter.font());
        glyph.setPen(Aqua);
        glyph.drawText(0, metrics.ascent(), marker);
    }

    // The text box it covers, in the painter's units.
    QSize Size() const { return size_; }
    void DrawAt(QPainter& painter, QPoint topLeft) const { painter.drawImage(topLeft, image_); }

private:
    // Device pixels per unit of the painter: its device's pixel ratio and
    // any scale it was given.
    static qreal DeviceScale(const QPainter& painter) {
        const QTransform transform = painter.deviceTransform();
        const qreal scale = std::sqrt(std::abs(transform.determinant()));
        return scale > 0.0 ? scale : 1.0;
    }

    QSize size_;
    QImage image_;
};

// Where the marker of data set i goes: the top-left corner of its box.
std::optional<QPoint> MarkerPlace(const TCalculationResults& results, std::size_t i) {
    const double head = results.Head[i];
    const double qh = results.QH[i];
    if (!std::isfinite(head) || !std::isfinite(qh)) {
        return std::nullopt;
    }
    const QPoint point = PlotPoint(head, qh);
    return QPoint(point.x(), point.y() - MarkerLift);
}

// Every marker is the same opaque box, so where markers share a place only
// the last one drawn there shows, and one wholly off the bitmap shows
// nothing: drawing each place on the bitmap once, when its last marker comes,
// gives the very pixels of drawing them all, for a long table in far less time.
void DrawMarkers(QPainter& painter, const TCalculationResults& results, std::size_t count) {
    const TMarkerGlyph marker(painter);
    const QRect places(1 - marker.Size().width(), 1 - marker.Size().height(),
                       GraphWidth + marker.Size().width() - 1,
                       GraphHeight + marker.Size().height() - 1);
    const auto slot = [&](QPoint place) {
        return static_cast<std::size_t>(place.y() - places.top()) *
                   static_cast<std::size_t>(places.width()) +
               static_cast<std::size_t>(place.x() - places.left());
    };
    std::vector<std::size_t> lastMarker(static_cast<std::size_t>(places.width()) *
                                        static_cast<std::size_t>(places.height()));
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<QPoint> place = MarkerPlace(results, i);
        if (place && places.contains(*place)) {
            lastMarker[slot(*place)] = i;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<QPoint> place = MarkerPlace(results, i);
        if (place && places.contains(*place) && lastMarker[slot(*place)] == i) {
            marker.DrawAt(painter, *place);
        }
    }
}

// Dotted yellow with dark-blue gaps, like the dotted pen of a bitmap canvas
// on an opaque background.
void DrawDottedLine(QPainter& painter, QPoint from, QPoint to) {
    painter.setPen(OnePixelPen(DarkBlue, Qt::SolidLine));
    painter.drawLine(from, to);
    painter.setPen(OnePixelPen(Yellow, Qt::DotLine));
    painter.drawLine(from, to);
}

// The second option fits no intercept (B only keeps its start value), so its
// line runs through the origin and the mean point.
void DrawFittedLine(QPainter& painter, const TCalculationResults& results, std::size_t count) {
    if (count == 0) {
        return;
    }
    const double slope = results.SlopeA;
    const double intercept =
        results.Option == TCalculationOption::AboveAndBelowDrains ? 0.0 : results.InterceptB;
    const double lastHead = results.Head[count - 1];
    const double lastQH = slope * lastHead + intercept;
    if (!std::isfinite(intercept) || !std::isfinite(lastHead) || !std::isfinite(lastQH)) {
        return;
    }
    DrawDottedLine(painter, PlotPoint(0.0, intercept), PlotPoint(lastHead, lastQH));
}

std::size_t AvailableDataSets(const TCalculationResults& results) {
    return std::min({results.NrOfDataSets, results.Head.size(), results.QH.size()});
}

void ScaleFor(const TCalculationResults& results) {
    const std::size_t count = AvailableDataSets(results);
    FindGraphMaxima(results.Head, results.QH,
                    static_cast<std::int32_t>(std::min<std::size_t>(count, INT32_MAX)));
    ScaleGraphAxes();
}

void PaintOnto(QPainter& painter, const TCalculationResults& results) {
    const std::size_t count = AvailableDataSets(results);
    ScaleFor(results);
    SetAxisTitles();
    FillBackground(painter);
    painter.setPen(OnePixelPen(White, Qt::SolidLine));
    painter.setFont(GraphFont());
    DrawAxisTitles(painter);
    DrawAxes(painter);
    // An axis held at the end of the integer range would label values it
    // does not reach and put every point at its end.
    if (!QHAxis.TooLarge) {
        DrawVerticalTicks(painter);
    }
    if (!HeadAxis.TooLarge) {
        DrawHorizontalTicks(painter);
    }
    if (!QHAxis.TooLarge && !HeadAxis.TooLarge) {
        DrawMarkers(painter, results, count);
        DrawFittedLine(painter, results, count);
    }
}

} // namespace

QFont GraphFont() {
    // Arial 8 points on a 96 dpi screen, in pixels so that every device
    // gets the same picture.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

bool RegressionGraphTooLarge(const TCalculationResults& results) {
    ScaleFor(results);
    return QHAxis.TooLarge || HeadAxis.TooLarge;
}

void PaintRegressionGraph(QPaintDevice& device, const TCalculationResults& results) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(0, 0, GraphWidth, GraphHeight);
    PaintOnto(painter, results);
}

QImage RenderRegressionGraph(const TCalculationResults& results, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0.0 ? devicePixelRatio : 1.0;
    QImage image(qCeil(GraphWidth * ratio), qCeil(GraphHeight * ratio), QImage::Format_RGB32);
    // The painter then works in graph pixels, each `ratio` image pixels wide.
    image.setDevicePixelRatio(ratio);
    image.fill(White);
    PaintRegressionGraph(image, results);
    return image;
}
