// Opens the worked example in the real main window, saves and calculates it
// into a temporary folder and saves a picture of each page, and with a third
// argument the report as PDF through "Save report…":
//   soravik-screenshots EXAMPLE.inp OUTPUT_FOLDER [REPORT.pdf]
#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UFonts.h"
#include "UMainForm.h"
#include "UOutputPage.h"
#include "UReportPage.h"
#include "UUserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <deque>

namespace {

// Answers the open dialog with the example and the save dialog with a name in
// the temporary folder; messages go to the console.
class TAnsweringDialogs : public TUserDialogs {
public:
    std::deque<std::string> OpenNames;
    std::deque<std::string> SaveNames;

    void ShowMessage(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void ShowError(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
        failed = true;
    }
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions&) override {
        return Next(OpenNames);
    }
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions&) override {
        return Next(SaveNames);
    }

    bool failed = false;

private:
    std::optional<std::string> Next(std::deque<std::string>& names) {
        if (names.empty()) {
            failed = true;
            return std::nullopt;
        }
        std::string name = names.front();
        names.pop_front();
        return name;
    }
};

// Lets the window system and Qt catch up for a while.
void Settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool SavePage(TMainForm& form, QWidget* page, const QDir& folder, const char* name) {
    form.PageControl1->setCurrentWidget(page);
    Settle(300);
    const QString path = folder.filePath(QString::fromUtf8(name));
    if (!form.grab().save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: soravik-screenshots EXAMPLE.inp OUTPUT_FOLDER [REPORT.pdf]\n");
        return 2;
    }
    InstallFontSubstitutions();
    const QDir output(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir work;
    TAnsweringDialogs dialogs;
    dialogs.OpenNames.push_back(
        QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath().toStdString());
    dialogs.SaveNames.push_back(
        QDir(work.path()).filePath(QStringLiteral("worked-example.inp")).toStdString());

    DMTylwen.DataModuleCreate();
    TMainForm form(dialogs);
    form.show();
    QApplication::setActiveWindow(&form);
    Settle(500);
    if (!form.windowHandle() || !form.windowHandle()->isExposed()) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    bool saved = SavePage(form, form.Intro_Tabsheet, output, "intro.png") &&
                 SavePage(form, form.Figure_TabSheet, output, "figure.png");
    form.Input->Button1->click();
    saved = saved && SavePage(form, form.Input, output, "input.png");
    form.Input->Button2->click();
    saved = saved && SavePage(form, form.Output_TabSheet, output, "output.png") &&
            SavePage(form, form.Report_TabSheet, output, "report.png");
    if (argc == 4) {
        dialogs.SaveNames.push_back(
            QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath().toStdString());
        form.Report_TabSheet->SaveReport_Button->click();
    }
    return saved && !dialogs.failed ? 0 : 1;
}
