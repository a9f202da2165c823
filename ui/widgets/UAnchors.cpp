#include "UAnchors.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

TAnchorLeftTopRight::TAnchorLeftTopRight(QWidget& control) : QObject(&control), control_(control) {
    control.parentWidget()->installEventFilter(this);
}

bool TAnchorLeftTopRight::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == control_.parentWidget()) {
        const QRect area = control_.parentWidget()->rect();
        const QRect place = control_.geometry();
        if (!measured_ && area.contains(place)) {
            rightDistance_ = area.right() - place.right();
            measured_ = true;
        } else if (measured_) {
            const int width = std::max(area.right() - rightDistance_ - place.left() + 1, 0);
            control_.setGeometry(place.left(), place.top(), width, place.height());
        }
    }
    return QObject::eventFilter(watched, event);
}
