// The Report page, "Save report…" and "Save graph…" through the window with
// scripted file dialogs. The real save dialog is driven by the end-to-end
// case tests/e2e/case_save_report_writes_pdf.py.
#include "UiFixture.h"

#include "UDesignPage.h"
#include "UPdfPageWriter.h"
#include "UReportDocument.h"
#include "UReportGraph.h"
#include "UReportGraphView.h"
#include "UReportPage.h"
#include "UResultText.h"
#include "UResults.h"
#include "UWhatIfFit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
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
    TReportPage& Page() const { return form->Report(); }

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
        ClickButton(form->Input->Button1);
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
    form->Input->RadioButton2->setChecked(true);
    dialogs.OpenFileNames.push_back(InFolder("field.out"));
    form->OpenOutput1->trigger();
    EXPECT_EQ(ResultRow(QStringLiteral("B, Ka and Kb")),
              QStringLiteral("not computed with this option | "));
    EXPECT_TRUE(Page().Contents()->Statistics->Suspect.empty());
}

TEST_F(TReportTest, SavedReportOpensInAPdfReader) {
    CalculateWorkedExample();
    dialogs.SaveFileNames.push_back(InFolder("report"));
    form->SaveReport1->trigger();
    const std::string pdf = InFolder("report.pdf");
    EXPECT_EQ(form->StatusText(), "The report is saved in " + pdf);
    const QString file = QString::fromStdString(pdf);
    const QRegularExpressionMatch pages =
        QRegularExpression("Pages: +(\\d+)\n").match(RunPoppler("pdfinfo", {file}).value_or(""));
    ASSERT_TRUE(pages.hasMatch());
    const QString page = QString::fromStdString(InFolder("page"));
    RunPoppler("pdftoppm", {"-png", "-r", "30", "-f", "1", "-l", "1", "-singlefile", file, page});
    EXPECT_EQ(QImage(page + ".png").size(), QSize(248, 351)); // A4 at 30 dots per inch
    const QString text = RunPoppler("pdftotext", {"-layout", file, "-"}).value_or("");
    EXPECT_TRUE(text.contains(QString::fromStdString(InFolder("worked.inp"))));
    for (const char* expected :
         {"Site constant +Value", "Quantity +Value +95 % interval",
          "Ka \\(m/day\\) +2.072 +-17.47 to 21.62",
          // The units under the names; t beside r.
          "Nr\\. +In fit +\\(m\\) +\\(1/day\\) +\\(1/day\\) +\\(1/day\\) +Leverage +Stud\\. r +t "
          "+Bonf\\. p +Cook's D +\\(m/day\\)",
          "Appendix: the data sets as entered",
          "Serial number +Q \\(mm/day\\) +Depth midway \\(m\\) +Depth near the drains \\(m\\)",
          "2 +3 +0.8 +1.1"}) {
        EXPECT_TRUE(text.contains(QRegularExpression(expected))) << expected;
    }
    EXPECT_TRUE(text.contains(QRegularExpression(
        "3 ?\u2020 +yes +0.15 +0.01 +0.009605 +3.947e-04 +0.8947 +1 +4.25 +5.625")))
        << text.toStdString();
    // One footer line on every page.
    const QRegularExpression footer("Soravik [0-9.]+ · \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d · "
                                    "worked\\.inp · least-squares line over "
                                    "the entire soil depth +Page \\d");
    EXPECT_EQ(text.count(footer), pages.captured(1).toInt()) << text.toStdString();

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

TEST_F(TReportTest, GraphIsSavedAsADrawingOrAPictureOfTheChosenResolution) {
    CalculateWorkedExample();
    dialogs.SaveFileNames.push_back(InFolder("graph.svg"));
    form->SaveGraph1->trigger();
    const QString svg = QString::fromStdString(ReadWholeFile(InFolder("graph.svg")));
    const QSvgRenderer drawing(svg.toUtf8());
    EXPECT_TRUE(drawing.isValid());
    EXPECT_EQ(drawing.viewBox(), QRect(0, 0, 605, 378));
    // The canvas is the view box, and the white ground covers it, once.
    EXPECT_TRUE(svg.contains(QRegularExpression("<svg width=\"605\" height=\"378\"")));
    EXPECT_EQ(svg.count(QRegularExpression("<rect[^>]*width=\"605\" height=\"378\"")), 1);

    // Any other extension gives the picture, named ".png", at the resolution chosen.
    for (const auto& [dotsPerInch, pixels] :
         {std::pair{300, QSize(1890, 1181)}, std::pair{150, QSize(945, 591)}}) {
        Page().GraphResolution_SpinBox->setValue(dotsPerInch);
        dialogs.SaveFileNames.push_back(InFolder("graph.jpg"));
        dialogs.YesNoAnswers.push_back(true);
        ClickButton(Page().SaveGraph_Button);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(InFolder("graph.jpg"))));
        const QImage saved(QString::fromStdString(InFolder("graph.png")));
        EXPECT_EQ(saved.size(), pixels);
        EXPECT_EQ(saved.dotsPerMeterX(), qRound(dotsPerInch / 0.0254));
        EXPECT_EQ(saved.dotsPerMeterY(), saved.dotsPerMeterX());
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(pixels.width() - 1, pixels.height() - 1)}) {
            EXPECT_EQ(saved.pixel(corner), 0xffffffffu);
        }
    }
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
    EXPECT_TRUE(form->Results().WhatIf().Toggle(3));
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
    ClickButton(form->Input->Button1);
    EXPECT_FALSE(form->Results().WhatIf().IsActive());
    EXPECT_FALSE(Page().Contents()->WhatIf);
}

// Fifteen data sets on Q/H" = 0.01 H" + 0.02 but the last at twice its
// discharge: its t is unbounded (tests/core/FitEdgesTest.cpp). The saved
// report takes the same cell. The columns' widths, read in one pass over the
// data sets, bound the numbers the cells show, in the full and a what-if fit.
TEST_F(TReportTest, UnboundedTIsShownAsInfinityAndColumnsFitTheirCells) {
    ShowPage(form->Input);
    for (int k = 1; k <= 15; ++k) {
        TypeCell(k - 1, 1, QString::number((0.025 * k * k + k) * (k == 15 ? 2 : 1), 'f', 3));
        TypeCell(k - 1, 2, QString::number(1.05 - 0.05 * k, 'f', 2));
        TypeCell(k - 1, 3, QStringLiteral("1.05"));
    }
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("outlier.inp"));
    const QAbstractItemModel& dataSets = *Page().DataSets_Table->model();
    const int tColumn = static_cast<int>(TDataSetColumn::External);
    EXPECT_EQ(dataSets.index(14, tColumn).data().toString(), QString::fromUtf8("\u221e"));
    TWhatIfFit& whatIf = form->Results().WhatIf();
    for (const bool inFit : {true, false}) {
        ASSERT_TRUE(whatIf.SetInFit(3, inFit));
        const TCalculationResults& fit = whatIf.Current();
        const std::vector<QStringList> widest = WidestDataSetCells(fit);
        for (int column = 1; column < static_cast<int>(TDataSetColumn::Count); ++column) {
            TReportNumberWidth width;
            for (std::size_t index = 0; index < fit.NrOfDataSets; ++index) {
                if (const auto number = DataSetNumber(fit, index, TDataSetColumn(column))) {
                    width.Add(*number);
                }
            }
            QStringList expected;
            for (const std::string& text : width.WidestTexts()) {
                expected << QString::fromStdString(text);
            }
            EXPECT_EQ(widest[std::size_t(column)], expected) << column << " " << inFit;
        }
    }
}

// A click on a marker goes the check box's way: the table, the what-if line
// and the graph, which draws the data set hollow, change together.
TEST_F(TReportTest, ClickOnAMarkerTogglesItsDataSetInTheWhatIfFit) {
    CalculateWorkedExample();
    ShowPage(&Page());
    TReportGraphView& graph = *Page().Graph_View;
    const auto markerOf = [&](std::size_t index) {
        const TCalculationResults& fit = form->Results().WhatIf().Current();
        return ReportGraphLayout(QRectF(graph.rect()), fit, fit.InFit)
            .Place(fit.Head[index], fit.QH[index])
            .toPoint();
    };
    const auto centre = [&](std::size_t index) {
        return graph.grab().toImage().pixelColor(markerOf(index));
    };
    EXPECT_NE(centre(1), QColor(Qt::white));
    QTest::mouseClick(&graph, Qt::LeftButton, {}, markerOf(1));
    EXPECT_EQ(form->Results().WhatIf().Excluded(), std::vector<std::size_t>({2}));
    EXPECT_EQ(Page().DataSets_Table->model()->index(1, 1).data(Qt::CheckStateRole).toInt(),
              Qt::Unchecked);
    EXPECT_TRUE(Page().WhatIf_Label->text().startsWith(QStringLiteral("What-if: data set 2")));
    EXPECT_EQ(centre(1), QColor(Qt::white));
    QTest::mouseClick(&graph, Qt::LeftButton, {}, markerOf(1));
    EXPECT_FALSE(form->Results().WhatIf().IsActive());
    EXPECT_NE(centre(1), QColor(Qt::white));
}

TEST_F(TReportTest, ChangesAfterTheCalculationMarkTheReportStale) {
    CalculateWorkedExample();
    ShowPage(&Page());
    EXPECT_FALSE(Page().IsStale());
    ShowPage(form->Input);
    TypeCell(1, 1, QStringLiteral("3.5"));
    EXPECT_TRUE(Page().IsStale());
    SaveCalculate(InFolder("changed.inp"));
    EXPECT_FALSE(Page().IsStale());
    form->Input->RadioButton2->setChecked(true);
    ShowPage(&Page());
    EXPECT_TRUE(Page().Stale_Label->isVisible());
}

TEST_F(TReportTest, CopyPutsTheSelectedCellsUnderTheirHeadings) {
    CalculateWorkedExample();
    ShowPage(&Page());
    QTableView& table = *Page().DataSets_Table;
    const QAbstractItemModel& model = *table.model();
    table.selectionModel()->select(QItemSelection(model.index(0, 2), model.index(2, 3)),
                                   QItemSelectionModel::Select);
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "H\" (m)\tQ/H\" (1/day)\n0.4\t0.0125\n0.3\t0.01\n0.15\t0.01\n");
}

// The report of a long table lists its ends only; a stopped one gives nothing.
TEST_F(TReportTest, LongTableIsShortenedAndAStoppedReportGivesNothing) {
    TReportContents contents;
    TCalculationResults statistics;
    statistics.NrOfDataSets = 5000;
    statistics.InFit.assign(5000, true);
    for (int i = 0; i < 5000; ++i) {
        statistics.Head.push_back(0.1 + i * 1e-4);
        statistics.QH.push_back(0.01 + i * 1e-6);
        contents.RawData.push_back({1.0 + i, 0.5, 1.0});
    }
    contents.Statistics = std::make_shared<const TCalculationResults>(std::move(statistics));
    const QDateTime made(QDate(2026, 5, 4), QTime(10, 30));
    EXPECT_FALSE(ReportPdf(contents, made, [](std::size_t, std::size_t) { return false; }));
    const std::optional<QByteArray> pdf = ReportPdf(contents, made);
    ASSERT_TRUE(pdf);
    const QString file = QString::fromStdString(InFolder("long.pdf"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(*pdf) == pdf->size());
    out.close();
    const QString text = RunPoppler("pdftotext", {"-layout", file, "-"}).value_or("");
    EXPECT_EQ(text.count(QStringLiteral("Only the first and the last 1,000 of the 5,000 data sets "
                                        "are listed")),
              2);
    EXPECT_TRUE(text.contains(QRegularExpression("\n +1000 +yes +0.1999 ")));
    EXPECT_TRUE(text.contains(QRegularExpression("\n +4001 +4001 +0.5 ")));
    EXPECT_FALSE(text.contains(QRegularExpression("\n +2500 ")));
}

// Rows per page: never fewer than three of a table alone on a page.
TEST(ReportDocument, TablesLeaveNoFewerThanThreeRowsAlone) {
    using TPages = std::vector<std::size_t>;
    EXPECT_EQ(SplitTableRows(15, 2, 40), TPages({0, 15}));
    EXPECT_EQ(SplitTableRows(42, 40, 40), TPages({39, 3}));
    EXPECT_EQ(SplitTableRows(10, 9, 40), TPages({7, 3}));
    EXPECT_EQ(SplitTableRows(2, 1, 40), TPages({0, 2}));
    EXPECT_EQ(SplitTableRows(2, 5, 40), TPages({2}));
    EXPECT_EQ(SplitTableRows(85, 10, 40), TPages({10, 40, 35}));
}

// Each export offers the input file's name with its own extension and names
// the file it would replace.
TEST_F(TReportTest, ExportsOfferTheInputFilesNameAndNameTheFileTheyReplace) {
    CalculateWorkedExample();
    for (const auto& [command, offered] :
         {std::pair{form->SaveReport1, "worked.pdf"}, std::pair{form->SaveGraph1, "worked.png"}}) {
        const std::string file = InFolder(offered);
        dialogs.SaveFileNames = {file, file};
        dialogs.YesNoAnswers = {false};
        command->trigger();
        command->trigger();
        EXPECT_EQ(dialogs.SaveDialogs.back().FileName, offered);
        EXPECT_EQ(dialogs.Questions.back(), "The file \"" + file + "\" already exists, overwrite?");
    }
}

// The pipe-drain field with data set 8 at 10.5 mm/day, which is suspect: its
// reason is typed for it alone while it is left out, outlives putting it
// back and goes with the evidence of the fit of every data set into the
// saved report; the next calculation forgets it. What the page's lines and
// the Output page's count show is what a screen reader is given.
TEST_F(TReportTest, LeftOutDataSetKeepsItsReasonUntilTheNextCalculation) {
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    TypeCell(7, 1, QStringLiteral("10.5"));
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("field.inp"));
    const QLabel& count = *form->Output_TabSheet->Warnings_Label;
    const int warnings = static_cast<int>(form->Results().WhatIf().Full().Warnings.size());
    ASSERT_GT(warnings, 1);
    EXPECT_EQ(count.text(), QStringLiteral("%1 warnings: see the Report page").arg(warnings));
    EXPECT_EQ(count.accessibleName(), count.text());
    EXPECT_TRUE(count.isVisible());

    ShowPage(&Page());
    QAbstractItemModel& dataSets = *Page().DataSets_Table->model();
    const int reason = static_cast<int>(TDataSetColumn::Reason);
    const QModelIndex eighth = dataSets.index(7, reason);
    EXPECT_FALSE(dataSets.flags(eighth) & Qt::ItemIsEditable);
    ClickButton(Page().LeaveOutSuspects_Button);
    ASSERT_EQ(form->Results().WhatIf().Excluded(), std::vector<std::size_t>({8}));
    EXPECT_TRUE(dataSets.flags(eighth) & Qt::ItemIsEditable);
    EXPECT_FALSE(dataSets.setData(dataSets.index(0, reason), "in the fit", Qt::EditRole));
    EXPECT_TRUE(dataSets.setData(eighth, "  logger flooded ", Qt::EditRole));
    for (const QLabel* label : {Page().WhatIf_Label, Page().Legend_Label}) {
        EXPECT_EQ(label->accessibleName(), label->text()) << label->objectName().toStdString();
    }
    ClickButton(Page().PutAllBack_Button);
    EXPECT_EQ(eighth.data().toString(), QString());
    ClickButton(Page().LeaveOutSuspects_Button);
    EXPECT_EQ(eighth.data().toString(), QStringLiteral("logger flooded"));

    dialogs.SaveFileNames.push_back(InFolder("left-out.pdf"));
    form->SaveReport1->trigger();
    const QString text =
        RunPoppler("pdftotext", {"-layout", QString::fromStdString(InFolder("left-out.pdf")), "-"})
            .value_or("");
    const TCalculationResults& full = form->Results().WhatIf().Full();
    QStringList evidence;
    for (const TDataSetColumn column : LeftOutColumns()) {
        // pdftotext may close up "8 *".
        evidence << QRegularExpression::escape(DataSetCell(full, 7, column))
                        .replace(QStringLiteral("\\ "), QStringLiteral(" ?"));
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Data sets left out")));
    EXPECT_TRUE(text.contains(QRegularExpression(evidence.join(" +"))))
        << evidence.join(" ").toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Data set 8: logger flooded")));

    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(InFolder("field.inp"));
    EXPECT_EQ(form->Results().Reason(8), std::string());
}
