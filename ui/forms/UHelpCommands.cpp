// Help > Soravik Help (F1) and Help > About Soravik. F1 opens the guide at
// the chapter of the page shown; the menu entry carries the key, so it works
// from every control of the window, a grid cell being edited included.
#include "UMainForm.h"

#include "UAboutWindow.h"
#include "UDesignPage.h"
#include "UGuide.h"
#include "UHelpWindow.h"
#include "UOutputPage.h"
#include "UReportPage.h"

#include <QTabWidget>

QString TMainForm::HelpChapterOfPage() const {
    const QWidget* page = PageControl1->currentWidget();
    const std::pair<const QWidget*, const char*> chapters[] = {
        {Intro_Tabsheet, "intro.html"},
        {Figure_TabSheet, "figure.html"},
        {Input, "input.html"},
        {Output_TabSheet, "output.html"},
        {Report_TabSheet, "report.html"},
        {Design_TabSheet, "design.html"},
    };
    for (const auto& [shown, chapter] : chapters) {
        if (page == shown) {
            return QString::fromUtf8(chapter);
        }
    }
    return QString::fromUtf8(GuideContentsChapter);
}

void TMainForm::HelpGuideExecute() {
    if (!help_) {
        help_ = new THelpWindow(this);
    }
    help_->ShowChapter(HelpChapterOfPage());
}

void TMainForm::HelpAboutExecute() {
    if (!about_) {
        about_ = new TAboutWindow(this);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}
