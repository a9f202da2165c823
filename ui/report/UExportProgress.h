// A long export shows how far it got and can be cancelled: the progress
// dialog comes up once the export has run for a noticeable moment, and the
// window stays responsive meanwhile.
#pragma once

#include "UReportGraph.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

class TExportProgress {
public:
    TExportProgress(QWidget* window, QString label);
    ~TExportProgress();
    TExportProgress(const TExportProgress&) = delete;
    TExportProgress& operator=(const TExportProgress&) = delete;

    // For the drawing: false once the user cancelled.
    TPaintProgress Callback();

private:
    bool Tell(std::size_t done, std::size_t total);

    QWidget* window_;
    QString label_;
    QElapsedTimer started_;
    QElapsedTimer lastTold_;
    QPointer<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

// How long an export runs before its progress is shown.
constexpr int ExportProgressDelayMs = 300;
