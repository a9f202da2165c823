// Files named on the command line or dropped on the window, and the graph at
// the window's device pixel ratio. The window's queued opening stands in for
// the real start-up with a file argument, which tests/e2e drives
// (case_output_file_argument_is_calculated, case_missing_file_argument_is_told);
// drops are events sent as the toolkit sends them after a file manager's drag.
#include "UiFixture.h"

#include "UCommandLine.h"
#include "URegressionGraph.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <sstream>

namespace {

const char* const MissingFile = "File does not exist, please select another one,";

std::string Here(const std::string& name) {
    return QDir::current().absoluteFilePath(QString::fromStdString(name)).toStdString();
}

TEST(CommandLine, TakesOneFileBesideTheToolkitsOptions) {
    const struct {
        std::vector<std::string> arguments;
        TStartAction action;
        std::optional<std::string> file;
    } cases[] = {
        {{}, TStartAction::OpenWindow, std::nullopt},
        {{"field.inp"}, TStartAction::OpenWindow, Here("field.inp")},
        {{"-style", "Fusion", "--platform", "xcb", "-reverse", "/a/../b.out"},
         TStartAction::OpenWindow,
         "/b.out"},
        {{"--", "-field.inp"}, TStartAction::OpenWindow, Here("-field.inp")},
        {{"--version", "x.inp"}, TStartAction::ShowVersion, Here("x.inp")},
        {{"--version", "-h"}, TStartAction::ShowHelp, std::nullopt},
        {{"--bogus"}, TStartAction::WrongUsage, std::nullopt},
        {{"-style"}, TStartAction::OpenWindow, std::nullopt},
        {{"a.inp", "b.inp"}, TStartAction::WrongUsage, Here("a.inp")},
    };
    for (const auto& c : cases) {
        const TCommandLine parsed = ParseCommandLine(c.arguments);
        EXPECT_EQ(parsed.Action, c.action) << testing::PrintToString(c.arguments);
        if (c.action != TStartAction::WrongUsage) {
            EXPECT_EQ(parsed.File, c.file) << testing::PrintToString(c.arguments);
        }
    }
}

TEST(CommandLine, AnswersHelpVersionAndWrongUsageWithoutAWindow) {
    const struct {
        std::vector<std::string> arguments;
        std::optional<int> status;
        const char* out;
        const char* errors;
    } cases[] = {
        {{"--help"}, 0, "Usage: soravik [--help] [--version] [FILE]\n", ""},
        {{"--version"}, 0, "soravik 1.", ""},
        {{"--bogus", "x.inp"}, 2, "", "soravik: unknown option '--bogus'\nUsage: soravik"},
        {{"x.inp"}, std::nullopt, "", ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        std::ostringstream errors;
        EXPECT_EQ(AnswerWithoutWindow(ParseCommandLine(c.arguments), out, errors), c.status);
        EXPECT_EQ(out.str().rfind(c.out, 0), 0u) << out.str();
        EXPECT_EQ(errors.str().rfind(c.errors, 0), 0u) << errors.str();
    }
}

} // namespace

class TOpenFileTest : public TMainFormTest {
protected:
    // The example's input file and, for an output file, both, in the folder.
    std::string CopyExample(const std::string& example, const char* extension) {
        for (const char* copied : {".inp", ".out"}) {
            QFile::copy(QString::fromStdString(SourcePath("examples/" + example + copied)),
                        QString::fromStdString(InFolder(example + copied)));
        }
        return InFolder(example + extension);
    }

    void OpenLater(const std::string& file) {
        form->OpenFileLater(file);
        QCoreApplication::processEvents();
    }

    // Drags `urls` over `target` and drops them there when the drag is taken,
    // as a file manager does; tells whether it was taken.
    bool Drop(QWidget* target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.front().toString());
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_EQ(drop.isAccepted(), enter.isAccepted());
        QCoreApplication::processEvents();
        // Opening must never let the file manager move the file away.
        return enter.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }

    void ExpectInputOpened(const std::string& file) {
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(ActivePage(), form->Input);
        EXPECT_EQ(DMTylwen.FileName, file);
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("15"));
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("1.1"));
        EXPECT_EQ(Cell(3, 14), "1.07");
        EXPECT_EQ(Grid().RowCount(), 15);
        EXPECT_TRUE(DataPresent);
    }

    // Recalculated, rewritten and shown on the Output page with its graph.
    void ExpectOutputOpened(const std::string& file) {
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(ActivePage(), form->Output_TabSheet);
        EXPECT_EQ(DMTylwen.FileName, file);
        const std::vector<std::string> lines = FileLines(file);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[0], " File: " + file);
        EXPECT_NE(MemoText(form->Output_Memo).find("Ka = A*S^2/4 =  2.072"), std::string::npos);
        EXPECT_TRUE(form->GraphImage->isVisible());
    }
};

TEST_F(TOpenFileTest, InputFileArgumentIsShownOnTheInputPage) {
    const std::string file = CopyExample("pipe-drain-field", ".inp");
    OpenLater(file);
    ExpectInputOpened(file);
}

TEST_F(TOpenFileTest, OutputFileArgumentIsCalculatedAgainAndShown) {
    const std::string file = CopyExample("worked-example", ".out");
    OpenLater(file);
    ExpectOutputOpened(file);
}

TEST_F(TOpenFileTest, MissingFileIsToldAndTheWindowStartsAsUsual) {
    for (const char* name : {"missing.inp", "missing.out"}) {
        dialogs.Messages.clear();
        OpenLater(InFolder(name));
        EXPECT_EQ(dialogs.Messages, std::vector<std::string>({MissingFile})) << name;
        EXPECT_EQ(ActivePage(), form->Intro_Tabsheet) << name;
        EXPECT_FALSE(DataPresent || ResultsAvailable) << name;
    }
}

// Over a text field too: the field must not take the file's address as text.
TEST_F(TOpenFileTest, DroppedFilesOpenWhereverTheyAreDropped) {
    ShowPage(form->Input);
    const std::string input = CopyExample("pipe-drain-field", ".inp");
    EXPECT_TRUE(Drop(form->Edit2, {QUrl::fromLocalFile(QString::fromStdString(input))}));
    ExpectInputOpened(input);

    const std::string output = CopyExample("worked-example", ".out");
    EXPECT_TRUE(Drop(form->Intro_Memo, {QUrl::fromLocalFile(QString::fromStdString(output))}));
    ExpectOutputOpened(output);
}

TEST_F(TOpenFileTest, OtherDropsAreRefusedAndChangeNothing) {
    ShowPage(form->Input);
    const QUrl input = QUrl::fromLocalFile(QString::fromStdString(InFolder("a.inp")));
    const QList<QList<QUrl>> refused = {
        {QUrl::fromLocalFile(QString::fromStdString(InFolder("notes.txt")))},
        {input, QUrl::fromLocalFile(QString::fromStdString(InFolder("b.out")))},
        {QUrl(QStringLiteral("https://soravik.example/field.inp"))},
    };
    for (const QList<QUrl>& urls : refused) {
        EXPECT_FALSE(Drop(form->Edit2, urls)) << urls.front().toString().toStdString();
        EXPECT_FALSE(Drop(form->DataGrid, urls)) << urls.front().toString().toStdString();
    }
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("1.2"));
    EXPECT_EQ(ActivePage(), form->Input);
    EXPECT_EQ(dialogs.ShownCount(), 0u);
    EXPECT_FALSE(DataPresent);
}

// CTest runs this test once more with QT_SCALE_FACTOR=2.
TEST_F(TOpenFileTest, GraphIsDrawnForTheWindowsDevicePixelRatio) {
    OpenLater(CopyExample("worked-example", ".out"));
    const qreal ratio = form->GraphImage->devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
        EXPECT_EQ(ratio, 2.0);
    }
    const QPixmap graph = form->GraphImage->pixmap();
    EXPECT_EQ(graph.devicePixelRatio(), ratio);
    EXPECT_EQ(graph.deviceIndependentSize(), QSizeF(GraphWidth, GraphHeight));
    const QImage expected =
        RenderRegressionGraph(3, TCalculationOption::OverEntireSoilDepth, ratio);
    EXPECT_EQ(graph.toImage().convertToFormat(QImage::Format_RGB32), expected);
}
