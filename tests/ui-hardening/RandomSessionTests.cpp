// Seeded random sessions with the real window: typing into cells and fields,
// changing the count, choosing an option, pasting through the clipboard,
// Save-calculate, Open-input and Open-output in a temporary folder, switching
// pages and the exit road abandoned. After every action nothing may have
// crashed, every error shown must be one the program means to show, the grid
// must agree with the store and show the rows a save takes, and every file on
// disk must be complete. Every save that calculates must have written what
// the page showed, and a second save on the unchanged page the same files.
// Steps are undone and redone now and then; at the end, undoing every step
// gives back the start table, and redoing them all the end table.
//
// SORAVIK_RANDOM_SEEDS (default 3) sets how many seeds run, and
// SORAVIK_RANDOM_ACTIONS (default 3000) how many actions each.
#include "../ui/UiFixture.h"

#include "UFileNames.h"
#include "UFileNumber.h"
#include "UInputFile.h"
#include "UNumberText.h"
#include "UOutputFile.h"

#include "RandomUser.h"

#include <QAction>
#include <QDirIterator>
#include <QRadioButton>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <random>

namespace {

int EnvironmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

// Answers questions at random and file dialogs with what the action chose.
class TRandomDialogs : public TUserDialogs {
public:
    explicit TRandomDialogs(std::mt19937& random) : random_(random) {}

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    bool AskYesNo(const std::string&) override {
        const std::optional<bool> answer = NextAnswer;
        NextAnswer.reset();
        return answer.value_or(random_() % 2 == 0);
    }
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions&) override {
        return TakeFileName();
    }
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions&) override {
        return TakeFileName();
    }
    TUnsavedChoice AskSaveDiscardCancel(const std::string&) override {
        LastUnsavedChoice = static_cast<TUnsavedChoice>(random_() % 3);
        return *LastUnsavedChoice;
    }

    std::vector<std::string> Messages;
    std::vector<std::string> Errors;
    // Nothing means the user cancels.
    std::optional<std::string> NextFileName;
    // Nothing means a random answer.
    std::optional<bool> NextAnswer;
    std::optional<TUnsavedChoice> LastUnsavedChoice;

private:
    std::optional<std::string> TakeFileName() {
        std::optional<std::string> name = NextFileName;
        NextFileName.reset();
        return name;
    }

    std::mt19937& random_;
};

// The errors a session may meet: a text that is no number, a file that holds
// one, site constants of no drained field or too few data sets, and arithmetic
// that random data can break. Anything else (a range error, an unexpected exception) is a fault of
// the program.
bool IsExpectedError(const std::string& text) {
    const std::string notANumber = "' is not a valid floating point value";
    const bool conversion =
        text.size() >= notANumber.size() + 1 && text.front() == '\'' &&
        text.compare(text.size() - notANumber.size(), notANumber.size(), notANumber) == 0;
    const bool geometry = text.rfind("The drain ", 0) == 0 ||
                          text.rfind("The depth to the impermeable layer ", 0) == 0 ||
                          text.rfind("At least ", 0) == 0;
    return conversion || geometry || text == "Invalid numeric input" ||
           text == "Floating point division by zero" ||
           text == "Invalid floating point operation" || text == "Floating point overflow";
}

// Whether a file the session left reads back whole.
::testing::AssertionResult InputFileIsComplete(const std::string& path) {
    TDMTylwen store;
    store.FileName = path;
    if (ReadInputFile(store).Outcome != TReadInputOutcome::Read) {
        return ::testing::AssertionFailure() << path << " does not read";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult OutputFileIsComplete(const std::string& path) {
    TDMTylwen store;
    if (const std::optional<TFileMessage> told = ReadOutputLines(path, store)) {
        return ::testing::AssertionFailure() << told->Text;
    }
    if (store.NrOfOutputLines != 5 || store.OutputLines.front() != " File: " + path ||
        store.OutputLines.back() != " (see Intro and Figure tabs)") {
        return ::testing::AssertionFailure() << path << " is not a complete output file";
    }
    return ::testing::AssertionSuccess();
}

class TRandomSession : public TMainFormTest, public ::testing::WithParamInterface<int> {
protected:
    using TDataSets = std::vector<std::vector<std::string>>;

    // What undo must give back: the cells a save or a paste can reach, the
    // row count, the five fields and the store's part of the table.
    struct TTable {
        std::vector<std::string> Cells;
        std::vector<std::string> Fields;
        std::vector<double> Store;
        bool operator==(const TTable& other) const {
            return Cells == other.Cells && Fields == other.Fields && Store == other.Store;
        }
    };

    TRandomSession() : user_(static_cast<std::mt19937::result_type>(GetParam())) {}
    void SetUp() override;

    // The actions, one of them drawn at random by RunOneAction.
    void RunOneAction();
    void TypeSomeCell();
    void LeaveCountField();
    void LeaveConstantField();
    void ChooseOption();
    // Mostly the way a table is pasted: into the first value cell.
    void Paste(const QString& text, const char* kind);
    void SaveCalculate();
    void OpenInput();
    void OpenOutput();
    void SwitchPage();
    void UndoOrRedo();
    // The exit dialog appears and the user turns back to the main window.
    void ExitAbandoned();

    void EnsurePage(QWidget* page);
    // A cell the user can reach: a value column of a shown row.
    std::pair<int, int> SomeCell();
    // Names in the session's folder; a few are missing or lie in a missing
    // folder, and some have no or another extension.
    std::optional<std::string> ChosenFile(const std::vector<std::string>& names);

    // The texts of the rows the Input page shows with a value in each cell.
    TDataSets ShownDataSets() const;
    TTable Table() const;

    void Note(const std::string& action);
    // The last actions, and what the last one told the user.
    std::string RecentActions() const;

    // The checks after every action.
    void CheckInvariants(int action);
    ::testing::AssertionResult ErrorsAreExpected();
    // Shown by the grid after every action on the Input page: one row per
    // data set (an empty table still shows one row), and no more rows for a
    // save, which takes those up to the larger of the count and the earlier
    // count.
    ::testing::AssertionResult GridAgreesWithTheStore() const;
    // The save wrote the data sets the page showed, the page shows them
    // still, and a second save on the unchanged page changes no file.
    ::testing::AssertionResult SavedAsShown(const TDataSets& shown);
    // Every file the session left is complete, and no temporary file remains.
    ::testing::AssertionResult FilesAreComplete() const;

    TRandomUser user_;
    TRandomDialogs randomDialogs_{user_.Stream()};
    std::deque<std::string> recent_;
    std::size_t errorsSeen_ = 0;
    std::size_t messagesBefore_ = 0;
    std::size_t errorsBefore_ = 0;
    int calculations_ = 0;
    ::testing::AssertionResult savedAsShown_ = ::testing::AssertionSuccess();
};

void TRandomSession::SetUp() {
    TMainFormTest::SetUp();
    // The fixture's form answers through the scripted dialogs; the session
    // needs one that takes any question.
    closeForm.reset();
    form.reset();
    form = std::make_unique<TMainForm>(randomDialogs_);
    closeForm = std::make_unique<TCloseForm>(randomDialogs_, [this] { ++programEnded; });
    form->SetCloseForm(*closeForm);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

void TRandomSession::RunOneAction() {
    messagesBefore_ = randomDialogs_.Messages.size();
    errorsBefore_ = randomDialogs_.Errors.size();
    const int roll = user_.Pick(100);
    if (roll < 26) {
        TypeSomeCell();
    } else if (roll < 32) {
        LeaveCountField();
    } else if (roll < 40) {
        LeaveConstantField();
    } else if (roll < 44) {
        ChooseOption();
    } else if (roll < 54) {
        Paste(user_.SpreadsheetBlock(), "a spreadsheet block");
    } else if (roll < 58) {
        Paste(user_.JunkBlock(), "junk");
    } else if (roll < 71) {
        SaveCalculate();
    } else if (roll < 78) {
        OpenInput();
    } else if (roll < 85) {
        OpenOutput();
    } else if (roll < 93) {
        SwitchPage();
    } else if (roll < 98) {
        UndoOrRedo();
    } else {
        ExitAbandoned();
    }
    QApplication::processEvents();
}

void TRandomSession::TypeSomeCell() {
    EnsurePage(form->Input);
    const auto [row, column] = SomeCell();
    const std::string text = user_.CellText();
    Note("type \"" + text + "\" into row " + std::to_string(row) + ", column " +
         std::to_string(column));
    TypeCell(row, column, QString::fromStdString(text));
}

void TRandomSession::LeaveCountField() {
    EnsurePage(form->Input);
    const std::string text = user_.CountText();
    Note("count field \"" + text + "\"");
    EnterField(form->Input->Edit1, QString::fromStdString(text));
}

void TRandomSession::LeaveConstantField() {
    EnsurePage(form->Input);
    TTextField* fields[] = {form->Input->Edit2, form->Input->Edit3, form->Input->Edit4,
                            form->Input->Edit5};
    const int which = user_.Pick(4);
    const std::string text = user_.ConstantText(which);
    Note("field Edit" + std::to_string(which + 2) + " \"" + text + "\"");
    EnterField(fields[which], QString::fromStdString(text));
}

void TRandomSession::ChooseOption() {
    EnsurePage(form->Input);
    const bool first = user_.Chance(50);
    Note(first ? "choose the first option" : "choose the second option");
    ClickButton(first ? form->Input->RadioButton1 : form->Input->RadioButton2);
}

void TRandomSession::Paste(const QString& text, const char* kind) {
    EnsurePage(form->Input);
    const auto [row, column] = user_.Chance(50) ? std::pair<int, int>{0, 1} : SomeCell();
    Note(std::string("paste ") + kind + " at row " + std::to_string(row) + ", column " +
         std::to_string(column));
    QApplication::clipboard()->setText(text);
    if (user_.Chance(70)) {
        TCellEditor* editor = OpenCell(row, column);
        if (editor) {
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        }
    } else {
        Grid().setFocus(Qt::MouseFocusReason);
        Grid().setCurrentCell(row, column);
        QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
    }
}

void TRandomSession::SaveCalculate() {
    EnsurePage(form->Input);
    const auto shown = ShownDataSets();
    randomDialogs_.NextFileName =
        ChosenFile({"a.inp", "b.inp", "c.dat", "d", "sub.dir/e.inp", "missing/f.inp"});
    Note("save-calculate as " + randomDialogs_.NextFileName.value_or("(cancelled)"));
    ClickButton(form->Input->Button2);
    if (ActivePage() == form->Output_TabSheet) {
        ++calculations_;
        savedAsShown_ = SavedAsShown(shown);
    }
}

void TRandomSession::OpenInput() {
    EnsurePage(form->Input);
    randomDialogs_.NextFileName =
        ChosenFile({"a.inp", "b.inp", "c.inp", "d.inp", "sub.dir/e.inp", "none.inp"});
    Note("open input " + randomDialogs_.NextFileName.value_or("(cancelled)"));
    ClickButton(form->Input->Button1);
}

void TRandomSession::OpenOutput() {
    EnsurePage(form->Output_TabSheet);
    randomDialogs_.NextFileName =
        ChosenFile({"a.out", "b.out", "c.out", "d.out", "sub.dir/e.out", "none.out"});
    Note("open output " + randomDialogs_.NextFileName.value_or("(cancelled)"));
    ClickButton(form->Output_TabSheet->SeeOutput_Button);
}

void TRandomSession::SwitchPage() {
    const int page = user_.Pick(form->PageControl1->count());
    Note("show page " + std::to_string(page));
    form->PageControl1->setCurrentIndex(page);
}

void TRandomSession::UndoOrRedo() {
    QAction* command = user_.Chance(60) ? form->Undo : form->Redo;
    Note(command->text().toStdString());
    command->trigger();
}

// The exit dialog comes when nothing is unsaved, after Discard, or after a
// save that saved.
void TRandomSession::ExitAbandoned() {
    const bool unsaved = form->HasUnsavedWork();
    randomDialogs_.LastUnsavedChoice.reset();
    randomDialogs_.NextFileName = ChosenFile({"a.inp", "c.dat", "missing/f.inp"});
    Note("exit road abandoned, saving as " + randomDialogs_.NextFileName.value_or("(cancelled)"));
    form->close();
    const bool discarded = randomDialogs_.LastUnsavedChoice == TUnsavedChoice::Discard;
    EXPECT_EQ(closeForm->isVisible(), !unsaved || discarded || !form->HasUnsavedWork());
    randomDialogs_.NextFileName.reset();
    closeForm->hide();
    QApplication::setActiveWindow(form.get());
}

void TRandomSession::EnsurePage(QWidget* page) {
    if (ActivePage() != page) {
        ShowPage(page);
    }
}

std::pair<int, int> TRandomSession::SomeCell() {
    return {user_.Pick(std::max(Grid().RowCount(), 1)), 1 + user_.Pick(3)};
}

std::optional<std::string> TRandomSession::ChosenFile(const std::vector<std::string>& names) {
    if (user_.Chance(8)) {
        return std::nullopt;
    }
    return InFolder(user_.PickFrom(names));
}

TRandomSession::TDataSets TRandomSession::ShownDataSets() const {
    TDataSets shown;
    for (int row = 0; row < Grid().RowCount(); ++row) {
        std::vector<std::string> cells = {Cell(1, row), Cell(2, row), Cell(3, row)};
        if (std::none_of(cells.begin(), cells.end(), std::mem_fn(&std::string::empty))) {
            shown.push_back(cells);
        }
    }
    return shown;
}

TRandomSession::TTable TRandomSession::Table() const {
    TTable table;
    for (int row = 0; row < 200; ++row) {
        for (int column = 0; column < 6; ++column) {
            table.Cells.push_back(Cell(column, row));
        }
    }
    for (const TTextField* field : {form->Input->Edit1, form->Input->Edit2, form->Input->Edit3,
                                    form->Input->Edit4, form->Input->Edit5}) {
        table.Fields.push_back(field->text().toStdString());
    }
    const TDMTylwen& store = DMTylwen;
    table.Store = {double(Grid().RowCount()), double(store.NrOfDataSets),
                   double(store.GridRows),    double(store.PreviousNrOfDataSets),
                   double(store.RowsToFill),  store.DrainDepth,
                   store.ImpermeableDepth,    store.DrainSpacing,
                   store.DrainRadius,         double(DataPresent)};
    return table;
}

void TRandomSession::Note(const std::string& action) {
    recent_.push_back(action);
    if (recent_.size() > 12) {
        recent_.pop_front();
    }
}

std::string TRandomSession::RecentActions() const {
    std::string text;
    for (const std::string& action : recent_) {
        text += "\n  " + action;
    }
    for (std::size_t i = messagesBefore_; i < randomDialogs_.Messages.size(); ++i) {
        text += "\n    message: " + randomDialogs_.Messages[i];
    }
    for (std::size_t i = errorsBefore_; i < randomDialogs_.Errors.size(); ++i) {
        text += "\n    error: " + randomDialogs_.Errors[i];
    }
    return text;
}

void TRandomSession::CheckInvariants(int action) {
    const std::string where =
        "seed " + std::to_string(GetParam()) + ", action " + std::to_string(action);
    ASSERT_TRUE(ErrorsAreExpected()) << where << RecentActions();
    ASSERT_TRUE(GridAgreesWithTheStore()) << where << RecentActions();
    ASSERT_TRUE(savedAsShown_) << where << RecentActions();
    ASSERT_TRUE(FilesAreComplete()) << where << RecentActions();
    ASSERT_EQ(programEnded, 0) << where << RecentActions();
}

::testing::AssertionResult TRandomSession::ErrorsAreExpected() {
    for (; errorsSeen_ < randomDialogs_.Errors.size(); ++errorsSeen_) {
        const std::string& error = randomDialogs_.Errors[errorsSeen_];
        if (!IsExpectedError(error)) {
            return ::testing::AssertionFailure() << "unexpected error \"" << error << "\"";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TRandomSession::GridAgreesWithTheStore() const {
    if (ActivePage() != form->Input) {
        return ::testing::AssertionSuccess();
    }
    const int rows = Grid().RowCount();
    const int count = DMTylwen.NrOfDataSets;
    if (count >= 0 && rows == std::max(count, 1) && DMTylwen.PreviousNrOfDataSets <= count) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "grid rows " << rows << ", NrOfDataSets " << count << ", PreviousNrOfDataSets "
           << DMTylwen.PreviousNrOfDataSets;
}

::testing::AssertionResult TRandomSession::SavedAsShown(const TDataSets& shown) {
    const std::string input = ChangeFileExt(DMTylwen.FileName, ".inp");
    const std::string files = ReadWholeFile(input) + ReadWholeFile(DMTylwen.FileName);
    TDMTylwen saved;
    saved.FileName = input;
    Tell(randomDialogs_, ReadInputFile(saved).Tell);
    bool same = saved.NrOfDataSets == static_cast<int>(shown.size());
    for (int i = 0; same && i < saved.NrOfDataSets; ++i) {
        const double values[] = {At(saved.InputDischarge, i + 1), At(saved.InputDepthMidway, i + 1),
                                 At(saved.InputDepthNear, i + 1)};
        for (int column = 0; column < 3; ++column) {
            same = same && FormatFixed(values[column], 0, 3) ==
                               FormatFixed(StringToFloat(shown[i][column]), 0, 3);
        }
    }
    EnsurePage(form->Input);
    if (!same || ShownDataSets() != shown) {
        return ::testing::AssertionFailure() << input << " holds other data sets than shown";
    }
    randomDialogs_.NextFileName = input;
    randomDialogs_.NextAnswer = true;
    ClickButton(form->Input->Button2);
    if (ActivePage() != form->Output_TabSheet ||
        ReadWholeFile(input) + ReadWholeFile(ChangeFileExt(input, ".out")) != files) {
        return ::testing::AssertionFailure() << "a second save failed or changed " << input;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TRandomSession::FilesAreComplete() const {
    QDirIterator it(folder.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string path = it.next().toStdString();
        const std::string name = it.fileName().toStdString();
        ::testing::AssertionResult complete = ::testing::AssertionSuccess();
        if (name.front() == '.') {
            complete = ::testing::AssertionFailure() << "temporary file " << path << " left";
        } else if (ChangeFileExt(path, ".inp") == path) {
            complete = InputFileIsComplete(path);
        } else if (ChangeFileExt(path, ".out") == path) {
            complete = OutputFileIsComplete(path);
        }
        if (!complete) {
            return complete;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_P(TRandomSession, EveryActionLeavesAConsistentProgram) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub.dir")));
    ShowPage(form->Input);
    const TTable start = Table();
    const int actions = EnvironmentNumber("SORAVIK_RANDOM_ACTIONS", 3000);
    for (int action = 0; action < actions; ++action) {
        RunOneAction();
        CheckInvariants(action);
        if (HasFatalFailure()) {
            return;
        }
    }
    // The session did get as far as calculating.
    EXPECT_GT(calculations_, 0);
    const TTable end = Table();
    for (int step = 0; form->Undo->isEnabled(); ++step) {
        ASSERT_LT(step, actions) << "undo never ends";
        form->Undo->trigger();
    }
    EXPECT_TRUE(Table() == start) << "undoing every step did not give back the start table";
    while (form->Redo->isEnabled()) {
        form->Redo->trigger();
    }
    EXPECT_TRUE(Table() == end) << "redoing every step did not give back the end table";
    EXPECT_TRUE(ErrorsAreExpected());
}

INSTANTIATE_TEST_SUITE_P(Seeds, TRandomSession,
                         ::testing::Range(1, 1 + EnvironmentNumber("SORAVIK_RANDOM_SEEDS", 3)));

} // namespace
