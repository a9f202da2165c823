#include "UReportGraphView.h"

#include <QMouseEvent>
#include <QPainter>

#include <new>

TReportGraphView::TReportGraphView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Regression graph of the report"));
    setAccessibleDescription(
        QStringLiteral("Click a data set's marker to take it into or out of the fit"));
    setMinimumSize(240, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TReportGraphView::SetGraph(const TCalculationResults* statistics, const TFitFlags* inFit) {
    statistics_ = statistics;
    inFit_ = inFit;
    cache_ = QImage();
    update();
}

std::optional<std::size_t> TReportGraphView::MarkerAt(QPointF point) const {
    if (!statistics_) {
        return std::nullopt;
    }
    static const TFitFlags allIn;
    return ReportGraphMarkerAt(QRectF(rect()), *statistics_, inFit_ ? *inFit_ : allIn, point);
}

QImage TReportGraphView::Drawing() const {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (statistics_) {
        QPainter painter(&image);
        static const TFitFlags allIn;
        PaintReportGraph(painter, QRectF(rect()), *statistics_, inFit_ ? *inFit_ : allIn, {},
                         TMarkerPainting::Stamped);
    }
    return image;
}

void TReportGraphView::paintEvent(QPaintEvent*) {
    try {
        if (cache_.isNull() || cache_.devicePixelRatio() != devicePixelRatioF()) {
            cache_ = Drawing();
        }
        QPainter(this).drawImage(QPointF(0, 0), cache_);
    } catch (const std::bad_alloc&) {
        // Too little memory for the picture: the page shows without it.
        cache_ = QImage();
    }
}

void TReportGraphView::resizeEvent(QResizeEvent* event) {
    cache_ = QImage();
    QWidget::resizeEvent(event);
}

void TReportGraphView::mousePressEvent(QMouseEvent* event) {
    const std::optional<std::size_t> marker = MarkerAt(event->position());
    if (event->button() == Qt::LeftButton && marker) {
        emit MarkerClicked(*marker);
    }
    QWidget::mousePressEvent(event);
}
