// Where the controls of each page stand, written to a file for the
// end-to-end cases, which see the window only from outside. Made only when
// the environment names the file (SORAVIK_LAYOUT_DUMP).
#pragma once

#include <QObject>
#include <QString>

class QTabWidget;
class QWidget;

class TLayoutDump : public QObject {
public:
    // Rewrites `fileName` whenever the window's size, the focus or a
    // control's place or visibility has changed: a line "window WIDTH
    // HEIGHT", a line "focus NAME" naming the control with the keyboard
    // focus, then per page a line "page NAME WIDTH HEIGHT", a line "NAME
    // LEFT TOP WIDTH HEIGHT" for each control that shows when the page does,
    // in the page's pixels, and the widths of its shown tables' columns.
    TLayoutDump(QWidget& window, const QTabWidget& pages, QString fileName);

    // Made for the window when the environment asks for it.
    static void InstallIfAsked(QWidget& window, const QTabWidget& pages);

private:
    QString Describe() const;
    void WriteIfChanged();

    QWidget& window_;
    const QTabWidget& pages_;
    QString fileName_;
    QString written_;
};
