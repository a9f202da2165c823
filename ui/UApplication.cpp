#include "UApplication.h"

#include "UEventGuard.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded(dialogs_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
