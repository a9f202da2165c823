// The Report page, "Save report…" and "Save graph…" through the window with
// scripted file dialogs. The real save dialog is driven by the end-to-end
// case tests/e2e/case_save_report_writes_pdf.py.
#include "UiFixture.h"

#include "UReportPage.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTableView>
#include <QTableWidget>

namespace {

// Runs one of poppler's tools; its standard output, or nothing when it failed.
std::optional<QString> RunPoppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TReportTest : public TMainFormTest {
protected:
    TReportPage& Page() const { return *form->Report_TabSheet; }

    // The value and interval shown for a quantity of the results table.
    QString ResultRow(const QString& quantity) const {
        const QTableWidget& table = *Page().Results_Table;
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.item(row, 0)->text() == quantity && table.item(row, 1)) {
                return table.item(row, 1)->text() + " | " + table.item(row, 2)->text();
            }
        }
        return {};
    }

    void CalculateWorkedExample() {
        ShowPage(form->Input);
        dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
        ClickButton(form->Button1);
        SaveCalculate(InFolder("worked.inp"));
        ASSERT_TRUE(Page().Contents());
    }
};

TEST_F(TReportTest, EmptyUntilACalculationThenShowsTheFitAndMarksTheSuspect) {
    EXPECT_EQ(form->PageControl1->tabText(4), QStringLiteral(" Report "));
    ShowPage(&Page());
    EXPECT_EQ(form->StatusText(), "The report shows how far the results can be trusted. Use "
                                  "\"Save report\" to keep it as a PDF file.");
    EXPECT_TRUE(Page().Hint_Label->isVisible());
    EXPECT_TRUE(!Page().Results_Table || !Page().Results_Table->isVisible());
    EXPECT_FALSE(form->SaveReport1->isEnabled() || Page().SaveGraph_Button->isEnabled());

    // The pipe-drain field with data set 8 raised from 7.5 to 10.5 mm/day;
    // the values are those of the core's statistics test.
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    TypeCell(7, 1, QStringLiteral("10.5"));
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("field.inp"));
    ShowPage(&Page());
    EXPECT_FALSE(Page().Hint_Label->isVisible());
    EXPECT_EQ(ResultRow(QStringLiteral("Ka (m/day)")), QStringLiteral("0.143 | -0.5281 to 0.8141"));
    EXPECT_EQ(ResultRow(QStringLiteral("R²")), QStringLiteral("0.01604 | "));
    const QAbstractItemModel& dataSets = *Page().DataSets_Table->model();
    ASSERT_EQ(dataSets.rowCount(), 15);
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(dataSets.index(row, 0).data().toString().endsWith('*'), row == 7) << row;
    }
    EXPECT_TRUE(form->SaveReport1->isEnabled() && Page().SaveGraph_Button->isEnabled());

    // Open-output recalculates with the option now chosen and refreshes the page.
    form->RadioButton2->setChecked(true);
    dialogs.OpenFileNames.push_back(InFolder("field.out"));
    form->OpenOutput1->trigger();
    EXPECT_EQ(ResultRow(QStringLiteral("B, Ka and Kb")),
              QStringLiteral("not computed with this option | "));
    EXPECT_TRUE(Page().Contents()->Statistics.Suspect.empty());
}

TEST_F(TReportTest, SavedReportOpensInAPdfReader) {
    CalculateWorkedExample();
    dialogs.SaveFileNames.push_back(InFolder("report"));
    form->SaveReport1->trigger();
    const std::string pdf = InFolder("report.pdf");
    EXPECT_EQ(form->StatusText(), "The report is saved in " + pdf);
    const QString file = QString::fromStdString(pdf);
    EXPECT_TRUE(
        RunPoppler("pdfinfo", {file}).value_or("").contains(QRegularExpression("Pages: +1\n")));
    const QString page = QString::fromStdString(InFolder("page"));
    RunPoppler("pdftoppm", {"-png", "-r", "30", "-f", "1", "-l", "1", "-singlefile", file, page});
    EXPECT_EQ(QImage(page + ".png").size(), QSize(248, 351)); // A4 at 30 dots per inch
    const QString text = RunPoppler("pdftotext", {"-layout", file, "-"}).value_or("");
    EXPECT_TRUE(text.contains(QString::fromStdString(InFolder("worked.inp"))));
    EXPECT_TRUE(text.contains(QRegularExpression("Ka \\(m/day\\) +2.072 +-17.47 to 21.62")));
    EXPECT_TRUE(text.contains(QRegularExpression(
        "3 ?\u2020 +yes +0.15 +0.01 +0.009605 +0.0003947 +0.8947 +1 +4.25 +5.625")))
        << text.toStdString();

    // No to the overwrite question keeps the file; a folder that is not there
    // is an error, not a saved report.
    const std::string before = ReadWholeFile(pdf);
    dialogs.SaveFileNames.push_back(pdf);
    dialogs.YesNoAnswers.push_back(false);
    ClickButton(Page().SaveReport_Button);
    EXPECT_EQ(form->StatusText(), "The report was not saved");
    EXPECT_EQ(ReadWholeFile(pdf), before);
    dialogs.SaveFileNames.push_back(InFolder("missing/report.pdf"));
    form->SaveReport1->trigger();
    const std::vector<std::string> errors = dialogs.TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind(
                  "The file \"" + InFolder("missing/report.pdf") + "\" could not be written: ", 0),
              0u);
}

TEST_F(TReportTest, GraphIsSavedAsTheBitmapShownOrAsADrawing) {
    CalculateWorkedExample();
    dialogs.SaveFileNames.push_back(InFolder("graph.svg"));
    form->SaveGraph1->trigger();
    const QSvgRenderer drawing(QString::fromStdString(InFolder("graph.svg")));
    EXPECT_TRUE(drawing.isValid());
    EXPECT_EQ(drawing.viewBox(), QRect(0, 0, 607, 313));

    // Any other extension gives the bitmap, named ".png".
    dialogs.SaveFileNames.push_back(InFolder("graph.jpg"));
    ClickButton(Page().SaveGraph_Button);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InFolder("graph.jpg"))));
    const QImage saved(QString::fromStdString(InFolder("graph.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              form->GraphImage->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(TReportTest, UntickedDataSetIsLeftOutOfTheWhatIfFitUntilTheNextOpen) {
    // Ka without data set 2 of the worked example is 9/4 m/day
    // (tests/core/FitStatisticsTest.cpp).
    CalculateWorkedExample();
    const std::string input = ReadWholeFile(InFolder("worked.inp"));
    const std::string output = ReadWholeFile(InFolder("worked.out"));
    QAbstractItemModel& dataSets = *Page().DataSets_Table->model();
    EXPECT_FALSE(Page().PutAllBack_Button->isEnabled());
    ASSERT_TRUE(dataSets.setData(dataSets.index(1, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(Page().WhatIf_Label->text(),
              QString::fromUtf8("What-if: data set 2 left out \u2014 the files are unchanged"));
    EXPECT_EQ(ResultRow(QStringLiteral("Ka (m/day)")),
              QStringLiteral("2.25 | not available (needs 3 data sets)"));
    EXPECT_EQ(ResultRow(QStringLiteral("Ka with every data set (m/day)")),
              QStringLiteral("2.072 | -17.47 to 21.62"));
    EXPECT_EQ(dataSets.index(1, 1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    // One data set cannot fix a line: refused and told.
    EXPECT_FALSE(dataSets.setData(dataSets.index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_TRUE(Page().WhatIf_Label->text().startsWith(QStringLiteral("Left in:")));

    // The saved report carries the what-if fit, labelled as such.
    dialogs.SaveFileNames.push_back(InFolder("what-if.pdf"));
    form->SaveReport1->trigger();
    const QString text =
        RunPoppler("pdftotext", {QString::fromStdString(InFolder("what-if.pdf")), "-"})
            .value_or("");
    EXPECT_TRUE(text.contains(
        QString::fromUtf8("What-if: data set 2 left out \u2014 the files are unchanged")));
    EXPECT_TRUE(text.contains(QStringLiteral("Data sets of the what-if fit")));
    EXPECT_EQ(ReadWholeFile(InFolder("worked.inp")), input);
    EXPECT_EQ(ReadWholeFile(InFolder("worked.out")), output);

    ClickButton(Page().PutAllBack_Button);
    EXPECT_EQ(ResultRow(QStringLiteral("Ka (m/day)")), QStringLiteral("2.072 | -17.47 to 21.62"));
    EXPECT_TRUE(Page().WhatIf_Label->text().isEmpty());

    // Open-input starts again with every data set in.
    EXPECT_TRUE(Page().WhatIf().Toggle(3));
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
    ClickButton(form->Button1);
    EXPECT_FALSE(Page().WhatIf().IsActive());
    EXPECT_FALSE(Page().Contents()->WhatIf);
}
