// The Report page: how far the last calculation can be trusted. The site
// constants and the results with their 95 % intervals above, the data sets
// with their residuals below, suspect ones marked; before the first
// calculation only a one-line hint.
#pragma once

#include "UReportContents.h"

#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QVBoxLayout;
class TReportGraphView;
class TReportTableModel;

inline const char* const ReportHintText =
    "No results yet: use \"Save - calculate\" on the Input page or \"Open output\" on the Output "
    "page.";
inline const char* const StaleReportText =
    "These are the results of the last calculation, not of the table as it now stands: "
    "calculate again to bring them up to date.";

class TReportPage : public QWidget {
    Q_OBJECT
public:
    explicit TReportPage(QWidget* parent = nullptr);

    // Shows a copy of `contents` in place of what was shown before.
    void ShowReport(TReportContents contents);
    // What the page shows; nothing before the first calculation.
    const std::optional<TReportContents>& Contents() const { return contents_; }
    // The data sets, a site constant or the option changed after the
    // calculation shown: the page says so until the next one.
    void MarkStale();
    // A cell of the Input page's grid now reads `text`: stale unless it is
    // the value the report was calculated from.
    void CellChanged(int column, int row, const std::string& text);
    // True also for a cell outside the data sets calculated.
    bool IsReportedValue(int column, int row, const std::string& text) const;
    bool IsStale() const;
    // The resolution the graph is saved at as a PNG picture.
    int GraphDotsPerInch() const;

    QLabel* Hint_Label = nullptr;
    // Made with the first report; null before it.
    QTableWidget* Results_Table = nullptr;
    QTableView* DataSets_Table = nullptr;
    QLabel* Legend_Label = nullptr;
    TReportGraphView* Graph_View = nullptr;
    QLabel* Stale_Label = nullptr;
    QSpinBox* GraphResolution_SpinBox = nullptr;
    QPushButton* SaveReport_Button = nullptr;
    QPushButton* SaveGraph_Button = nullptr;

private:
    void CreateTables();
    void CreateResultsTable();
    void CreateDataSetsTable();
    void CreateButtons(QVBoxLayout* layout);
    void FillResultsTable();
    void AddResultRow(const TReportLine& line);
    void AddHeadingRow(const QString& heading);

    std::optional<TReportContents> contents_;
    TReportTableModel* model_ = nullptr;
    QWidget* body_ = nullptr;
};
