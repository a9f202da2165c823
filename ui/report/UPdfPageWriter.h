// Writes a document from the top of each page down: text, tables whose
// heading comes back on every page they continue on and which never leave
// fewer than three rows alone on a page, pictures, and a footer line on
// every page.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// A table of `Rows` rows whose cells are asked for row by row.
struct TPdfTable {
    // A title may take more than one line ("Fitted\n(1/day)").
    QStringList Titles;
    // Fractions of the page width.
    std::vector<qreal> Widths;
    std::vector<Qt::Alignment> Alignments;
    std::size_t Rows = 0;
    std::function<QStringList(std::size_t row)> Cells;
    // The shading of a row, or none.
    std::function<QColor(std::size_t row)> Fill;
};

// The fewest rows of a table that stand together on one page.
constexpr std::size_t LeastRowsOnAPage = 3;

// How a table of `rows` rows is split over pages that have room for
// `firstPage` rows on the page it starts on and `fullPage` on each later one:
// the number of rows on each page. A first entry of 0 means the table starts
// on a new page.
std::vector<std::size_t> SplitTableRows(std::size_t rows, std::size_t firstPage,
                                        std::size_t fullPage);

class TPdfPageWriter {
public:
    // Told after each row; answers false to stop the writing.
    using TRowProgress = std::function<bool()>;

    TPdfPageWriter(QPagedPaintDevice& device, QPainter& painter, QString footer);

    // File names break anywhere, sentences (`wrap` Qt::TextWordWrap) between words.
    void Text(const QString& text, const QFont& font, qreal spaceAfter = 4.0,
              int wrap = Qt::TextWrapAnywhere);
    void Space(qreal height) { y_ += height; }
    // The width of the written part of a page.
    qreal Width() const { return width_; }
    // The width `text` takes in `font`: that of its longest line.
    qreal TextWidth(const QString& text, const QFont& font) const;
    // Starts a new page unless `height` still fits on this one.
    void Reserve(qreal height);
    // False when `progress` stopped it.
    bool Table(const TPdfTable& table, const QFont& font, const QFont& titleFont,
               const TRowProgress& progress = {});
    // Room of `height` for a drawing made by `draw` into the given rectangle.
    void Drawing(qreal width, qreal height, const std::function<void(const QRectF&)>& draw);

private:
    void NewPage();
    void WriteFooter();
    void Row(const QStringList& cells, const TPdfTable& table, const QFont& font,
             const QColor& fill, qreal height, Qt::Alignment vertical);
    void Rule();
    qreal RowHeight(const QFont& font) const;
    qreal TitleHeight(const TPdfTable& table, const QFont& font) const;
    std::size_t RowsThatFit(qreal rowHeight, qreal titleHeight) const;

    QPagedPaintDevice& device_;
    QPainter& painter_;
    QString footer_;
    qreal width_;
    qreal height_;
    qreal y_ = 0;
    int page_ = 1;
};
