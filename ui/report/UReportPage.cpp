#include "UReportPage.h"

#include "UFonts.h"
#include "UReportTableModel.h"

#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace {

constexpr int RowHeight = 18;
constexpr int ResultColumns = 3;

void SetUpTable(QTableView* table, const char* name, const char* accessibleName, QRect place) {
    table->setObjectName(QString::fromUtf8(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->setGeometry(place);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(RowHeight);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    table->hide();
}

QPushButton* NewButton(QWidget* page, const char* name, const char* caption, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(place);
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

} // namespace

TReportPage::TReportPage(QWidget* parent) : QWidget(parent) {
    Hint_Label = new QLabel(QString::fromUtf8(ReportHintText), this);
    Hint_Label->setObjectName(QStringLiteral("Hint_Label"));
    Hint_Label->setTextFormat(Qt::PlainText);
    Hint_Label->move(22, 16);
    Hint_Label->adjustSize();
    CreateButtons();
}

// The tables are made with the first report: they cost a noticeable part of
// the program's start, and most sessions begin far from this page.
void TReportPage::CreateTables() {
    if (Results_Table) {
        return;
    }
    CreateResultsTable();
    CreateDataSetsTable();
    CreateWhatIfControls();
    Legend_Label->show();
}

void TReportPage::CreateResultsTable() {
    Results_Table = new QTableWidget(0, ResultColumns, this);
    SetUpTable(Results_Table, "Results_Table", "Results", {16, 8, 683, 246});
    Results_Table->setHorizontalHeaderLabels(
        {QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("95 % interval")});
    Results_Table->setColumnWidth(0, 250);
    Results_Table->setColumnWidth(1, 130);
    Results_Table->horizontalHeader()->setStretchLastSection(true);
}

void TReportPage::CreateDataSetsTable() {
    DataSets_Table = new QTableView(this);
    SetUpTable(DataSets_Table, "DataSets_Table", "Data sets and residuals", {16, 288, 683, 176});
    model_ = new TReportTableModel(DataSets_Table);
    model_->SetWhatIf(&whatIf_);
    DataSets_Table->setModel(model_);
    connect(model_, &TReportTableModel::Failed, this,
            [this](const QString& reason) { ShowWhatIfState(reason); });
    connect(model_, &TReportTableModel::LeaveOutRefused, this, [this] {
        ShowWhatIfState(QStringLiteral(
            "Left in: at least two data sets at different H\" must stay in the fit."));
    });
    DataSets_Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Legend_Label = new QLabel(this);
    Legend_Label->setObjectName(QStringLiteral("Legend_Label"));
    Legend_Label->setTextFormat(Qt::PlainText);
    Legend_Label->setWordWrap(true);
    Legend_Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Legend_Label->setGeometry(16, 470, 460, 34);
}

void TReportPage::CreateButtons() {
    SaveReport_Button = NewButton(this, "SaveReport_Button", "Save report…", {488, 476, 105, 25});
    SaveGraph_Button = NewButton(this, "SaveGraph_Button", "Save graph…", {602, 476, 97, 25});
}

void TReportPage::CreateWhatIfControls() {
    WhatIf_Label = new QLabel(this);
    WhatIf_Label->setObjectName(QStringLiteral("WhatIf_Label"));
    WhatIf_Label->setAccessibleName(QStringLiteral("What-if fit"));
    WhatIf_Label->setTextFormat(Qt::PlainText);
    WhatIf_Label->setGeometry(16, 258, 440, 26);
    LeaveOutSuspects_Button =
        NewButton(this, "LeaveOutSuspects_Button", "Leave out suspects", {462, 258, 128, 25});
    LeaveOutSuspects_Button->setToolTip(
        QStringLiteral("Fit again without the suspect data sets; the files stay as they are"));
    PutAllBack_Button = NewButton(this, "PutAllBack_Button", "Put all back", {596, 258, 103, 25});
    PutAllBack_Button->setToolTip(QStringLiteral("Every data set back in the fit"));
    connect(LeaveOutSuspects_Button, &QPushButton::clicked, this,
            [this] { Guarded([this] { whatIf_.LeaveOutSuspects(); }); });
    connect(PutAllBack_Button, &QPushButton::clicked, this,
            [this] { Guarded([this] { whatIf_.PutAllBack(); }); });
    for (QWidget* control : std::initializer_list<QWidget*>{WhatIf_Label, LeaveOutSuspects_Button,
                                                            PutAllBack_Button}) {
        control->show();
    }
    whatIf_.OnChanged = [this] { ShowWhatIf(); };
}

void TReportPage::ShowReport(TReportContents contents) {
    CreateTables();
    contents_ = std::move(contents);
    contents_->WhatIf.reset();
    whatIf_.Reset(contents_->Statistics);
    Hint_Label->hide();
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
    if (!contents_ || !whatIf_.HasFit()) {
        return;
    }
    contents_->WhatIf.reset();
    if (whatIf_.IsActive()) {
        contents_->WhatIf = whatIf_.Current();
    }
    FillResultsTable();
    model_->Refresh();
    Legend_Label->setText(SuspectLegend(whatIf_.Current()));
    ShowWhatIfState(QString::fromStdString(WhatIfLine(whatIf_.Excluded())));
    emit FitChanged();
}

void TReportPage::ShowWhatIfState(const QString& text) {
    WhatIf_Label->setText(text);
    const std::vector<std::size_t>& suspects = whatIf_.Full().Suspect;
    const bool suspectsIn =
        std::any_of(suspects.begin(), suspects.end(),
                    [this](std::size_t serial) { return whatIf_.Current().IsInFit(serial - 1); });
    LeaveOutSuspects_Button->setEnabled(suspectsIn);
    PutAllBack_Button->setEnabled(whatIf_.IsActive());
}

void TReportPage::FillResultsTable() {
    Results_Table->setRowCount(0);
    AddHeadingRow(QStringLiteral("Site constants"));
    for (const TReportLine& line : SiteConstantLines(*contents_)) {
        AddResultRow(line);
    }
    if (contents_->WhatIf) {
        AddHeadingRow(WhatIfHeading(*contents_->WhatIf));
        for (const TReportLine& line : WhatIfLines(contents_->Statistics, *contents_->WhatIf)) {
            AddResultRow(line);
        }
    } else {
        AddHeadingRow(QStringLiteral("Results: ") +
                      CalculationOptionText(contents_->Statistics.Option));
        for (const TReportLine& line : ResultLines(*contents_)) {
            AddResultRow(line);
        }
    }
    AddWarningRows();
}

// Each warning on a row of its own across the table, wrapped to its width.
void TReportPage::AddWarningRows() {
    const QStringList warnings = WarningTexts(whatIf_.Current());
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
