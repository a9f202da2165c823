#include "UMainForm.h"

#include "UInputPage.h"

#include "UCalculationResults.h"
#include "UCloseForm.h"
#include "UDMTylwen.h"
#include "UDesignPage.h"
#include "UEditCommands.h"
#include "UFileCommands.h"
#include "UFileDrop.h"
#include "UFileNames.h"
#include "UHelpCommands.h"
#include "UImportTable.h"
#include "UOutputFile.h"
#include "UOutputPage.h"
#include "URegressionGraph.h"
#include "UReportCommands.h"
#include "UReportPage.h"
#include "UResults.h"
#include "UTextField.h"
#include "UTylwenUtils.h"
#include "UUndoCommands.h"
#include "UUnsavedWork.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>

#include "UDataGrid.h"
#include "UInputPage.h"

namespace {

constexpr int ClientWidth = 715;
constexpr int ClientHeight = 558;

const char* const ReportStatusText = "The report shows how far the results can be trusted. Use "
                                     "\"Save report\" to keep it as a PDF file.";
const char* const DesignStatusText = "The drain spacing that keeps the water table at the allowed "
                                     "height h for the design discharge.";
const char* const IntroStatusText = "Use the Input tabsheet to continue";
const char* const FigureStatusText =
    "The figure gives explanations of symbols used in the input tabsheet";

} // namespace

TMainForm::TMainForm(TUserDialogs& dialogs, QWidget* parent)
    : TBaseForm(parent), dialogs_(dialogs), results_(new TResults(this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(MainFormCaption));
    InputOpen_Dialog = {"inp", "Input files (*.inp)|*.inp", ""};
    InputSave_Dialog = {"inp", "Input files (*.inp)|*.inp", ""};
    OutputOpen_Dialog = {"out", "Output files (*.out)|*.out", ""};
    SaveReport_Dialog = {"pdf", "PDF documents (*.pdf)|*.pdf", ""};
    SaveGraph_Dialog = {"png", "PNG pictures (*.png)|*.png|SVG drawings (*.svg)|*.svg", ""};
    ImportTable_Dialog = {"csv", "Tables (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt", ""};
    CreateCommands();
    CreateMenu();
    CreatePages();
    CreateCommandObjects();
    ConnectHandlers();
    // The client area below the menu bar is 715 x 558, status bar included.
    resize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    move(176, 50);
    Guarded([this] { FormCreate(); });
}

TMainForm::~TMainForm() {
    // Deleting the controls moves the focus and the current page; none of
    // that may reach the handlers of a window that is going away.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>()) {
        disconnect(child, nullptr, this, nullptr);
    }
    Input->DataGrid->SetEditHandler({});
    Input->DataGrid->SetPasteFailedHandler({});
}

void TMainForm::ShowInputPage() {
    PageControl1->setCurrentWidget(Input);
}

void TMainForm::HideOutput() {
    Output_TabSheet->Output_Memo->hide();
    Output_TabSheet->GraphImage->hide();
}

void TMainForm::SetCloseForm(TCloseForm& closeForm) {
    closeForm_ = &closeForm;
}

void TMainForm::FormCreate() {
    PageControl1->setCurrentWidget(Intro_Tabsheet);
    Intro_TabsheetShow();
    SetInitialDirectories(QDir::currentPath().toStdString() + "/");
    InputSave->setEnabled(false);
    OutputShown = false;
    DataPresent = false;
    ResultsAvailable = false;
    // Numbers on screen are written with "." whatever the user's locale; the
    // conversions of the store never follow the locale.
    QLocale::setDefault(QLocale::c());
    for (int row = 0; row < DefaultTableRows; ++row) {
        Input->DataGrid->SetCell(0, row, std::to_string(row + 1));
    }
    SetStartingSiteConstants(DMTylwen);
}

void TMainForm::Intro_TabsheetShow() {
    ShowStatus(IntroStatusText);
}

void TMainForm::Figure_TabSheetShow() {
    ShowStatus(FigureStatusText);
}

void TMainForm::Report_TabSheetShow() {
    ShowStatus(ReportStatusText);
}

void TMainForm::Design_TabSheetShow() {
    ShowStatus(DesignStatusText);
    Design_TabSheet->PrefillSite(DMTylwen.DrainDepth, DMTylwen.ImpermeableDepth,
                                 DMTylwen.DrainRadius);
}

void TMainForm::PageShown(int index) {
    const QWidget* page = PageControl1->widget(index);
    PreparePage(page);
    if (page == Intro_Tabsheet) {
        Intro_TabsheetShow();
    } else if (page == Figure_TabSheet) {
        Figure_TabSheetShow();
    } else if (page == Input) {
        Input->InputShow();
    } else if (page == Output_TabSheet) {
        Output_TabSheet->Output_TabSheetShow();
    } else if (page == Report_TabSheet) {
        Report_TabSheetShow();
    } else if (page == Design_TabSheet) {
        Design_TabSheetShow();
    }
}

void TMainForm::Calculate() {
    files_->Calculate();
}

TReportPage& TMainForm::Report() {
    Report_TabSheet->Build();
    return *Report_TabSheet;
}

TDesignPage& TMainForm::Design() {
    Design_TabSheet->Build();
    return *Design_TabSheet;
}

void TMainForm::DrawRegressionGraph() {
    Output_TabSheet->DrawRegressionGraph();
}

void TMainForm::FormShow() {
    if (closeForm_ && closeForm_->isVisible()) {
        closeForm_->EndProgram();
    }
}

void TMainForm::FormClose() {
    if (closeForm_) {
        closeForm_->show();
        closeForm_->raise();
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    TBaseForm::showEvent(event);
    Guarded([this] { FormShow(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The main window never closes by itself: the exit dialog ends the
    // program, once the user has said what becomes of unsaved work.
    event->ignore();
    Guarded([this] {
        if (ReadyToEnd()) {
            FormClose();
        }
    });
}

bool TMainForm::HasUnsavedWork() const {
    return work_->HasUnsavedWork();
}

bool TMainForm::ReadyToEnd() {
    return work_->ReadyToEnd();
}

void TMainForm::InputOpenExecute() {
    files_->InputOpenExecute();
}

void TMainForm::InputSaveExecute() {
    files_->InputSaveExecute();
}

// The commands, each an object of its own that the shell's actions run.
void TMainForm::CreateCommandObjects() {
    undo_ = std::make_unique<TUndoCommands>(*this, *Input, *EditMenu, memory_, dialogs_);
    Undo = undo_->Undo;
    Redo = undo_->Redo;
    work_ = std::make_unique<TUnsavedWork>(*this, *Input, *undo_, dialogs_);
    files_ = std::make_unique<TFileCommands>(
        *this, dialogs_, memory_,
        TFileCommandPages{PageControl1, Input, Output_TabSheet, this, &SaveCancelled}, *results_,
        *work_);
    import_ = std::make_unique<TImportTable>(*this, dialogs_, memory_, ImportTable_Dialog,
                                             InputOpen_Dialog, *PageControl1, *Input,
                                             undo_->History(), *results_);
    edit_ =
        std::make_unique<TEditCommands>(TEditActions{EditCut1, EditCopy1, EditPaste1, EditDelete1},
                                        *EditMenu, *Input->DataGrid, dialogs_);
    help_ =
        std::make_unique<THelpCommands>(*this, *PageControl1,
                                        THelpCommands::TChapters{{Intro_Tabsheet, "intro.html"},
                                                                 {Figure_TabSheet, "figure.html"},
                                                                 {Input, "input.html"},
                                                                 {Output_TabSheet, "output.html"},
                                                                 {Report_TabSheet, "report.html"},
                                                                 {Design_TabSheet, "design.html"}},
                                        *HelpGuide, *HelpAbout, dialogs_);
    report_ = std::make_unique<TReportCommands>(
        *this, dialogs_, *results_,
        TReportActions{SaveReport, SaveGraph, &SaveReport_Dialog, &SaveGraph_Dialog},
        *Report_TabSheet, *Design_TabSheet);
}

void TMainForm::ConnectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { Guarded([=] { PageShown(index); }); });
    ConnectGuarded(Input->Button2, &QPushButton::clicked, this, dialogs_,
                   [this] { work_->SaveCalculateRecorded(); });
    ConnectGuarded(InputOpen, &QAction::triggered, this, dialogs_,
                   [this] { files_->InputOpenExecute(); });
    ConnectGuarded(InputSave, &QAction::triggered, this, dialogs_,
                   [this] { files_->InputSaveExecute(); });
    ConnectGuarded(OutputOpen, &QAction::triggered, this, dialogs_,
                   [this] { files_->OutputOpenExecute(); });
    ConnectGuarded(ImportTable, &QAction::triggered, this, dialogs_,
                   [this] { import_->ImportTableExecute(); });
    connect(FileExit1, &QAction::triggered, this, &QWidget::close);
    new TFileDrop(*this, [this](const std::string& fileName) {
        // The file manager keeps the focus after a drop; the file is opened
        // in this window, which its messages must stand above.
        activateWindow();
        raise();
        OpenFileLater(fileName);
    });
}
