// Files named outside the window's own dialogs: on the command line, by the
// desktop's file manager, or dropped on the window.
#include "UMainForm.h"

#include "UFileDrop.h"
#include "UFileNames.h"
#include "UTylwenUtils.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

void TMainForm::InstallFileDrops() {
    new TFileDrop(*this, [this](const std::string& fileName) { OpenFileLater(fileName); });
}

void TMainForm::OpenFileLater(const std::string& fileName) {
    QTimer::singleShot(0, this, [this, fileName] { Guarded([&] { OpenFile(fileName); }); });
}

void TMainForm::OpenFile(const std::string& fileName) {
    if (DataFileKindOf(fileName) == TDataFileKind::Output) {
        // Open-output ends on the Output page once it has calculated.
        Output_Memo->hide();
        OpenOutputFile(fileName);
        return;
    }
    RowsIncomplete = false;
    // A missing file is told about over the page the window was on.
    if (FileExists(fileName)) {
        PageControl1->setCurrentWidget(Input);
    }
    OpenInputFile(fileName);
}
