#include "UTextField.h"

#include <QFocusEvent>

TTextField::TTextField(const QString& text, QWidget* parent)
    : QLineEdit(text, parent), committedText_(text) {
    // A text set by the program leaves the field unmodified; the user's typing does not.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isModified()) {
            Commit();
        }
    });
}

void TTextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        emit Left();
    }
}
