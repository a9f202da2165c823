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
#include "UResults.h"

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

#include <cmath>
#include <limits>
#include <random>

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
          "Nr\\. +In fit +H\" \\(m\\) +Q/H\" \\(1/day\\) +Fitted",
          "Appendix: the data sets as entered",
          "Serial number +Q \\(mm/day\\) +Depth midway \\(m\\) +Depth near the drains \\(m\\)",
          "2 +3 +0.8 +1.1"}) {
        EXPECT_TRUE(text.contains(QRegularExpression(expected))) << expected;
    }
    EXPECT_TRUE(text.contains(QRegularExpression(
        "3 ?\u2020 +yes +0.15 +0.01 +0.009605 +0.0003947 +0.8947 +1 +4.25 +5.625")))
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
// report takes the same cell.
TEST_F(TReportTest, UnboundedTIsShownAsInfinity) {
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

// The longest text of each column, found without formatting every cell, is
// as long as the longest cell when the numbers have four digits but 0, and
// never shorter than any cell.
TEST(ReportContents, LongestCellOfEachColumnWithoutFormattingEveryCell) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digits(111, 999);
    std::uniform_int_distribution<int> tens(-12, 9);
    const auto number = [&](bool fullDigits) {
        const double mantissa = digits(random) * 10 + (fullDigits ? 1 + random() % 9 : 0);
        return (random() % 2 ? -1.0 : 1.0) * mantissa * std::pow(10.0, tens(random) - 3);
    };
    for (const bool fullDigits : {true, false}) {
        SCOPED_TRACE(fullDigits);
        TCalculationResults statistics;
        statistics.NrOfDataSets = 300;
        statistics.InFit.assign(300, true);
        statistics.InFit[17] = false;
        statistics.Suspect = {5};
        for (std::size_t i = 0; i < 300; ++i) {
            statistics.Head.push_back(number(fullDigits));
            statistics.QH.push_back(i == 3 ? 0.0 : number(fullDigits));
            statistics.Fitted.push_back(number(fullDigits));
            statistics.Residuals.push_back(number(fullDigits));
            TDataSetInfluence influence;
            influence.Leverage = number(fullDigits);
            influence.External =
                i == 40 ? -std::numeric_limits<double>::infinity() : number(fullDigits);
            influence.BonferroniP = i % 3 ? TOptionalNumber() : number(fullDigits);
            statistics.Influence.push_back(influence);
        }
        const std::vector<QString> longest = LongestDataSetCells(statistics);
        for (int column = 0; column < static_cast<int>(TDataSetColumn::Count); ++column) {
            SCOPED_TRACE(column);
            qsizetype cell = 0;
            for (std::size_t i = 0; i < 300; ++i) {
                cell = std::max(
                    cell, DataSetCell(statistics, i, static_cast<TDataSetColumn>(column)).size());
            }
            EXPECT_GE(longest[column].size(), cell);
            if (fullDigits) {
                EXPECT_EQ(longest[column].size(), cell);
            }
        }
    }
    // Alone in its column, a number of four digits but 0 has the longest
    // text of its power of two, though the span of that power may start or
    // end on a short number ("8", "16") beside it; a shorter number may have
    // a longer one beside it in the span.
    const std::pair<double, bool> alone[] = {{9.123, true},    {15.67, true},     {0.0009999, true},
                                             {123456.0, true}, {-1.234e-5, true}, {-1023.0, false},
                                             {8.0, false},     {7e12, false}};
    for (const auto& [value, longestOfItsSpan] : alone) {
        SCOPED_TRACE(value);
        TCalculationResults statistics;
        statistics.NrOfDataSets = 1;
        statistics.InFit.assign(1, true);
        statistics.Head = {value};
        const auto head = static_cast<std::size_t>(TDataSetColumn::Head);
        const qsizetype longest = LongestDataSetCells(statistics)[head].size();
        const qsizetype cell = DataSetCell(statistics, 0, TDataSetColumn::Head).size();
        EXPECT_TRUE(longestOfItsSpan ? longest == cell : longest >= cell) << longest;
    }
}
