// The report's graph on the Report page: drawn to the page's size on the
// screen's own pixels, and a click on a marker names its data set.
#pragma once

#include "UReportGraph.h"

#include <QImage>
#include <QWidget>

#include <cstddef>
#include <optional>

class TReportGraphView : public QWidget {
    Q_OBJECT
public:
    explicit TReportGraphView(QWidget* parent = nullptr);

    // Shows these results (kept by the caller while shown), or none.
    void SetGraph(const TCalculationResults* statistics, const TFitFlags* inFit);
    // The data set whose marker is drawn at `point` of the widget.
    std::optional<std::size_t> MarkerAt(QPointF point) const;

    QSize sizeHint() const override { return {420, 280}; }

signals:
    // The user clicked the marker of data set `index` (from 0).
    void MarkerClicked(qulonglong index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage Drawing() const;

    const TCalculationResults* statistics_ = nullptr;
    const TFitFlags* inFit_ = nullptr;
    // Drawn once for a size: a million markers take a while.
    QImage cache_;
};
