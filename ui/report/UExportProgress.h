// A long export or import shows how far it got and can be cancelled: the
// progress dialog comes up once the work has run for a noticeable moment,
// and the window stays responsive meanwhile.
#pragma once

#include "UReportGraph.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// How the dialog names itself: its object name, its caption and what
// assistive technology reads for it.
struct TProgressNames {
    const char* ObjectName;
    const char* Title;
    const char* AccessibleName;
};

inline constexpr TProgressNames ExportProgressNames = {"ExportProgress_Dialog", "Saving",
                                                       "Progress of the export"};

class TExportProgress {
public:
    TExportProgress(QWidget* window, QString label,
                    const TProgressNames& names = ExportProgressNames);
    ~TExportProgress();
    TExportProgress(const TExportProgress&) = delete;
    TExportProgress& operator=(const TExportProgress&) = delete;

    // For the drawing: false once the user cancelled.
    TPaintProgress Callback();

private:
    bool Tell(std::size_t done, std::size_t total);

    QWidget* window_;
    QString label_;
    TProgressNames names_;
    QElapsedTimer started_;
    QElapsedTimer lastTold_;
    QPointer<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

// How long an export or import runs before its progress is shown.
constexpr int ExportProgressDelayMs = 300;
