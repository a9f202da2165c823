// The Input page: the grid of data sets, the count field, the four site
// constants, the choice of calculation and the two buttons, kept in step
// with the data set store. Its show handler writes the store on purpose: the
// first showing builds the empty table of data sets there.
#pragma once

#include "UCalculation.h"
#include "UMemoryBudget.h"

#include <QWidget>

#include <array>
#include <string>
#include <utility>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TBaseForm;
class TDataGrid;
class TGridCells;
class TResults;
class TTextField;
class TUserDialogs;

// The rows of the Input page's table before any data: laid out, numbered at
// start-up and made the empty table of data sets.
inline constexpr int DefaultTableRows = 15;

// What the Input page asks of the window around it.
class TInputPageHost {
public:
    virtual ~TInputPageHost() = default;
    // The commands behind the page's two buttons.
    virtual void InputOpenExecute() = 0;
    virtual void InputSaveExecute() = 0;
    // Brings the page forward; showing it hides the Output page's results.
    virtual void ShowInputPage() = 0;
    virtual void HideOutput() = 0;
};

// The captions of the page.
struct TInputPageLabels {
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    QLabel *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    QLabel* Label13 = nullptr;
};

class TInputPage : public QWidget, public TInputPageLabels {
    Q_OBJECT
public:
    // Status texts go to `window`; `logo` is the picture shown beside the
    // buttons; `memory` follows the window's probe, which may be replaced.
    TInputPage(TBaseForm& window, TInputPageHost& host, TUserDialogs& dialogs, TResults& results,
               const TMemoryProbe* const& memory, const QPixmap& logo, QWidget* parent);
    ~TInputPage() override;

    TTextField *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;
    TTextField* Edit5 = nullptr;
    TDataGrid* DataGrid = nullptr;
    QFrame* Panel1 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;

    void InputShow();
    void FillGrid();
    void Edit1Exit();
    void Edit2Exit();
    void Edit3Exit();
    void Edit4Exit();
    void Edit5Exit();
    void DataGridSetEditText(int column, int row, const std::string& text);
    // A block of cells into the grid through `grid` (the data grid itself,
    // or one that shows the progress); true when it was taken. A refusal or
    // a value that does not convert is told; running out of memory or a
    // cancel is raised for the undo history to give the grid back.
    bool PasteBlock(TGridCells& grid, int column, int row, const std::string& text);
    void Button1Click();
    void Button2Click();

    TCalculationOption SelectedOption() const;
    // The count field and the four site-constant fields, with their leave handlers.
    using TFieldLeave = std::pair<TTextField*, void (TInputPage::*)()>;
    std::array<TFieldLeave, 5> FieldLeaves() const;
    std::array<TTextField*, 5> Fields() const { return {Edit1, Edit2, Edit3, Edit4, Edit5}; }
    // For a save: which of the first `count` rows have every value, and the
    // table closed up to the rows it kept.
    std::vector<bool> MarkCompleteRows(int count);
    void ShowClosedUpTable(const std::vector<int>& keptRows, int count);

private:
    enum class TFillSource { ByFlags, WorkingArrays };
    void CreateControls(const QPixmap& logo);
    void CreateGridArea();
    void CreateSiteConstantFields();
    void CreateCalculationChoice();
    void CreateButtons(const QPixmap& logo);
    void SetTabOrder();
    void WatchForStaleResults();
    void FillGridFrom(TFillSource source);
    void FillGridRow(int row, TFillSource source);
    void GrowDataSets(int newCount);

    TBaseForm& window_;
    TInputPageHost& host_;
    TUserDialogs& dialogs_;
    TResults& results_;
    const TMemoryProbe* const& memory_;
};
