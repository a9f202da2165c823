#include "UReportPage.h"

#include "UFonts.h"
#include "UNumberText.h"
#include "UReportDocument.h"
#include "UReportGraphView.h"
#include "UReportTableModel.h"
#include "UTableCopy.h"

#include <QAction>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

void SetUpTable(QTableView* table, const char* name, const char* accessibleName) {
    table->setObjectName(QString::fromUtf8(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(RowHeight);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    CopyCellsWithHeadings(table);
    table->hide();
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

QLabel* NewLabel(QWidget* page, const char* name, const QString& text) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

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

void TReportPage::Build() {
    if (IsBuilt()) {
        return;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    Hint_Label = NewLabel(this, "Hint_Label", QString::fromUtf8(ReportHintText));
    layout->addWidget(Hint_Label);
    Stale_Label = NewLabel(this, "Stale_Label", QString::fromUtf8(StaleReportText));
    Stale_Label->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    Stale_Label->hide();
    layout->addWidget(Stale_Label);
    // The tables and the graph go here with the first report.
    body_ = new QWidget(this);
    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(body_, 1);
    CreateButtons(layout);
    if (results_.Contents()) {
        ShowReport();
        Stale_Label->setVisible(results_.IsStale());
    }
    // A hidden page is laid out only when first shown; until then its
    // controls would lie on top of each other for anyone who looks.
    layout->activate();
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
    auto* splitter = new QSplitter(Qt::Horizontal, body_);
    splitter->setObjectName(QStringLiteral("Report_Splitter"));
    splitter->setChildrenCollapsible(false);
    auto* tables = new QWidget(splitter);
    auto* tablesLayout = new QVBoxLayout(tables);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    CreateResultsTable();
    CreateDataSetsTable();
    CreateWhatIfControls();
    auto* whatIfRow = new QHBoxLayout;
    whatIfRow->addWidget(WhatIf_Label, 1);
    whatIfRow->addWidget(LeaveOutSuspects_Button);
    whatIfRow->addWidget(PutAllBack_Button);
    for (QWidget* part : std::initializer_list<QWidget*>{WhatIf_Label, LeaveOutSuspects_Button,
                                                         PutAllBack_Button}) {
        part->setParent(tables);
    }
    tablesLayout->addWidget(Results_Table, 1);
    tablesLayout->addLayout(whatIfRow);
    for (QWidget* part : std::initializer_list<QWidget*>{DataSets_Table, Legend_Label}) {
        part->setParent(tables);
        tablesLayout->addWidget(part, part == Legend_Label ? 0 : 1);
    }
    Graph_View = new TReportGraphView(splitter);
    Graph_View->setObjectName(QStringLiteral("Graph_View"));
    // A click on a marker goes the check box's way, so the table, the graph,
    // the warnings and the what-if line change together.
    connect(Graph_View, &TReportGraphView::MarkerClicked, this,
            [this](qulonglong index) { ToggleInFit(static_cast<int>(index)); });
    splitter->addWidget(tables);
    splitter->addWidget(Graph_View);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    body_->layout()->addWidget(splitter);
    Legend_Label->show();
}

void TReportPage::CreateResultsTable() {
    Results_Table = new QTableWidget(0, ResultColumns, this);
    SetUpTable(Results_Table, "Results_Table", "Results");
    Results_Table->setHorizontalHeaderLabels(
        {QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("95 % interval")});
    Results_Table->setColumnWidth(0, 210);
    Results_Table->setColumnWidth(1, 90);
    Results_Table->horizontalHeader()->setStretchLastSection(true);
}

void TReportPage::CreateDataSetsTable() {
    DataSets_Table = new QTableView(this);
    SetUpTable(DataSets_Table, "DataSets_Table", "Data sets and residuals");
    model_ = new TReportTableModel(DataSets_Table);
    model_->SetWhatIf(&results_.WhatIf());
    DataSets_Table->setModel(model_);
    connect(model_, &TReportTableModel::Failed, this,
            [this](const QString& reason) { ShowWhatIfState(reason); });
    connect(model_, &TReportTableModel::LeaveOutRefused, this, [this] {
        ShowWhatIfState(QStringLiteral(
            "Left in: at least two data sets at different H\" must stay in the fit."));
    });
    // Beside the graph the table has half the page: its columns keep a width
    // that shows their numbers, and it scrolls sideways.
    DataSets_Table->horizontalHeader()->setDefaultSectionSize(64);
    Legend_Label = NewLabel(this, "Legend_Label", QString());
    Legend_Label->setAccessibleName(QStringLiteral("Suspect data sets"));
}

void TReportPage::CreateButtons(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
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
    WhatIf_Label = new QLabel(this);
    WhatIf_Label->setObjectName(QStringLiteral("WhatIf_Label"));
    WhatIf_Label->setAccessibleName(QStringLiteral("What-if fit"));
    WhatIf_Label->setTextFormat(Qt::PlainText);
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

void TReportPage::ShowReport() {
    CreateTables();
    ShowWhatIf();
    Hint_Label->hide();
    Stale_Label->hide();
    Results_Table->show();
    DataSets_Table->show();
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
    FillResultsTable();
    model_->Refresh();
    Graph_View->SetGraph(&whatIf.Current(), &whatIf.Current().InFit);
    Legend_Label->setText(DataSetLegend(whatIf.Current()));
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
    WhatIf_Label->setText(text);
    const TWhatIfFit& whatIf = results_.WhatIf();
    const std::vector<std::size_t>& suspects = whatIf.Full().Suspect;
    const bool suspectsIn =
        std::any_of(suspects.begin(), suspects.end(),
                    [&whatIf](std::size_t serial) { return whatIf.Current().IsInFit(serial - 1); });
    LeaveOutSuspects_Button->setEnabled(suspectsIn);
    PutAllBack_Button->setEnabled(whatIf.IsActive());
}

void TReportPage::FillResultsTable() {
    const TReportContents& contents = *results_.Contents();
    Results_Table->setRowCount(0);
    AddHeadingRow(QStringLiteral("Site constants"));
    for (const TReportLine& line : SiteConstantLines(contents)) {
        AddResultRow(line);
    }
    if (contents.WhatIf) {
        AddHeadingRow(WhatIfHeading(*contents.WhatIf));
        for (const TReportLine& line : WhatIfLines(*contents.Statistics, *contents.WhatIf)) {
            AddResultRow(line);
        }
    } else {
        AddHeadingRow(QStringLiteral("Results: ") +
                      CalculationOptionText(contents.Statistics->Option));
        for (const TReportLine& line : ResultLines(contents)) {
            AddResultRow(line);
        }
    }
    AddWarningRows();
}

// Each warning on a row of its own across the table, wrapped to its width.
void TReportPage::AddWarningRows() {
    const QStringList warnings = WarningTexts(results_.WhatIf().Current());
    if (warnings.isEmpty()) {
        return;
    }
    AddHeadingRow(QStringLiteral("Warnings"));
    for (const QString& warning : warnings) {
        const int row = Results_Table->rowCount();
        Results_Table->insertRow(row);
        QTableWidgetItem* item = NewItem(warning, Qt::AlignLeft);
        item->setForeground(QColor(150, 40, 0));
        Results_Table->setItem(row, 0, item);
        Results_Table->setSpan(row, 0, 1, ResultColumns);
        Results_Table->setRowHeight(row, 2 * RowHeight + 4);
    }
}

void TReportPage::AddResultRow(const TReportLine& line) {
    const int row = Results_Table->rowCount();
    Results_Table->insertRow(row);
    Results_Table->setItem(row, 0, NewItem(line.Quantity, Qt::AlignLeft));
    Results_Table->setItem(row, 1, NewItem(line.Value, Qt::AlignRight));
    Results_Table->setItem(row, 2, NewItem(line.Interval, Qt::AlignRight));
}

void TReportPage::AddHeadingRow(const QString& heading) {
    const int row = Results_Table->rowCount();
    Results_Table->insertRow(row);
    QTableWidgetItem* item = NewItem(heading, Qt::AlignLeft);
    QFont bold = Results_Table->font();
    bold.setBold(true);
    item->setFont(bold);
    Results_Table->setItem(row, 0, item);
    Results_Table->setSpan(row, 0, 1, ResultColumns);
}
