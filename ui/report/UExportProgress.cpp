#include "UExportProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

constexpr int Steps = 1000;
constexpr int TellEveryMs = 40;

} // namespace

TExportProgress::TExportProgress(QWidget* window, QString label, const TProgressNames& names)
    : window_(window), label_(std::move(label)), names_(names) {
    started_.start();
    lastTold_.start();
}

TExportProgress::~TExportProgress() {
    delete dialog_.data();
}

TPaintProgress TExportProgress::Callback() {
    return [this](std::size_t done, std::size_t total) { return Tell(done, total); };
}

bool TExportProgress::Tell(std::size_t done, std::size_t total) {
    if (cancelled_) {
        return false;
    }
    if (started_.elapsed() < ExportProgressDelayMs || lastTold_.elapsed() < TellEveryMs) {
        return true;
    }
    lastTold_.restart();
    if (!dialog_) {
        dialog_ = new QProgressDialog(label_, QStringLiteral("Cancel"), 0, Steps, window_);
        dialog_->setObjectName(QString::fromUtf8(names_.ObjectName));
        dialog_->setAccessibleName(QString::fromUtf8(names_.AccessibleName));
        dialog_->setWindowTitle(QString::fromUtf8(names_.Title));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    const double share = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0.0;
    dialog_->setValue(static_cast<int>(share * (Steps - 1)));
    QCoreApplication::processEvents();
    cancelled_ = dialog_->wasCanceled();
    return !cancelled_;
}
