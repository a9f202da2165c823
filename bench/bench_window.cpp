// Times the real main window with a table of DATASETS data sets, each action
// until the window has painted its result:
//   open      Open-input of a file of that many data sets
//   paste     Ctrl+V of that many clipboard lines into the first value cell
//   save      Save-calculate of the opened table (files, calculation, graph,
//             Output page)
//   emptied   Save-calculate after one cell of the opened table was emptied
//   report    the first showing of the Report page after a Save-calculate
//   infit     a click on a data set's "In fit" box: the first after the
//             calculation (infit_first), each that leaves a data set out of
//             the what-if fit (infit_out) and each that puts one back
//             (infit_back)
//   design    a digit typed into the Design page's design discharge
// and prints the median seconds of each and the process's peak memory:
//   soravik_bench_window DATASETS [REPEATS [ACTIONS]]
// ACTIONS picks some of them by their first letters ("osperid", the default).
// bench/window runs it per size beside a bare window and prints the table.
#include "PeakMemory.h"
#include "UApplication.h"
#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UDesignPage.h"
#include "UFonts.h"
#include "UMainForm.h"
#include "UReportPage.h"
#include "UReportTableModel.h"
#include "UTylwenUtils.h"
#include "UUserDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The open dialog answers with the table's file, the save dialog with another
// one beside it; every question is answered Yes.
class TBenchDialogs : public TUserDialogs {
public:
    std::string OpenName;
    std::string SaveName;

    void ShowMessage(const std::string&) override {}
    // A run that meets an error times something else than it says.
    void ShowError(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
    }
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions&) override {
        return OpenName;
    }
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions&) override {
        return SaveName;
    }
};

// Plausible measurements: the depths midway rise, the discharge falls.
struct TRow {
    double Discharge;
    double Midway;
    double Near;
};

TRow RowOf(int index, int count) {
    const double along = static_cast<double>(index) / count;
    return {15.0 - 12.0 * along + 0.01 * (index % 7), 0.25 + 0.7 * along, 1.0 + 0.07 * along};
}

void WriteInputFile(const std::string& path, int count) {
    std::ofstream file(path, std::ios::binary);
    file << " File Name: " << path << "\r\n\r\n"
         << " Drain depth (m)               1.10\r\n"
         << " Depth impermeable layer (m)   5.00\r\n"
         << " Depth spacing (m)            20.00\r\n"
         << " Drain radius (m)              0.05\r\n\r\n";
    for (int line = 0; line < 6; ++line) {
        file << "heading\r\n";
    }
    file << " - - - - - - - - - - - - - - - - - - - - -\r\n";
    char line[96];
    for (int i = 0; i < count; ++i) {
        const TRow row = RowOf(i, count);
        std::snprintf(line, sizeof line, "%5d%12.3f%12.3f%11.3f\r\n", i + 1, row.Discharge,
                      row.Midway, row.Near);
        file << line;
    }
    file << " - - - - - - - - - - - - - - - - - - - - -\r\n";
}

// Copied from a spreadsheet: the text arrives in the program as the paste.
QString ClipboardBlock(int count) {
    QString text;
    text.reserve(static_cast<qsizetype>(count) * 18);
    char line[96];
    for (int i = 0; i < count; ++i) {
        const TRow row = RowOf(i, count);
        std::snprintf(line, sizeof line, "%.2f\t%.3f\t%.3f\r\n", row.Discharge, row.Midway,
                      row.Near);
        text += QLatin1String(line);
    }
    return text;
}

double Seconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// 0 for an action that was not run.
double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class TWindowBench {
public:
    TWindowBench(int count, const std::string& folder) : count_(count) {
        dialogs_.OpenName = folder + "/table.inp";
        dialogs_.SaveName = folder + "/saved.inp";
        WriteInputFile(dialogs_.OpenName, count);
        StartWindow();
    }

    double Open() {
        Show(form_->Input);
        return Seconds([&] {
            form_->Input->Button1->click();
            Paint();
        });
    }

    // Into the first value cell of a fresh window's empty table.
    double Paste() {
        StartWindow();
        QApplication::clipboard()->setText(ClipboardBlock(count_));
        TDataGrid& grid = *form_->Input->DataGrid;
        grid.setFocus();
        grid.setCurrentCell(0, 1);
        const double seconds = Seconds([&] {
            QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
            Paint();
        });
        QApplication::clipboard()->clear();
        return seconds;
    }

    double Save(bool emptyOneCell) {
        Open();
        if (emptyOneCell) {
            form_->Input->DataGrid->SetCell(2, count_ / 2, "");
        }
        return Seconds([&] {
            form_->Input->Button2->click();
            Paint();
        });
    }

    // A fresh window with the table calculated, its Report page not yet built.
    double ReportShown() {
        Calculated();
        return Seconds([&] { Show(form_->Report_TabSheet); });
    }

    // Clicks on the "In fit" boxes of three data sets in turn on the shown
    // Report page, leaving them out one by one and putting them back.
    void InFitClicks(std::vector<double>& first, std::vector<double>& out,
                     std::vector<double>& back) {
        Calculated();
        Show(form_->Report_TabSheet);
        QTableView& table = *form_->Report_TabSheet->DataSets_Table;
        const int rows[] = {1, 2, 3, 3, 2, 1};
        for (int click = 0; click < 6; ++click) {
            const double seconds = Seconds([&] {
                ClickInFitBox(table, rows[click]);
                Paint();
            });
            if (click == 0) {
                first.push_back(seconds);
            }
            (click < 3 ? out : back).push_back(seconds);
        }
    }

    // One digit more in the design discharge, with the allowed height typed.
    double DesignChange() {
        Calculated();
        Show(form_->Design_TabSheet);
        TDesignPage& design = form_->Design();
        design.Head_Edit->setText(QStringLiteral("0.5"));
        design.Discharge_Edit->setText(QStringLiteral("7"));
        design.Discharge_Edit->setFocus();
        Paint();
        return Seconds([&] {
            QTest::keyClick(design.Discharge_Edit, Qt::Key_5);
            Paint();
        });
    }

private:
    void Calculated() {
        StartWindow();
        Open();
        form_->Input->Button2->click();
        Paint();
    }

    // Where the view draws the row's check box, as its delegate finds it.
    void ClickInFitBox(QTableView& table, int row) {
        const QModelIndex box = table.model()->index(row, static_cast<int>(TDataSetColumn::InFit));
        const QVariant before = box.data(Qt::CheckStateRole);
        QStyleOptionViewItem option;
        option.initFrom(table.viewport());
        option.rect = table.visualRect(box);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect check =
            table.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &table);
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, check.center());
        if (box.data(Qt::CheckStateRole) == before) {
            std::fprintf(stderr, "the click on data set %d's box changed nothing\n", row + 1);
        }
    }

    // A fresh store, fresh flags and a fresh window, as at program start.
    void StartWindow() {
        form_.reset();
        DMTylwen = TDMTylwen();
        DMTylwen.DataModuleCreate();
        ResetTylwenUtils();
        form_ = std::make_unique<TMainForm>(dialogs_);
        form_->show();
        QApplication::setActiveWindow(form_.get());
        if (!QTest::qWaitForWindowExposed(form_.get())) {
            std::fprintf(stderr, "the window was never shown\n");
        }
        Show(form_->Input);
    }

    void Show(QWidget* page) {
        form_->PageControl1->setCurrentWidget(page);
        Paint();
    }

    // The window repaints what changed, as the event loop does after a command.
    void Paint() {
        QApplication::processEvents();
        form_->repaint();
    }

    int count_;
    TBenchDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repeats = argc > 2 ? std::max(std::atoi(argv[2]), 1) : 5;
    if (count < 15) {
        std::fprintf(stderr, "usage: soravik_bench_window DATASETS [REPEATS], at least 15\n");
        return 2;
    }
    InstallFontSubstitutions();
    QTemporaryDir folder;
    TWindowBench bench(count, folder.path().toStdString());
    const std::string actions = argc > 3 ? argv[3] : "osperid";
    const auto chosen = [&](char action) { return actions.find(action) != std::string::npos; };
    std::vector<double> open, paste, save, emptied, report, inFitFirst, inFitOut, inFitBack, design;
    for (int run = 0; run < repeats; ++run) {
        if (chosen('o')) {
            open.push_back(bench.Open());
        }
        if (chosen('s')) {
            save.push_back(bench.Save(false));
        }
        if (chosen('e')) {
            emptied.push_back(bench.Save(true));
        }
        if (chosen('p')) {
            paste.push_back(bench.Paste());
        }
        if (chosen('r')) {
            report.push_back(bench.ReportShown());
        }
        if (chosen('i')) {
            bench.InFitClicks(inFitFirst, inFitOut, inFitBack);
        }
        if (chosen('d')) {
            design.push_back(bench.DesignChange());
        }
    }
    std::printf("open %.4f\npaste %.4f\nsave %.4f\nemptied %.4f\nreport %.4f\ninfit_first "
                "%.4f\ninfit_out %.4f\ninfit_back %.4f\ndesign %.4f\npeak_kb %ld\n",
                Median(open), Median(paste), Median(save), Median(emptied), Median(report),
                Median(inFitFirst), Median(inFitOut), Median(inFitBack), Median(design),
                PeakKilobytes());
    return 0;
}
