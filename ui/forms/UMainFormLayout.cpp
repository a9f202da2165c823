// The page control with its six pages, and the Intro and Figure pages'
// controls, at the places and sizes the calculator has always had (pixels at
// 96 dots per inch). The other pages lay out their own controls.
#include "UMainForm.h"

#include "UAnchors.h"
#include "UDataGrid.h"
#include "UDesignPage.h"
#include "UFonts.h"
#include "UInputPage.h"
#include "UOutputPage.h"
#include "UPageControls.h"
#include "UPictures.h"
#include "UReportPage.h"
#include "UResults.h"
#include "UTextField.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget* NewPage(QTabWidget* pages, const char* name, const char* caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromUtf8(name));
    page->setAccessibleName(QString::fromUtf8(caption).trimmed());
    pages->addTab(page, QString::fromUtf8(caption));
    return page;
}

} // namespace

void TMainForm::CreatePages() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("Pages"));
    PageControl1->tabBar()->setAccessibleName(QStringLiteral("Pages"));
    layout->addWidget(PageControl1);
    setCentralWidget(client);
    CreateIntroPage();
    CreateFigurePage();
    CreateInputPage();
    CreateOutputPage();
    CreateReportPage();
    CreateDesignPage();
}

void TMainForm::CreateIntroPage() {
    Intro_Tabsheet = NewPage(PageControl1, "Intro_Tabsheet", " Intro ");
    Intro_Memo = new QPlainTextEdit(Intro_Tabsheet);
    Intro_Memo->setObjectName(QStringLiteral("Intro_Memo"));
    Intro_Memo->setGeometry(48, 16, 505, 449);
    Intro_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Intro_Memo->setReadOnly(true);
    // One point smaller than the window, so that the text's lines, laid out
    // with blanks, keep their shape instead of wrapping.
    Intro_Memo->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
    Intro_Memo->setPlainText(IntroText());
    Intro_Memo->setAccessibleName(QStringLiteral("Introduction"));
    LogoImage =
        NewPicture(Intro_Tabsheet, "LogoImage", QPixmap(), {584, 360, 109, 96}, "Soravik logo");
    ShowPicture(*LogoImage, LoadLogo());
}

void TMainForm::CreateFigurePage() {
    Figure_TabSheet = NewPage(PageControl1, "Figure_TabSheet", " Figure ");
    Image2 = NewPicture(Figure_TabSheet, "Image2", QPixmap(), {8, 16, 681, 449},
                        "Cross-section of a drained field");
}

// What the first page does not show, the cross-section and the output text's
// font, is loaded when its page is first shown, so the window appears sooner.
void TMainForm::PreparePage(const QWidget* page) {
    if (page == Figure_TabSheet && Image2->pixmap().isNull()) {
        ShowPicture(*Image2, LoadCrossSection());
    } else if (page == Output_TabSheet) {
        Output_TabSheet->Prepare();
    }
}

void TMainForm::CreateInputPage() {
    Input = new TInputPage(*this, *this, dialogs_, *results_, memory_, LogoImage->pixmap(),
                           PageControl1);
    Input->setObjectName(QStringLiteral("Input"));
    Input->setAccessibleName(QStringLiteral("Input"));
    PageControl1->addTab(Input, QStringLiteral("Input"));
}

void TMainForm::CreateOutputPage() {
    Output_TabSheet = new TOutputPage(*this, dialogs_, *results_, *OutputOpen, PageControl1);
    Output_TabSheet->setObjectName(QStringLiteral("Output_TabSheet"));
    Output_TabSheet->setAccessibleName(QStringLiteral("Output"));
    PageControl1->addTab(Output_TabSheet, QStringLiteral(" Output "));
}

void TMainForm::CreateReportPage() {
    Report_TabSheet = new TReportPage(*results_, *SaveReport, *SaveGraph, PageControl1);
    Report_TabSheet->setObjectName(QStringLiteral("Report_TabSheet"));
    Report_TabSheet->setAccessibleName(QStringLiteral("Report"));
    PageControl1->addTab(Report_TabSheet, QStringLiteral(" Report "));
}

void TMainForm::CreateDesignPage() {
    Design_TabSheet = new TDesignPage(*results_, PageControl1);
    Design_TabSheet->setObjectName(QStringLiteral("Design_TabSheet"));
    Design_TabSheet->setAccessibleName(QStringLiteral("Design"));
    PageControl1->addTab(Design_TabSheet, QStringLiteral(" Design "));
}
