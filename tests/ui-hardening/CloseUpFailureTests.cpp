// A close-up is final: the rows it dropped never come back, a second save on
// unchanged data writes the same files, and a later value that does not
// convert leaves the closed-up table as the user sees it.
#include "../ui/UiFixture.h"

TEST_F(TMainFormTest, AClosedUpTableIsTheWholeTable) {
    const std::string field = InFolder("field.inp");
    const std::string output = InFolder("field.out");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(SourcePath("examples/pipe-drain-field.inp")),
                            QString::fromStdString(field)));
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(field);
    ClickButton(form->Input->Button1);

    // Two rows dropped: 13 data sets.
    TypeCell(3, 2, QString());
    TypeCell(7, 1, QString());
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(field);
    ASSERT_EQ(DMTylwen.NrOfDataSets, 13);
    const std::string savedInput = ReadWholeFile(field);
    const std::string savedOutput = ReadWholeFile(output);

    ShowPage(form->Input);
    EXPECT_EQ(Grid().RowCount(), 13);
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(field);
    EXPECT_EQ(ReadWholeFile(field), savedInput);
    EXPECT_EQ(ReadWholeFile(output), savedOutput);
    EXPECT_EQ(dialogs.Messages.size(), 1u);

    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("abc"));
    SaveCalculate(InFolder("second.inp"));
    EXPECT_EQ(dialogs.Messages.back(),
              "Not all data values in the inputfile are real, do not use letters or blanks.");
    EXPECT_EQ(DMTylwen.NrOfDataSets, 13);
    EXPECT_EQ(Grid().RowCount(), 13);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("13"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InFolder("second.inp"))));
    EXPECT_EQ(Cell(1, 0), "abc");
}
