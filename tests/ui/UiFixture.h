// Drives the real main window on Qt's offscreen platform: a fresh store,
// fresh flags and a fresh window for every test, with scripted dialogs.
#pragma once

#include "ScriptedDialogs.h"
#include "UCloseForm.h"
#include "UDMTylwen.h"
#include "UDataGrid.h"
#include "UFileCommands.h"
#include "UFonts.h"
#include "UImportTable.h"
#include "UMainForm.h"
#include "UOutputPage.h"
#include "UTextField.h"
#include "UTylwenUtils.h"
#include "UUnsavedWork.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// One application for the whole test program, made on first use so that
// listing the tests needs no display.
inline QApplication& TestApplication() {
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "soravik_ui_tests";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        InstallFontSubstitutions();
        return made;
    }();
    return *application;
}

inline std::string SourcePath(const std::string& relative) {
    return std::string(SORAVIK_SOURCE_DIR) + "/" + relative;
}

inline std::string ReadWholeFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

// The lines of a file without their CR LF ends.
inline std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    const QStringList parts =
        QString::fromStdString(ReadWholeFile(path)).split(QStringLiteral("\r\n"));
    for (const QString& part : parts) {
        lines.push_back(part.toStdString());
    }
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// A file's lines from the second on: the first names the file itself.
inline std::vector<std::string> LinesAfterName(const std::string& path) {
    std::vector<std::string> lines = FileLines(path);
    if (!lines.empty()) {
        lines.erase(lines.begin());
    }
    return lines;
}

struct TDataRow {
    const char* Discharge;
    const char* Midway;
    const char* Near;
};

// examples/pipe-drain-field.inp: drain depth 1.1, layer 5, spacing 20, radius 0.05.
inline const std::vector<TDataRow>& PipeDrainField() {
    static const std::vector<TDataRow> rows = {
        {"15", "0.26", "0.98"},   {"13.6", "0.32", "0.98"}, {"12.8", "0.38", "0.99"},
        {"11.7", "0.46", "1.01"}, {"10.5", "0.51", "1.01"}, {"9.2", "0.56", "1.02"},
        {"8.8", "0.61", "1.02"},  {"7.5", "0.66", "1.03"},  {"7.1", "0.7", "1.03"},
        {"5.9", "0.74", "1.03"},  {"5.1", "0.77", "1.03"},  {"4.4", "0.82", "1.04"},
        {"3.7", "0.87", "1.06"},  {"3.3", "0.9", "1.06"},   {"2.6", "0.94", "1.07"},
    };
    return rows;
}

class TMainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        QApplication::clipboard()->clear();
        ASSERT_TRUE(folder.isValid());
        StartWindow();
    }

    void TearDown() override {
        closeForm.reset();
        form.reset();
        for (const std::string& error : dialogs.TakeErrors()) {
            ADD_FAILURE() << "Unexpected error box: " << error;
        }
    }

    // A fresh store, fresh flags and fresh windows, as at program start.
    void StartWindow() {
        closeForm.reset();
        form.reset();
        DMTylwen = TDMTylwen();
        DMTylwen.DataModuleCreate();
        ResetTylwenUtils();
        form = std::make_unique<TMainForm>(dialogs);
        // Counts the ending; the real one: tests/e2e/case_*ends_program*.py.
        closeForm = std::make_unique<TCloseForm>(dialogs, [this] { ++programEnded; });
        form->SetCloseForm(*closeForm);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    std::string InFolder(const std::string& name) const {
        return QDir(folder.path()).filePath(QString::fromStdString(name)).toStdString();
    }

    void ShowPage(QWidget* page) { form->PageControl1->setCurrentWidget(page); }
    QWidget* ActivePage() const { return form->PageControl1->currentWidget(); }
    TDataGrid& Grid() const { return *form->Input->DataGrid; }
    std::string Cell(int column, int row) const { return Grid().Cell(column, row); }
    // Row and column of the grid's current cell.
    std::pair<int, int> CurrentCell() const {
        return {Grid().currentIndex().row(), Grid().currentIndex().column()};
    }

    // Opens the in-place editor of a cell, as a double click would.
    TCellEditor* OpenCell(int row, int column) {
        Grid().setFocus(Qt::MouseFocusReason);
        Grid().setCurrentCell(row, column);
        Grid().edit(Grid().currentIndex());
        TCellEditor* editor = Grid().CellEditor();
        EXPECT_NE(editor, nullptr) << "no editor for row " << row << ", column " << column;
        return editor;
    }

    // Types over a cell's text and ends the edit with Return; an empty text
    // empties the cell.
    void TypeCell(int row, int column, const QString& text) {
        TCellEditor* editor = OpenCell(row, column);
        if (!editor) {
            return;
        }
        editor->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(editor, Qt::Key_Delete);
        } else {
            QTest::keyClicks(editor, text);
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }

    void TypeTable(const std::vector<TDataRow>& rows) {
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            TypeCell(row, 1, QString::fromUtf8(rows[row].Discharge));
            TypeCell(row, 2, QString::fromUtf8(rows[row].Midway));
            TypeCell(row, 3, QString::fromUtf8(rows[row].Near));
        }
    }

    // Types into a field and leaves it for the grid, which runs its exit handler.
    void EnterField(TTextField* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else {
            QTest::keyClicks(field, text);
        }
        Grid().setFocus(Qt::TabFocusReason);
    }

    void EnterSiteConstants(const char* drainDepth, const char* layer, const char* spacing,
                            const char* radius) {
        EnterField(form->Input->Edit2, QString::fromUtf8(drainDepth));
        EnterField(form->Input->Edit3, QString::fromUtf8(layer));
        EnterField(form->Input->Edit4, QString::fromUtf8(spacing));
        EnterField(form->Input->Edit5, QString::fromUtf8(radius));
    }

    void ClickButton(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Save-calculate through the Input page's button, saving under `name`.
    void SaveCalculate(const std::string& path) {
        dialogs.SaveFileNames.push_back(path);
        ClickButton(form->Input->Button2);
    }

    std::string MemoText(const QPlainTextEdit* memo) const {
        return memo->toPlainText().toStdString();
    }

    TScriptedDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TCloseForm> closeForm;
    int programEnded = 0;
};
