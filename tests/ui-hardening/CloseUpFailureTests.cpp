// Found by the random sessions: a save that raises the count back to an
// earlier one and then fails on the first row it keeps must not leave that
// raised count standing beside a grid that shows fewer rows.
#include "../ui/UiFixture.h"

TEST_F(TMainFormTest, FailureInTheFirstKeptRowLeavesNoCountTheGridDoesNotShow) {
    const std::string field = InFolder("field.inp");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(SourcePath("examples/pipe-drain-field.inp")),
                            QString::fromStdString(field)));
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(field);
    ClickButton(form->Button1);
    ASSERT_EQ(DMTylwen.PreviousNrOfDataSets, 15);

    // Two rows dropped: 13 data sets, the earlier count still 15.
    TypeCell(3, 2, QString());
    TypeCell(7, 1, QString());
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(field);
    ASSERT_EQ(DMTylwen.NrOfDataSets, 13);
    ASSERT_EQ(DMTylwen.PreviousNrOfDataSets, 15);

    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("abc"));
    dialogs.Errors.clear();
    SaveCalculate(InFolder("second.inp"));
    EXPECT_EQ(dialogs.Errors,
              std::vector<std::string>({"'abc' is not a valid floating point value"}));
    EXPECT_EQ(DMTylwen.NrOfDataSets, 0);
    EXPECT_EQ(DMTylwen.RowsToFill, 0);
    EXPECT_EQ(Grid().RowCount(), 1);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InFolder("second.inp"))));
    // The grid still holds what was typed.
    EXPECT_EQ(Cell(1, 0), "abc");
}
