#include "UAnchors.h"

#include <QEvent>
#include <QWidget>

TAnchorAllSides::TAnchorAllSides(QWidget& control) : QObject(&control), control_(control) {
    control.parentWidget()->installEventFilter(this);
}

bool TAnchorAllSides::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == control_.parentWidget()) {
        const QRect area = control_.parentWidget()->rect();
        const QRect place = control_.geometry();
        if (!measured_ && area.contains(place)) {
            distances_ = QMargins(place.left(), place.top(), area.right() - place.right(),
                                  area.bottom() - place.bottom());
            measured_ = true;
        } else if (measured_) {
            control_.setGeometry(area.marginsRemoved(distances_));
        }
    }
    return QObject::eventFilter(watched, event);
}
