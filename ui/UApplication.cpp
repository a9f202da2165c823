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
