#include "UReportDocument.h"

#include "UNumberText.h"
#include "UPdfPageWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One unit of the page is 1/96 inch, the unit the graph is laid out in.
constexpr int PageResolution = 96;
constexpr qreal PageMargin = 18.0; // millimetres
constexpr double MetresPerInch = 0.0254;
constexpr std::size_t RowsPerProgress = 64;
const QColor SuspectFill(255, 224, 160);
// Room beside the text of a cell: the writer keeps 3 either side, the rest
// parts the columns.
constexpr qreal CellPadding = 12.0;
// The data sets' table in the largest type of these that fits the page.
constexpr qreal DataSetPoints[] = {8.0, 7.5, 7.0, 6.5, 6.0, 5.5, 5.0};

QFont ReportFont(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// The progress of a whole report: first the graph's markers, then the rows
// of its tables.
class TReportProgress {
public:
    TReportProgress(const TPaintProgress& progress, std::size_t markers, std::size_t rows)
        : progress_(progress), markers_(markers), total_(markers + rows) {}

    TPaintProgress Graph() const {
        return [this](std::size_t done, std::size_t) { return Tell(done); };
    }
    bool Row() {
        ++rows_;
        return rows_ % RowsPerProgress != 0 || Tell(markers_ + rows_);
    }

private:
    bool Tell(std::size_t done) const { return !progress_ || progress_(done, total_); }

    const TPaintProgress& progress_;
    std::size_t markers_;
    std::size_t total_;
    std::size_t rows_ = 0;
};

// The data sets a table lists: all, or the first and last KeptAtEachEnd.
struct TListedRows {
    std::size_t Count = 0;

    bool Shortened() const { return Count > FullTableLimit; }
    std::size_t Rows() const { return Shortened() ? 2 * KeptAtEachEnd : Count; }
    std::size_t DataSet(std::size_t row) const {
        return Shortened() && row >= KeptAtEachEnd ? Count - 2 * KeptAtEachEnd + row : row;
    }
};

// "1,000,000": a count the reader takes in at a glance.
QString Grouped(std::size_t count) {
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(count));
}

QString ShortenedNote(const TListedRows& listed) {
    return Text("Only the first and the last %1 of the %2 data sets are listed; the output file "
                "holds them all.")
        .arg(Grouped(KeptAtEachEnd))
        .arg(Grouped(listed.Count));
}

QString FileLine(const char* label, const std::string& name) {
    return Text(label) + QString::fromStdString(name);
}

QString MadeText(const QDateTime& made) {
    return QLocale::c().toString(made, QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString FooterText(const TReportContents& contents, const QDateTime& made) {
    return Text("Soravik %1 · %2 · %3 · %4")
        .arg(Text(SORAVIK_VERSION), MadeText(made),
             QFileInfo(QString::fromStdString(contents.InputFileName)).fileName(),
             CalculationOptionText(contents.Statistics->Option));
}

void WriteHeader(TPdfPageWriter& page, const TReportContents& contents, const QDateTime& made) {
    page.Text(Text("Hydraulic conductivity from a working drainage system"), ReportFont(16, true),
              2);
    page.Text(Text("Report of the Soravik calculator, made ") + MadeText(made), ReportFont(9));
    page.Text(FileLine("Input file:  ", contents.InputFileName), ReportFont(9), 0);
    page.Text(FileLine("Output file: ", contents.OutputFileName), ReportFont(9), 8);
}

void WriteLines(TPdfPageWriter& page, const QString& heading, const QStringList& titles,
                const std::vector<TReportLine>& lines) {
    page.Reserve(80);
    page.Text(heading, ReportFont(11, true), 2);
    TPdfTable table;
    // Two columns where no line has a third: every column has a heading.
    const auto columns = titles.size();
    table.Titles = titles;
    table.Widths = {0.45, 0.2, 0.35};
    table.Alignments = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};
    table.Rows = lines.size();
    table.Cells = [&lines, columns](std::size_t row) {
        return QStringList{lines[row].Quantity, lines[row].Value, lines[row].Interval}.mid(0,
                                                                                           columns);
    };
    page.Table(table, ReportFont(10), ReportFont(9, true));
    page.Space(8);
}

// "Fitted (1/day)" on two lines: the unit under the name keeps a column of
// short numbers narrow.
QString TwoLineTitle(const QString& title) {
    const qsizetype unit = title.indexOf(QStringLiteral(" ("));
    return unit < 0 ? title : title.left(unit) + QLatin1Char('\n') + title.mid(unit + 1);
}

// The data sets' columns as the report has them: all but the reason, which
// the list of those left out gives in full.
std::vector<TDataSetColumn> ReportedColumns() {
    std::vector<TDataSetColumn> columns;
    for (int column = 0; column < static_cast<int>(TDataSetColumn::Reason); ++column) {
        columns.push_back(static_cast<TDataSetColumn>(column));
    }
    return columns;
}

QStringList TitlesOf(const std::vector<TDataSetColumn>& columns) {
    QStringList titles;
    for (const TDataSetColumn column : columns) {
        titles << TwoLineTitle(DataSetColumnTitle(column));
    }
    return titles;
}

QStringList CellsOf(const TCalculationResults& statistics, std::size_t index,
                    const std::vector<TDataSetColumn>& columns) {
    QStringList cells;
    for (const TDataSetColumn column : columns) {
        cells << DataSetCell(statistics, index, column);
    }
    return cells;
}

std::vector<QStringList> WidestCellsOf(const TCalculationResults& statistics,
                                       const std::vector<TDataSetColumn>& columns) {
    const std::vector<QStringList> all = WidestDataSetCells(statistics);
    std::vector<QStringList> widest;
    for (const TDataSetColumn column : columns) {
        widest.push_back(column == TDataSetColumn::InFit ? QStringList{Text("yes")}
                                                         : all[static_cast<std::size_t>(column)]);
    }
    return widest;
}

// Each column as wide as its title and its widest cell, the page's spare
// width shared out evenly, as shares of the page; false when the columns do
// not fit the page in these fonts.
bool FitColumns(TPdfTable& table, const TPdfPageWriter& page,
                const std::vector<QStringList>& widest, const QFont& font, const QFont& titleFont) {
    std::vector<qreal> widths;
    qreal total = 0;
    for (std::size_t column = 0; column < widest.size(); ++column) {
        qreal width = page.TextWidth(table.Titles[static_cast<qsizetype>(column)], titleFont);
        for (const QString& text : widest[column]) {
            width = std::max(width, page.TextWidth(text, font));
        }
        widths.push_back(width + CellPadding);
        total += widths.back();
    }
    if (total > page.Width()) {
        return false;
    }
    const qreal spare = (page.Width() - total) / static_cast<qreal>(widths.size());
    for (qreal& width : widths) {
        width = (width + spare) / page.Width();
    }
    table.Widths = std::move(widths);
    return true;
}

TPdfTable EvenTable(QStringList titles, std::size_t rows) {
    TPdfTable table;
    const auto columns = static_cast<std::size_t>(titles.size());
    table.Widths.assign(columns, 1.0 / static_cast<qreal>(columns));
    table.Alignments.assign(columns, Qt::AlignRight);
    table.Titles = std::move(titles);
    table.Rows = rows;
    return table;
}

bool WriteDataSets(TPdfPageWriter& page, const TCalculationResults& statistics,
                   TReportProgress& progress) {
    const TListedRows listed{statistics.NrOfDataSets};
    page.Reserve(80);
    page.Text(statistics.Excluded.empty() ? Text("Data sets")
                                          : Text("Data sets of the what-if fit"),
              ReportFont(11, true), 2);
    if (listed.Shortened()) {
        page.Text(ShortenedNote(listed), ReportFont(9));
    }
    const std::vector<TDataSetColumn> columns = ReportedColumns();
    TPdfTable table = EvenTable(TitlesOf(columns), listed.Rows());
    table.Alignments[static_cast<std::size_t>(TDataSetColumn::InFit)] = Qt::AlignHCenter;
    // Small type: the influence columns make the table wide. No cell is cut
    // or runs into the next: the type shrinks until every column fits.
    const std::vector<QStringList> widest = WidestCellsOf(statistics, columns);
    QFont font = ReportFont(8);
    QFont titleFont = ReportFont(7, true);
    for (const qreal points : DataSetPoints) {
        font = ReportFont(points);
        titleFont = ReportFont(points - 1.0, true);
        if (FitColumns(table, page, widest, font, titleFont)) {
            break;
        }
    }
    table.Cells = [&statistics, &columns, listed](std::size_t row) {
        return CellsOf(statistics, listed.DataSet(row), columns);
    };
    table.Fill = [&statistics, listed](std::size_t row) {
        return statistics.IsSuspect(listed.DataSet(row) + 1) ? SuspectFill : QColor();
    };
    if (!page.Table(table, font, titleFont, [&] { return progress.Row(); })) {
        return false;
    }
    page.Space(4);
    page.Text(DataSetLegend(statistics), ReportFont(9), 4.0, Qt::TextWordWrap);
    page.Space(8);
    return true;
}

QString RawNumber(double value) {
    return QString::fromStdString(FormatGeneral(value));
}

bool WriteAppendix(TPdfPageWriter& page, const std::vector<TRawDataSet>& data,
                   TReportProgress& progress) {
    const TListedRows listed{data.size()};
    page.Reserve(80);
    page.Text(Text("Appendix: the data sets as entered"), ReportFont(11, true), 2);
    if (listed.Shortened()) {
        page.Text(ShortenedNote(listed), ReportFont(9));
    }
    TPdfTable table = EvenTable({Text("Serial number"), Text("Q (mm/day)"),
                                 Text("Depth midway (m)"), Text("Depth near the drains (m)")},
                                listed.Rows());
    table.Cells = [&data, listed](std::size_t row) {
        const std::size_t index = listed.DataSet(row);
        const TRawDataSet& set = data[index];
        return QStringList{QString::number(index + 1), RawNumber(set.Discharge),
                           RawNumber(set.DepthMidway), RawNumber(set.DepthNear)};
    };
    return page.Table(table, ReportFont(9), ReportFont(9, true), [&] { return progress.Row(); });
}

void WriteWarnings(TPdfPageWriter& page, const TCalculationResults& statistics) {
    const QStringList warnings = WarningTexts(statistics);
    if (warnings.isEmpty()) {
        return;
    }
    page.Reserve(60);
    page.Text(Text("Warnings"), ReportFont(11, true), 2);
    for (const QString& warning : warnings) {
        page.Text(warning, ReportFont(9), 2, Qt::TextWordWrap);
    }
    page.Space(6);
}

void WriteDesign(TPdfPageWriter& page, const TDesignSection& design) {
    WriteLines(page, Text("Design of the drain spacing"),
               {Text("Quantity"), Text("Value"), Text("Range or source")}, design.Lines);
    if (!design.Message.isEmpty()) {
        page.Text(design.Message, ReportFont(9), 6, Qt::TextWordWrap);
    }
    if (!design.Table.empty()) {
        WriteLines(page, Text("Drain spacing for each allowed height"),
                   {Text("Allowed height"), Text("Drain spacing")}, design.Table);
    }
}

// The evidence for leaving each data set out: how it stands in the fit of
// every data set, and the reason the user typed for it.
void WriteLeftOut(TPdfPageWriter& page, const TReportContents& contents) {
    const TCalculationResults& full = *contents.Statistics;
    const std::vector<std::size_t>& excluded = contents.WhatIf->Excluded;
    page.Reserve(80);
    page.Text(Text("Data sets left out, as they stand in the fit of every data set"),
              ReportFont(11, true), 2);
    const std::vector<TDataSetColumn> columns = LeftOutColumns();
    TPdfTable table = EvenTable(TitlesOf(columns), excluded.size());
    const QFont font = ReportFont(9);
    const QFont titleFont = ReportFont(9, true);
    FitColumns(table, page, WidestCellsOf(full, columns), font, titleFont);
    table.Cells = [&full, &excluded, &columns](std::size_t row) {
        return CellsOf(full, excluded[row] - 1, columns);
    };
    page.Table(table, font, titleFont);
    page.Space(4);
    for (const std::size_t serial : excluded) {
        const auto reason = contents.Reasons.find(serial);
        page.Text(Text("Data set %1: %2")
                      .arg(serial)
                      .arg(reason == contents.Reasons.end()
                               ? Text("no reason given")
                               : QString::fromStdString(reason->second)),
                  ReportFont(9), 2, Qt::TextWordWrap);
    }
    page.Space(6);
}

// The what-if fit of the Report page, when data sets were left out of it,
// beside the calculation's own results.
void WriteWhatIf(TPdfPageWriter& page, const TReportContents& contents) {
    if (!contents.WhatIf) {
        return;
    }
    WriteLines(page, WhatIfHeading(*contents.WhatIf),
               {Text("Quantity"), Text("Value"), Text("95 % interval")},
               WhatIfLines(*contents.Statistics, *contents.WhatIf));
    WriteWarnings(page, *contents.WhatIf);
    WriteLeftOut(page, contents);
}

void SetUpPdf(QPdfWriter& writer) {
    writer.setResolution(PageResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(PageMargin, PageMargin, PageMargin, PageMargin),
                                     QPageLayout::Millimeter));
    writer.setTitle(Text("Hydraulic conductivity report"));
    writer.setCreator(Text("Soravik"));
}

bool WriteReport(QPdfWriter& writer, const TReportContents& contents, const QDateTime& made,
                 const TPaintProgress& progress) {
    QPainter painter(&writer);
    TPdfPageWriter page(writer, painter, FooterText(contents, made));
    // The graph and the data sets show the what-if fit while data sets are
    // left out of it.
    const TCalculationResults& statistics = GraphedFit(contents);
    TReportProgress steps(progress, statistics.NrOfDataSets,
                          TListedRows{statistics.NrOfDataSets}.Rows() +
                              TListedRows{contents.RawData.size()}.Rows());
    WriteHeader(page, contents, made);
    WriteLines(page, Text("Site constants"), {Text("Site constant"), Text("Value")},
               SiteConstantLines(contents));
    WriteLines(page, Text("Results: ") + CalculationOptionText(contents.Statistics->Option),
               {Text("Quantity"), Text("Value"), Text("95 % interval")}, ResultLines(contents));
    WriteWarnings(page, *contents.Statistics);
    WriteWhatIf(page, contents);
    bool drawn = true;
    const QSizeF graph = ReportGraphUnits();
    page.Drawing(graph.width(), graph.height(), [&](const QRectF& area) {
        drawn = PaintReportGraph(painter, area, statistics, statistics.InFit, steps.Graph());
    });
    page.Space(12);
    if (!drawn || !WriteDataSets(page, statistics, steps)) {
        return false;
    }
    if (contents.Design) {
        WriteDesign(page, *contents.Design);
    }
    return WriteAppendix(page, contents.RawData, steps);
}

// The generator gives the canvas in millimetres rounded to three decimals,
// a hair more than the view box, and a viewer that rounds up adds a blank
// column; in the drawing's own units the two agree exactly.
QByteArray CanvasInUnits(QByteArray svg, QSize size) {
    static const QRegularExpression canvas(
        QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QString head = QString::fromUtf8(svg.left(512));
    const QRegularExpressionMatch found = canvas.match(head);
    if (found.hasMatch()) {
        svg.replace(found.capturedStart(), found.capturedLength(),
                    QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                        .arg(size.width())
                        .arg(size.height())
                        .toUtf8());
    }
    return svg;
}

} // namespace

std::optional<QByteArray> ReportPdf(const TReportContents& contents, const QDateTime& made,
                                    const TPaintProgress& progress) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool finished = false;
    {
        QPdfWriter writer(&buffer);
        SetUpPdf(writer);
        finished = WriteReport(writer, contents, made, progress);
    }
    return finished ? std::optional<QByteArray>(bytes) : std::nullopt;
}

QSize GraphPngPixels(int dotsPerInch) {
    const double inches = 1.0 / 2.54;
    return {static_cast<int>(std::lround(ReportGraphWidthCm * inches * dotsPerInch)),
            static_cast<int>(std::lround(ReportGraphHeightCm * inches * dotsPerInch))};
}

std::optional<QByteArray> GraphPng(const TReportContents& contents, int dotsPerInch,
                                   const TPaintProgress& progress) {
    dotsPerInch = std::clamp(dotsPerInch, LeastGraphDotsPerInch, MostGraphDotsPerInch);
    const QSize pixels = GraphPngPixels(dotsPerInch);
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / MetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        // Laid out in 1/96 inch and scaled to the pixels, so the drawing
        // fills the picture to its last row and column.
        QPainter painter(&image);
        const double scale = dotsPerInch / 96.0;
        painter.scale(scale, scale);
        const QRectF area(0, 0, pixels.width() / scale, pixels.height() / scale);
        const TCalculationResults& statistics = GraphedFit(contents);
        if (!PaintReportGraph(painter, area, statistics, statistics.InFit, progress)) {
            return std::nullopt;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QSize GraphSvgSize() {
    return ReportGraphUnits().toSize();
}

std::optional<QByteArray> GraphSvg(const TReportContents& contents,
                                   const TPaintProgress& progress) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = GraphSvgSize();
    bool finished = false;
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setResolution(96);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(Text("Regression graph"));
        generator.setDescription(Text("Q/H\" against H\" with the fitted line and its 95 % "
                                      "confidence band, drawn by the Soravik calculator"));
        QPainter painter(&generator);
        const TCalculationResults& statistics = GraphedFit(contents);
        finished = PaintReportGraph(painter, QRectF(QPoint(0, 0), size), statistics,
                                    statistics.InFit, progress);
    }
    if (!finished) {
        return std::nullopt;
    }
    return CanvasInUnits(bytes, size);
}
