#include "UApplication.h"

#include "UEventGuard.h"

#include <malloc.h>

namespace {

// Blocks of this size and larger are mapped from the system one by one.
constexpr int LargeBlockBytes = 1 << 20;

} // namespace

// A long table comes and goes in blocks of megabytes (its columns, its cells,
// the text of its file). With a fixed threshold each such block goes back to
// the system when it is freed, instead of staying in the heap once the
// allocator has raised its threshold, so a table that was replaced does not
// keep its memory.
TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    mallopt(M_MMAP_THRESHOLD, LargeBlockBytes);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded(dialogs_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

// A quit request (the session manager ending the desktop session, or quit())
// would ask every window to close first, and the main window refuses every
// close to show the exit dialog: a logout would wait on the program. It ends
// at once instead, as Finish does; unsaved work was asked about before the
// session manager decided to end the session (USessionEnd.cpp).
bool TApplication::event(QEvent* event) {
    if (event->type() == QEvent::Quit) {
        exit(0);
        return true;
    }
    return QApplication::event(event);
}
