// Help > Soravik Help (F1) and Help > About Soravik in the real main window.
// The real key on the real display: tests/e2e/case_f1_opens_the_guide.py.
#include "UiFixture.h"

#include "UAboutWindow.h"
#include "UDesignPage.h"
#include "UHelpWindow.h"
#include "UReportPage.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>

namespace {

THelpWindow* OnlyHelpWindow(const TMainForm& form) {
    const QList<THelpWindow*> windows = form.findChildren<THelpWindow*>();
    EXPECT_EQ(windows.size(), 1);
    return windows.value(0);
}

// The words of a text, whatever its line breaks.
QStringList Words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

TEST_F(TMainFormTest, HelpMenuFollowsEdit) {
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[2]->menu(), form->HelpMenu);
    EXPECT_EQ(form->HelpMenu->actions(),
              QList<QAction*>({form->SoravikHelp1, form->AboutSoravik1}));
    EXPECT_EQ(form->SoravikHelp1->shortcut(), QKeySequence(Qt::Key_F1));
}

// F1 on each page opens one help window at that page's chapter; on the Input
// page also from a grid cell being typed in, whose value stays.
TEST_F(TMainFormTest, F1OpensThePagesChapter) {
    const std::pair<QWidget*, const char*> pages[] = {
        {form->Intro_Tabsheet, "The Intro page - Soravik Help"},
        {form->Figure_TabSheet, "The Figure page - Soravik Help"},
        {form->Input, "The Input page - Soravik Help"},
        {form->Output_TabSheet, "The Output page - Soravik Help"},
        {form->Report_TabSheet, "The Report page - Soravik Help"},
        {form->Design_TabSheet, "The Design page - Soravik Help"},
    };
    ASSERT_EQ(form->PageControl1->count(), 6);
    for (const auto& [page, caption] : pages) {
        ShowPage(page);
        QWidget* focused = page;
        if (page == form->Input) {
            focused = OpenCell(0, 1);
            QTest::keyClicks(focused, "7");
        }
        QTest::keyClick(focused, Qt::Key_F1);
        THelpWindow* help = OnlyHelpWindow(*form);
        ASSERT_NE(help, nullptr) << caption;
        EXPECT_TRUE(help->isVisible()) << caption;
        EXPECT_EQ(help->windowTitle().toStdString(), caption);
        EXPECT_FALSE(help->Guide_Browser->toPlainText().isEmpty()) << caption;
        help->close();
    }
    EXPECT_EQ(Cell(1, 0), "7");
}

TEST_F(TMainFormTest, HelpWindowGoesBackAndForthThroughTheChaptersSeen) {
    ShowPage(form->Report_TabSheet);
    form->SoravikHelp1->trigger();
    THelpWindow* help = OnlyHelpWindow(*form);
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->Back_Button->isEnabled());
    QListWidget& contents = *help->Contents_List;
    const QList<QListWidgetItem*> method = contents.findItems("The method", Qt::MatchExactly);
    ASSERT_EQ(method.size(), 1);
    QTest::mouseClick(contents.viewport(), Qt::LeftButton, {},
                      contents.visualItemRect(method[0]).center());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("The method - Soravik Help"));
    EXPECT_EQ(contents.currentItem(), method[0]);
    ClickButton(help->Back_Button);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("The Report page - Soravik Help"));
    ClickButton(help->Forward_Button);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("The method - Soravik Help"));
    ClickButton(help->Home_Button);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Contents - Soravik Help"));
}

// The About box shows the version, the licence whole and the Qt version,
// and never holds up the main window.
TEST_F(TMainFormTest, AboutShowsVersionLicenceAndQt) {
    for (int time = 0; time < 2; ++time) {
        form->AboutSoravik1->trigger();
    }
    const QList<TAboutWindow*> boxes = form->findChildren<TAboutWindow*>();
    ASSERT_EQ(boxes.size(), 1);
    const TAboutWindow& about = *boxes[0];
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Soravik"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Soravik \\d+\\.\\d+\\.\\d+$"))
                    .match(about.Program_Label->text())
                    .hasMatch())
        << about.Program_Label->text().toStdString();
    EXPECT_TRUE(about.Qt_Label->text().endsWith(QString::fromUtf8(qVersion())));
    EXPECT_EQ(about.Licence_Label->text(), QStringLiteral("Licence: MIT License"));
    const QString licence = QString::fromStdString(ReadWholeFile(SourcePath("LICENSE")));
    ASSERT_FALSE(licence.isEmpty());
    EXPECT_EQ(Words(about.Licence_Text->toPlainText()), Words(licence));
}

} // namespace
