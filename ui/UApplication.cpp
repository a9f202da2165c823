#include "UApplication.h"

#include "UEventGuard.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded(dialogs_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

// A quit request (the session manager ending the desktop session, or quit())
// would ask every window to close first, and the main window refuses every
// close to show the exit dialog: a logout would wait on the program. It ends
// at once instead, as Finish does: nothing is saved or asked.
bool TApplication::event(QEvent* event) {
    if (event->type() == QEvent::Quit) {
        exit(0);
        return true;
    }
    return QApplication::event(event);
}
