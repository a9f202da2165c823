#include "Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace logo {

namespace {

// The drawing is designed on a 109 x 96 grid; bands stretch with the
// rectangle, the plant keeps its proportions.
constexpr double DesignHeight = 96.0;
constexpr double SoilTop = 60.0;
constexpr double WaterTop = 75.0;

QRectF Band(const QRectF& area, double top, double bottom) {
    const double scale = area.height() / DesignHeight;
    return QRectF(area.left(), area.top() + top * scale, area.width(), (bottom - top) * scale);
}

void PaintLeaf(QPainter& painter, QPointF base, double angleDegrees, double length) {
    painter.save();
    painter.translate(base);
    painter.rotate(angleDegrees);
    QPainterPath leaf(QPointF(0, 0));
    leaf.quadTo(length * 0.5, -length * 0.32, length, 0);
    leaf.quadTo(length * 0.5, length * 0.32, 0, 0);
    painter.setBrush(QColor(0x3f, 0x9b, 0x3a));
    painter.setPen(QPen(QColor(0x24, 0x6b, 0x23), 0.8));
    painter.drawPath(leaf);
    painter.restore();
}

void PaintFlower(QPainter& painter, QPointF centre) {
    painter.setPen(QPen(QColor(0xb8, 0x3a, 0x5c), 0.7));
    painter.setBrush(QColor(0xe9, 0x5d, 0x84));
    for (int petal = 0; petal < 6; ++petal) {
        const double angle = petal * M_PI / 3.0;
        const QPointF offset(std::cos(angle) * 5.6, std::sin(angle) * 5.6);
        painter.drawEllipse(centre + offset, 4.2, 4.2);
    }
    painter.setPen(QPen(QColor(0xc0, 0x82, 0x10), 0.7));
    painter.setBrush(QColor(0xf7, 0xc6, 0x2f));
    painter.drawEllipse(centre, 3.6, 3.6);
}

void PaintRoots(QPainter& painter) {
    painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1c), 1.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (double spread : {-7.0, -2.5, 3.0, 7.5}) {
        QPainterPath root(QPointF(0, 0));
        root.quadTo(spread * 0.4, 5.0, spread, 9.0 + std::abs(spread) * 0.2);
        painter.drawPath(root);
    }
}

} // namespace

void PaintSky(QPainter& painter, const QRectF& area) {
    const QRectF sky = Band(area, 0, SoilTop + 1);
    QLinearGradient gradient(sky.topLeft(), sky.bottomLeft());
    gradient.setColorAt(0.0, QColor(0xdd, 0xee, 0xfa));
    gradient.setColorAt(1.0, QColor(0xfb, 0xfd, 0xff));
    painter.fillRect(sky, gradient);
}

void PaintWater(QPainter& painter, const QRectF& area) {
    const QRectF water = Band(area, WaterTop - 1, DesignHeight);
    QLinearGradient gradient(water.topLeft(), water.bottomLeft());
    gradient.setColorAt(0.0, QColor(0x3f, 0x92, 0xdf));
    gradient.setColorAt(1.0, QColor(0x1c, 0x5f, 0xb0));
    painter.fillRect(water, gradient);
    const double scale = area.height() / DesignHeight;
    painter.setPen(
        QPen(QColor(0xb9, 0xdc, 0xf7), std::max(0.8, 1.1 * scale), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (double row : {0.35, 0.7}) {
        const double y = water.top() + row * water.height();
        QPainterPath wave(QPointF(water.left() + water.width() * 0.12, y));
        for (int crest = 0; crest < 3; ++crest) {
            const double step = water.width() * 0.09;
            wave.quadTo(wave.currentPosition() + QPointF(step / 2, -2.0 * scale),
                        wave.currentPosition() + QPointF(step, 0));
        }
        painter.drawPath(wave.translated(row > 0.5 ? water.width() * 0.4 : 0, 0));
    }
}

void PaintSoil(QPainter& painter, const QRectF& area) {
    const QRectF soil = Band(area, SoilTop, WaterTop);
    QLinearGradient gradient(soil.topLeft(), soil.bottomLeft());
    gradient.setColorAt(0.0, QColor(0x9a, 0x68, 0x38));
    gradient.setColorAt(1.0, QColor(0x6e, 0x46, 0x22));
    painter.fillRect(soil, gradient);
    painter.fillRect(Band(area, SoilTop, SoilTop + 2.2), QColor(0x5f, 0x9e, 0x3c));
}

void PaintPlant(QPainter& painter, const QRectF& area) {
    // The plant is about 50 units wide, so it keeps its height in any
    // rectangle that is not much narrower than it is high.
    const double scale = std::min(area.width() / 50.0, area.height() / DesignHeight);
    painter.save();
    painter.translate(area.center().x(),
                      area.top() + (SoilTop + 1.5) * area.height() / DesignHeight);
    painter.scale(scale, scale);
    PaintRoots(painter);
    QPainterPath stem(QPointF(0, 0));
    stem.cubicTo(-3, -14, 3, -26, 0, -40);
    painter.setPen(QPen(QColor(0x2e, 0x7d, 0x2c), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(stem);
    PaintLeaf(painter, QPointF(-0.8, -13), 200, 17);
    PaintLeaf(painter, QPointF(0.8, -22), -25, 16);
    PaintFlower(painter, QPointF(0, -43));
    painter.restore();
}

void Paint(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area, Qt::IntersectClip);
    PaintSky(painter, area);
    PaintWater(painter, area);
    PaintSoil(painter, area);
    PaintPlant(painter, area);
    painter.restore();
}

} // namespace logo
