// Files named outside the window's own dialogs: on the command line, by the
// desktop's file manager, or dropped on the window.
#include "UMainForm.h"

#include "UOutputPage.h"

#include "UFileCommands.h"
#include "UFileNames.h"
#include "UImportTable.h"
#include "UTableImport.h"
#include "UTylwenUtils.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <functional>

namespace {

// How long a window that the window manager does not activate waits before
// it opens its file all the same.
constexpr int ActivationWaitMs = 2000;

// Runs an action once, as soon as the window is active: the messages it shows
// take the active window as their parent, and only then does the window
// manager keep them above the window instead of putting the window over them.
class TWhenActive : public QObject {
public:
    TWhenActive(QWidget& window, std::function<void()> action)
        : QObject(&window), action_(std::move(action)) {
        window.installEventFilter(this);
        QTimer::singleShot(window.isActiveWindow() ? 0 : ActivationWaitMs, this, [this] { Run(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            QTimer::singleShot(0, this, [this] { Run(); });
        }
        return false;
    }

private:
    void Run() {
        if (done_) {
            return;
        }
        done_ = true;
        action_();
        deleteLater();
    }

    std::function<void()> action_;
    bool done_ = false;
};

} // namespace

void TMainForm::OpenFileLater(const std::string& fileName) {
    new TWhenActive(*this, [this, fileName] { Guarded([&] { OpenFile(fileName); }); });
}

void TMainForm::OpenFile(const std::string& fileName) {
    if (IsTableFileName(fileName)) {
        import_->ImportTableFile(fileName);
        return;
    }
    if (DataFileKindOf(fileName) == TDataFileKind::Output) {
        // Open-output ends on the Output page once it has calculated.
        Output_TabSheet->Output_Memo->hide();
        files_->OpenOutputFile(fileName);
        return;
    }
    RowsIncomplete = false;
    // A missing file is told about over the page the window was on.
    if (FileExists(fileName)) {
        PageControl1->setCurrentWidget(Input);
    }
    files_->OpenInputFile(fileName);
}
