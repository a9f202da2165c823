// Edit > Undo and Redo over the steps a user takes on a typed table: each
// step named in the menu, undone to exactly the page before it and redone to
// exactly the page after it. The real keys: tests/e2e/case_undo_paste_gives_back_typed_rows.py.
#include "FixedMemory.h"
#include "UiFixture.h"

#include <QAction>

#include <functional>

namespace {

struct TUndoCase {
    const char* Step;
    std::function<void(TMainFormTest&)> Action;
    // What the page holds before the step, beyond the typed table.
    std::function<void(TMainFormTest&)> Prepare = [](TMainFormTest&) {};
};

} // namespace

class TUndoTest : public TMainFormTest, public ::testing::WithParamInterface<TUndoCase> {
public:
    // Public for the cases' actions.
    using TMainFormTest::ClickButton;
    using TMainFormTest::dialogs;
    using TMainFormTest::EnterField;
    using TMainFormTest::form;
    using TMainFormTest::InFolder;
    using TMainFormTest::OpenCell;
    using TMainFormTest::TypeCell;

protected:
    // The cells, row count, fields and store values a step may change.
    std::vector<std::string> Page() const {
        std::vector<std::string> page;
        for (int row = 0; row < 24; ++row) {
            for (int column = 0; column < 4; ++column) {
                page.push_back(Cell(column, row));
            }
        }
        for (const TTextField* field : {form->Input->Edit1, form->Input->Edit2, form->Input->Edit3,
                                        form->Input->Edit4, form->Input->Edit5}) {
            page.push_back(field->text().toStdString());
        }
        const TDMTylwen& store = DMTylwen;
        for (double value : {double(Grid().RowCount()), double(store.NrOfDataSets),
                             double(store.PreviousNrOfDataSets), double(store.GridRows),
                             store.DrainSpacing, double(DataPresent)}) {
            page.push_back(std::to_string(value));
        }
        return page;
    }
};

TEST_P(TUndoTest, StepIsNamedUndoneAndRedoneExactly) {
    ShowPage(form->Input);
    EXPECT_FALSE(form->Undo->isEnabled());
    EXPECT_FALSE(form->Redo->isEnabled());
    TypeTable(PipeDrainField());
    GetParam().Prepare(*this);
    const std::vector<std::string> before = Page();
    GetParam().Action(*this);
    ShowPage(form->Input);
    const std::vector<std::string> after = Page();
    ASSERT_NE(after, before);
    EXPECT_EQ(form->Undo->text().toStdString(), std::string("&Undo ") + GetParam().Step);
    form->Undo->trigger();
    EXPECT_EQ(Page(), before);
    EXPECT_EQ(form->Redo->text().toStdString(), std::string("&Redo ") + GetParam().Step);
    form->Redo->trigger();
    EXPECT_EQ(Page(), after);
    EXPECT_FALSE(form->Redo->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TUndoTest,
    ::testing::Values(
        TUndoCase{"typing in row 2, column 1",
                  [](TMainFormTest& test) {
                      static_cast<TUndoTest&>(test).TypeCell(1, 1, QStringLiteral("12.75"));
                  }},
        TUndoCase{"paste of 20 rows",
                  [](TMainFormTest& test) {
                      QString block;
                      for (int i = 0; i < 20; ++i) {
                          block += QStringLiteral("%1\t0.5\t1.2\r\n").arg(i + 1);
                      }
                      QApplication::clipboard()->setText(block);
                      TCellEditor* editor = static_cast<TUndoTest&>(test).OpenCell(0, 1);
                      QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
                  }},
        TUndoCase{"change of the number of data sets",
                  [](TMainFormTest& test) {
                      auto& undoTest = static_cast<TUndoTest&>(test);
                      undoTest.EnterField(undoTest.form->Input->Edit1, QStringLiteral("18"));
                  }},
        TUndoCase{"change of the drain spacing",
                  [](TMainFormTest& test) {
                      auto& undoTest = static_cast<TUndoTest&>(test);
                      undoTest.EnterField(undoTest.form->Input->Edit4, QStringLiteral("22,5"));
                  }},
        TUndoCase{
            "close-up of incomplete rows",
            [](TMainFormTest& test) {
                auto& undoTest = static_cast<TUndoTest&>(test);
                undoTest.dialogs.SaveFileNames.push_back(undoTest.InFolder("s.inp"));
                undoTest.ClickButton(undoTest.form->Input->Button2);
            },
            [](TMainFormTest& test) { static_cast<TUndoTest&>(test).TypeCell(2, 2, QString()); }},
        TUndoCase{"opening of pipe-drain-field.inp", [](TMainFormTest& test) {
                      auto& undoTest = static_cast<TUndoTest&>(test);
                      undoTest.dialogs.OpenFileNames.push_back(
                          SourcePath("examples/pipe-drain-field.inp"));
                      undoTest.ClickButton(undoTest.form->Input->Button1);
                  }}));

// A table the history may not copy leaves nothing to undo rather than steps
// that would give back a wrong table.
TEST_F(TMainFormTest, HistoryStartsAfreshWhenTheMemoryCannotHoldTheTable) {
    const TFixedMemory memory(2100);
    form->SetMemoryProbe(memory);
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    ASSERT_TRUE(form->Undo->isEnabled());
    EnterField(form->Input->Edit1, QStringLiteral("20"));
    EXPECT_EQ(Grid().RowCount(), 20);
    EXPECT_FALSE(form->Undo->isEnabled());
}
