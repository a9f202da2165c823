// The application shell: start-up state, pages and status texts, commands
// and menu, the exit road, Ctrl+X and Ctrl+Q, and the error box.
#include "UiFixture.h"

#include "UEventGuard.h"
#include "UMessageText.h"
#include "UQtDialogs.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <stdexcept>

namespace {

const char* const IntroStatus = "Use the Input tabsheet to continue";
const char* const InputStatus =
    "Enter data or use \"Open\" to edit existing data. Then use \"Save-Calculate\".";

} // namespace

TEST_F(TMainFormTest, OpensOnTheIntroPageWithTheStartValues) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Hydraulic conductivity calculator "));
    EXPECT_EQ(ActivePage(), form->Intro_Tabsheet);
    EXPECT_EQ(form->StatusText(), IntroStatus);
    EXPECT_FALSE(DataPresent || OutputShown || ResultsAvailable);
    EXPECT_EQ(DMTylwen.DrainDepth, 1.2);
    EXPECT_EQ(DMTylwen.ImpermeableDepth, 10.0);
    EXPECT_EQ(DMTylwen.DrainSpacing, 50.0);
    EXPECT_EQ(DMTylwen.DrainRadius, 0.1);
    // The spacing field shows its laid-out text until the Input page is first shown.
    EXPECT_EQ(form->Input->Edit4->text(), QStringLiteral("30"));
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(Cell(0, row), std::to_string(row + 1));
    }
    const QStringList tabs = {form->PageControl1->tabText(0), form->PageControl1->tabText(1),
                              form->PageControl1->tabText(2), form->PageControl1->tabText(3)};
    EXPECT_EQ(tabs, QStringList({" Intro ", " Figure ", "Input", " Output "}));
    EXPECT_EQ(form->centralWidget()->size(), QSize(715, 538));
    EXPECT_EQ(form->statusBar()->height(), 20);
    const std::string startFolder = QDir::currentPath().toStdString() + "/";
    EXPECT_EQ(form->InputOpen_Dialog.InitialDir, startFolder);
    EXPECT_EQ(form->OutputOpen_Dialog.DefaultExt, "out");
    EXPECT_EQ(form->InputSave_Dialog.Filter, "Input files (*.inp)|*.inp");
}

TEST_F(TMainFormTest, EachPageSetsItsStatusText) {
    ShowPage(form->Figure_TabSheet);
    EXPECT_EQ(form->StatusText(),
              "The figure gives explanations of symbols used in the input tabsheet");
    ShowPage(form->Input);
    EXPECT_EQ(form->StatusText(), InputStatus);
    ShowPage(form->Output_TabSheet);
    EXPECT_EQ(form->StatusText(),
              "The output file can be inspected. Use \"See output\" to see examples under "
              "\"Data\" or to inspect any other output file.");
    EXPECT_FALSE(form->Output_TabSheet->Output_Memo->isVisible());
    ShowPage(form->Intro_Tabsheet);
    EXPECT_EQ(form->StatusText(), IntroStatus);
}

TEST_F(TMainFormTest, CommandsCarryTheirCaptionsHintsAndShortcuts) {
    struct TExpected {
        QAction* Command;
        const char* Caption;
        const char* ToolTip;
        const char* StatusTip;
        QKeySequence Shortcut;
        bool Enabled;
    };
    const TExpected expected[] = {
        {form->InputOpen, "&InputOpen", "Open an existing datafile", "Open an existing datafile",
         QKeySequence("Ctrl+I"), true},
        {form->InputSave, "Input&Save", "Save the data into a datafile",
         "Save the data into a datafile", QKeySequence(), false},
        {form->OutputOpen, "&OutputOpen", "Open an output file", "Open an output file",
         QKeySequence("Ctrl+O"), true},
        // Without a hint Qt offers the caption as tooltip.
        {form->GraphOpen, "&GraphOpen", "GraphOpen", "", QKeySequence("Ctrl+G"), false},
        {form->FileExit1, "ProgramE&xit", "Exit", "Quits the application", QKeySequence("Ctrl+Q"),
         true},
        {form->EditCut1, "Cu&t", "Cut", "Cuts the selection and puts it on the Clipboard",
         QKeySequence("Ctrl+X"), false},
        {form->EditCopy1, "&Copy", "Copy", "Copies the selection and puts it on the Clipboard",
         QKeySequence("Ctrl+C"), false},
        {form->EditPaste1, "&Paste", "Paste", "Inserts Clipboard contents", QKeySequence("Ctrl+V"),
         false},
        {form->EditDelete1, "&Delete", "Delete", "Erases the selection", QKeySequence("Del"),
         false},
    };
    for (const TExpected& command : expected) {
        SCOPED_TRACE(command.Caption);
        EXPECT_EQ(command.Command->text(), QString::fromUtf8(command.Caption));
        EXPECT_EQ(command.Command->toolTip(), QString::fromUtf8(command.ToolTip));
        EXPECT_EQ(command.Command->statusTip(), QString::fromUtf8(command.StatusTip));
        EXPECT_EQ(command.Command->shortcut(), command.Shortcut);
        EXPECT_EQ(command.Command->isEnabled(), command.Enabled);
    }
    EXPECT_EQ(form->Output_TabSheet->SeeOutput_Button->toolTip(),
              QStringLiteral("Open an output file"));
}

TEST_F(TMainFormTest, MenuEntriesFollowTheirCommands) {
    QList<QAction*> fileEntries = form->FileMenu->actions();
    fileEntries.removeIf([](const QAction* entry) { return entry->isSeparator(); });
    EXPECT_EQ(fileEntries, QList<QAction*>({form->InputOpen1, form->InputSave1, form->OpenOutput1,
                                            form->GraphOpen1, form->ImportTable1, form->SaveReport1,
                                            form->SaveGraph1, form->ProgramExit}));
    EXPECT_EQ(form->ProgramExit->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(form->Cut->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(form->InputSave1->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_FALSE(form->InputSave1->isEnabled());
    EXPECT_FALSE(form->GraphOpen1->isEnabled());
    EXPECT_EQ(form->GraphOpen1->toolTip(), QStringLiteral("Open a graphis file"));
    EXPECT_EQ(form->ProgramExit->statusTip(), QStringLiteral("Quit the application"));
    EXPECT_EQ(form->EditMenu->title(), QStringLiteral("&Edit"));
    QList<QAction*> editEntries = form->EditMenu->actions();
    editEntries.removeIf([](const QAction* entry) { return entry->isSeparator(); });
    EXPECT_EQ(editEntries, QList<QAction*>({form->Undo, form->Redo, form->Cut, form->Copy,
                                            form->Paste, form->Delete}));

    // Ctrl+S and the entry stay inert: no save dialog is asked for.
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    form->InputSave1->trigger();
    EXPECT_TRUE(dialogs.SaveDialogs.empty());

    // Ctrl+O reaches the Open-output command through its entry.
    dialogs.OpenFileNames.push_back(std::nullopt);
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>({"No output file was selected"}));
}

TEST_F(TMainFormTest, EditCommandsFollowTheFocusedField) {
    ShowPage(form->Input);
    form->Input->Edit2->setFocus(Qt::TabFocusReason);
    form->Input->Edit2->setSelection(0, 1);
    EXPECT_TRUE(form->EditCut1->isEnabled());
    EXPECT_TRUE(form->EditCopy1->isEnabled());
    form->Copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1"));
    EXPECT_TRUE(form->EditPaste1->isEnabled());
    form->Delete->trigger();
    EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral(".2"));
    EXPECT_FALSE(form->EditCut1->isEnabled());
    form->Paste->trigger();
    EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral("1.2"));
}

TEST_F(TMainFormTest, ClosingTheMainWindowShowsTheExitDialogInstead) {
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(closeForm->isVisible());
    EXPECT_EQ(closeForm->StatusText(), FinishStatusText);
    EXPECT_EQ(closeForm->windowTitle(), QStringLiteral("Tylwen exit"));
    EXPECT_EQ(programEnded, 0);
    // The main window stays usable behind the dialog.
    ShowPage(form->Input);
    EXPECT_EQ(form->StatusText(), InputStatus);

    ClickButton(closeForm->Finish_Button);
    EXPECT_EQ(programEnded, 1);
}

TEST_F(TMainFormTest, ClosingTheExitDialogOrShowingTheMainWindowAgainEndsTheProgram) {
    form->FileExit1->trigger();
    ASSERT_TRUE(closeForm->isVisible());
    closeForm->close();
    EXPECT_EQ(programEnded, 1);

    closeForm->show();
    form->hide();
    form->show();
    EXPECT_EQ(programEnded, 2);
}

// Ctrl+X never reaches the exit command, whatever has the focus; Ctrl+Q does.
TEST_F(TMainFormTest, CtrlXCutsInAFieldTheCellEditorAndAGridCell) {
    ShowPage(form->Input);
    form->Input->Edit3->setFocus(Qt::TabFocusReason);
    form->Input->Edit3->selectAll();
    QTest::keyClick(form->Input->Edit3, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->Input->Edit3->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10"));
    form->Input->Edit3->setText(QStringLiteral("10"));
    form->Input->Edit3->deselect();
    QTest::keyClick(form->Input->Edit3, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->Input->Edit3->text(), QStringLiteral("10"));

    TCellEditor* editor = OpenCell(0, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "2.5");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Cell(1, 0), "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2.5"));
    QTest::keyClick(editor, Qt::Key_Escape);

    Grid().SetCell(2, 3, "0.75");
    Grid().setCurrentCell(3, 2);
    Grid().setFocus(Qt::TabFocusReason);
    QTest::keyClick(&Grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Cell(2, 3), "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0.75"));
    EXPECT_TRUE(DataPresent);
    EXPECT_FALSE(closeForm->isVisible());

    // The cut values are unsaved work: Ctrl+Q asks about them first.
    dialogs.UnsavedAnswers.push_back(TUnsavedChoice::Discard);
    QTest::keyClick(&Grid(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Questions, std::vector<std::string>({UnsavedWorkQuestion}));
    EXPECT_TRUE(closeForm->isVisible());
}

TEST_F(TMainFormTest, ControlsHaveAccessibleNames) {
    EXPECT_EQ(form->Input->Edit1->accessibleName(), QStringLiteral("Nr. of data sets"));
    EXPECT_EQ(form->Input->Edit2->accessibleName(), QStringLiteral("Drain depth (m)"));
    EXPECT_EQ(form->Input->Edit3->accessibleName(),
              QStringLiteral("Depth to the impermable layer (m)"));
    EXPECT_EQ(form->Input->Edit4->accessibleName(), QStringLiteral("Drain spacing (m)"));
    EXPECT_EQ(form->Input->Edit5->accessibleName(), QStringLiteral("Drain radius (m)"));
    EXPECT_EQ(Grid().accessibleName(), QStringLiteral("Data sets"));
    EXPECT_EQ(form->Input->Button2->accessibleName(), QStringLiteral("Save - calculate"));
    // The Report and Design pages with the controls that showing them builds.
    form->Report();
    form->Design();
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const bool control = widget->focusPolicy() != Qt::NoFocus && widget->isWindow() == false;
        if (control && !qobject_cast<QLabel*>(widget) && widget->parent() != &Grid() &&
            !widget->objectName().isEmpty()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
}

TEST(ErrorBox, AddsAFullStopAndCatchesEverything) {
    EXPECT_EQ(WithFullStop("'' is not a valid floating point value"),
              "'' is not a valid floating point value.");
    EXPECT_EQ(WithFullStop("Invalid numeric input."), "Invalid numeric input.");

    TScriptedDialogs dialogs;
    RunGuarded(dialogs, [] { throw std::runtime_error("Floating point division by zero"); });
    RunGuarded(dialogs, [] { throw 42; });
    EXPECT_EQ(dialogs.TakeErrors(),
              std::vector<std::string>({"Floating point division by zero", UnknownErrorMessage}));
}

TEST(FileDialogFilter, BecomesQtsNameFilter) {
    EXPECT_EQ(QtNameFilters("Input files (*.inp)|*.inp"), QStringLiteral("Input files (*.inp)"));
    EXPECT_EQ(QtNameFilters("Output files|*.out|All files|*.*"),
              QStringLiteral("Output files (*.out);;All files (*.*)"));
}

// It keeps its height: grown downwards it would reach under the graph.
TEST_F(TMainFormTest, OutputTextGrowsWiderWithTheWindow) {
    ShowPage(form->Output_TabSheet);
    EXPECT_EQ(form->Output_TabSheet->Output_Memo->geometry(), QRect(22, 16, 609, 113));
    form->resize(form->size() + QSize(100, 40));
    QApplication::processEvents();
    EXPECT_EQ(form->Output_TabSheet->Output_Memo->geometry(), QRect(22, 16, 709, 113));
    EXPECT_EQ(form->Output_TabSheet->GraphImage->geometry(), QRect(24, 144, 607, 313));
}

// Screen readers read the status line's label by its accessible name; Qt
// announces each new name (NameChanged) once a reader is listening.
TEST_F(TMainFormTest, StatusTextIsTheStatusLinesAccessibleName) {
    const auto accessibleStatus = [](QMainWindow& window) {
        auto* label = window.statusBar()->findChild<QLabel*>();
        return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name).toStdString();
    };
    ShowPage(form->Figure_TabSheet);
    EXPECT_EQ(accessibleStatus(*form), form->StatusText());
    form->FileExit1->trigger();
    EXPECT_EQ(accessibleStatus(*closeForm), FinishStatusText);
}

// The window goes away while the user is typing, in a cell or in a field:
// the commands that act on the controls go first, so none of them runs on
// the way out (the sanitizer build of script/test sees any that would).
TEST_F(TMainFormTest, WindowGoesAwayWhileTyping) {
    const std::function<void()> typing[] = {
        [this] { QTest::keyClicks(OpenCell(0, 1), "7"); },
        [this] {
            form->Input->Edit2->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(form->Input->Edit2, "3");
        },
    };
    for (const auto& type : typing) {
        StartWindow();
        ShowPage(form->Input);
        type();
        ASSERT_TRUE(form->HasUnsavedWork());
        form.reset();
        EXPECT_EQ(programEnded, 0);
        EXPECT_TRUE(dialogs.Messages.empty());
    }
}
