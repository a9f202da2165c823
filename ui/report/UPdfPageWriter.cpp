#include "UPdfPageWriter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal FooterHeight = 20.0;
constexpr qreal RuleSpace = 2.0;
constexpr qreal RowSpacing = 1.35;
const QColor RuleColour(128, 128, 128);

QFont FooterFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    return font;
}

} // namespace

std::vector<std::size_t> SplitTableRows(std::size_t rows, std::size_t firstPage,
                                        std::size_t fullPage) {
    std::vector<std::size_t> pages;
    fullPage = std::max(fullPage, LeastRowsOnAPage * 2);
    std::size_t room = firstPage;
    while (rows > 0) {
        std::size_t take = std::min(room, rows);
        // The last page gets at least three rows, taken from this one.
        if (rows - take > 0 && rows - take < LeastRowsOnAPage) {
            take = rows > LeastRowsOnAPage ? rows - LeastRowsOnAPage : 0;
        }
        if (take < std::min(rows, LeastRowsOnAPage)) {
            take = 0;
        }
        pages.push_back(take);
        rows -= take;
        room = fullPage;
    }
    return pages;
}

TPdfPageWriter::TPdfPageWriter(QPagedPaintDevice& device, QPainter& painter, QString footer)
    : device_(device), painter_(painter), footer_(std::move(footer)),
      width_(painter.viewport().width()), height_(painter.viewport().height() - FooterHeight) {
    WriteFooter();
}

void TPdfPageWriter::Text(const QString& text, const QFont& font, qreal spaceAfter, int wrap) {
    painter_.setFont(font);
    const QRectF needed = painter_.boundingRect(QRectF(0, 0, width_, height_), wrap, text);
    Reserve(needed.height());
    painter_.drawText(QRectF(0, y_, width_, needed.height()), wrap, text);
    y_ += needed.height() + spaceAfter;
}

void TPdfPageWriter::Reserve(qreal height) {
    if (y_ > 0 && y_ + height > height_) {
        NewPage();
    }
}

void TPdfPageWriter::NewPage() {
    device_.newPage();
    ++page_;
    y_ = 0;
    WriteFooter();
}

void TPdfPageWriter::WriteFooter() {
    painter_.save();
    painter_.setFont(FooterFont());
    painter_.setPen(RuleColour);
    const QRectF line(0, height_, width_, FooterHeight);
    const QString number = QStringLiteral("Page %1").arg(page_);
    const QFontMetricsF metrics(FooterFont(), &device_);
    const qreal room = width_ - metrics.horizontalAdvance(number) - 12.0;
    painter_.drawText(line, Qt::AlignLeft | Qt::AlignBottom,
                      metrics.elidedText(footer_, Qt::ElideMiddle, room));
    painter_.drawText(line, Qt::AlignRight | Qt::AlignBottom, number);
    painter_.restore();
}

qreal TPdfPageWriter::RowHeight(const QFont& font) const {
    return QFontMetricsF(font, &device_).height() * RowSpacing;
}

qreal TPdfPageWriter::TitleHeight(const TPdfTable& table, const QFont& font) const {
    qsizetype lines = 1;
    for (const QString& title : table.Titles) {
        lines = std::max(lines, title.count(QLatin1Char('\n')) + 1);
    }
    return QFontMetricsF(font, &device_).height() * (static_cast<qreal>(lines) + RowSpacing - 1);
}

qreal TPdfPageWriter::TextWidth(const QString& text, const QFont& font) const {
    const QFontMetricsF metrics(font, &device_);
    qreal widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

std::size_t TPdfPageWriter::RowsThatFit(qreal rowHeight, qreal titleHeight) const {
    const qreal room = height_ - y_ - titleHeight - RuleSpace;
    return room > 0 ? static_cast<std::size_t>(std::floor(room / rowHeight)) : 0;
}

bool TPdfPageWriter::Table(const TPdfTable& table, const QFont& font, const QFont& titleFont,
                           const TRowProgress& progress) {
    const qreal rowHeight = RowHeight(font);
    const qreal titleHeight = TitleHeight(table, titleFont);
    const std::size_t fullPage = static_cast<std::size_t>(
        std::max(0.0, std::floor((height_ - titleHeight - RuleSpace) / rowHeight)));
    const std::size_t firstPage = y_ > 0 ? RowsThatFit(rowHeight, titleHeight) : fullPage;
    const std::vector<std::size_t> pages = SplitTableRows(table.Rows, firstPage, fullPage);
    std::size_t row = 0;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::size_t take = pages[page];
        if (take == 0 || (page > 0 && pages[page - 1] > 0)) {
            NewPage();
        }
        if (take == 0) {
            continue;
        }
        // Titles of one line stand on the last line of those of two.
        Row(table.Titles, table, titleFont, Qt::transparent, titleHeight, Qt::AlignBottom);
        Rule();
        for (std::size_t end = row + take; row < end; ++row) {
            Row(table.Cells(row), table, font, table.Fill ? table.Fill(row) : QColor(), rowHeight,
                Qt::AlignVCenter);
            if (progress && !progress()) {
                return false;
            }
        }
    }
    return true;
}

void TPdfPageWriter::Row(const QStringList& cells, const TPdfTable& table, const QFont& font,
                         const QColor& fill, qreal height, Qt::Alignment vertical) {
    painter_.setFont(font);
    if (fill.isValid() && fill.alpha() > 0) {
        painter_.fillRect(QRectF(0, y_, width_, height), fill);
    }
    qreal x = 0;
    for (int i = 0; i < cells.size() && i < static_cast<int>(table.Widths.size()); ++i) {
        const qreal cellWidth = table.Widths[i] * width_;
        painter_.drawText(QRectF(x + 3, y_, cellWidth - 6, height), table.Alignments[i] | vertical,
                          cells[i]);
        x += cellWidth;
    }
    y_ += height;
}

void TPdfPageWriter::Rule() {
    painter_.save();
    painter_.setPen(RuleColour);
    painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
    painter_.restore();
    y_ += RuleSpace;
}

void TPdfPageWriter::Drawing(qreal width, qreal height,
                             const std::function<void(const QRectF&)>& draw) {
    Reserve(height);
    draw(QRectF((width_ - width) / 2.0, y_, width, height));
    y_ += height;
}
