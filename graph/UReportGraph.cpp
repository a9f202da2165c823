#include "UReportGraph.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr double UnitsPerCm = 96.0 / 2.54;
constexpr double FontSize = 11.0;
constexpr double MarkerRadius = 3.5;
constexpr double InfluenceRadius = 6.5;
constexpr double HitRadius = 7.0;
constexpr double LeftMargin = 62.0;
constexpr double RightMargin = 14.0;
constexpr double BottomMargin = 42.0;
constexpr double LegendGap = 18.0;
constexpr int BandSteps = 120;
constexpr double EdgeRoom = 0.02;
constexpr std::size_t ProgressEvery = 16384;
// Markers of one kind closer than this cover each other almost whole: one of
// them stands for all.
constexpr double MarkerCell = 1.5;

const QColor Ink(0, 0, 0);
const QColor GridColour(222, 222, 222);
const QColor MarkerColour(20, 70, 160);
const QColor SuspectColour(200, 30, 30);
const QColor InfluenceColour(230, 130, 0);
const QColor LineColour(0, 0, 0);
const QColor BandColour(196, 216, 240);

enum class TShape { Circle, Triangle };

struct TMarkerKind {
    TShape Shape = TShape::Circle;
    bool Hollow = false;
    bool Influential = false;

    unsigned Code() const {
        return (Shape == TShape::Triangle ? 1u : 0u) | (Hollow ? 2u : 0u) | (Influential ? 4u : 0u);
    }
};

QFont GraphTextFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(FontSize));
    return font;
}

bool InFit(const TFitFlags& inFit, std::size_t index) {
    return index >= inFit.size() || inFit[index];
}

bool AnyLeftOut(const TFitFlags& inFit) {
    return std::find(inFit.begin(), inFit.end(), false) != inFit.end();
}

void DrawMarker(QPainter& painter, QPointF at, const TMarkerKind& kind) {
    const QColor colour = kind.Shape == TShape::Triangle ? SuspectColour : MarkerColour;
    painter.setPen(QPen(colour, 1.2));
    painter.setBrush(kind.Hollow ? QBrush(Qt::white) : QBrush(colour));
    if (kind.Shape == TShape::Triangle) {
        const double r = MarkerRadius + 1.0;
        painter.drawPolygon(QPolygonF({at + QPointF(0, -r), at + QPointF(r * 0.87, r * 0.5),
                                       at + QPointF(-r * 0.87, r * 0.5)}));
    } else {
        painter.drawEllipse(at, MarkerRadius, MarkerRadius);
    }
    if (kind.Influential) {
        painter.setPen(QPen(InfluenceColour, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, InfluenceRadius, InfluenceRadius);
    }
}

struct TRange {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    void Take(double value) {
        if (std::isfinite(value)) {
            Low = std::min(Low, value);
            High = std::max(High, value);
        }
    }
};

// What the drawing needs to know of all the data sets, each found once per
// drawing: a million data sets are read a few times, not at every use.
struct TGraphFacts {
    // H" from 0, and Q/H", over the data sets that have both.
    TRange Heads;
    TRange QHs;
    // The largest H" of them all, at least 0: where the line ends.
    double LargestHead = 0.0;
    std::size_t NrInFit = 0;
    bool AnyLeftOut = false;
    bool HasBand = false;
};

TGraphFacts FactsOf(const TCalculationResults& statistics, const TFitFlags& inFit) {
    TGraphFacts facts;
    facts.Heads.Take(0.0);
    const std::size_t both = std::min(statistics.Head.size(), statistics.QH.size());
    for (std::size_t i = 0; i < both; ++i) {
        facts.Heads.Take(statistics.Head[i]);
        facts.QHs.Take(statistics.QH[i]);
    }
    TRange heads = facts.Heads;
    for (std::size_t i = both; i < statistics.Head.size(); ++i) {
        heads.Take(statistics.Head[i]);
    }
    facts.LargestHead = heads.High;
    facts.NrInFit = statistics.NrInFit();
    facts.AnyLeftOut = AnyLeftOut(inFit);
    facts.HasBand = statistics.BandAt(statistics.MeanHead, facts.NrInFit).has_value();
    return facts;
}

// The legend's entries: a sample drawn at a point, and its text.
struct TLegendEntry {
    std::function<void(QPainter&, QPointF)> Sample;
    QString Text;
};

std::vector<TLegendEntry> LegendEntries(const TCalculationResults& statistics,
                                        const TGraphFacts& facts) {
    std::vector<TLegendEntry> entries;
    const auto marker = [](TMarkerKind kind) {
        return [kind](QPainter& painter, QPointF at) { DrawMarker(painter, at, kind); };
    };
    entries.push_back({marker({}), QStringLiteral("data set")});
    if (!statistics.Suspect.empty()) {
        entries.push_back({marker({TShape::Triangle, false, false}),
                           QStringLiteral("suspect (Bonferroni p < %1)").arg(SuspectLevel)});
    }
    if (!statistics.Influential.empty()) {
        entries.push_back({marker({TShape::Circle, false, true}),
                           QStringLiteral("influential (Cook's D > median of F)")});
    }
    if (facts.AnyLeftOut) {
        entries.push_back({marker({TShape::Circle, true, false}), QStringLiteral("left out")});
    }
    entries.push_back({[](QPainter& painter, QPointF at) {
                           painter.setPen(QPen(LineColour, 1.5));
                           painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
                       },
                       QStringLiteral("fitted line")});
    if (facts.HasBand) {
        entries.push_back({[](QPainter& painter, QPointF at) {
                               painter.fillRect(QRectF(at - QPointF(8, 5), QSizeF(16, 10)),
                                                BandColour);
                           },
                           QStringLiteral("95 % confidence band of the line")});
    }
    return entries;
}

constexpr double SampleWidth = 22.0;
constexpr double EntryGap = 14.0;

// Lays the entries out in rows from the left; calls `place` with each
// entry's sample point and text origin, and returns the rows' height.
template <typename Place>
double LayOutLegend(const std::vector<TLegendEntry>& entries, const QRectF& room, Place&& place) {
    const QFontMetricsF metrics(GraphTextFont());
    const double rowHeight = metrics.height() + 4.0;
    double x = room.left();
    double y = room.top();
    for (const TLegendEntry& entry : entries) {
        const double width = SampleWidth + metrics.horizontalAdvance(entry.Text);
        if (x > room.left() && x + width > room.right()) {
            x = room.left();
            y += rowHeight;
        }
        place(entry, QPointF(x + SampleWidth / 2 - 3, y + rowHeight / 2),
              QPointF(x + SampleWidth, y + metrics.ascent() + 2.0));
        x += width + EntryGap;
    }
    return y + rowHeight - room.top();
}

void DrawBand(QPainter& painter, const TReportGraphLayout& layout,
              const TCalculationResults& statistics, const TGraphFacts& facts) {
    const double last = facts.LargestHead;
    QPolygonF upper;
    QPolygonF lower;
    for (int step = 0; step <= BandSteps; ++step) {
        const double head = last * step / BandSteps;
        const std::optional<TInterval> band = statistics.BandAt(head, facts.NrInFit);
        if (!band) {
            return;
        }
        upper << layout.Place(head, band->High);
        lower.prepend(layout.Place(head, band->Low));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(BandColour);
    painter.drawPolygon(upper + lower);
}

void DrawGridAndTicks(QPainter& painter, const TReportGraphLayout& layout) {
    const QRectF& plot = layout.Plot;
    const QFontMetricsF metrics(GraphTextFont());
    painter.setFont(GraphTextFont());
    for (int k = 0; k <= layout.HeadScale.Intervals(); ++k) {
        const double x = layout.Place(layout.HeadScale.Tick(k), 0).x();
        painter.setPen(QPen(GridColour, 0.8));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(QPen(Ink, 1.0));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        const QString label = QString::fromStdString(NiceTickLabel(layout.HeadScale, k));
        painter.drawText(QRectF(x - 40, plot.bottom() + 5, 80, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (int k = 0; k <= layout.QHScale.Intervals(); ++k) {
        const double y = layout.Place(0, layout.QHScale.Tick(k)).y();
        painter.setPen(QPen(GridColour, 0.8));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QPen(Ink, 1.0));
        painter.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        const QString label = QString::fromStdString(NiceTickLabel(layout.QHScale, k));
        painter.drawText(QRectF(plot.left() - LeftMargin, y - metrics.height() / 2, LeftMargin - 7,
                                metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

void DrawAxisTitles(QPainter& painter, const TReportGraphLayout& layout, const QRectF& area) {
    const QRectF& plot = layout.Plot;
    const QFontMetricsF metrics(GraphTextFont());
    painter.setPen(Ink);
    painter.setFont(GraphTextFont());
    painter.drawText(
        QRectF(plot.left(), area.bottom() - metrics.height() - 4, plot.width(), metrics.height()),
        Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("H\" (m)"));
    painter.save();
    painter.translate(area.left() + 4, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Q/H\" (1/day)"));
    painter.restore();
}

void DrawLegend(QPainter& painter, const QRectF& area, const TCalculationResults& statistics,
                const TGraphFacts& facts) {
    painter.setFont(GraphTextFont());
    const QRectF room(area.left() + LeftMargin, area.top() + 4, area.width() - LeftMargin, 0);
    LayOutLegend(LegendEntries(statistics, facts), room,
                 [&painter](const TLegendEntry& entry, QPointF sample, QPointF text) {
                     painter.save();
                     entry.Sample(painter, sample);
                     painter.restore();
                     painter.setPen(Ink);
                     painter.drawText(text, entry.Text);
                 });
}

// Which of the ascending serial numbers of a list the data sets, taken in
// order, are: one step along the list per data set instead of a search.
class TSerialCursor {
public:
    explicit TSerialCursor(std::vector<std::size_t> serials) : serials_(std::move(serials)) {
        std::sort(serials_.begin(), serials_.end());
    }
    bool Holds(std::size_t serial) {
        while (next_ < serials_.size() && serials_[next_] < serial) {
            ++next_;
        }
        return next_ < serials_.size() && serials_[next_] == serial;
    }

private:
    std::vector<std::size_t> serials_;
    std::size_t next_ = 0;
};

// The marker cells of the plot, each with a bit per kind of marker drawn
// there: a flat table, since a million data sets look up a million cells.
class TDrawnCells {
public:
    explicit TDrawnCells(const QRectF& room)
        : left_(CellOf(room.left()) - 1), top_(CellOf(room.top()) - 1),
          columns_(CellOf(room.right()) - left_ + 2), rows_(CellOf(room.bottom()) - top_ + 2),
          kinds_(static_cast<std::size_t>(columns_ * rows_), 0) {}

    // True the first time a marker of this kind lands in the cell of `at`.
    bool Take(QPointF at, const TMarkerKind& kind) {
        const long column = CellOf(at.x()) - left_;
        const long row = CellOf(at.y()) - top_;
        std::uint8_t& kinds = kinds_[static_cast<std::size_t>(row * columns_ + column)];
        const auto bit = static_cast<std::uint8_t>(1u << kind.Code());
        const bool first = (kinds & bit) == 0;
        kinds |= bit;
        return first;
    }

private:
    static long CellOf(double coordinate) { return std::lround(coordinate / MarkerCell); }

    long left_;
    long top_;
    long columns_;
    long rows_;
    std::vector<std::uint8_t> kinds_;
};

// Pictures of the markers on the painter's device pixels, one per kind and
// quarter-pixel offset, each drawn the first time it is needed. Only for a
// painter that merely shifts its coordinates; any other draws the shapes.
class TMarkerStamps {
public:
    explicit TMarkerStamps(QPainter& painter, TMarkerPainting markers)
        : painter_(painter), ratio_(painter.device() ? painter.device()->devicePixelRatioF() : 1.0),
          shift_(painter.transform().dx(), painter.transform().dy()),
          size_(2 * static_cast<int>(std::ceil((InfluenceRadius + 2.0) * ratio_)) + 2),
          stamped_(markers == TMarkerPainting::Stamped &&
                   painter.transform().type() <= QTransform::TxTranslate) {}

    void Draw(QPointF at, const TMarkerKind& kind) {
        if (!stamped_) {
            DrawMarker(painter_, at, kind);
            return;
        }
        const QPointF device = (at + shift_) * ratio_;
        const auto [column, columnQuarter] = Split(device.x());
        const auto [row, rowQuarter] = Split(device.y());
        const QImage& stamp = StampOf(kind, columnQuarter, rowQuarter);
        const int centre = size_ / 2;
        painter_.drawImage(QPointF((column - centre) / ratio_, (row - centre) / ratio_) - shift_,
                           stamp);
    }

private:
    static constexpr int Quarters = 4;

    // The whole device pixel at or before `coordinate` and the nearest
    // quarter of a pixel beyond it.
    static std::pair<long, int> Split(double coordinate) {
        long whole = static_cast<long>(std::floor(coordinate));
        int quarter = static_cast<int>(std::lround((coordinate - whole) * Quarters));
        if (quarter == Quarters) {
            ++whole;
            quarter = 0;
        }
        return {whole, quarter};
    }

    const QImage& StampOf(const TMarkerKind& kind, int columnQuarter, int rowQuarter) {
        QImage& stamp = stamps_[(kind.Code() * Quarters + columnQuarter) * Quarters + rowQuarter];
        if (stamp.isNull()) {
            stamp = QImage(size_, size_, QImage::Format_ARGB32_Premultiplied);
            stamp.fill(Qt::transparent);
            QPainter painter(&stamp);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.translate(size_ / 2 + static_cast<double>(columnQuarter) / Quarters,
                              size_ / 2 + static_cast<double>(rowQuarter) / Quarters);
            painter.scale(ratio_, ratio_);
            DrawMarker(painter, QPointF(0, 0), kind);
            painter.end();
            stamp.setDevicePixelRatio(ratio_);
        }
        return stamp;
    }

    QPainter& painter_;
    double ratio_;
    QPointF shift_;
    int size_;
    bool stamped_;
    QImage stamps_[8 * Quarters * Quarters];
};

// Markers that would land on nearly the same spot are drawn once: a table of
// a million data sets draws no more markers than the plot has room for.
bool DrawMarkers(QPainter& painter, const TReportGraphLayout& layout,
                 const TCalculationResults& statistics, const TFitFlags& inFit,
                 const TPaintProgress& progress, TMarkerPainting markers) {
    const std::size_t count = std::min(statistics.Head.size(), statistics.QH.size());
    const QRectF room = layout.Plot.adjusted(-1, -1, 1, 1);
    TDrawnCells drawn(room);
    TSerialCursor suspect(statistics.Suspect);
    TSerialCursor influential(statistics.Influential);
    TMarkerStamps stamps(painter, markers);
    for (std::size_t i = 0; i < count; ++i) {
        if (progress && i % ProgressEvery == 0 && !progress(i, count)) {
            return false;
        }
        const QPointF at = layout.Place(statistics.Head[i], statistics.QH[i]);
        if (!room.contains(at)) {
            continue;
        }
        TMarkerKind kind;
        kind.Shape = suspect.Holds(i + 1) ? TShape::Triangle : TShape::Circle;
        kind.Hollow = !InFit(inFit, i);
        kind.Influential = influential.Holds(i + 1);
        if (drawn.Take(at, kind)) {
            stamps.Draw(at, kind);
        }
    }
    return !progress || progress(count, count);
}

} // namespace

QSizeF ReportGraphUnits() {
    return {ReportGraphWidthCm * UnitsPerCm, ReportGraphHeightCm * UnitsPerCm};
}

QPointF TReportGraphLayout::Place(double head, double qh) const {
    const double x =
        Plot.left() + (head - HeadScale.Low) / (HeadScale.High - HeadScale.Low) * Plot.width();
    const double y =
        Plot.bottom() - (qh - QHScale.Low) / (QHScale.High - QHScale.Low) * Plot.height();
    // Far outside the plot is as good as anywhere outside it, and safe to draw.
    const double far = 1e6;
    return {std::clamp(x, -far, far), std::clamp(y, -far, far)};
}

namespace {

TReportGraphLayout LayoutOf(const QRectF& area, const TCalculationResults& statistics,
                            const TGraphFacts& facts) {
    const QRectF room(area.left() + LeftMargin, area.top() + 4, area.width() - LeftMargin, 0);
    const double legendHeight =
        LayOutLegend(LegendEntries(statistics, facts), room, [](auto&&...) {});
    TReportGraphLayout layout;
    layout.Plot = QRectF(QPointF(area.left() + LeftMargin, room.top() + legendHeight + LegendGap),
                         QPointF(area.right() - RightMargin, area.bottom() - BottomMargin));
    if (layout.Plot.height() < 10 || layout.Plot.width() < 10) {
        layout.Plot.setSize(layout.Plot.size().expandedTo(QSizeF(10, 10)));
    }
    TRange heads = facts.Heads;
    TRange qhs = facts.QHs;
    qhs.Take(statistics.LineAt(0.0));
    qhs.Take(statistics.LineAt(heads.High));
    // A little room, so that no marker sits on the frame.
    const double headRoom = (heads.High - heads.Low) * EdgeRoom;
    const double qhRoom = (qhs.High - qhs.Low) * EdgeRoom;
    heads.High += headRoom;
    qhs.Low -= qhRoom;
    qhs.High += qhRoom;
    layout.HeadScale = NiceScale(heads.Low, heads.High, std::max(2, int(layout.Plot.width() / 70)));
    layout.QHScale = NiceScale(qhs.Low, qhs.High, std::max(2, int(layout.Plot.height() / 40)));
    return layout;
}

} // namespace

TReportGraphLayout ReportGraphLayout(const QRectF& area, const TCalculationResults& statistics,
                                     const TFitFlags& inFit) {
    return LayoutOf(area, statistics, FactsOf(statistics, inFit));
}

bool PaintReportGraph(QPainter& painter, const QRectF& area, const TCalculationResults& statistics,
                      const TFitFlags& inFit, const TPaintProgress& progress,
                      TMarkerPainting markers) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, Qt::white);
    const TGraphFacts facts = FactsOf(statistics, inFit);
    const TReportGraphLayout layout = LayoutOf(area, statistics, facts);
    DrawGridAndTicks(painter, layout);
    painter.save();
    painter.setClipRect(layout.Plot);
    DrawBand(painter, layout, statistics, facts);
    painter.setPen(QPen(LineColour, 1.5));
    painter.drawLine(layout.Place(0.0, statistics.LineAt(0.0)),
                     layout.Place(facts.LargestHead, statistics.LineAt(facts.LargestHead)));
    painter.restore();
    const bool finished = DrawMarkers(painter, layout, statistics, inFit, progress, markers);
    painter.setPen(QPen(Ink, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.Plot);
    DrawAxisTitles(painter, layout, area);
    DrawLegend(painter, area, statistics, facts);
    painter.restore();
    return finished;
}

std::optional<std::size_t> ReportGraphMarkerAt(const QRectF& area,
                                               const TCalculationResults& statistics,
                                               const TFitFlags& inFit, QPointF point) {
    const TReportGraphLayout layout = ReportGraphLayout(area, statistics, inFit);
    std::optional<std::size_t> nearest;
    double nearestDistance = HitRadius * HitRadius;
    const std::size_t count = std::min(statistics.Head.size(), statistics.QH.size());
    for (std::size_t i = 0; i < count; ++i) {
        const QPointF offset = layout.Place(statistics.Head[i], statistics.QH[i]) - point;
        const double distance = QPointF::dotProduct(offset, offset);
        if (distance <= nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}
