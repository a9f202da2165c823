#include "UCloseForm.h"

#include "UEventGuard.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const char* const FinishLines[] = {
    "",
    "  Thank you for using Soravik",
    "",
    "  The Soravik developers",
    "  soravik@soravik.example",
    "  https://soravik.example/",
    "  ",
};

QString FinishText() {
    QStringList lines;
    for (const char* line : FinishLines) {
        lines << QString::fromUtf8(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TCloseForm::TCloseForm(TUserDialogs& dialogs, std::function<void()> endProgram)
    : dialogs_(dialogs), endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("CloseForm"));
    setWindowTitle(QStringLiteral("Tylwen exit"));
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Finish_MemoMemo = new QPlainTextEdit(client);
    Finish_MemoMemo->setObjectName(QStringLiteral("Finish_MemoMemo"));
    Finish_MemoMemo->setGeometry(32, 32, 201, 121);
    Finish_MemoMemo->setPlainText(FinishText());
    Finish_MemoMemo->setReadOnly(true);
    Finish_MemoMemo->setAccessibleName(QStringLiteral("Farewell"));

    Finish_Button = new QPushButton(QStringLiteral("Finish"), client);
    Finish_Button->setObjectName(QStringLiteral("Finish_Button"));
    Finish_Button->setGeometry(176, 168, 57, 25);
    Finish_Button->setAccessibleName(QStringLiteral("Finish"));
    Finish_Button->setDefault(true);
    connect(Finish_Button, &QPushButton::clicked, this,
            [this] { RunGuarded(dialogs_, [this] { Finish_ButtonClick(); }); });

    // Outer size 287 x 259: a client area of 271 x 220 with the status bar at 200.
    resize(271, 220);
    move(235, 172);
}

void TCloseForm::Finish_ButtonClick() {
    EndProgram();
}

void TCloseForm::EndProgram() {
    endProgram_();
}

void TCloseForm::FormShow() {
    ShowStatus(FinishStatusText);
    // Return ends the program at once: the only thing left to do here is Finish.
    Finish_Button->setFocus(Qt::OtherFocusReason);
}

void TCloseForm::FormClose() {
    EndProgram();
}

void TCloseForm::showEvent(QShowEvent* event) {
    TBaseForm::showEvent(event);
    RunGuarded(dialogs_, [this] { FormShow(); });
}

void TCloseForm::closeEvent(QCloseEvent* event) {
    event->accept();
    RunGuarded(dialogs_, [this] { FormClose(); });
}
