// The Design page in the window: prefilled by each calculation and by the
// what-if fit of the Report page, the second option's confirmation, the note
// for typed conductivities and the texts given to assistive technology.
// Typing into the real page and the saved report are driven by the
// end-to-end case tests/e2e/case_design_page_spacing_in_report.py, the
// what-if fit read through the accessibility bus by
// tests/e2e/case_design_page_follows_the_what_if_fit.py.
#include "UiFixture.h"

#include "UDesignPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

class TDesignPageTest : public TMainFormTest {
protected:
    TDesignPage& Page() const { return form->Design(); }

    void CalculateWorkedExample() {
        ShowPage(form->Input);
        dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
        ClickButton(form->Input->Button1);
        SaveCalculate(InFolder("worked.inp"));
    }

    // Each result text of the page is what a screen reader says of it.
    void ExpectResultsSpoken() const {
        for (const QLabel* label : {Page().Source_Label, Page().Spacing_Label, Page().Range_Label,
                                    Page().WaterTable_Label}) {
            EXPECT_EQ(label->accessibleName(), label->text()) << label->objectName().toStdString();
        }
    }
};

// Ka and Kb follow the fit the Report page shows, as soravik-calc --exclude
// gives it for the worked example; the other fields keep what was typed.
TEST_F(TDesignPageTest, KaAndKbFollowTheWhatIfFit) {
    CalculateWorkedExample();
    Page().Discharge_Edit->setText(QStringLiteral("7"));
    Page().Head_Edit->setText(QStringLiteral("0.5"));
    Page().DrainDepth_Edit->setText(QStringLiteral("1.5"));
    // The table changed: the report is stale, and stays so while the fit changes.
    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("4.25"));
    const struct {
        bool LeaveOut;
        const char* Ka;
        const char* Kb;
        const char* Source;
    } fits[] = {
        {true, "5.625", "0.1211", "Ka and Kb of the what-if fit without data set 3."},
        {false, "2.072", "0.3983", "Ka and Kb from the last calculation."},
    };
    for (const auto& fit : fits) {
        ASSERT_TRUE(form->Results().WhatIf().SetInFit(3, !fit.LeaveOut));
        EXPECT_EQ(Page().Ka_Edit->text(), QString::fromUtf8(fit.Ka));
        EXPECT_EQ(Page().Kb_Edit->text(), QString::fromUtf8(fit.Kb));
        EXPECT_EQ(Page().Source_Label->text(), QString::fromUtf8(fit.Source));
        EXPECT_EQ(Page().DrainDepth_Edit->text(), QStringLiteral("1.5"));
        EXPECT_TRUE(form->Results().IsStale());
        ExpectResultsSpoken();
    }
}

TEST_F(TDesignPageTest, SecondOptionTakesEarlierKaAndKbOnlyWhenConfirmed) {
    EXPECT_EQ(form->PageControl1->tabText(5), QStringLiteral(" Design "));
    CalculateWorkedExample();
    Page().Discharge_Edit->setText(QStringLiteral("7"));
    Page().Head_Edit->setText(QStringLiteral("0,5"));
    EXPECT_TRUE(Page().Spacing_Label->text().startsWith("Drain spacing L = 28.32 m"));
    EXPECT_EQ(Page().Impermeable_Edit->text(), QStringLiteral("10"));

    form->Input->RadioButton2->setChecked(true);
    dialogs.OpenFileNames.push_back(InFolder("worked.out"));
    form->OpenOutput1->trigger();
    EXPECT_TRUE(Page().Ka_Edit->text().isEmpty());
    EXPECT_FALSE(Page().ReportSection());
    EXPECT_EQ(Page().Source_Label->text().toStdString(), SecondOptionDesignNote);
    Page().UseEarlier_CheckBox->setChecked(true);
    EXPECT_EQ(Page().Ka_Edit->text(), QStringLiteral("2.072"));
    ASSERT_TRUE(Page().ReportSection());
    // Data sets left out of the second option's fit leave the first option's
    // Ka and Kb as they are.
    ASSERT_TRUE(form->Results().WhatIf().SetInFit(3, false));
    EXPECT_EQ(Page().Ka_Edit->text(), QStringLiteral("2.072"));
    EXPECT_FALSE(Page().Source_Label->text().contains(QStringLiteral("what-if")));

    Page().Kb_Edit->setText(QStringLiteral("0.5"));
    EXPECT_TRUE(Page().Source_Label->text().startsWith("Ka and Kb are typed"));
    Page().Kb_Edit->setText(QStringLiteral("-0.5"));
    EXPECT_FALSE(Page().ReportSection());
    const auto* message = Page().findChild<QLabel*>(QStringLiteral("Kb_Edit_Message"));
    ASSERT_NE(message, nullptr);
    const QString refusal = QStringLiteral("Kb must be a number of at least 0 m/day");
    EXPECT_EQ(message->text(), refusal);
    EXPECT_EQ(message->accessibleName(), refusal);
    EXPECT_EQ(Page().Kb_Edit->accessibleDescription(), refusal);
    ExpectResultsSpoken();
}
