// Technical-drawing primitives shared by the pictures: pens, dimension
// arrows, labels and symbols with a subscript.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace drafting {

// Dark grey of lines, arrows and text.
QColor Ink();

QFont LabelFont();
QFont SymbolFont();

void SetPen(QPainter& painter, const QColor& colour, double width,
            Qt::PenStyle style = Qt::SolidLine);

// A filled arrow head whose point is `tip`, pointing from `from` towards `tip`.
void ArrowHead(QPainter& painter, QPointF from, QPointF tip, double length = 8.0);

// A line with an arrow head at both ends.
void DoubleArrow(QPainter& painter, QPointF a, QPointF b);

// Where a symbol sits beside the point it is drawn for.
enum class Side { Left, Right, Above, Below };

// An italic symbol such as D with a subscript such as "w"; `anchor` is the
// point the symbol is placed beside.
void Symbol(QPainter& painter, QPointF anchor, Side side, const QString& main,
            const QString& subscript = QString());

// A vertical dimension from y `top` to y `bottom` at x, named beside the line
// `labelShare` of the way down.
void VerticalDimension(QPainter& painter, double x, double top, double bottom, Side side,
                       const QString& main, const QString& subscript = QString(),
                       double labelShare = 0.5);

// A horizontal dimension from x `left` to x `right` at y, named above the line.
void HorizontalDimension(QPainter& painter, double y, double left, double right,
                         const QString& name);

// A dimension too narrow for arrows inside: they point inwards from outside
// and the name stands right of them. Thin ticks rise to the measured edges at
// `edgeY`.
void NarrowDimension(QPainter& painter, double y, double edgeY, double left, double right,
                     const QString& name);

// A plain label whose baseline starts at `origin`, or ends there when
// `alignRight` is set.
void Label(QPainter& painter, QPointF origin, const QString& text, bool alignRight = false);

} // namespace drafting
