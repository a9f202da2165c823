// A label that shows a result: assistive technology hears the text on the
// screen, units included, rather than a fixed caption that leaves the number
// out.
#pragma once

class QLabel;
class QString;

// Shows `text` and gives the same text as the label's accessible name, which
// tells a screen reader of the change.
void SetShownText(QLabel& label, const QString& text);
