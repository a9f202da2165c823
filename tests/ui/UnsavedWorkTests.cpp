// Unsaved work on the way out: every change of the page is asked about before
// the exit dialog, Save ends only once saved, and the caption names the data
// sets' file. The real boxes and keys:
// tests/e2e/case_unsaved_value_is_asked_about_on_every_way_out.py.
#include "FixedMemory.h"
#include "UiFixture.h"

#include <QAction>
#include <QRadioButton>
#include <QWindow>

#include <functional>

class TUnsavedWorkTest : public TMainFormTest {
protected:
    // The caption as the window system shows it, the mark resolved.
    std::string ShownCaption() const { return form->windowHandle()->title().toStdString(); }

    // Asks to end; a question is answered with `choice`. True when asked.
    bool AskToEnd(TUnsavedChoice choice) {
        dialogs.Questions.clear();
        dialogs.UnsavedAnswers = {choice};
        form->FileExit1->trigger();
        return dialogs.Questions == std::vector<std::string>({UnsavedWorkQuestion});
    }
};

// Cancel keeps the change unsaved; the close box asks too.
TEST_F(TUnsavedWorkTest, EveryKindOfChangeIsAskedAbout) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a drain depth typed, the field not left",
         [this] {
             form->Input->Edit2->setFocus(Qt::TabFocusReason);
             QTest::keyClicks(form->Input->Edit2, "5");
         }},
        {"a count left", [this] { EnterField(form->Input->Edit1, QStringLiteral("12")); }},
        {"the other option", [this] { form->Input->RadioButton2->setChecked(true); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        StartWindow();
        ShowPage(form->Input);
        change();
        EXPECT_TRUE(AskToEnd(TUnsavedChoice::Cancel));
        EXPECT_FALSE(closeForm->isVisible());
        EXPECT_TRUE(form->HasUnsavedWork());
        dialogs.UnsavedAnswers = {TUnsavedChoice::Discard};
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(closeForm->isVisible());
    }
}

TEST_F(TUnsavedWorkTest, CaptionNamesTheSavedOrOpenedFileAndMarksChangesUntilUndone) {
    const std::string after = " - Hydraulic conductivity calculator";
    ShowPage(form->Input);
    dialogs.OpenFileNames.push_back(SourcePath("examples/pipe-drain-field.inp"));
    ClickButton(form->Input->Button1);
    EXPECT_EQ(ShownCaption(), "pipe-drain-field.inp" + after);
    TypeCell(0, 1, QStringLiteral("16"));
    EXPECT_EQ(ShownCaption(), "pipe-drain-field.inp*" + after);
    form->Undo->trigger();
    EXPECT_EQ(ShownCaption(), "pipe-drain-field.inp" + after);
    form->Redo->trigger();

    // Save from the question: a cancelled save dialog ends nothing.
    dialogs.SaveFileNames = {std::nullopt, InFolder("Field[*].dat")};
    EXPECT_TRUE(AskToEnd(TUnsavedChoice::Save));
    EXPECT_FALSE(closeForm->isVisible());
    EXPECT_TRUE(AskToEnd(TUnsavedChoice::Save));
    EXPECT_TRUE(closeForm->isVisible());
    // Qt's mark in a file name stays text.
    EXPECT_EQ(ShownCaption(), "Field[*].inp" + after);
    EXPECT_EQ(LinesAfterName(InFolder("Field[*].inp")).at(13).substr(0, 14), "    1      16.");
    EXPECT_FALSE(AskToEnd(TUnsavedChoice::Cancel));
}

// A history that gives up its steps for memory forgets no unsaved change.
TEST_F(TUnsavedWorkTest, ChangesTheHistoryCouldNotKeepStayUnsaved) {
    const TFixedMemory memory(2100);
    form->SetMemoryProbe(memory);
    ShowPage(form->Input);
    TypeTable(PipeDrainField());
    EnterSiteConstants("1.1", "5", "20", "0.05");
    SaveCalculate(InFolder("field.inp"));
    ASSERT_FALSE(form->HasUnsavedWork());

    ShowPage(form->Input);
    TypeCell(0, 1, QStringLiteral("16"));
    // A table too large for the history: it starts afresh.
    EnterField(form->Input->Edit1, QStringLiteral("20"));
    ASSERT_FALSE(form->Undo->isEnabled());
    EXPECT_TRUE(AskToEnd(TUnsavedChoice::Cancel));
}
