// Keeps a control's distances to the left, top and right sides of its parent
// as the parent is resized, taken from where the control stood when the
// parent first had room for it; the control keeps its height, so it never
// grows over the controls below it.
#pragma once

#include <QObject>

class QWidget;

class TAnchorLeftTopRight : public QObject {
public:
    explicit TAnchorLeftTopRight(QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& control_;
    int rightDistance_ = 0;
    bool measured_ = false;
};
