// Files named on the command line or dropped on the window, and the graph at
// the window's device pixel ratio. The queued opening stands in for the real
// start-up with a file argument, which tests/e2e drives (case_*_argument_*);
// drops are the events the toolkit sends after a file manager's drag.
#include "UiFixture.h"

#include "UCommandLine.h"
#include "UFileNames.h"
#include "URegressionGraph.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

// The toolkit reads its own options; the window takes one file, in full.
TEST(CommandLine, TakesOneFileBesideTheToolkitsOptions) {
    const std::string here = QDir::currentPath().toStdString() + "/";
    const struct {
        std::vector<std::string> arguments;
        TStartAction action;
        std::optional<std::string> file;
    } cases[] = {
        {{"-style", "Fusion", "--platform", "xcb", "-reverse", "/a/../b.out"},
         TStartAction::OpenWindow,
         "/b.out"},
        {{"--", "-field.inp"}, TStartAction::OpenWindow, here + "-field.inp"},
        {{"--version", "-h"}, TStartAction::ShowHelp, std::nullopt},
        {{"a.inp", "b.inp"}, TStartAction::WrongUsage, std::nullopt},
    };
    for (const auto& c : cases) {
        const TCommandLine parsed = ParseCommandLine(c.arguments);
        EXPECT_EQ(parsed.Action, c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.File, c.file) << testing::PrintToString(c.arguments);
    }
}

class TOpenFileTest : public TMainFormTest {
protected:
    // The example's input and output files in the folder; the path of one.
    std::string Example(const std::string& example, const char* extension) {
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

    // Drags files over `target` and drops them, as a file manager does (with
    // the addresses as text too); tells whether the drop was taken as a copy:
    // a move would let the file manager take the file away.
    bool Drop(QWidget* target, const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files) {
            urls << QUrl::fromLocalFile(file);
        }
        data.setUrls(urls);
        data.setText(files.join(QLatin1Char('\n')));
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }

    // An input file on the Input page; an output file calculated again and
    // shown on the Output page with its graph.
    void ExpectOpened(const std::string& file) {
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(DMTylwen.FileName, file);
        if (DataFileKindOf(file) == TDataFileKind::Input) {
            EXPECT_EQ(ActivePage(), form->Input);
            EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral("1.1"));
            EXPECT_EQ(Cell(3, 14), "1.07");
            return;
        }
        EXPECT_EQ(ActivePage(), form->Output_TabSheet);
        EXPECT_NE(MemoText(form->Output_TabSheet->Output_Memo).find("Ka = A*S^2/4 =  2.072"),
                  std::string::npos);
        EXPECT_TRUE(form->Output_TabSheet->GraphImage->isVisible());
    }
};

TEST_F(TOpenFileTest, FileArgumentsOpenOnTheirPagesAndMissingOnesAreTold) {
    OpenLater(Example("pipe-drain-field", ".inp"));
    ExpectOpened(InFolder("pipe-drain-field.inp"));
    StartWindow();
    OpenLater(Example("worked-example", ".out"));
    ExpectOpened(InFolder("worked-example.out"));
    for (const char* name : {"missing.inp", "missing.out"}) {
        StartWindow();
        dialogs.Messages.clear();
        OpenLater(InFolder(name));
        EXPECT_EQ(dialogs.Messages,
                  std::vector<std::string>{"File does not exist, please select another one,"});
        EXPECT_EQ(ActivePage(), form->Intro_Tabsheet) << name;
    }
}

// Taken over a text field too, which must not take the addresses as text.
TEST_F(TOpenFileTest, DroppedInputOrOutputFileOpensAndOtherDropsChangeNothing) {
    ShowPage(form->Input);
    const QString dir = folder.path() + QLatin1Char('/');
    EXPECT_FALSE(Drop(form->Input->Edit2, {dir + "notes.doc"}));
    EXPECT_FALSE(Drop(form->Input->Edit2, {dir + "a.inp", dir + "b.out"}));
    EXPECT_EQ(form->Input->Edit2->text(), QStringLiteral("1.2"));
    EXPECT_EQ(dialogs.ShownCount(), 0u);

    EXPECT_TRUE(
        Drop(form->Input->Edit2, {QString::fromStdString(Example("pipe-drain-field", ".inp"))}));
    ExpectOpened(InFolder("pipe-drain-field.inp"));
    EXPECT_TRUE(
        Drop(form->Intro_Memo, {QString::fromStdString(Example("worked-example", ".out"))}));
    ExpectOpened(InFolder("worked-example.out"));
}

// CTest runs this test once more with QT_SCALE_FACTOR=2.
TEST_F(TOpenFileTest, GraphIsDrawnForTheWindowsDevicePixelRatio) {
    OpenLater(Example("worked-example", ".out"));
    const qreal ratio = form->Output_TabSheet->GraphImage->devicePixelRatioF();
    EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2") ? 2.0 : 1.0);
    const QImage graph = form->Output_TabSheet->GraphImage->pixmap().toImage();
    EXPECT_EQ(graph.size(), QSize(GraphWidth, GraphHeight) * ratio);
    EXPECT_EQ(
        graph.convertToFormat(QImage::Format_RGB32),
        RenderRegressionGraph(
            FitStatisticsOfLastCalculation(TCalculationOption::OverEntireSoilDepth, 0.0), ratio));
}
