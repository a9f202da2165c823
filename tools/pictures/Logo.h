// The program's logo: a small flowering plant on a band of soil above a blue
// pool of water. Painted into any rectangle, so the 109 x 96 picture and the
// desktop icons of every size come from the same drawing.
#pragma once

#include <QRectF>

class QPainter;

namespace logo {

void Paint(QPainter& painter, const QRectF& area);

// The layers, each painted into the logo's rectangle.
void PaintSky(QPainter& painter, const QRectF& area);
void PaintWater(QPainter& painter, const QRectF& area);
void PaintSoil(QPainter& painter, const QRectF& area);
void PaintPlant(QPainter& painter, const QRectF& area);

} // namespace logo
