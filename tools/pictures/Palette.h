// The colours of the cross-section: a light page, two soil tones for the
// layers above and below drain level, and blue for water.
#pragma once

#include <QColor>

namespace palette {

inline QColor Page() {
    return QColor(0xfb, 0xfa, 0xf6);
}
inline QColor SoilAbove() {
    return QColor(0xf0, 0xe1, 0xbf);
}
inline QColor SoilBelow() {
    return QColor(0xd9, 0xbf, 0x93);
}
inline QColor SoilEdge() {
    return QColor(0x8a, 0x6a, 0x3e);
}
inline QColor Groundwater() {
    return QColor(0xa8, 0xd0, 0xf4, 0x9c);
}
inline QColor Water() {
    return QColor(0x3d, 0x8b, 0xd8);
}
inline QColor WaterLine() {
    return QColor(0x17, 0x5c, 0xb4);
}
inline QColor Rock() {
    return QColor(0x4b, 0x45, 0x3e);
}
inline QColor Guide() {
    return QColor(0x8c, 0x90, 0x96);
}

} // namespace palette
