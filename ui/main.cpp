// Start-up: the application, the data set store, the main window, the exit
// dialog, then the event loop. No command-line arguments, no settings.
#include "UApplication.h"
#include "UCloseForm.h"
#include "UDMTylwen.h"
#include "UFonts.h"
#include "UMainForm.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    // Desktops match the window to its menu entry and icon through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.soravik.Soravik"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ApplicationTitle));
    InstallFontSubstitutions();
    DMTylwen.DataModuleCreate();
    TMainForm mainForm(application.Dialogs());
    // The logo the window has decoded is the program's icon too.
    if (!mainForm.LogoImage->pixmap().isNull()) {
        QApplication::setWindowIcon(QIcon(mainForm.LogoImage->pixmap()));
    }
    TCloseForm closeForm(application.Dialogs(), [] { QCoreApplication::quit(); });
    mainForm.SetCloseForm(closeForm);
    mainForm.show();
    return application.exec();
}
