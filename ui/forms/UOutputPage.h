// The Output page: the text of the current output file and the regression
// graph of the last calculation, which it draws whenever the results change,
// and below the text how many warnings the Report page has.
// Coming back to the page reads the current output file again, on purpose:
// another program may have changed it, or an input file opened since names
// another one.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TBaseForm;
class TResults;
class TUserDialogs;
enum class TResultsChange;

class TOutputPage : public QWidget {
    Q_OBJECT
public:
    // The page's button runs `outputOpen`; its status texts go to `window`.
    TOutputPage(TBaseForm& window, TUserDialogs& dialogs, TResults& results, QAction& outputOpen,
                QWidget* parent);

    QPlainTextEdit* Output_Memo = nullptr;
    QLabel* GraphImage = nullptr;
    QLabel* Warnings_Label = nullptr;
    QPushButton* SeeOutput_Button = nullptr;

    void Output_TabSheetShow();
    void DrawRegressionGraph();
    // The memo shows the output lines of the store.
    void LoadOutputMemo();
    // Makes the page the one shown by `pages` after a calculation that has
    // just filled the memo, which is then not read again from the file.
    void ShowCalculation(QTabWidget& pages);
    // The memo's font, loaded when the page is first shown.
    void Prepare();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ResultsChanged(TResultsChange change);
    // Shown with the graph of results that have warnings.
    void ShowWarningCount();
    void ReadCurrentOutputFile();
    // Says in the status bar when the graph shown leaves out values too
    // large for its axes.
    void TellGraphTooLarge();

    TBaseForm& window_;
    TUserDialogs& dialogs_;
    TResults& results_;
    // The page is being brought forward by the calculation that filled its memo.
    bool showingCalculation_ = false;
};
