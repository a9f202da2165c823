// The Input page: its first showing, the count field and its messages, the
// site-constant fields, and typing into the grid.
#include "FixedMemory.h"
#include "UiFixture.h"

#include <QLabel>
#include <QRadioButton>
#include <QTabBar>

namespace {

std::vector<std::string> ColumnOf(const TDataGrid& grid, int column, int rows) {
    std::vector<std::string> cells;
    for (int row = 0; row < rows; ++row) {
        cells.push_back(grid.Cell(column, row));
    }
    return cells;
}

} // namespace

TEST_F(TMainFormTest, FirstShowingBuildsAnEmptyTableOfFifteen) {
    ShowPage(form->Input);
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(ColumnOf(Grid(), 0, 3), std::vector<std::string>({"1", "2", "3"}));
    EXPECT_EQ(ColumnOf(Grid(), 2, 15), std::vector<std::string>(15, " "));
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("15"));
    EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral("1.2"));
    EXPECT_EQ(form->Input->Edit3->text(), QStringLiteral("10"));
    EXPECT_EQ(form->Input->Edit4->text(), QStringLiteral("50"));
    EXPECT_EQ(form->Input->Edit5->text(), QStringLiteral("0.1"));
    EXPECT_EQ(DMTylwen.NrOfDataSets, 15);
    EXPECT_EQ(DMTylwen.GridRows, 15);
    EXPECT_EQ(DMTylwen.WorkDischarge.size(), 16u);
    EXPECT_FALSE(DataPresent);
    EXPECT_TRUE(form->Input->RadioButton1->isChecked());
    EXPECT_FALSE(form->Input->RadioButton2->isChecked());
    EXPECT_EQ(form->Input->Label6->text(), QStringLiteral("- - - - - - - - - - - "));
    EXPECT_EQ(Grid().geometry(), QRect(56, 128, 281, 353));
    EXPECT_EQ(form->Input->Label2->geometry(), QRect(128, 64, 59, 48));
    EXPECT_TRUE(form->Input->Label2->wordWrap());
    EXPECT_EQ(form->Input->Label7->size(), form->Input->Label7->sizeHint());
    EXPECT_EQ(Grid().rowHeight(0), 24);
    EXPECT_EQ(Grid().columnWidth(3), 64);
    EXPECT_FALSE(Grid().tabKeyNavigation());
}

TEST_F(TMainFormTest, TheSerialColumnCannotBeEdited) {
    ShowPage(form->Input);
    Grid().setCurrentCell(0, 0);
    Grid().edit(Grid().currentIndex());
    EXPECT_EQ(Grid().CellEditor(), nullptr);
    EXPECT_EQ(Cell(0, 0), "1");
}

// Tab ends an edit and leaves the grid for the next control, Shift+Tab for
// the one before (the page tabs); Return and the arrows end it and stay in
// the grid, Return moving on to the next cell of the row.
TEST_F(TMainFormTest, TabInACellEditorCommitsTheCellAndLeavesTheGrid) {
    ShowPage(form->Input);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* focused;
        int currentRow;
        int currentColumn;
    } keys[] = {{Qt::Key_Tab, Qt::NoModifier, form->Input->Edit1, 2, 1},
                {Qt::Key_Backtab, Qt::ShiftModifier, form->PageControl1->tabBar(), 2, 1},
                {Qt::Key_Return, Qt::NoModifier, &Grid(), 2, 2},
                {Qt::Key_Down, Qt::NoModifier, &Grid(), 3, 1}};
    for (const auto& key : keys) {
        SCOPED_TRACE(key.key);
        TCellEditor* editor = OpenCell(2, 1);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QString::number(key.key));
        QTest::keyClick(editor, key.key, key.modifiers);
        QApplication::processEvents();
        EXPECT_EQ(Cell(1, 2), std::to_string(key.key));
        EXPECT_EQ(Grid().CellEditor(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), key.focused);
        EXPECT_EQ(Grid().currentIndex().row(), key.currentRow);
        EXPECT_EQ(Grid().currentIndex().column(), key.currentColumn);
    }
}

TEST_F(TMainFormTest, TypingACellStoresItAndMarksDataPresent) {
    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("4.5"));
    EXPECT_EQ(Cell(1, 0), "4.5");
    EXPECT_TRUE(DataPresent);

    // Leaving the page and coming back keeps what was typed, one row per data set.
    ShowPage(form->Figure_TabSheet);
    ShowPage(form->Input);
    EXPECT_EQ(Cell(1, 0), "4.5");
    EXPECT_EQ(Grid().RowCount(), 15);
}

TEST_F(TMainFormTest, TabInTheCellEditorCommitsTheCellAndLeavesTheGrid) {
    ShowPage(form->Input);
    TCellEditor* editor = OpenCell(0, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "2.5");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(Grid().CellEditor(), nullptr);
    EXPECT_EQ(Cell(1, 0), "2.5");
    EXPECT_EQ(QApplication::focusWidget(), form->Input->Edit1);

    editor = OpenCell(1, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid().CellEditor(), nullptr);
    // Shift+Tab leaves it backwards, for the page tabs before it.
    EXPECT_EQ(QApplication::focusWidget(), form->PageControl1->tabBar());
}

TEST_F(TMainFormTest, CountFieldRefusesWhatIsNoCountOrTooSmall) {
    ShowPage(form->Input);
    EnterField(form->Input->Edit1, QStringLiteral("abc"));
    EnterField(form->Input->Edit1, QStringLiteral("9"));
    EnterField(form->Input->Edit1, QStringLiteral("12"));
    EnterField(form->Input->Edit1, QStringLiteral("15"));
    EnterField(form->Input->Edit1, QString());
    // A count the memory cannot hold is refused instead of running out of it.
    const TFixedMemory oneGigabyte(1000000000);
    form->SetMemoryProbe(oneGigabyte);
    EnterField(form->Input->Edit1, QStringLiteral("2147483647"));
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>({"The number of data sets is not a valid integer",
                                        " The minimum number of data sets is 10",
                                        " To remove data make the relevant data cells empty",
                                        "There is not enough memory for 2147483647 data sets: "
                                        "about 858 GB would be needed and 1.0 GB is available."}));
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(DMTylwen.NrOfDataSets, 15);
}

TEST_F(TMainFormTest, RaisingTheCountOverBlankCellsStopsAtTheConversion) {
    ShowPage(form->Input);
    EnterField(form->Input->Edit1, QStringLiteral("20"));
    EXPECT_EQ(dialogs.Messages,
              std::vector<std::string>({" Add data in the last cells at the end of the column"}));
    EXPECT_EQ(dialogs.TakeErrors(),
              std::vector<std::string>({"' ' is not a valid floating point value"}));
    EXPECT_EQ(Grid().RowCount(), 15);
    EXPECT_EQ(DMTylwen.NrOfDataSets, 15);
    EXPECT_EQ(DMTylwen.GridRows, 15);
}

// Raising the count never changes what the rows showed: typed values stay,
// even where input arrays from an earlier file differ, and new rows show 0.
TEST_F(TMainFormTest, RaisingTheCountKeepsTheRowsAndAddsZeros) {
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    TypeCell(0, 1, QStringLiteral("1,5"));
    EnterField(form->Input->Edit1, QStringLiteral("20"));
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(Grid().RowCount(), 20);
    EXPECT_EQ(form->Input->Edit1->text(), QStringLiteral("20"));
    EXPECT_EQ(Cell(1, 0), "1.5");
    EXPECT_EQ(Cell(2, 14), "0.94");
    EXPECT_EQ(Cell(0, 19), "20");
    EXPECT_EQ(ColumnOf(Grid(), 3, 20).back(), "0");
    EXPECT_EQ(Cell(1, 15), "0");
    EXPECT_EQ(DMTylwen.NrOfDataSets, 20);
    EXPECT_EQ(DMTylwen.PreviousNrOfDataSets, 15);
    EXPECT_EQ(DMTylwen.WorkMidway[14], 0.94);
    EXPECT_EQ(DMTylwen.WorkMidway[19], 0.0);
}

TEST_F(TMainFormTest, RaisingTheCountAfterAnOpenedFileKeepsEditedValues) {
    dialogs.OpenFileNames.push_back(SourcePath("examples/pipe-drain-field.inp"));
    ClickButton(form->Input->Button1);
    ShowPage(form->Input);
    TypeCell(2, 2, QStringLiteral("0.4"));
    EnterField(form->Input->Edit1, QStringLiteral("18"));
    EXPECT_EQ(Cell(2, 2), "0.4");
    EXPECT_EQ(Cell(1, 2), "12.8");
    EXPECT_EQ(Cell(1, 17), "0");
    EXPECT_EQ(Grid().RowCount(), 18);
    // The table takes any length the memory holds.
    EnterField(form->Input->Edit1, QStringLiteral("150000"));
    EXPECT_EQ(Grid().RowCount(), 150000);
    EXPECT_EQ(Cell(2, 2), "0.4");
    EXPECT_EQ(Cell(3, 149999), "0");
}

TEST_F(TMainFormTest, SiteConstantsAreStoredWhenTheirFieldIsLeft) {
    ShowPage(form->Input);
    EnterField(form->Input->Edit3, QStringLiteral("12,5"));
    EnterField(form->Input->Edit4, QStringLiteral(" 25"));
    EnterField(form->Input->Edit5, QStringLiteral("5E-2"));
    EXPECT_EQ(DMTylwen.ImpermeableDepth, 12.5);
    EXPECT_EQ(DMTylwen.DrainSpacing, 25.0);
    EXPECT_EQ(DMTylwen.DrainRadius, 0.05);

    EnterField(form->Input->Edit2, QString());
    EnterField(form->Input->Edit3, QStringLiteral("abc"));
    EXPECT_EQ(dialogs.TakeErrors(),
              std::vector<std::string>({"'' is not a valid floating point value",
                                        "'abc' is not a valid floating point value"}));
    EXPECT_EQ(DMTylwen.DrainDepth, 1.2);
    EXPECT_EQ(DMTylwen.ImpermeableDepth, 12.5);
    EXPECT_EQ(form->Input->Edit3->text(), QStringLiteral("abc"));
}

TEST_F(TMainFormTest, LeavingAFieldForAnotherWindowIsNoExit) {
    ShowPage(form->Input);
    form->Input->Edit2->setFocus(Qt::TabFocusReason);
    form->Input->Edit2->setText(QStringLiteral("x"));
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form->Input->Edit2, &deactivated);
    EXPECT_TRUE(dialogs.Errors.empty());
}
