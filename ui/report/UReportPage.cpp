#include "UReportPage.h"

#include "UDataSetColumns.h"
#include "UFonts.h"
#include "UNumberText.h"
#include "UReportDocument.h"
#include "UReportGraphView.h"
#include "UReportTableModel.h"
#include "UShownText.h"
#include "UTableCopy.h"

#include <QAction>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace {

constexpr int RowHeight = 18;
constexpr int ResultColumns = 3;
constexpr int SiteConstantColumns = 2;
// Beside the data sets the graph keeps at least this width when the page has it.
constexpr int GraphLeastWidth = 300;
constexpr int GraphLeastHeight = 100;
const char* const WarningColour = "#962800";

void SetUpTable(QTableView* table, const char* name, const char* accessibleName) {
    table->setObjectName(QString::fromUtf8(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the table for the next control; the arrow keys move inside.
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(RowHeight);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    CopyCellsWithHeadings(table);
    table->hide();
}

// A table of a few lines shown whole: as large as its cells, never scrolled.
QTableWidget* NewSummaryTable(QWidget* page, const char* name, const char* accessibleName,
                              const QStringList& headings) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), page);
    SetUpTable(table, name, accessibleName);
    table->setHorizontalHeaderLabels(headings);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return table;
}

void FitSummaryTable(QTableWidget& table) {
    table.resizeColumnsToContents();
    const int frame = 2 * table.frameWidth();
    int width = frame;
    for (int column = 0; column < table.columnCount(); ++column) {
        width += table.columnWidth(column);
    }
    table.setFixedSize(width, frame + table.horizontalHeader()->sizeHint().height() +
                                  table.rowCount() * RowHeight);
}

QPushButton* NewButton(QWidget* page, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setObjectName(QString::fromUtf8(name));
    button->setFont(PixelFont(QStringLiteral("Tahoma"), 13));
    button->setAccessibleName(button->text());
    button->setEnabled(false);
    return button;
}

QTableWidgetItem* NewItem(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

void FillTable(QTableWidget& table, const std::vector<TReportLine>& lines) {
    table.setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const TReportLine& line = lines[static_cast<std::size_t>(row)];
        table.setItem(row, 0, NewItem(line.Quantity, Qt::AlignLeft));
        table.setItem(row, 1, NewItem(line.Value, Qt::AlignRight));
        if (table.columnCount() > 2) {
            table.setItem(row, 2, NewItem(line.Interval, Qt::AlignRight));
        }
    }
    FitSummaryTable(table);
}

// A label that wraps to the width its column gives it and asks for none:
// a long line never widens the page.
QLabel* NewLabel(QWidget* page, const char* name, const QString& text) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

QLabel* NewHeading(QWidget* page, const char* name, const QString& text) {
    QLabel* label = NewLabel(page, name, text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The page's content asks its scroll area for no more height than its
// controls need at the least for a width, wrapped lines included: at the
// window's own size the page fits and the data sets and the graph share the
// rest, and a smaller page scrolls rather than cut a line.
class TScrolledContent : public QWidget {
public:
    using QWidget::QWidget;
    int heightForWidth(int width) const override {
        return layout() ? layout()->totalMinimumHeightForWidth(width) : -1;
    }
};

} // namespace

TReportPage::TReportPage(TResults& results, QAction& saveReport, QAction& saveGraph,
                         QWidget* parent)
    : QWidget(parent), results_(results), saveReport_(saveReport), saveGraph_(saveGraph) {
    connect(&results_, &TResults::Changed, this, &TReportPage::ResultsChanged);
}

// The page is made before it first shows, so its controls show with it.
void TReportPage::setVisible(bool visible) {
    if (visible) {
        Build();
    }
    QWidget::setVisible(visible);
}

// The page scrolls as a whole: what it holds never makes the window larger.
void TReportPage::Build() {
    if (IsBuilt()) {
        return;
    }
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("Report_ScrollArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    auto* content = new TScrolledContent(scroll_);
    content->setObjectName(QStringLiteral("Report_Content"));
    body_ = new QVBoxLayout(content);
    body_->setContentsMargins(8, 6, 8, 6);
    Hint_Label = NewLabel(content, "Hint_Label", QString::fromUtf8(ReportHintText));
    body_->addWidget(Hint_Label);
    Stale_Label = NewLabel(content, "Stale_Label", QString::fromUtf8(StaleReportText));
    Stale_Label->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    Stale_Label->hide();
    body_->addWidget(Stale_Label);
    // The summary, the warnings, the data sets and the graph go here with
    // the first report.
    body_->addStretch(1);
    CreateButtons(body_);
    scroll_->setWidget(content);
    outer->addWidget(scroll_);
    if (results_.Contents()) {
        ShowReport();
        Stale_Label->setVisible(results_.IsStale());
    }
    LayOut();
}

// A hidden page is laid out only when first shown; until then its controls
// would lie on top of each other, or have no size, for anyone who looks.
void TReportPage::LayOut() {
    layout()->activate();
    QWidget* content = scroll_->widget();
    const int width = std::max(scroll_->viewport()->width(), content->minimumSizeHint().width());
    content->resize(width, std::max(scroll_->viewport()->height(), content->heightForWidth(width)));
    body_->activate();
}

void TReportPage::ResultsChanged(TResultsChange change) {
    if (!IsBuilt()) {
        return;
    }
    switch (change) {
    case TResultsChange::Calculation:
        ShowReport();
        break;
    case TResultsChange::WhatIf:
        ShowWhatIf();
        break;
    case TResultsChange::Stale:
        Stale_Label->setVisible(results_.IsStale());
        break;
    }
}

// The tables are made with the first report: they cost a noticeable part of
// the program's start, and most sessions begin far from this page.
void TReportPage::CreateTables() {
    if (Results_Table) {
        return;
    }
    QWidget* content = scroll_->widget();
    // Below the hint and the stale line, above the stretch and the buttons.
    const int place = body_->indexOf(Stale_Label) + 1;
    body_->insertLayout(place, CreateSummary());
    Warnings_Label = NewLabel(content, "Warnings_Label", QString());
    Warnings_Label->setTextFormat(Qt::RichText);
    body_->insertWidget(place + 1, Warnings_Label);
    CreateSplitter();
    body_->insertWidget(place + 2, Report_Splitter, 1);
    body_->insertWidget(place + 3, Legend_Label);
    // The splitter takes the room the stretch kept.
    delete body_->takeAt(place + 4);
    SetTabOrder();
}

// The results on the left, the site constants and the what-if controls on
// the right: the numbers first, each table as wide as its cells.
QBoxLayout* TReportPage::CreateSummary() {
    QWidget* content = scroll_->widget();
    auto* results = new QVBoxLayout;
    ResultsHeading_Label = NewHeading(content, "ResultsHeading_Label", QString());
    Results_Table = NewSummaryTable(
        content, "Results_Table", "Results",
        {QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("95 % interval")});
    results->addWidget(ResultsHeading_Label);
    results->addWidget(Results_Table);
    results->addStretch(1);
    auto* site = new QVBoxLayout;
    site->addWidget(
        NewHeading(content, "SiteConstantsHeading_Label", QStringLiteral("Site constants")));
    SiteConstants_Table =
        NewSummaryTable(content, "SiteConstants_Table", "Site constants",
                        {QStringLiteral("Site constant"), QStringLiteral("Value")});
    site->addWidget(SiteConstants_Table);
    CreateWhatIfControls();
    auto* whatIfButtons = new QHBoxLayout;
    whatIfButtons->addWidget(LeaveOutSuspects_Button);
    whatIfButtons->addWidget(PutAllBack_Button);
    whatIfButtons->addStretch(1);
    site->addSpacing(6);
    site->addLayout(whatIfButtons);
    site->addWidget(WhatIf_Label);
    site->addStretch(1);
    // The saving, at the foot of the page until now, goes below them.
    body_->removeItem(saveRow_);
    saveRow_->setParent(nullptr);
    site->addLayout(saveRow_);
    auto* row = new QHBoxLayout;
    row->addLayout(results);
    row->addSpacing(12);
    row->addLayout(site, 1);
    return row;
}

void TReportPage::CreateDataSetsTable() {
    DataSets_Table = new QTableView(this);
    SetUpTable(DataSets_Table, "DataSets_Table", "Data sets and residuals");
    // Only the reason of a data set left out can be typed.
    DataSets_Table->setEditTriggers(QAbstractItemView::DoubleClicked |
                                    QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed);
    model_ = new TReportTableModel(DataSets_Table);
    model_->SetWhatIf(&results_.WhatIf());
    model_->SetReasons(&results_);
    DataSets_Table->setModel(model_);
    DataSets_Table->horizontalHeader()->setStretchLastSection(true);
    connect(model_, &TReportTableModel::Failed, this,
            [this](const QString& reason) { ShowWhatIfState(reason); });
    connect(model_, &TReportTableModel::LeaveOutRefused, this, [this] {
        ShowWhatIfState(QStringLiteral(
            "Left in: at least two data sets at different H\" must stay in the fit."));
    });
    // A reason typed wider than its column widens it.
    connect(model_, &TReportTableModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                if (first.row() == last.row() && first.column() == last.column() &&
                    first.column() == static_cast<int>(TDataSetColumn::Reason)) {
                    FitDataSetColumns();
                }
            });
    Legend_Label = NewLabel(scroll_->widget(), "Legend_Label", QString());
}

// The data sets beside the graph; the table keeps the width its columns
// need as far as the graph keeps its least width, the graph the rest.
void TReportPage::CreateSplitter() {
    Report_Splitter = new QSplitter(Qt::Horizontal, scroll_->widget());
    Report_Splitter->setObjectName(QStringLiteral("Report_Splitter"));
    Report_Splitter->setChildrenCollapsible(false);
    CreateDataSetsTable();
    DataSets_Table->setParent(Report_Splitter);
    Graph_View = new TReportGraphView(Report_Splitter);
    Graph_View->setObjectName(QStringLiteral("Graph_View"));
    Graph_View->setMinimumHeight(GraphLeastHeight);
    // A click on a marker goes the check box's way, so the table, the graph,
    // the warnings and the what-if line change together.
    connect(Graph_View, &TReportGraphView::MarkerClicked, this,
            [this](qulonglong index) { ToggleInFit(static_cast<int>(index)); });
    Report_Splitter->addWidget(DataSets_Table);
    Report_Splitter->addWidget(Graph_View);
    Report_Splitter->setStretchFactor(0, 0);
    Report_Splitter->setStretchFactor(1, 1);
    connect(Report_Splitter, &QSplitter::splitterMoved, this, [this] { splitterMoved_ = true; });
    Report_Splitter->installEventFilter(this);
}

void TReportPage::CreateButtons(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    saveRow_ = row;
    row->addStretch(1);
    GraphResolution_SpinBox = new QSpinBox(this);
    GraphResolution_SpinBox->setObjectName(QStringLiteral("GraphResolution_SpinBox"));
    GraphResolution_SpinBox->setAccessibleName(
        QStringLiteral("Resolution of a saved PNG graph in dots per inch"));
    GraphResolution_SpinBox->setToolTip(GraphResolution_SpinBox->accessibleName());
    // Its text field is a control of its own for a screen reader.
    if (auto* field = GraphResolution_SpinBox->findChild<QLineEdit*>()) {
        field->setAccessibleName(GraphResolution_SpinBox->accessibleName());
    }
    GraphResolution_SpinBox->setRange(LeastGraphDotsPerInch, MostGraphDotsPerInch);
    GraphResolution_SpinBox->setValue(DefaultGraphDotsPerInch);
    GraphResolution_SpinBox->setSuffix(QStringLiteral(" dpi"));
    SaveReport_Button = NewButton(this, "SaveReport_Button", "Save report…");
    SaveGraph_Button = NewButton(this, "SaveGraph_Button", "Save graph…");
    BindButton(SaveReport_Button, saveReport_);
    BindButton(SaveGraph_Button, saveGraph_);
    for (QWidget* part :
         {static_cast<QWidget*>(GraphResolution_SpinBox), static_cast<QWidget*>(SaveReport_Button),
          static_cast<QWidget*>(SaveGraph_Button)}) {
        row->addWidget(part);
    }
    layout->addLayout(row);
}

// A button shows its command's hint, runs it and is enabled with it.
void TReportPage::BindButton(QPushButton* button, QAction& command) {
    button->setToolTip(command.toolTip());
    button->setEnabled(command.isEnabled());
    connect(button, &QPushButton::clicked, &command, &QAction::trigger);
    connect(&command, &QAction::changed, button,
            [button, &command] { button->setEnabled(command.isEnabled()); });
}

int TReportPage::GraphDotsPerInch() const {
    return IsBuilt() ? GraphResolution_SpinBox->value() : DefaultGraphDotsPerInch;
}

void TReportPage::CreateWhatIfControls() {
    WhatIf_Label = NewLabel(scroll_->widget(), "WhatIf_Label", QString());
    WhatIf_Label->setAccessibleDescription(QStringLiteral("What-if fit"));
    WhatIf_Label->hide();
    LeaveOutSuspects_Button = NewButton(this, "LeaveOutSuspects_Button", "Leave out suspects");
    LeaveOutSuspects_Button->setToolTip(
        QStringLiteral("Fit again without the suspect data sets; the files stay as they are"));
    PutAllBack_Button = NewButton(this, "PutAllBack_Button", "Put all back");
    PutAllBack_Button->setToolTip(QStringLiteral("Every data set back in the fit"));
    connect(LeaveOutSuspects_Button, &QPushButton::clicked, this,
            [this] { Guarded([this] { results_.WhatIf().LeaveOutSuspects(); }); });
    connect(PutAllBack_Button, &QPushButton::clicked, this,
            [this] { Guarded([this] { results_.WhatIf().PutAllBack(); }); });
}

// Column by column from the left, each from the top: the results and the
// data sets, then the site constants, the what-if buttons and the saving.
void TReportPage::SetTabOrder() {
    const std::initializer_list<QWidget*> order = {
        Results_Table,     DataSets_Table,          SiteConstants_Table, LeaveOutSuspects_Button,
        PutAllBack_Button, GraphResolution_SpinBox, SaveReport_Button,   SaveGraph_Button};
    for (auto control = order.begin(); std::next(control) != order.end(); ++control) {
        setTabOrder(*control, *std::next(control));
    }
}

void TReportPage::ShowReport() {
    CreateTables();
    splitterMoved_ = false;
    ShowWhatIf();
    Hint_Label->hide();
    Stale_Label->hide();
    for (QWidget* table :
         std::initializer_list<QWidget*>{Results_Table, SiteConstants_Table, DataSets_Table}) {
        table->show();
    }
    LayOut();
}

// No failure of a what-if fit may reach Qt's event loop; it is told on the
// what-if line instead.
template <typename Body> void TReportPage::Guarded(Body&& body) {
    try {
        body();
    } catch (const std::exception& error) {
        ShowWhatIfState(QStringLiteral("The what-if fit could not be made: ") +
                        QString::fromUtf8(error.what()));
    }
}

void TReportPage::ShowWhatIf() {
    const TWhatIfFit& whatIf = results_.WhatIf();
    if (!results_.Contents() || !whatIf.HasFit()) {
        // The graph must not keep reading a fit that is gone.
        if (Graph_View) {
            Graph_View->SetGraph(nullptr, nullptr);
        }
        return;
    }
    FillSummary();
    model_->Refresh();
    FitDataSetColumns();
    Graph_View->SetGraph(&whatIf.Current(), &whatIf.Current().InFit);
    SetShownText(*Legend_Label, DataSetLegend(whatIf.Current()));
    ShowWhatIfState(QString::fromStdString(WhatIfLine(whatIf.Excluded())));
}

void TReportPage::ToggleInFit(int row) {
    const QModelIndex box = model_->index(row, static_cast<int>(TDataSetColumn::InFit));
    if (!box.isValid()) {
        return;
    }
    const bool inFit = model_->data(box, Qt::CheckStateRole).toInt() == Qt::Checked;
    model_->setData(box, inFit ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

void TReportPage::ShowWhatIfState(const QString& text) {
    SetShownText(*WhatIf_Label, text);
    // The results' heading already names the data sets left out; the line
    // shows what it does not say, a refusal or a failure.
    WhatIf_Label->setVisible(!text.isEmpty() && text != ResultsHeading_Label->text());
    const TWhatIfFit& whatIf = results_.WhatIf();
    const std::vector<std::size_t>& suspects = whatIf.Full().Suspect;
    const bool suspectsIn =
        std::any_of(suspects.begin(), suspects.end(),
                    [&whatIf](std::size_t serial) { return whatIf.Current().IsInFit(serial - 1); });
    LeaveOutSuspects_Button->setEnabled(suspectsIn);
    PutAllBack_Button->setEnabled(whatIf.IsActive());
}

void TReportPage::FillSummary() {
    const TReportContents& contents = *results_.Contents();
    FillTable(*SiteConstants_Table, SiteConstantLines(contents));
    if (contents.WhatIf) {
        SetShownText(*ResultsHeading_Label, WhatIfHeading(*contents.WhatIf));
        FillTable(*Results_Table, WhatIfLines(*contents.Statistics, *contents.WhatIf));
    } else {
        SetShownText(*ResultsHeading_Label, QStringLiteral("Results: ") +
                                                CalculationOptionText(contents.Statistics->Option));
        FillTable(*Results_Table, ResultLines(contents));
    }
    ShowWarnings();
}

// The warnings of the fit shown, each on a line of its own, in full.
void TReportPage::ShowWarnings() {
    const QStringList warnings = WarningTexts(results_.WhatIf().Current());
    Warnings_Label->setVisible(!warnings.isEmpty());
    QStringList lines;
    QStringList plain{QStringLiteral("Warnings")};
    for (const QString& warning : warnings) {
        lines << QStringLiteral("\u2022 ") + warning.toHtmlEscaped();
        plain << QStringLiteral("\u2022 ") + warning;
    }
    Warnings_Label->setText(QStringLiteral("<b>Warnings</b><div style=\"color: %1\">%2</div>")
                                .arg(QString::fromUtf8(WarningColour), lines.join("<br>")));
    Warnings_Label->setAccessibleName(plain.join(QLatin1Char('\n')));
}

void TReportPage::FitDataSetColumns() {
    const TReportContents& contents = *results_.Contents();
    FitDataSetTableColumns(*DataSets_Table, results_.WhatIf().Current(), contents.Reasons);
    ShareSplitter();
}

// The data sets get the width their columns need, as far as the graph keeps
// its least width; until the user moves the splitter's handle.
void TReportPage::ShareSplitter() {
    if (!Report_Splitter || splitterMoved_) {
        return;
    }
    const int room = Report_Splitter->width() - Report_Splitter->handleWidth();
    const int table =
        std::min(DataSetTableWidth(*DataSets_Table), std::max(room - GraphLeastWidth, room / 2));
    Report_Splitter->setSizes({table, room - table});
}

// The splitter's new width is known once it is resized itself.
bool TReportPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Report_Splitter && event->type() == QEvent::Resize) {
        ShareSplitter();
    }
    return QWidget::eventFilter(watched, event);
}
