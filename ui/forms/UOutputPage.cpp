#include "UOutputPage.h"

#include "UAnchors.h"
#include "UBaseForm.h"
#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UFonts.h"
#include "UOutputFile.h"
#include "URegressionGraph.h"
#include "UResults.h"
#include "UShownText.h"
#include "UTylwenUtils.h"
#include "UUserDialogs.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace {

const char* const OutputStatusText =
    "The output file can be inspected. Use \"See output\" to see examples under \"Data\" or to "
    "inspect any other output file.";
const char* const GraphTooLargeText =
    "The values are too large to draw: the graph shows only the axes that can hold them";

QFont OutputMemoFont() {
    return PixelFont(QStringLiteral("Courier New"), 13);
}

// "2 warnings: see the Report page"; nothing when there are none.
QString WarningCountText(std::size_t warnings) {
    if (warnings == 0) {
        return {};
    }
    return QStringLiteral("%1 warning%2: see the Report page")
        .arg(warnings)
        .arg(warnings == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

TOutputPage::TOutputPage(TBaseForm& window, TUserDialogs& dialogs, TResults& results,
                         QAction& outputOpen, QWidget* parent)
    : QWidget(parent), window_(window), dialogs_(dialogs), results_(results) {
    Output_Memo = new QPlainTextEdit(this);
    Output_Memo->setObjectName(QStringLiteral("Output_Memo"));
    Output_Memo->setGeometry(22, 16, 609, 113);
    Output_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Output_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Output_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Output_Memo->setReadOnly(true);
    Output_Memo->setAccessibleName(QStringLiteral("Output file"));
    new TAnchorLeftTopRight(*Output_Memo);
    Output_Memo->hide();
    GraphImage = new QLabel(this);
    GraphImage->setObjectName(QStringLiteral("GraphImage"));
    GraphImage->setGeometry(24, 144, 607, 313);
    GraphImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    GraphImage->setAccessibleName(QStringLiteral("Regression graph"));
    GraphImage->hide();
    GraphImage->installEventFilter(this);
    // In the room between the results text and the graph.
    Warnings_Label = new QLabel(this);
    Warnings_Label->setObjectName(QStringLiteral("Warnings_Label"));
    Warnings_Label->setGeometry(24, 129, 607, 15);
    Warnings_Label->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
    Warnings_Label->setStyleSheet(QStringLiteral("color: #962800; font-weight: bold"));
    new TAnchorLeftTopRight(*Warnings_Label);
    Warnings_Label->hide();
    SeeOutput_Button = new QPushButton(QStringLiteral("Open output"), this);
    SeeOutput_Button->setObjectName(QStringLiteral("SeeOutput_Button"));
    SeeOutput_Button->setGeometry(602, 476, 97, 25);
    SeeOutput_Button->setFont(PixelFont(QStringLiteral("Tahoma"), 13));
    SeeOutput_Button->setAccessibleName(SeeOutput_Button->text());
    SeeOutput_Button->setToolTip(outputOpen.toolTip());
    connect(SeeOutput_Button, &QPushButton::clicked, &outputOpen, &QAction::trigger);
    connect(&results_, &TResults::Changed, this, &TOutputPage::ResultsChanged);
}

void TOutputPage::Prepare() {
    if (Output_Memo->font() != OutputMemoFont()) {
        Output_Memo->setFont(OutputMemoFont());
    }
}

void TOutputPage::ResultsChanged(TResultsChange change) {
    if (change == TResultsChange::Calculation) {
        DrawRegressionGraph();
    }
    ShowWarningCount();
}

// The count follows the graph: a command that hides the graph hides the
// results it belongs to.
bool TOutputPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GraphImage &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        ShowWarningCount();
    }
    return QWidget::eventFilter(watched, event);
}

void TOutputPage::ShowWarningCount() {
    TWhatIfFit& whatIf = results_.WhatIf();
    const QString text =
        whatIf.HasFit() ? WarningCountText(whatIf.Current().Warnings.size()) : QString();
    SetShownText(*Warnings_Label, text);
    Warnings_Label->setVisible(!text.isEmpty() && !GraphImage->isHidden());
}

void TOutputPage::DrawRegressionGraph() {
    const TSharedFit last = results_.Last();
    if (!last) {
        return;
    }
    // Drawn for the screen the window is on, so that a high-density screen
    // gets a sharp graph instead of an enlarged one.
    const QImage graph = RenderRegressionGraph(*last, GraphImage->devicePixelRatioF());
    GraphImage->setPixmap(QPixmap::fromImage(graph));
    GraphImage->show();
    TellGraphTooLarge();
}

void TOutputPage::ShowCalculation(QTabWidget& pages) {
    const QScopedValueRollback<bool> showing(showingCalculation_, true);
    pages.setCurrentWidget(this);
}

void TOutputPage::Output_TabSheetShow() {
    window_.ShowStatus(OutputStatusText);
    Output_Memo->setVisible(OutputShown);
    if (!ResultsAvailable) {
        return;
    }
    // A calculation bringing the page forward has just filled the memo with
    // the lines it wrote. A user coming back to the page sees the current
    // output file as it is on disk by then: an input file opened since
    // names another one, and another program may have changed it.
    if (!showingCalculation_) {
        ReadCurrentOutputFile();
    }
    OutputShown = true;
    Output_Memo->show();
    TellGraphTooLarge();
}

void TOutputPage::TellGraphTooLarge() {
    const TSharedFit last = results_.Last();
    if (last && !GraphImage->isHidden() && RegressionGraphTooLarge(*last)) {
        window_.ShowStatus(GraphTooLargeText);
    }
}

void TOutputPage::ReadCurrentOutputFile() {
    Output_Memo->hide();
    TDMTylwen& store = DMTylwen;
    store.FileName = ChangeDataFileExt(store.FileName, ".out");
    Tell(dialogs_, ReadOutputLines(store.FileName));
    LoadOutputMemo();
}

void TOutputPage::LoadOutputMemo() {
    const TDMTylwen& store = DMTylwen;
    QStringList lines;
    const auto shown =
        std::min<std::size_t>(std::max(store.NrOfOutputLines, 0), store.OutputLines.size());
    for (std::size_t i = 0; i < shown; ++i) {
        lines << QString::fromStdString(store.OutputLines[i]);
    }
    Output_Memo->setPlainText(lines.join(QLatin1Char('\n')));
}
