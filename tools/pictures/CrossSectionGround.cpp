// The ground of the cross-section: the two soil layers, the groundwater, the
// impermeable layer, the drain levels and the two drains.
#include "CrossSection.h"
#include "Drafting.h"
#include "Palette.h"

#include <QPainter>
#include <QPolygonF>

namespace cross_section {

namespace {

QPolygonF DitchOutline(const Layout& layout) {
    return {QPointF(layout.ditchX - layout.ditchHalfTop, layout.surface),
            QPointF(layout.ditchX - layout.ditchHalfBottom, layout.drainBottom),
            QPointF(layout.ditchX + layout.ditchHalfBottom, layout.drainBottom),
            QPointF(layout.ditchX + layout.ditchHalfTop, layout.surface)};
}

QPolygonF DitchWater(const Layout& layout) {
    return {QPointF(layout.DitchLeftAt(layout.drainLevel), layout.drainLevel),
            QPointF(layout.ditchX - layout.ditchHalfBottom, layout.drainBottom),
            QPointF(layout.ditchX + layout.ditchHalfBottom, layout.drainBottom),
            QPointF(layout.DitchRightAt(layout.drainLevel), layout.drainLevel)};
}

// The water table continues beyond both drains into the neighbouring fields.
QPainterPath WaterTableBeyondPipe(const Layout& layout) {
    const double rise = 0.42 * (layout.nearPipe - layout.crest);
    QPainterPath path(QPointF(layout.soilLeft, layout.nearPipe - rise));
    path.cubicTo(layout.soilLeft + 40, layout.nearPipe - rise * 0.8, layout.pipeX - 12,
                 layout.nearPipe - rise * 0.45, layout.pipeX, layout.nearPipe);
    return path;
}

QPainterPath WaterTableBeyondDitch(const Layout& layout) {
    const double seepageY = layout.drainLevel - layout.seepageHeight;
    const QPointF start(layout.DitchRightAt(seepageY), seepageY);
    QPainterPath path(start);
    path.cubicTo(start.x() + 12, seepageY - 8, layout.soilRight - 24, seepageY - 14,
                 layout.soilRight, seepageY - 15);
    return path;
}

// The water table runs from left to right; the zone closes along drain level.
QPainterPath SaturatedAboveDrainLevel(const QPainterPath& waterTable, double left, double right,
                                      double level) {
    QPainterPath zone = waterTable;
    zone.lineTo(right, level);
    zone.lineTo(left, level);
    zone.closeSubpath();
    return zone;
}

void PaintPipe(QPainter& painter, const Layout& layout) {
    const QPointF centre(layout.pipeX, layout.drainLevel);
    const double r = layout.pipeRadius;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, r, r);
    painter.setBrush(palette::Water());
    painter.drawChord(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180 * 16, 180 * 16);
    drafting::SetPen(painter, drafting::Ink(), 2.0);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
}

void PaintDitch(QPainter& painter, const Layout& layout) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::Page());
    painter.drawPolygon(DitchOutline(layout));
    painter.setBrush(palette::Water());
    painter.drawPolygon(DitchWater(layout));
    drafting::SetPen(painter, palette::WaterLine(), 1.4);
    painter.drawLine(QPointF(layout.DitchLeftAt(layout.drainLevel), layout.drainLevel),
                     QPointF(layout.DitchRightAt(layout.drainLevel), layout.drainLevel));
    drafting::SetPen(painter, palette::SoilEdge(), 2.0);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(DitchOutline(layout));
}

} // namespace

void PaintGround(QPainter& painter, const Layout& layout) {
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(layout.size)), palette::Page());
    const double width = layout.soilRight - layout.soilLeft;
    painter.fillRect(
        QRectF(layout.soilLeft, layout.surface, width, layout.drainLevel - layout.surface),
        palette::SoilAbove());
    painter.fillRect(
        QRectF(layout.soilLeft, layout.drainLevel, width, layout.impermeable - layout.drainLevel),
        palette::SoilBelow());
    drafting::SetPen(painter, palette::SoilEdge(), 1.0);
    painter.drawLine(QPointF(layout.soilLeft, layout.surface),
                     QPointF(layout.soilLeft, layout.impermeable));
    painter.drawLine(QPointF(layout.soilRight, layout.surface),
                     QPointF(layout.soilRight, layout.impermeable));
    drafting::SetPen(painter, palette::SoilEdge(), 2.2);
    painter.drawLine(QPointF(layout.soilLeft, layout.surface),
                     QPointF(layout.ditchX - layout.ditchHalfTop, layout.surface));
    painter.drawLine(QPointF(layout.ditchX + layout.ditchHalfTop, layout.surface),
                     QPointF(layout.soilRight, layout.surface));
}

void PaintGroundwater(QPainter& painter, const Layout& layout) {
    const double level = layout.drainLevel;
    const QPainterPath main = layout.WaterTable();
    const QPainterPath beyondPipe = WaterTableBeyondPipe(layout);
    const QPainterPath beyondDitch = WaterTableBeyondDitch(layout);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::Groundwater());
    painter.drawPath(
        SaturatedAboveDrainLevel(main, layout.pipeX, layout.DitchLeftAt(level), level));
    painter.drawPath(SaturatedAboveDrainLevel(beyondPipe, layout.soilLeft, layout.pipeX, level));
    painter.drawPath(
        SaturatedAboveDrainLevel(beyondDitch, layout.DitchRightAt(level), layout.soilRight, level));
    drafting::SetPen(painter, palette::WaterLine(), 2.4);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(main);
    painter.drawPath(beyondPipe);
    painter.drawPath(beyondDitch);
}

void PaintImpermeableLayer(QPainter& painter, const Layout& layout) {
    const double y = layout.impermeable;
    drafting::SetPen(painter, palette::Rock(), 1.2);
    for (double x = layout.soilLeft + 10; x <= layout.soilRight; x += 9) {
        painter.drawLine(QPointF(x, y), QPointF(x - 9, y + 10));
    }
    drafting::SetPen(painter, palette::Rock(), 2.6);
    painter.drawLine(QPointF(layout.soilLeft, y), QPointF(layout.soilRight, y));
}

void PaintLevels(QPainter& painter, const Layout& layout) {
    drafting::SetPen(painter, drafting::Ink(), 1.1, Qt::DashLine);
    painter.drawLine(QPointF(layout.soilLeft, layout.drainLevel),
                     QPointF(layout.soilRight, layout.drainLevel));
    painter.drawLine(QPointF(layout.soilLeft, layout.drainBottom),
                     QPointF(layout.soilRight, layout.drainBottom));
}

void PaintDrains(QPainter& painter, const Layout& layout) {
    PaintPipe(painter, layout);
    PaintDitch(painter, layout);
}

} // namespace cross_section
