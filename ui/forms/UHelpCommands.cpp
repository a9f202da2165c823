#include "UHelpCommands.h"

#include "UAboutWindow.h"
#include "UEventGuard.h"
#include "UGuide.h"
#include "UHelpWindow.h"

#include <QAction>
#include <QTabWidget>

THelpCommands::THelpCommands(QWidget& window, const QTabWidget& pages, TChapters chapters,
                             QAction& helpGuide, QAction& helpAbout, TUserDialogs& dialogs)
    : window_(window), pages_(pages), chapters_(std::move(chapters)) {
    ConnectGuarded(&helpGuide, &QAction::triggered, this, dialogs, [this] { HelpGuideExecute(); });
    ConnectGuarded(&helpAbout, &QAction::triggered, this, dialogs, [this] { HelpAboutExecute(); });
}

QString THelpCommands::HelpChapterOfPage() const {
    const QWidget* page = pages_.currentWidget();
    for (const auto& [shown, chapter] : chapters_) {
        if (page == shown) {
            return QString::fromUtf8(chapter);
        }
    }
    return QString::fromUtf8(GuideContentsChapter);
}

void THelpCommands::HelpGuideExecute() {
    if (!help_) {
        help_ = new THelpWindow(&window_);
    }
    help_->ShowChapter(HelpChapterOfPage());
}

void THelpCommands::HelpAboutExecute() {
    if (!about_) {
        about_ = new TAboutWindow(&window_);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}
