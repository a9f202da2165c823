// Start-up: the application, the data set store, the main window, the exit
// dialog, then the event loop. No command-line arguments, no settings.
#include "UApplication.h"
#include "UCloseForm.h"
#include "UDMTylwen.h"
#include "UFonts.h"
#include "UMainForm.h"
#include "UPictures.h"

#include <QIcon>
#include <QPixmap>

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    // Desktops match the window to its menu entry and icon through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.soravik.Soravik"));
    InstallFontSubstitutions();
    const QImage logo = LoadLogo();
    if (!logo.isNull()) {
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo)));
    }
    DMTylwen.DataModuleCreate();
    TMainForm mainForm(application.Dialogs());
    // Leaves the event loop at once, without asking the windows to close: the
    // main window refuses every close.
    TCloseForm closeForm(application.Dialogs(), [] { QCoreApplication::exit(0); });
    mainForm.SetCloseForm(closeForm);
    mainForm.show();
    return application.exec();
}
