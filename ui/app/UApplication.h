// The program's application object: the last line of defence that keeps an
// exception from ending the program when a handler let one through, and the
// end of the program when the desktop asks it to quit.
#pragma once

#include "UQtDialogs.h"

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    TQtDialogs& Dialogs() { return dialogs_; }

protected:
    bool event(QEvent* event) override;

private:
    TQtDialogs dialogs_;
};
