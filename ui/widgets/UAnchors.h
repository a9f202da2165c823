// Keeps a control's distances to all four sides of its parent as the parent
// is resized, taken from where the control stood when the parent first had
// room for it.
#pragma once

#include <QMargins>
#include <QObject>

class QWidget;

class TAnchorAllSides : public QObject {
public:
    explicit TAnchorAllSides(QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& control_;
    QMargins distances_;
    bool measured_ = false;
};
