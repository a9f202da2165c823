// The Design page in the window: prefilled by each calculation, the second
// option's confirmation and the note for typed conductivities. Typing into
// the real page and the saved report are driven by the end-to-end case
// tests/e2e/case_design_page_spacing_in_report.py.
#include "UiFixture.h"

#include "UDesignPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

class TDesignPageTest : public TMainFormTest {
protected:
    TDesignPage& Page() const { return form->Design(); }

    void CalculateWorkedExample() {
        ShowPage(form->Input);
        dialogs.OpenFileNames.push_back(SourcePath("examples/worked-example.inp"));
        ClickButton(form->Input->Button1);
        SaveCalculate(InFolder("worked.inp"));
    }
};

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
    EXPECT_TRUE(Page().Ka_Edit->text().startsWith(QStringLiteral("2.0723684210526")));
    ASSERT_TRUE(Page().ReportSection());

    Page().Kb_Edit->setText(QStringLiteral("0.5"));
    EXPECT_TRUE(Page().Source_Label->text().startsWith("Ka and Kb are typed"));
    Page().Kb_Edit->setText(QStringLiteral("-0.5"));
    EXPECT_FALSE(Page().ReportSection());
    const QString kbMessage = QStringLiteral("Kb, conductivity below drain level (m/day), message");
    const auto labels = Page().findChildren<QLabel*>();
    const auto message = std::find_if(labels.begin(), labels.end(), [&](const QLabel* label) {
        return label->accessibleName() == kbMessage;
    });
    ASSERT_NE(message, labels.end());
    EXPECT_EQ((*message)->text(), QStringLiteral("Kb must be a number of at least 0 m/day"));
}
