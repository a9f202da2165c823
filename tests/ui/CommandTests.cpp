// Open-input, Save-calculate, the Output page and Open-output, driven through
// the window's buttons and menu with files in a temporary folder.
#include "UiFixture.h"

#include "UInputFile.h"
#include "USameFile.h"

#include <QLabel>
#include <QPixmap>
#include <QRadioButton>

namespace {

std::string Confirmation(const std::string& input, const std::string& output) {
    return "The input is saved in " + input +
           "   Calculations were done and the output is saved in  " + output;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : "\n") + line;
    }
    return joined;
}

bool CopyFile(const std::string& from, const std::string& to) {
    return QFile::copy(QString::fromStdString(from), QString::fromStdString(to));
}

const char* const NotSaved = "The input data were not saved";

} // namespace

class TCommandTest : public TMainFormTest {
protected:
    // The pipe-drain field typed into the grid and the fields.
    void TypeField() {
        ShowPage(form->Input);
        TypeTable(PipeDrainField());
        EnterSiteConstants("1.1", "5", "20", "0.05");
    }

    std::string FieldInp() const { return InFolder("field.inp"); }
    std::string FieldOut() const { return InFolder("field.out"); }
};

TEST_F(TCommandTest, TypedTableIsSavedCalculatedAndShown) {
    TypeField();
    SaveCalculate(FieldInp());

    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({Confirmation(FieldInp(), FieldOut())}));
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(LinesAfterName(FieldInp()),
              LinesAfterName(SourcePath("examples/pipe-drain-field.inp")));
    const std::vector<std::string> output = FileLines(FieldOut());
    ASSERT_EQ(output.size(), 5u);
    EXPECT_EQ(output[0], " File: " + FieldOut());
    EXPECT_EQ(LinesAfterName(FieldOut()),
              LinesAfterName(SourcePath("examples/pipe-drain-field.out")));

    EXPECT_EQ(ActivePage(), form->Output_TabSheet);
    EXPECT_TRUE(form->Output_TabSheet->Output_Memo->isVisible());
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), JoinLines(output));
    EXPECT_EQ(form->Output_TabSheet->Output_Memo->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(form->Output_TabSheet->Output_Memo->font().pixelSize(), 13);
    EXPECT_TRUE(form->Output_TabSheet->GraphImage->isVisible());
    EXPECT_EQ(form->Output_TabSheet->GraphImage->pixmap().size(), QSize(607, 313));

    EXPECT_EQ(DMTylwen.FileName, FieldOut());
    EXPECT_TRUE(OutputShown && ResultsAvailable && DataPresent);
    EXPECT_FALSE(RowsIncomplete);
    EXPECT_EQ(form->InputOpen_Dialog.InitialDir, folder.path().toStdString() + "/");

    // Showing the Input page hides the output text and the graph.
    ShowPage(form->Input);
    EXPECT_FALSE(form->Output_TabSheet->Output_Memo->isVisible());
    EXPECT_FALSE(form->Output_TabSheet->GraphImage->isVisible());
}

TEST_F(TCommandTest, SecondSaveGivesTheSameFilesWithoutConfirmation) {
    TypeField();
    SaveCalculate(FieldInp());
    const std::string firstInput = ReadWholeFile(FieldInp());
    const std::string firstOutput = ReadWholeFile(FieldOut());

    ShowPage(form->Input);
    dialogs.YesNoAnswers.push_back(true);
    SaveCalculate(FieldInp());
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>({"The file already exists, overwrite?"}));
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(ReadWholeFile(FieldInp()), firstInput);
    EXPECT_EQ(ReadWholeFile(FieldOut()), firstOutput);
    EXPECT_EQ(ActivePage(), form->Output_TabSheet);
}

// The calculation fills the memo with the lines it wrote; a user coming back
// to the page sees the file as it is on disk by then.
TEST_F(TCommandTest, OutputPageShowsTheFileAsItIsWhenTheUserComesBack) {
    TypeField();
    SaveCalculate(FieldInp());
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), JoinLines(FileLines(FieldOut())));

    QFile changed(QString::fromStdString(FieldOut()));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
    changed.write(" changed by another program\r\n");
    changed.close();
    ShowPage(form->Figure_TabSheet);
    ShowPage(form->Output_TabSheet);
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), " changed by another program");
    EXPECT_TRUE(form->Output_TabSheet->Output_Memo->isVisible());
}

TEST_F(TCommandTest, OpenedFileFillsTheGridAndIsSavedBackUnchanged) {
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(SourcePath("examples/pipe-drain-field.inp"));
    ClickButton(form->Input->Button1);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral("1.1"));
    EXPECT_EQ(form->Input->Edit4->text(), QStringLiteral("20"));
    EXPECT_EQ(form->Input->Edit5->text(), QStringLiteral("0.05"));
    EXPECT_EQ(Cell(1, 0), "15");
    EXPECT_EQ(Cell(2, 14), "0.94");
    EXPECT_EQ(Cell(3, 14), "1.07");
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_TRUE(DataPresent);
    EXPECT_FALSE(OutputShown);
    EXPECT_EQ(DMTylwen.PreviousNrOfDataSets, 15);
    EXPECT_EQ(form->InputSave_Dialog.InitialDir, SourcePath("examples/"));

    SaveCalculate(InFolder("copy.inp"));
    EXPECT_EQ(LinesAfterName(InFolder("copy.inp")),
              LinesAfterName(SourcePath("examples/pipe-drain-field.inp")));
}

TEST_F(TCommandTest, OpenOutputRecalculatesWithTheSelectedOption) {
    const std::string out = InFolder("worked.out");
    ASSERT_TRUE(CopyFile(SourcePath("examples/worked-example.inp"), InFolder("worked.inp")));
    ASSERT_TRUE(CopyFile(SourcePath("examples/worked-example.out"), out));
    ShowPage(form->Input);
    form->Input->RadioButton2->setChecked(true);

    dialogs.OpenFileNames.push_back(out);
    form->OpenOutput1->trigger();
    EXPECT_TRUE(dialogs.Messages.empty());
    const std::vector<std::string> rewritten = FileLines(out);
    ASSERT_EQ(rewritten.size(), 5u);
    EXPECT_EQ(rewritten[0], " File: " + out);
    EXPECT_EQ(rewritten[1], " Soravik calculator results");
    EXPECT_NE(rewritten[2].find("B = 1.0000"), std::string::npos);
    // The page change reloaded the text from the file just written.
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), JoinLines(rewritten));
    EXPECT_EQ(ActivePage(), form->Output_TabSheet);
    EXPECT_TRUE(form->Output_TabSheet->GraphImage->isVisible());
    EXPECT_EQ(DMTylwen.FileName, out);
    EXPECT_EQ(DMTylwen.NrOfDataSets, 3);

    // From the Output page itself the status keeps the graph's text.
    form->Input->RadioButton1->setChecked(true);
    dialogs.OpenFileNames.push_back(out);
    ClickButton(form->Output_TabSheet->SeeOutput_Button);
    EXPECT_EQ(form->StatusText(), "Linear regession graph");
    EXPECT_EQ(LinesAfterName(out), LinesAfterName(SourcePath("examples/worked-example.out")));
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), JoinLines(FileLines(out)));
    EXPECT_TRUE(dialogs.Messages.empty());

    // Without its input file the earlier calculation's graph goes too.
    ASSERT_TRUE(CopyFile(out, InFolder("lonely.out")));
    dialogs.OpenFileNames.push_back(InFolder("lonely.out"));
    ClickButton(form->Output_TabSheet->SeeOutput_Button);
    EXPECT_FALSE(form->Output_TabSheet->GraphImage->isVisible());
}

TEST_F(TCommandTest, RowsWithAnEmptyCellAreDroppedAndTheTableClosesUp) {
    TypeField();
    TypeCell(2, 2, QString());
    TypeCell(6, 1, QString());
    SaveCalculate(FieldInp());

    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("13"));
    EXPECT_EQ(Grid().RowCount(), 13);
    EXPECT_EQ(DMTylwen.NrOfDataSets, 13);
    EXPECT_EQ(Cell(0, 12), "13");
    EXPECT_EQ(Cell(1, 2), "11.7");
    EXPECT_EQ(Cell(1, 5), "7.5");
    const std::vector<std::string> lines = FileLines(FieldInp());
    ASSERT_EQ(lines.size(), 14u + 13u + 1u);
    EXPECT_EQ(lines[16], "    3      11.700       0.460      1.010");
    EXPECT_EQ(lines[26], "   13       2.600       0.940      1.070");
    EXPECT_TRUE(RowsIncomplete);
    EXPECT_EQ(dialogs.Messages.size(), 1u);
}

// Every kept row converts before anything changes: the bad cell stays in
// view to be corrected, with the whole table around it.
TEST_F(TCommandTest, ATextInAKeptRowLeavesTheTableAsTheUserLeftIt) {
    TypeField();
    TypeCell(1, 1, QString());
    TypeCell(4, 3, QStringLiteral("1.O1"));
    SaveCalculate(FieldInp());
    EXPECT_EQ(dialogs.TakeErrors(),
              std::vector<std::string>({"'1.O1' is not a valid floating point value"}));
    EXPECT_EQ(DMTylwen.NrOfDataSets, 15);
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    EXPECT_EQ(Cell(3, 4), "1.O1");
    EXPECT_EQ(CurrentCell(), std::make_pair(4, 3));
    EXPECT_EQ(Cell(1, 14), "2.6");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));

    TypeCell(4, 3, QStringLiteral("1.01"));
    SaveCalculate(FieldInp());
    EXPECT_EQ(FileLines(FieldInp()).size(), 14u + 14u + 1u);
}

TEST_F(TCommandTest, CancelledOrMissingFilesAreTold) {
    ShowPage(form->Input);
    dialogs.OpenFileNames = {std::nullopt, InFolder("none.inp")};
    ClickButton(form->Input->Button1);
    ClickButton(form->Input->Button1);
    dialogs.OpenFileNames = {std::nullopt, InFolder("none.out")};
    form->OutputOpen->trigger();
    form->OutputOpen->trigger();
    dialogs.SaveFileNames = {std::nullopt};
    ClickButton(form->Input->Button2);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({
                                    "No input file was selected",
                                    "File does not exist, please select another one,",
                                    "No output file was selected",
                                    "File does not exist, please select another one,",
                                    NotSaved,
                                }));
    EXPECT_TRUE(form->SaveCancelled);
    EXPECT_EQ(DMTylwen.FileName, InFolder("none.out"));
    EXPECT_FALSE(form->Output_TabSheet->Output_Memo->isVisible());
    EXPECT_FALSE(DataPresent);
}

TEST_F(TCommandTest, NoToOverwriteLeavesTheFileAndKeepsTheNewName) {
    const std::string existing = InFolder("results.inp");
    QFile file(QString::fromStdString(existing));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    TypeField();
    dialogs.YesNoAnswers.push_back(false);
    SaveCalculate(InFolder("results.dat"));
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>({"The file already exists, overwrite?"}));
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({NotSaved}));
    EXPECT_EQ(ReadWholeFile(existing), "keep me");
    EXPECT_EQ(DMTylwen.FileName, existing);
    EXPECT_FALSE(form->SaveCancelled);
}

// Refused before either file is written; the e2e case
// output_file_linked_to_input_is_refused takes the road of Open-output.
TEST_F(TCommandTest, InputAndOutputThatAreOneFileAreRefused) {
    ASSERT_TRUE(
        QFile::link(QString::fromStdString(FieldInp()), QString::fromStdString(FieldOut())));
    TypeField();
    SaveCalculate(FieldInp());
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>({SameFileMessage(FieldInp(), FieldOut())}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));
}

TEST_F(TCommandTest, UntouchedTableIsRefusedAndNothingWritten) {
    ShowPage(form->Input);
    SaveCalculate(FieldInp());
    EXPECT_EQ(
        dialogs.Messages,
        std::vector<std::string>(
            {"Not all data values in the inputfile are real, do not use letters or blanks."}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));
    EXPECT_EQ(DMTylwen.NrOfDataSets, 15);
    EXPECT_EQ(CurrentCell(), std::make_pair(0, 1));
}

TEST_F(TCommandTest, InconsistentDepthsAreRefusedBeforeAnythingIsWritten) {
    TypeField();
    TypeCell(3, 3, QStringLiteral("0.46"));
    TypeCell(6, 2, QStringLiteral("1.1"));
    TypeCell(6, 3, QStringLiteral("1.2"));
    SaveCalculate(FieldInp());
    EXPECT_EQ(CurrentCell(), std::make_pair(3, 3));
    TypeCell(3, 3, QStringLiteral("1.01"));
    SaveCalculate(FieldInp());
    EXPECT_EQ(CurrentCell(), std::make_pair(6, 2));
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>({NearNotDeeperMessage, MidwayNotAboveDrainsMessage}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));
    EXPECT_FALSE(ResultsAvailable);
}

TEST_F(TCommandTest, DrainsWiderThanTheirSpacingAreRefusedBeforeAnythingIsWritten) {
    for (const auto& [radius, error] : std::vector<std::pair<QString, std::string>>{
             {"100", "The drain radius (100 m) must be less than half the drain spacing (20 m)"},
             {"0", "The drain radius must be a positive length, not 0 m"}}) {
        TypeField();
        EnterField(form->Input->Edit5, radius);
        dialogs.TakeErrors();
        SaveCalculate(FieldInp());
        EXPECT_EQ(dialogs.TakeErrors(), std::vector<std::string>({error}));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));
        EXPECT_FALSE(ResultsAvailable);
    }
}

// Discharges near 1e300 mm/day give Q/H" beyond the graph's integer axes.
TEST_F(TCommandTest, GraphTooLargeToDrawIsToldInTheStatusBar) {
    TypeField();
    for (int row = 0; row < 15; ++row) {
        TypeCell(row, 1, QStringLiteral("%1e300").arg(1.0 + 0.1 * row));
    }
    SaveCalculate(FieldInp());
    EXPECT_TRUE(ResultsAvailable && form->Output_TabSheet->GraphImage->isVisible());
    EXPECT_EQ(form->StatusText(),
              "The values are too large to draw: the graph shows only the axes that can hold them");
}

TEST_F(TCommandTest, DecimalCommaIsAcceptedAndWrittenWithAPoint) {
    TypeField();
    TypeCell(0, 1, QStringLiteral("1,5"));
    EnterField(form->Input->Edit4, QStringLiteral("20,5"));
    SaveCalculate(FieldInp());
    const std::vector<std::string> lines = FileLines(FieldInp());
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[14], "    1       1.500       0.260      0.980");
    EXPECT_NE(lines[4].find("20.50"), std::string::npos);
}

// A file that cannot be created has been told by the writer; nothing is
// calculated and nothing claims that the input was saved.
TEST_F(TCommandTest, UnwritableInputFileStopsTheCommand) {
    TypeField();
    const std::string path = InFolder("missing/field.inp");
    SaveCalculate(path);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({CouldNotCreateMessage(path)}));
    EXPECT_FALSE(ResultsAvailable);
    EXPECT_FALSE(OutputShown);
    EXPECT_EQ(ActivePage(), form->Input);
}

TEST_F(TCommandTest, ClosingUpToNothingSaysSoAndStops) {
    ShowPage(form->Input);
    for (int row = 0; row < 15; ++row) {
        TypeCell(row, 2, QString());
    }
    SaveCalculate(FieldInp());
    EXPECT_EQ(
        dialogs.Messages,
        std::vector<std::string>({"There are no complete data sets to save. Please enter data."}));
    // The partly typed rows stay for the user to complete.
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FieldInp())));
}

// Without its input file an output file is shown but neither recalculated
// nor overwritten.
TEST_F(TCommandTest, OpenOutputWithoutItsInputFileStops) {
    const std::string out = InFolder("lonely.out");
    ASSERT_TRUE(CopyFile(SourcePath("examples/worked-example.out"), out));
    const std::string before = ReadWholeFile(out);
    dialogs.OpenFileNames.push_back(out);
    form->OutputOpen->trigger();
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>({CouldNotOpenInputMessage(InFolder("lonely.inp"))}));
    EXPECT_EQ(ReadWholeFile(out), before);
    EXPECT_FALSE(ResultsAvailable);
    EXPECT_EQ(DMTylwen.FileName, out);
    EXPECT_EQ(form->StatusText(), "Linear regession graph");
    EXPECT_EQ(MemoText(form->Output_TabSheet->Output_Memo), JoinLines(FileLines(out)));
}

// After Open-output the Input page shows the file that was read, with fewer
// or more data sets than the page showed, and Save-calculate saves that.
TEST_F(TCommandTest, OpenOutputShowsItsInputFileOnTheInputPage) {
    const std::vector<std::string> names = {"worked-example", "pipe-drain-field"};
    for (const std::string& name : names) {
        ASSERT_TRUE(CopyFile(SourcePath("examples/" + name + ".inp"), InFolder(name + ".inp")));
        ASSERT_TRUE(CopyFile(SourcePath("examples/" + name + ".out"), InFolder(name + ".out")));
    }
    TypeField();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        // Ctrl+O from the count field, which shows the new count when left.
        form->Input->Edit1->setFocus();
        dialogs.OpenFileNames.push_back(InFolder(name + ".out"));
        form->OutputOpen->trigger();
        ShowPage(form->Input);
        const std::vector<std::string> expected = LinesAfterName(InFolder(name + ".inp"));
        EXPECT_EQ(form->Input->Edit1->text(), QString::number(expected.size() - 14));
        EXPECT_EQ(Grid().RowCount(), static_cast<int>(expected.size() - 14));
        SaveCalculate(InFolder("saved-" + name + ".inp"));
        EXPECT_EQ(LinesAfterName(InFolder("saved-" + name + ".inp")), expected);
    }
    EXPECT_TRUE(dialogs.Messages.empty());
}
