#include "UProgram.h"

#include "UApplication.h"
#include "UCloseForm.h"
#include "UDMTylwen.h"
#include "UDisplayCheck.h"
#include "UFonts.h"
#include "ULayoutDump.h"
#include "UMainForm.h"
#include "USessionEnd.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

#include <optional>

int RunProgram(int& argc, char** argv, const TCommandLine& commandLine,
               const std::function<void(TMainForm&)>& mainFormShown) {
    std::optional<TDisplayFailureGuard> displayFailure(std::in_place);
    TApplication application(argc, argv);
    displayFailure.reset();
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
    InstallSessionEnd(application, mainForm);
    TLayoutDump::InstallIfAsked(mainForm, *mainForm.PageControl1);
    mainForm.show();
    if (mainFormShown) {
        mainFormShown(mainForm);
    }
    if (commandLine.File) {
        mainForm.OpenFileLater(*commandLine.File);
    }
    return application.exec();
}
