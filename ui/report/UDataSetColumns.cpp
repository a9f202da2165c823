#include "UDataSetColumns.h"

#include "UReportContents.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <algorithm>

namespace {

// A reason is typed in a cell at least this wide.
constexpr int LeastReasonWidth = 100;

// The width the table's style gives a cell of `features` showing `text`,
// with the grid line beside it.
int ItemWidth(const QTableView& table, QStyleOptionViewItem::ViewItemFeatures features,
              const QString& text = {}) {
    QStyleOptionViewItem option;
    option.initFrom(&table);
    option.font = table.font();
    option.fontMetrics = table.fontMetrics();
    option.features = features;
    option.text = text;
    option.displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    return table.style()
               ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &table)
               .width() +
           (table.showGrid() ? 1 : 0);
}

int WidestReason(const QTableView& table, const TCalculationResults& statistics,
                 const std::map<std::size_t, std::string>& reasons) {
    int widest = LeastReasonWidth;
    for (const auto& [serial, reason] : reasons) {
        if (!statistics.IsInFit(serial - 1)) {
            widest = std::max(widest, CellWidth(table, QString::fromStdString(reason)));
        }
    }
    return widest;
}

int ContentWidth(const QTableView& table, const TCalculationResults& statistics,
                 const std::map<std::size_t, std::string>& reasons, TDataSetColumn column,
                 const QStringList& widestTexts) {
    switch (column) {
    case TDataSetColumn::InFit:
        return ItemWidth(table, QStyleOptionViewItem::HasCheckIndicator);
    case TDataSetColumn::Reason:
        return WidestReason(table, statistics, reasons);
    default: {
        int widest = 0;
        for (const QString& text : widestTexts) {
            widest = std::max(widest, CellWidth(table, text));
        }
        return widest;
    }
    }
}

} // namespace

int CellWidth(const QTableView& table, const QString& text) {
    return ItemWidth(table, QStyleOptionViewItem::HasDisplay, text);
}

void FitDataSetTableColumns(QTableView& table, const TCalculationResults& statistics,
                            const std::map<std::size_t, std::string>& reasons) {
    QHeaderView& header = *table.horizontalHeader();
    const std::vector<QStringList> widest = WidestDataSetCells(statistics);
    for (int column = 0; column < static_cast<int>(TDataSetColumn::Count); ++column) {
        const int content =
            ContentWidth(table, statistics, reasons, static_cast<TDataSetColumn>(column),
                         widest[static_cast<std::size_t>(column)]);
        header.resizeSection(column, std::max(content, header.sectionSizeHint(column)));
    }
}

int DataSetTableWidth(const QTableView& table) {
    const QHeaderView& header = *table.horizontalHeader();
    int width = 2 * table.frameWidth() + table.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < header.count(); ++column) {
        width += header.sectionSize(column);
    }
    return width;
}
