// A single-line field that tells when the user leaves it: moving to another
// control counts, switching to another program or opening a menu does not.
#pragma once

#include <QLineEdit>

class TTextField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void Left();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
