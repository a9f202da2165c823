#include "UBaseForm.h"

#include "UFonts.h"

#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int StatusBarHeight = 20;
}

TBaseForm::TBaseForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Base Form"));
    setFont(PixelFont(QStringLiteral("Tahoma"), 13));
    resize(590, 375);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setSizeGripEnabled(false);
    // A label rather than a status message, so that the hints of menu entries
    // pass over the text without wiping it.
    statusText_ = new QLabel(StatusBar1);
    statusText_->setTextFormat(Qt::PlainText);
    // A long text, such as the path of a file saved, runs out of sight at
    // the window's edge rather than widen the window, which then could not
    // come back to its own size after being maximized.
    statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->setAccessibleName(QStringLiteral("Status"));
    StatusBar1->addWidget(statusText_, 1);
    setStatusBar(StatusBar1);
}

void TBaseForm::ShowStatus(const std::string& text) {
    const QString shown = QString::fromStdString(text);
    statusText_->setText(shown);
    // Screen readers read the status line by its name, and hear of each new text.
    statusText_->setAccessibleName(shown);
    statusText_->setToolTip(shown);
    repaint();
}

std::string TBaseForm::StatusText() const {
    return statusText_->text().toStdString();
}
