// The exit dialog: shown when the main window is asked to close; its Finish
// button, or closing it, ends the program.
#pragma once

#include "UBaseForm.h"

#include <functional>

class QPlainTextEdit;
class QPushButton;
class TUserDialogs;

inline const char* const FinishStatusText = "Click on Finish button to end program.";

class TCloseForm : public TBaseForm {
    Q_OBJECT
public:
    // `endProgram` leaves the event loop; the tests count its calls instead.
    TCloseForm(TUserDialogs& dialogs, std::function<void()> endProgram);

    QPlainTextEdit* Finish_MemoMemo = nullptr;
    QPushButton* Finish_Button = nullptr;

    void Finish_ButtonClick();
    // Leaves the event loop; nothing is saved or asked on the way out.
    void EndProgram();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormClose();

    TUserDialogs& dialogs_;
    std::function<void()> endProgram_;
};
