// Help > Soravik Help (F1) and Help > About Soravik in the real main window.
// The real key on the real display: tests/e2e/case_f1_opens_the_guide.py.
#include "UiFixture.h"

#include "UAboutWindow.h"
#include "UDesignPage.h"
#include "UHelpWindow.h"
#include "UReportPage.h"

#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>

namespace {

THelpWindow* OnlyHelpWindow(const TMainForm& form) {
    const QList<THelpWindow*> windows = form.findChildren<THelpWindow*>();
    EXPECT_EQ(windows.size(), 1);
    return windows.value(0);
}

// F1 on each page opens one help window at that page's chapter; on the Input
// page also from a grid cell being typed in, whose value stays.
TEST_F(TMainFormTest, F1OpensThePagesChapter) {
    EXPECT_EQ(form->menuBar()->actions().value(2)->menu(), form->HelpMenu);
    const std::pair<QWidget*, const char*> pages[] = {
        {form->Intro_Tabsheet, "The Intro page - Soravik Help"},
        {form->Figure_TabSheet, "The Figure page - Soravik Help"},
        {form->Input, "The Input page - Soravik Help"},
        {form->Output_TabSheet, "The Output page - Soravik Help"},
        {form->Report_TabSheet, "The Report page - Soravik Help"},
        {form->Design_TabSheet, "The Design page - Soravik Help"},
    };
    for (const auto& [page, caption] : pages) {
        ShowPage(page);
        QWidget* focused = page == form->Input ? OpenCell(0, 1) : page;
        if (page == form->Input) {
            QTest::keyClicks(focused, "7");
        }
        QTest::keyClick(focused, Qt::Key_F1);
        THelpWindow* help = OnlyHelpWindow(*form);
        ASSERT_NE(help, nullptr) << caption;
        EXPECT_TRUE(help->isVisible()) << caption;
        EXPECT_EQ(help->windowTitle().toStdString(), caption);
        help->close();
    }
    EXPECT_EQ(Cell(1, 0), "7");
}

// The About box shows the version, the whole licence and the Qt version, and
// never holds up the main window; asked for twice, it is one box.
TEST_F(TMainFormTest, AboutShowsVersionLicenceAndQt) {
    form->AboutSoravik1->trigger();
    form->AboutSoravik1->trigger();
    const QList<TAboutWindow*> boxes = form->findChildren<TAboutWindow*>();
    ASSERT_EQ(boxes.size(), 1);
    const TAboutWindow& about = *boxes[0];
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(QRegularExpression("^Soravik \\d+\\.\\d+\\.\\d+$")
                    .match(about.Program_Label->text())
                    .hasMatch());
    EXPECT_TRUE(about.Qt_Label->text().endsWith(QString::fromUtf8(qVersion())));
    EXPECT_EQ(about.Licence_Label->text(), QStringLiteral("Licence: MIT License"));
    const auto words = [](const QString& text) { return text.simplified(); };
    EXPECT_EQ(words(about.Licence_Text->toPlainText()),
              words(QString::fromStdString(ReadWholeFile(SourcePath("LICENSE")))));
}

} // namespace
