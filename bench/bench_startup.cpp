// One start-up, timed until the main window is mapped and painted, for
// bench/startup, which runs it many times under Xvfb:
//   soravik_bench_startup soravik   the program's own start-up
//   soravik_bench_startup bare      a bare Qt Widgets window of the same size
//                                   with four empty pages
// Prints the monotonic clock when the first painting of the window has been
// handed to the window system (painted_ns) and the process's peak memory.
#include "PeakMemory.h"
#include "UMainForm.h"
#include "UProgram.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Reports once the window's first painting is through: the timer runs after
// the paint event's backing store has been flushed to the window system.
class TFirstPaintWatch : public QObject {
public:
    explicit TFirstPaintWatch(QWidget& window) : window_(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { Report(); });
        }
        return false;
    }

private:
    void Report() {
        if (!window_.windowHandle() || !window_.windowHandle()->isExposed()) {
            QTimer::singleShot(1, this, [this] { Report(); });
            return;
        }
        std::printf("painted_ns %lld\npeak_kb %ld\n", MonotonicNanoseconds(), PeakKilobytes());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    QWidget& window_;
    bool seen_ = false;
};

int RunBare(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* pages = new QTabWidget(&window);
    for (const char* caption : {" Intro ", " Figure ", "Input", " Output "}) {
        pages->addTab(new QWidget(pages), QString::fromUtf8(caption));
    }
    window.setCentralWidget(pages);
    window.resize(715, QMenuBar().sizeHint().height() + 558);
    TFirstPaintWatch watch(window);
    window.show();
    return application.exec();
}

// The program's own start, with the watch beside its main window.
int RunSoravik(int& argc, char** argv) {
    std::unique_ptr<TFirstPaintWatch> watch;
    return RunProgram(argc, argv, TCommandLine{}, [&](TMainForm& mainForm) {
        watch = std::make_unique<TFirstPaintWatch>(mainForm);
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0) {
        return RunBare(argc, argv);
    }
    if (argc > 1 && std::strcmp(argv[1], "soravik") == 0) {
        return RunSoravik(argc, argv);
    }
    std::fprintf(stderr, "usage: soravik_bench_startup soravik|bare\n");
    return 2;
}
