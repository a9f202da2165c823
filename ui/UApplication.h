// The program's application object: the last line of defence that keeps an
// exception from ending the program when a handler let one through.
#pragma once

#include "UQtDialogs.h"

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    TQtDialogs& Dialogs() { return dialogs_; }

private:
    TQtDialogs dialogs_;
};
