// The cross-section of a drained field shown on the Figure page: where every
// part of the drawing sits, and the functions that paint it layer by layer.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QSize>

class QPainter;

namespace cross_section {

// Pixel positions in the 691 x 440 picture. The page shows the picture in a
// frame 10 px narrower, so nothing that matters lies right of x = 675.
struct Layout {
    QSize size{691, 440};
    double soilLeft = 64;
    double soilRight = 670;
    double surface = 104;        // soil surface
    double drainLevel = 216;     // pipe centre and water level in the drain
    double drainBottom = 252;    // bottom of the ditch
    double impermeable = 384;    // top of the impermeable layer
    double pipeX = 140;          // pipe drain centre
    double pipeRadius = 9;       // the pipe's width w is twice this
    double ditchX = 568;         // ditch centre
    double ditchHalfBottom = 10; // the ditch's width w is twice this
    double ditchHalfTop = 52;    // half the ditch's width at the soil surface
    double crest = 150;          // water table midway
    double nearPipe = 208;       // water table just above the pipe
    double seepageHeight = 30;   // He: water table above the water in the ditch

    double Midway() const { return (pipeX + ditchX) / 2; }
    // Where the ditch's left side is at height y.
    double DitchLeftAt(double y) const;
    double DitchRightAt(double y) const;
    // The water table from the pipe over the crest to the ditch's side.
    QPainterPath WaterTable() const;
    // The height of that water table at x, between the pipe and the ditch.
    double WaterTableAt(double x) const;
};

// The picture, painted from the back to the front.
void Paint(QPainter& painter, const Layout& layout);

void PaintGround(QPainter& painter, const Layout& layout);
void PaintGroundwater(QPainter& painter, const Layout& layout);
void PaintImpermeableLayer(QPainter& painter, const Layout& layout);
void PaintDrains(QPainter& painter, const Layout& layout);
void PaintLevels(QPainter& painter, const Layout& layout);
void PaintRecharge(QPainter& painter, const Layout& layout);
void PaintDimensions(QPainter& painter, const Layout& layout);
void PaintLabels(QPainter& painter, const Layout& layout);

} // namespace cross_section
