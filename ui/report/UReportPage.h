// The Report page: how far the last calculation can be trusted. The site
// constants and the results with their 95 % intervals above, the data sets
// with their residuals below, suspect ones marked; before the first
// calculation only a one-line hint.
#pragma once

#include "UReportContents.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class TReportTableModel;

inline const char* const ReportHintText =
    "No results yet: use \"Save - calculate\" on the Input page or \"Open output\" on the Output "
    "page.";

class TReportPage : public QWidget {
    Q_OBJECT
public:
    explicit TReportPage(QWidget* parent = nullptr);

    // Shows a copy of `contents` in place of what was shown before.
    void ShowReport(TReportContents contents);
    // What the page shows; nothing before the first calculation.
    const std::optional<TReportContents>& Contents() const { return contents_; }

    QLabel* Hint_Label = nullptr;
    // Made with the first report; null before it.
    QTableWidget* Results_Table = nullptr;
    QTableView* DataSets_Table = nullptr;
    QLabel* Legend_Label = nullptr;
    QPushButton* SaveReport_Button = nullptr;
    QPushButton* SaveGraph_Button = nullptr;

private:
    void CreateTables();
    void CreateResultsTable();
    void CreateDataSetsTable();
    void CreateButtons();
    void FillResultsTable();
    void AddResultRow(const TReportLine& line);
    void AddHeadingRow(const QString& heading);

    std::optional<TReportContents> contents_;
    TReportTableModel* model_ = nullptr;
};
