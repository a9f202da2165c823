#include "UReportDocument.h"

#include "URegressionGraph.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// One unit of the page is one pixel of the window, so the graph keeps its
// size and the fonts their usual points.
constexpr int PageResolution = 96;
constexpr qreal PageMargin = 18.0; // millimetres
constexpr qreal FooterHeight = 20.0;
const QColor SuspectFill(255, 224, 160);
const QColor RuleColour(128, 128, 128);

// The graph as vectors, for a page that another painter is drawing on.
QPicture GraphDrawing(const TFitStatistics& statistics) {
    QPicture picture;
    PaintRegressionGraph(picture, statistics);
    picture.setBoundingRect(QRect(0, 0, GraphWidth, GraphHeight));
    return picture;
}

QFont ReportFont(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Writes from the top of the page down and starts a new page when the next
// block does not fit.
class TPageWriter {
public:
    TPageWriter(QPdfWriter& writer, QPainter& painter)
        : writer_(writer), painter_(painter), width_(painter.viewport().width()),
          height_(painter.viewport().height() - FooterHeight) {
        WriteFooter();
    }

    // File names break anywhere, sentences (`wrap` Qt::TextWordWrap) between words.
    void Text(const QString& text, const QFont& font, qreal spaceAfter = 4.0,
              int wrap = Qt::TextWrapAnywhere) {
        painter_.setFont(font);
        const QRectF room(0, 0, width_, height_);
        const QRectF needed = painter_.boundingRect(room, wrap, text);
        Reserve(needed.height());
        painter_.drawText(QRectF(0, y_, width_, needed.height()), wrap, text);
        y_ += needed.height() + spaceAfter;
    }

    void Space(qreal height) { y_ += height; }

    // A row of cells; `widths` are fractions of the page width.
    void Row(const QStringList& cells, const std::vector<qreal>& widths,
             const std::vector<Qt::Alignment>& alignments, const QFont& font,
             const QColor& fill = Qt::transparent) {
        painter_.setFont(font);
        const qreal height = QFontMetricsF(font, &writer_).height() * 1.35;
        Reserve(height);
        if (fill.alpha() > 0) {
            painter_.fillRect(QRectF(0, y_, width_, height), fill);
        }
        qreal x = 0;
        for (int i = 0; i < cells.size(); ++i) {
            const qreal cellWidth = widths[i] * width_;
            painter_.drawText(QRectF(x + 3, y_, cellWidth - 6, height),
                              alignments[i] | Qt::AlignVCenter, cells[i]);
            x += cellWidth;
        }
        y_ += height;
    }

    void Rule() {
        painter_.setPen(RuleColour);
        painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
        painter_.setPen(Qt::black);
        y_ += 2;
    }

    void Picture(const QPicture& picture, QSize size) {
        Reserve(size.height());
        painter_.drawPicture(QPointF((width_ - size.width()) / 2.0, y_), picture);
        y_ += size.height();
    }

    // Starts a new page unless `height` still fits on this one.
    bool Reserve(qreal height) {
        if (y_ == 0 || y_ + height <= height_) {
            return false;
        }
        writer_.newPage();
        ++page_;
        WriteFooter();
        y_ = 0;
        return true;
    }

    qreal RowHeight(const QFont& font) const {
        return QFontMetricsF(font, &writer_).height() * 1.35;
    }

private:
    QPdfWriter& writer_;
    QPainter& painter_;
    qreal width_;
    // The page number at the foot of every page.
    void WriteFooter() {
        painter_.setFont(ReportFont(8));
        painter_.setPen(RuleColour);
        painter_.drawText(QRectF(0, height_, width_, FooterHeight),
                          Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Page %1").arg(page_));
        painter_.setPen(Qt::black);
    }

    qreal height_;
    qreal y_ = 0;
    int page_ = 1;
};

QString FileLine(const char* label, const std::string& name) {
    return QString::fromUtf8(label) + QString::fromStdString(name);
}

void WriteHeader(TPageWriter& page, const TReportContents& contents, const QDateTime& made) {
    page.Text(QStringLiteral("Hydraulic conductivity from a working drainage system"),
              ReportFont(16, true), 2);
    page.Text(QStringLiteral("Report of the Soravik calculator, made ") +
                  QLocale::c().toString(made, QStringLiteral("yyyy-MM-dd HH:mm")),
              ReportFont(9));
    page.Text(FileLine("Input file:  ", contents.InputFileName), ReportFont(9), 0);
    page.Text(FileLine("Output file: ", contents.OutputFileName), ReportFont(9), 8);
}

void WriteLines(TPageWriter& page, const QString& heading, const std::vector<TReportLine>& lines) {
    const std::vector<qreal> widths = {0.45, 0.2, 0.35};
    const std::vector<Qt::Alignment> alignments = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};
    page.Reserve(page.RowHeight(ReportFont(11, true)) * 3);
    page.Text(heading, ReportFont(11, true), 2);
    for (const TReportLine& line : lines) {
        page.Row({line.Quantity, line.Value, line.Interval}, widths, alignments, ReportFont(10));
    }
    page.Space(8);
}

void WriteDataSetHeader(TPageWriter& page, const std::vector<qreal>& widths,
                        const std::vector<Qt::Alignment>& alignments) {
    QStringList titles;
    for (int column = 0; column < static_cast<int>(TDataSetColumn::Count); ++column) {
        titles << DataSetColumnTitle(static_cast<TDataSetColumn>(column));
    }
    page.Row(titles, widths, alignments, ReportFont(7, true));
    page.Rule();
}

void WriteWarnings(TPageWriter& page, const TFitStatistics& statistics) {
    const QStringList warnings = WarningTexts(statistics);
    if (warnings.isEmpty()) {
        return;
    }
    page.Reserve(page.RowHeight(ReportFont(11, true)) * 3);
    page.Text(QStringLiteral("Warnings"), ReportFont(11, true), 2);
    for (const QString& warning : warnings) {
        page.Text(warning, ReportFont(9), 2, Qt::TextWordWrap);
    }
    page.Space(6);
}

// The what-if fit of the Report page, when data sets were left out of it,
// beside the calculation's own results.
void WriteWhatIf(TPageWriter& page, const TReportContents& contents) {
    if (!contents.WhatIf) {
        return;
    }
    WriteLines(page, WhatIfHeading(*contents.WhatIf),
               WhatIfLines(contents.Statistics, *contents.WhatIf));
    WriteWarnings(page, *contents.WhatIf);
}

void WriteDataSets(TPageWriter& page, const TFitStatistics& statistics) {
    const int columns = static_cast<int>(TDataSetColumn::Count);
    const std::vector<qreal> widths(columns, 1.0 / columns);
    const std::vector<Qt::Alignment> alignments(columns, Qt::AlignRight);
    page.Reserve(page.RowHeight(ReportFont(11, true)) * 4);
    page.Text(statistics.Excluded.empty() ? QStringLiteral("Data sets")
                                          : QStringLiteral("Data sets of the what-if fit"),
              ReportFont(11, true), 2);
    WriteDataSetHeader(page, widths, alignments);
    const QFont font = ReportFont(8);
    for (std::size_t i = 0; i < statistics.NrOfDataSets; ++i) {
        // A table continued on a new page repeats its column titles.
        if (page.Reserve(page.RowHeight(font))) {
            WriteDataSetHeader(page, widths, alignments);
        }
        QStringList cells;
        for (int column = 0; column < columns; ++column) {
            cells << DataSetCell(statistics, i, static_cast<TDataSetColumn>(column));
        }
        page.Row(cells, widths, alignments, font,
                 statistics.IsSuspect(i + 1) ? SuspectFill : QColor(Qt::transparent));
    }
    page.Space(4);
    page.Text(SuspectLegend(statistics), ReportFont(9), 4.0, Qt::TextWordWrap);
}

void SetUpPdf(QPdfWriter& writer) {
    writer.setResolution(PageResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(PageMargin, PageMargin, PageMargin, PageMargin),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Hydraulic conductivity report"));
    writer.setCreator(QStringLiteral("Soravik"));
}

} // namespace

QByteArray ReportPdf(const TReportContents& contents, const QDateTime& made) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        SetUpPdf(writer);
        QPainter painter(&writer);
        TPageWriter page(writer, painter);
        WriteHeader(page, contents, made);
        WriteLines(page, QStringLiteral("Site constants"), SiteConstantLines(contents));
        WriteLines(page,
                   QStringLiteral("Results: ") + CalculationOptionText(contents.Statistics.Option),
                   ResultLines(contents));
        WriteWarnings(page, contents.Statistics);
        WriteWhatIf(page, contents);
        page.Picture(GraphDrawing(contents.Statistics), QSize(GraphWidth, GraphHeight));
        page.Space(12);
        WriteDataSets(page, contents.WhatIf ? *contents.WhatIf : contents.Statistics);
        if (contents.Design) {
            page.Space(12);
            WriteLines(page, QStringLiteral("Design of the drain spacing"), contents.Design->Lines);
            WriteLines(page, QStringLiteral("Drain spacing for each allowed height"),
                       contents.Design->Table);
        }
    }
    return bytes;
}

QByteArray GraphPng(const TReportContents& contents) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    contents.GraphBitmap.save(&buffer, "PNG");
    return bytes;
}

QByteArray GraphSvg(const TReportContents& contents) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(GraphWidth, GraphHeight));
    // Millimetres that a viewer at 96 dots per inch turns back into 607 x 313 pixels.
    generator.setResolution(96);
    generator.setViewBox(QRect(0, 0, GraphWidth, GraphHeight));
    generator.setTitle(QStringLiteral("Regression graph"));
    generator.setDescription(QStringLiteral("Q/H\" against H\" with the fitted line, drawn by "
                                            "the Soravik calculator"));
    PaintRegressionGraph(generator, contents.Statistics);
    return bytes;
}
