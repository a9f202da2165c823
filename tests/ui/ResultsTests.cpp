// The results object that carries the last calculation to the pages, and the
// Report and Design pages that are built from it only when first shown.
#include "UiFixture.h"

#include "UDesignPage.h"
#include "UReportPage.h"
#include "UResults.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>

namespace {

TReportContents ContentsOf(TCalculationOption option) {
    TCalculationResults fit;
    fit.Option = option;
    TReportContents contents;
    contents.Statistics = std::make_shared<const TCalculationResults>(fit);
    contents.RawData = {{5.0, 0.5, 1.0}, {7.5, 0.25, 1.0}};
    return contents;
}

// A cell is stale when it no longer holds the value calculated from; cells
// beyond the data sets, and the serial numbers, never are.
TEST(TResultsTest, OnlyAChangedValueMarksTheResultsStale) {
    const struct {
        int Column;
        int Row;
        const char* Text;
        bool Stale;
    } cells[] = {
        {1, 0, "5", false},        {1, 0, "5,0", false}, {2, 1, "0.25", false},
        {3, 1, "1.01", true},      {1, 1, "7.5x", true}, {2, 0, "", true},
        {1, 2, "anything", false}, {0, 0, "9", false},   {4, 0, "9", false},
    };
    for (const auto& cell : cells) {
        TResults results;
        results.CellChanged(cell.Column, cell.Row, cell.Text);
        EXPECT_FALSE(results.IsStale()) << "no results yet";
        results.Calculated(ContentsOf(TCalculationOption::OverEntireSoilDepth));
        QSignalSpy changed(&results, &TResults::Changed);
        results.CellChanged(cell.Column, cell.Row, cell.Text);
        results.CellChanged(cell.Column, cell.Row, cell.Text);
        EXPECT_EQ(results.IsStale(), cell.Stale)
            << cell.Column << ", " << cell.Row << ": " << cell.Text;
        EXPECT_EQ(changed.count(), cell.Stale ? 1 : 0) << "told once";
        results.Calculated(ContentsOf(TCalculationOption::OverEntireSoilDepth));
        EXPECT_FALSE(results.IsStale());
    }
}

// The second option's design may take the last first option's Ka and Kb: a
// later calculation with the first option replaces them, one with the second
// keeps them.
TEST(TResultsTest, DesignInputsKeepTheLastFirstOptionFit) {
    TResults results;
    EXPECT_FALSE(results.DesignInputs());
    results.Calculated(ContentsOf(TCalculationOption::AboveAndBelowDrains));
    EXPECT_EQ(results.DesignInputs()->EarlierFirstOption, nullptr);
    results.Calculated(ContentsOf(TCalculationOption::OverEntireSoilDepth));
    const TSharedFit first = results.Last();
    results.Calculated(ContentsOf(TCalculationOption::AboveAndBelowDrains));
    EXPECT_EQ(results.DesignInputs()->EarlierFirstOption, first);
    EXPECT_EQ(results.DesignInputs()->Fit, results.Last());
    EXPECT_NE(results.Last(), first);
}

class TLazyPagesTest : public TMainFormTest {
protected:
    void CalculateWorkedExample() {
        ShowPage(form->Input);
        dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
        ClickButton(form->Input->Button1);
        SaveCalculate(InFolder("worked.inp"));
    }
};

// Pages built after the user changed the results show them as a page built
// at start would have: the what-if fit, the stale table and the design inputs.
TEST_F(TLazyPagesTest, PagesBuiltLateShowWhatTheResultsHold) {
    EXPECT_FALSE(form->Report_TabSheet->IsBuilt() || form->Design_TabSheet->IsBuilt());
    CalculateWorkedExample();
    EXPECT_FALSE(form->Report_TabSheet->IsBuilt() || form->Design_TabSheet->IsBuilt());
    ASSERT_TRUE(form->Results().WhatIf().Toggle(3));
    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("4.25"));

    ShowPage(form->Report_TabSheet);
    TReportPage& report = *form->Report_TabSheet;
    ASSERT_TRUE(report.IsBuilt());
    EXPECT_TRUE(report.Stale_Label->isVisible());
    EXPECT_TRUE(report.DataSets_Table->isVisible());
    EXPECT_FALSE(report.Hint_Label->isVisible());
    EXPECT_TRUE(report.WhatIf_Label->text().startsWith(QStringLiteral("What-if: data set 3")));
    EXPECT_EQ(report.DataSets_Table->model()->index(2, 1).data(Qt::CheckStateRole).toInt(),
              Qt::Unchecked);
    EXPECT_TRUE(report.SaveReport_Button->isEnabled());

    ShowPage(form->Design_TabSheet);
    TDesignPage& design = *form->Design_TabSheet;
    ASSERT_TRUE(design.IsBuilt());
    EXPECT_EQ(design.Ka_Edit->text(), QStringLiteral("5.625"));
    EXPECT_EQ(design.Source_Label->text(),
              QStringLiteral("Ka and Kb of the what-if fit without data set 3."));
    EXPECT_EQ(design.Impermeable_Edit->text(), QStringLiteral("10"));
}

// Save report needs neither page: the report comes from the results, without
// a design while the Design page was never opened.
TEST_F(TLazyPagesTest, SaveReportBeforeThePagesWereShown) {
    CalculateWorkedExample();
    dialogs.SaveFileNames.push_back(InFolder("early"));
    form->SaveReport1->trigger();
    EXPECT_EQ(form->StatusText(), "The report is saved in " + InFolder("early.pdf"));
    EXPECT_FALSE(ReadWholeFile(InFolder("early.pdf")).empty());
    EXPECT_FALSE(form->Design_TabSheet->IsBuilt());
}

} // namespace
