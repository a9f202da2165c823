// The Report page: how far the last calculation can be trusted. The results
// with their 95 % intervals beside the site constants, and the warnings,
// above; the data sets with their residuals and influence beside the graph
// below, suspect and influential ones marked; before the first calculation
// only a one-line hint. The page scrolls rather than cut a number.
// A check box per data set leaves it out of the what-if fit of the results,
// which the page shows at once; the files are never touched by it. The page
// shows what the results give it, and builds its controls only when first
// shown or asked for them.
#pragma once

#include "UResults.h"

#include <QWidget>

#include <optional>
#include <string>

class QAction;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTableView;
class QTableWidget;
class QVBoxLayout;
class QBoxLayout;
class QHBoxLayout;
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
    // The buttons of the page run `saveReport` and `saveGraph`.
    TReportPage(TResults& results, QAction& saveReport, QAction& saveGraph,
                QWidget* parent = nullptr);

    // Makes the page's controls, once; showing the page makes them first.
    void Build();
    void setVisible(bool visible) override;
    bool IsBuilt() const { return Hint_Label != nullptr; }
    // What the page shows, the what-if fit included; nothing before the
    // first calculation.
    const std::optional<TReportContents>& Contents() const { return results_.Contents(); }
    bool IsStale() const { return results_.IsStale(); }
    // The resolution the graph is saved at as a PNG picture.
    int GraphDotsPerInch() const;

    // Made by Build; the tables with the first report.
    QLabel* Hint_Label = nullptr;
    QLabel* ResultsHeading_Label = nullptr;
    QTableWidget* Results_Table = nullptr;
    QTableWidget* SiteConstants_Table = nullptr;
    QLabel* Warnings_Label = nullptr;
    QSplitter* Report_Splitter = nullptr;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ResultsChanged(TResultsChange change);
    void ShowReport();
    void LayOut();
    void CreateTables();
    QBoxLayout* CreateSummary();
    void CreateDataSetsTable();
    void CreateSplitter();
    void CreateButtons(QVBoxLayout* layout);
    void BindButton(QPushButton* button, QAction& command);
    void CreateWhatIfControls();
    void SetTabOrder();
    void ShowWhatIf();
    template <typename Body> void Guarded(Body&& body);
    void ShowWhatIfState(const QString& text);
    // Ticks or unticks the "in fit" box of data set `row` (from 0).
    void ToggleInFit(int row);
    void ShowWarnings();
    void FillSummary();
    void FitDataSetColumns();
    void ShareSplitter();

    TResults& results_;
    QAction& saveReport_;
    QAction& saveGraph_;
    TReportTableModel* model_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QHBoxLayout* saveRow_ = nullptr;
    // The user has shared the room between the data sets and the graph.
    bool splitterMoved_ = false;
};
