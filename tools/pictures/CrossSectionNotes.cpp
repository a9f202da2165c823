// What the cross-section explains: the recharge, the dimension arrows with
// the symbols of the Input page, and the names of the parts.
#include "CrossSection.h"
#include "Drafting.h"
#include "Palette.h"

#include <QPainter>

namespace cross_section {

using drafting::Side;

namespace {

void PaintRechargeArrow(QPainter& painter, double x, double top, double bottom) {
    drafting::SetPen(painter, palette::WaterLine(), 1.8);
    painter.drawLine(QPointF(x, top), QPointF(x, bottom - 6));
    painter.save();
    painter.setBrush(palette::WaterLine());
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(
        QPolygonF{QPointF(x, bottom), QPointF(x - 5, bottom - 11), QPointF(x + 5, bottom - 11)});
    painter.restore();
    drafting::Symbol(painter, {x + 2, top + 12}, Side::Right, "R");
}

void PaintGuide(QPainter& painter, double x, double top, double bottom) {
    drafting::SetPen(painter, palette::Guide(), 0.8, Qt::DashLine);
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
}

void PaintSpacing(QPainter& painter, const Layout& layout) {
    const double spacingY = 28;
    const double halfY = 55;
    PaintGuide(painter, layout.pipeX, spacingY - 8, layout.surface - 2);
    PaintGuide(painter, layout.ditchX, spacingY - 8, layout.surface - 2);
    PaintGuide(painter, layout.Midway(), halfY - 8, layout.surface - 2);
    drafting::HorizontalDimension(painter, spacingY, layout.pipeX, layout.ditchX, "S");
    drafting::HorizontalDimension(painter, halfY, layout.Midway(), layout.ditchX, "S/2");
}

void PaintDepths(QPainter& painter, const Layout& layout) {
    const double nearX = layout.soilLeft + 32;
    drafting::VerticalDimension(painter, layout.soilLeft - 28, layout.surface, layout.impermeable,
                                Side::Left, "D", "2");
    drafting::VerticalDimension(painter, nearX, layout.surface, layout.drainLevel, Side::Right, "D",
                                "w");
    drafting::VerticalDimension(painter, nearX, layout.drainLevel, layout.impermeable, Side::Right,
                                "D");
    drafting::VerticalDimension(painter, layout.Midway(), layout.surface, layout.crest, Side::Right,
                                "D", "m");
    const double ditchSide = layout.ditchX + layout.ditchHalfTop + 22;
    // Lower than midway, clear of the water table beyond the ditch.
    drafting::VerticalDimension(painter, ditchSide, layout.surface, layout.drainBottom, Side::Right,
                                "D", "b", 0.82);
}

void PaintSeepage(QPainter& painter, const Layout& layout) {
    const double top = layout.drainLevel - layout.seepageHeight;
    const double x = layout.DitchLeftAt(top) - 16;
    drafting::VerticalDimension(painter, x, top, layout.drainLevel, Side::Left, "H", "e");
}

void PaintWidths(QPainter& painter, const Layout& layout) {
    const double r = layout.pipeRadius;
    drafting::NarrowDimension(painter, layout.drainLevel + r + 16, layout.drainLevel,
                              layout.pipeX - r, layout.pipeX + r, "w");
    drafting::NarrowDimension(painter, layout.drainBottom + 9, layout.drainBottom,
                              layout.ditchX - layout.ditchHalfBottom,
                              layout.ditchX + layout.ditchHalfBottom, "w");
}

// The usual water-table mark: a small triangle standing on the line.
void PaintWaterTableMark(QPainter& painter, const Layout& layout, double x) {
    const double y = layout.WaterTableAt(x);
    painter.save();
    drafting::SetPen(painter, palette::WaterLine(), 1.1);
    painter.setBrush(palette::Page());
    painter.drawPolygon(
        QPolygonF{QPointF(x, y - 1.5), QPointF(x - 6, y - 11), QPointF(x + 6, y - 11)});
    painter.drawLine(QPointF(x - 6, y + 4), QPointF(x + 6, y + 4));
    painter.drawLine(QPointF(x - 3, y + 7.5), QPointF(x + 3, y + 7.5));
    painter.restore();
}

} // namespace

void PaintRecharge(QPainter& painter, const Layout& layout) {
    const double spacing = layout.ditchX - layout.pipeX;
    for (double share : {0.28, 0.72}) {
        PaintRechargeArrow(painter, layout.pipeX + share * spacing, 66, layout.surface - 3);
    }
}

void PaintDimensions(QPainter& painter, const Layout& layout) {
    PaintSpacing(painter, layout);
    PaintDepths(painter, layout);
    PaintSeepage(painter, layout);
    PaintWidths(painter, layout);
}

void PaintLabels(QPainter& painter, const Layout& layout) {
    const double midway = layout.Midway();
    drafting::Label(painter, {layout.pipeX + 14, layout.surface - 7}, "soil surface");
    PaintWaterTableMark(painter, layout, midway + 58);
    drafting::Label(painter, {midway + 70, layout.crest - 4}, "water table");
    drafting::Label(painter, {layout.pipeX + layout.pipeRadius + 9, layout.drainLevel + 14},
                    "pipe drain");
    const double labelsEnd = layout.DitchLeftAt(layout.drainLevel) - 24;
    drafting::Label(painter, {labelsEnd, layout.drainLevel + 16}, "water level in the drain", true);
    drafting::Label(painter, {labelsEnd, layout.drainBottom + 16}, "level of the drain bottom",
                    true);
    drafting::Label(painter, {layout.ditchX - 48, layout.drainBottom + 42}, "open ditch drain");
    drafting::Label(painter, {midway - 52, layout.impermeable + 34}, "impermeable layer");
    drafting::Symbol(painter, {midway - 110, layout.drainLevel - 22}, Side::Right, "K", "a");
    drafting::Symbol(painter, {midway - 110, (layout.drainBottom + layout.impermeable) / 2 + 20},
                     Side::Right, "K", "b");
}

} // namespace cross_section
