// The Report page: how far the last calculation can be trusted. The site
// constants, the results with their 95 % intervals and the warnings above,
// the data sets with their residuals and influence below, suspect and
// influential ones marked; before the first calculation only a one-line hint.
// A check box per data set leaves it out of a what-if fit, which the page
// shows at once; the files are never touched by it.
#pragma once

#include "UReportContents.h"
#include "UWhatIfFit.h"

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
    // What the page shows, the what-if fit included; nothing before the
    // first calculation.
    const std::optional<TReportContents>& Contents() const { return contents_; }
    // The one owner of the data sets left out; a change through it shows at
    // once and is told by FitChanged. Every data set is back in with each new
    // report.
    TWhatIfFit& WhatIf() { return whatIf_; }
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
    QLabel* WhatIf_Label = nullptr;
    QPushButton* LeaveOutSuspects_Button = nullptr;
    QPushButton* PutAllBack_Button = nullptr;
    TReportGraphView* Graph_View = nullptr;
    QLabel* Stale_Label = nullptr;
    QSpinBox* GraphResolution_SpinBox = nullptr;
    QPushButton* SaveReport_Button = nullptr;
    QPushButton* SaveGraph_Button = nullptr;

signals:
    // The data sets in the what-if fit have changed and the page shows it.
    void FitChanged();

private:
    void CreateTables();
    void CreateResultsTable();
    void CreateDataSetsTable();
    void CreateButtons(QVBoxLayout* layout);
    void CreateWhatIfControls();
    void ShowWhatIf();
    template <typename Body> void Guarded(Body&& body);
    void ShowWhatIfState(const QString& text);
    // Ticks or unticks the "in fit" box of data set `row` (from 0).
    void ToggleInFit(int row);
    void AddWarningRows();
    void FillResultsTable();
    void AddResultRow(const TReportLine& line);
    void AddHeadingRow(const QString& heading);

    std::optional<TReportContents> contents_;
    TReportTableModel* model_ = nullptr;
    TWhatIfFit whatIf_;
    QWidget* body_ = nullptr;
};
