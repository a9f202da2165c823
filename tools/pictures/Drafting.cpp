#include "Drafting.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace drafting {

QColor Ink() {
    return QColor(0x26, 0x2a, 0x30);
}

QFont LabelFont() {
    QFont font("Liberation Sans");
    font.setPixelSize(13);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont SymbolFont() {
    QFont font("Liberation Serif");
    font.setPixelSize(17);
    font.setItalic(true);
    font.setStyleHint(QFont::Serif);
    return font;
}

void SetPen(QPainter& painter, const QColor& colour, double width, Qt::PenStyle style) {
    QPen pen(colour, width, style, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::DashLine) {
        pen.setDashPattern({6.0 / width, 4.0 / width});
    }
    painter.setPen(pen);
}

void ArrowHead(QPainter& painter, QPointF from, QPointF tip, double length) {
    const QLineF shaft(tip, from);
    if (shaft.length() <= 0.0) {
        return;
    }
    const QPointF along = (from - tip) / shaft.length();
    const QPointF across(-along.y(), along.x());
    const double halfWidth = length * 0.32;
    const QPolygonF head{tip, tip + along * length + across * halfWidth,
                         tip + along * length - across * halfWidth};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink());
    painter.drawPolygon(head);
    painter.restore();
}

void DoubleArrow(QPainter& painter, QPointF a, QPointF b) {
    SetPen(painter, Ink(), 1.1);
    painter.drawLine(a, b);
    ArrowHead(painter, b, a);
    ArrowHead(painter, a, b);
}

namespace {

QPointF SymbolOrigin(QPointF anchor, Side side, double width, const QFontMetricsF& metrics) {
    const double gap = 5.0;
    const double middle = anchor.y() + metrics.ascent() * 0.38;
    switch (side) {
    case Side::Left:
        return {anchor.x() - gap - width, middle};
    case Side::Right:
        return {anchor.x() + gap, middle};
    case Side::Above:
        return {anchor.x() - width / 2, anchor.y() - gap - metrics.descent()};
    case Side::Below:
        return {anchor.x() - width / 2, anchor.y() + gap + metrics.ascent()};
    }
    return anchor;
}

} // namespace

void Symbol(QPainter& painter, QPointF anchor, Side side, const QString& main,
            const QString& subscript) {
    QFont mainFont = SymbolFont();
    QFont subFont = mainFont;
    subFont.setPixelSize(mainFont.pixelSize() * 2 / 3);
    const QFontMetricsF mainMetrics(mainFont);
    const QFontMetricsF subMetrics(subFont);
    const double mainWidth = mainMetrics.horizontalAdvance(main);
    const double width = mainWidth + subMetrics.horizontalAdvance(subscript);
    const QPointF origin = SymbolOrigin(anchor, side, width, mainMetrics);
    painter.save();
    painter.setPen(Ink());
    painter.setFont(mainFont);
    painter.drawText(origin, main);
    painter.setFont(subFont);
    painter.drawText(origin + QPointF(mainWidth, mainMetrics.ascent() * 0.28), subscript);
    painter.restore();
}

void VerticalDimension(QPainter& painter, double x, double top, double bottom, Side side,
                       const QString& main, const QString& subscript, double labelShare) {
    DoubleArrow(painter, {x, top}, {x, bottom});
    Symbol(painter, {x, top + labelShare * (bottom - top)}, side, main, subscript);
}

void HorizontalDimension(QPainter& painter, double y, double left, double right,
                         const QString& name) {
    DoubleArrow(painter, {left, y}, {right, y});
    Symbol(painter, {(left + right) / 2, y}, Side::Above, name);
}

void NarrowDimension(QPainter& painter, double y, double edgeY, double left, double right,
                     const QString& name) {
    const double reach = 12.0;
    SetPen(painter, Ink(), 0.7);
    painter.drawLine(QPointF(left, edgeY), QPointF(left, y + 3));
    painter.drawLine(QPointF(right, edgeY), QPointF(right, y + 3));
    SetPen(painter, Ink(), 1.1);
    painter.drawLine(QPointF(left - reach, y), QPointF(right + reach, y));
    ArrowHead(painter, {left - reach, y}, {left, y}, 6.0);
    ArrowHead(painter, {right + reach, y}, {right, y}, 6.0);
    Symbol(painter, {right + reach, y}, Side::Right, name);
}

void Label(QPainter& painter, QPointF origin, const QString& text, bool alignRight) {
    painter.save();
    painter.setFont(LabelFont());
    painter.setPen(Ink());
    const double width = QFontMetricsF(LabelFont()).horizontalAdvance(text);
    painter.drawText(alignRight ? origin - QPointF(width, 0) : origin, text);
    painter.restore();
}

} // namespace drafting
