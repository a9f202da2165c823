// Start-up: the application, the data set store, the main window, the exit
// dialog, then the event loop, with the file named on the command line opened
// in it. No settings.
#include "UApplication.h"
#include "UCloseForm.h"
#include "UCommandLine.h"
#include "UDMTylwen.h"
#include "UFonts.h"
#include "UMainForm.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

#include <iostream>

int main(int argc, char** argv) {
    // Before the toolkit, which needs a display: the help, the version and a
    // wrong option are answered on the terminal alone.
    const TCommandLine commandLine = ParseCommandLine({argv + 1, argv + argc});
    if (const std::optional<int> status = AnswerWithoutWindow(commandLine, std::cout, std::cerr)) {
        return *status;
    }
    TApplication application(argc, argv);
    // Desktops match the window to its menu entry and icon through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.soravik.Soravik"));
    InstallFontSubstitutions();
    DMTylwen.DataModuleCreate();
    TMainForm mainForm(application.Dialogs());
    // The logo the window has decoded is the program's icon too.
    if (!mainForm.LogoImage->pixmap().isNull()) {
        QApplication::setWindowIcon(QIcon(mainForm.LogoImage->pixmap()));
    }
    // Leaves the event loop at once, without asking the windows to close: the
    // main window refuses every close.
    TCloseForm closeForm(application.Dialogs(), [] { QCoreApplication::exit(0); });
    mainForm.SetCloseForm(closeForm);
    mainForm.show();
    if (commandLine.File) {
        mainForm.OpenFileLater(*commandLine.File);
    }
    return application.exec();
}
