// The application object on its own: one per test program, so it has its own.
#include "UApplication.h"

#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Refuses every close, as the main window does to show the exit dialog.
class TRefusingWindow : public QWidget {
public:
    int CloseRequests = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++CloseRequests;
        event->ignore();
    }
};

} // namespace

// A desktop logout ends with the session manager's quit request; Qt's own
// handling would ask the windows to close and give up at the first refusal.
TEST(Application, QuitEndsTheEventLoopWithoutAskingTheWindows) {
    int argc = 1;
    char name[] = "soravik";
    char* argv[] = {name, nullptr};
    TApplication application(argc, argv);
    TRefusingWindow window;
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    QTimer::singleShot(10000, &application, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(application.exec(), 0);
    EXPECT_EQ(window.CloseRequests, 0);
    EXPECT_TRUE(window.isVisible());
}
