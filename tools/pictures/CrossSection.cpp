#include "CrossSection.h"

#include <QPainter>

#include <cmath>

namespace cross_section {

namespace {

double Interpolate(double y, double atBottom, double atTop, const Layout& layout) {
    const double share = (layout.drainBottom - y) / (layout.drainBottom - layout.surface);
    return atBottom + share * (atTop - atBottom);
}

} // namespace

double Layout::DitchLeftAt(double y) const {
    return Interpolate(y, ditchX - ditchHalfBottom, ditchX - ditchHalfTop, *this);
}

double Layout::DitchRightAt(double y) const {
    return Interpolate(y, ditchX + ditchHalfBottom, ditchX + ditchHalfTop, *this);
}

QPainterPath Layout::WaterTable() const {
    const double seepageY = drainLevel - seepageHeight;
    const QPointF end(DitchLeftAt(seepageY), seepageY);
    const double leftHalf = Midway() - pipeX;
    const double rightHalf = end.x() - Midway();
    QPainterPath path(QPointF(pipeX, nearPipe));
    path.cubicTo(pipeX + 0.10 * leftHalf, nearPipe - 0.55 * (nearPipe - crest),
                 Midway() - 0.50 * leftHalf, crest, Midway(), crest);
    path.cubicTo(Midway() + 0.50 * rightHalf, crest, end.x() - 0.10 * rightHalf,
                 end.y() - 0.55 * (end.y() - crest), end.x(), end.y());
    return path;
}

double Layout::WaterTableAt(double x) const {
    const QPainterPath path = WaterTable();
    QPointF nearest = path.pointAtPercent(0);
    for (int step = 1; step <= 400; ++step) {
        const QPointF point = path.pointAtPercent(step / 400.0);
        if (std::abs(point.x() - x) < std::abs(nearest.x() - x)) {
            nearest = point;
        }
    }
    return nearest.y();
}

void Paint(QPainter& painter, const Layout& layout) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintGround(painter, layout);
    PaintGroundwater(painter, layout);
    PaintImpermeableLayer(painter, layout);
    PaintLevels(painter, layout);
    PaintDrains(painter, layout);
    PaintRecharge(painter, layout);
    PaintDimensions(painter, layout);
    PaintLabels(painter, layout);
}

} // namespace cross_section
