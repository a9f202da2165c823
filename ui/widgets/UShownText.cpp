#include "UShownText.h"

#include <QLabel>

// A result shown again unchanged is no news to a screen reader.
void SetShownText(QLabel& label, const QString& text) {
    label.setText(text);
    if (label.accessibleName() != text) {
        label.setAccessibleName(text);
    }
}
