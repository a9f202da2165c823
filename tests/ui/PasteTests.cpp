// Pastes through the real clipboard into the grid: Ctrl+V in a cell's
// editor, the Edit menu's Paste, and Ctrl+V on a cell that is not edited.
#include "FixedMemory.h"
#include "UiFixture.h"

#include <QAction>

namespace {

QString Block(const std::vector<TDataRow>& rows, const char* lineEnd) {
    QString text;
    for (const TDataRow& row : rows) {
        text += QStringLiteral("%1\t%2\t%3").arg(row.Discharge, row.Midway, row.Near);
        text += QString::fromUtf8(lineEnd);
    }
    return text;
}

std::vector<TDataRow> TwentyRows() {
    static std::vector<std::string> texts;
    std::vector<TDataRow> rows;
    texts.clear();
    texts.reserve(60);
    for (int i = 0; i < 20; ++i) {
        texts.push_back(QString::number(20 - i).toStdString());
        texts.push_back(QString::number(0.2 + 0.03 * i).toStdString());
        texts.push_back(QString::number(1.0 + 0.005 * i).toStdString());
    }
    for (int i = 0; i < 20; ++i) {
        rows.push_back({texts[3 * i].c_str(), texts[3 * i + 1].c_str(), texts[3 * i + 2].c_str()});
    }
    return rows;
}

} // namespace

class TPasteTest : public TMainFormTest {
protected:
    void PasteWithCtrlV(int row, int column, const QString& text) {
        QApplication::clipboard()->setText(text);
        TCellEditor* editor = OpenCell(row, column);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    }

    void ExpectPipeDrainFieldInTheStore() {
        const std::vector<TDataRow>& rows = PipeDrainField();
        ASSERT_EQ(DMTylwen.NrOfDataSets, static_cast<int>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(DMTylwen.WorkDischarge[i], std::stod(rows[i].Discharge));
            EXPECT_EQ(DMTylwen.WorkMidway[i], std::stod(rows[i].Midway));
            EXPECT_EQ(DMTylwen.WorkNear[i], std::stod(rows[i].Near));
        }
    }
};

TEST_F(TPasteTest, TwentyLinesIntoTheFirstRowGrowTheTable) {
    ShowPage(form->Input);
    const std::vector<TDataRow> rows = TwentyRows();
    PasteWithCtrlV(0, 1, Block(rows, "\r\n"));
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Grid().RowCount(), 20);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("20"));
    EXPECT_EQ(Cell(0, 19), "20");
    EXPECT_EQ(Cell(1, 19), "1");
    EXPECT_EQ(DMTylwen.NrOfDataSets, 20);
    EXPECT_EQ(DMTylwen.GridRows, 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(DMTylwen.WorkDischarge[i], 20.0 - i);
        EXPECT_EQ(DMTylwen.WorkNear[i], std::stod(rows[i].Near));
    }
    EXPECT_TRUE(DataPresent);
    // The editor holds the start cell's own value, not the block.
    ASSERT_NE(Grid().CellEditor(), nullptr);
    EXPECT_EQ(Grid().CellEditor()->text(), QStringLiteral("20"));
}

class TLineEndTest : public TPasteTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TLineEndTest, EveryLineEndEndsALine) {
    ShowPage(form->Input);
    PasteWithCtrlV(0, 1, Block(PipeDrainField(), GetParam()));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    ExpectPipeDrainFieldInTheStore();
}

INSTANTIATE_TEST_SUITE_P(LineEnds, TLineEndTest, ::testing::Values("\r\n", "\n", "\r"));

TEST_F(TPasteTest, JunkFailsWithTheCompletionMessage) {
    ShowPage(form->Input);
    dialogs.YesNoAnswers.push_back(false);
    PasteWithCtrlV(0, 1, QStringLiteral("abc\tdef\r\n"));
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({"The data sets need completion."}));
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(ActivePage(), form->Input);
    // The emptied start cell was an edit of its own.
    EXPECT_TRUE(DataPresent);
}

// Ctrl+V in the editor or on the cell: the refusal says why, and the cell
// keeps its text, also once the edit ends.
TEST_F(TPasteTest, ABlockTooLargeForTheMemoryLeavesTheCellAsItWas) {
    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("4.5"));
    const TFixedMemory memory(100000);
    form->SetMemoryProbe(memory);
    QApplication::clipboard()->setText(Block(TwentyRows(), "\r\n").repeated(50));
    for (const bool inEditor : {true, false}) {
        dialogs.Messages.clear();
        if (inEditor) {
            QTest::keyClick(OpenCell(0, 1), Qt::Key_V, Qt::ControlModifier);
        } else {
            Grid().setCurrentCell(0, 1);
            QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
        }
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].rfind("The pasted block of 1000 lines is too large for the "
                                            "memory available: about ",
                                            0),
                  0u);
        ASSERT_NE(Grid().CellEditor(), nullptr);
        EXPECT_EQ(Grid().CellEditor()->text(), QStringLiteral("4.5"));
        QTest::keyClick(Grid().CellEditor(), Qt::Key_Return);
        EXPECT_EQ(Cell(1, 0), "4.5");
        EXPECT_EQ(Cell(1, 1), " ");
        EXPECT_EQ(Grid().RowCount(), 15);
        EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    }
}

TEST_F(TPasteTest, EditMenuPasteInsertsIntoTheEditedCell) {
    ShowPage(form->Input);
    QApplication::clipboard()->setText(Block(PipeDrainField(), "\r\n"));
    TCellEditor* editor = OpenCell(0, 1);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), editor);
    form->Paste->trigger();
    ExpectPipeDrainFieldInTheStore();
    EXPECT_EQ(Cell(1, 0), "15");
}

TEST_F(TPasteTest, CtrlVOnACellNotBeingEditedPastesAsIntoAnEmptyEditor) {
    ShowPage(form->Input);
    QApplication::clipboard()->setText(Block(PipeDrainField(), "\n"));
    Grid().setFocus(Qt::MouseFocusReason);
    Grid().setCurrentCell(0, 1);
    ASSERT_EQ(Grid().CellEditor(), nullptr);
    QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
    ExpectPipeDrainFieldInTheStore();
    EXPECT_EQ(Cell(1, 0), "15");

    // A single value replaces the cell's text.
    QApplication::clipboard()->setText(QStringLiteral("3.25"));
    QTest::keyClick(Grid().CellEditor(), Qt::Key_Escape);
    Grid().setFocus(Qt::MouseFocusReason);
    Grid().setCurrentCell(4, 2);
    QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(2, 4), "3.25");
}

TEST_F(TPasteTest, PastedTableSavesLikeTheSameTableTyped) {
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("typed.inp"));

    StartWindow();
    ShowPage(form->Input);
    PasteWithCtrlV(0, 1, Block(PipeDrainField(), "\r\n"));
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("pasted.inp"));

    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(LinesAfterName(InFolder("pasted.inp")), LinesAfterName(InFolder("typed.inp")));
    EXPECT_EQ(LinesAfterName(InFolder("pasted.out")), LinesAfterName(InFolder("typed.out")));
    EXPECT_EQ(FileLines(InFolder("pasted.out")).size(), 5u);
}
