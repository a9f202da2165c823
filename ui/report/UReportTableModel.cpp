#include "UReportTableModel.h"

#include "UReportContents.h"

#include <QColor>

#include <algorithm>
#include <climits>

namespace {

// A soft amber behind a suspect row; the mark in its serial number says the
// same for whoever does not see the colour.
const QColor SuspectBackground(255, 224, 160);

constexpr int ColumnCount = static_cast<int>(TDataSetColumn::Count);

} // namespace

void TReportTableModel::SetStatistics(const TFitStatistics* statistics) {
    beginResetModel();
    statistics_ = statistics;
    endResetModel();
}

int TReportTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !statistics_) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(statistics_->NrOfDataSets, INT_MAX));
}

int TReportTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

bool TReportTableModel::IsSuspectRow(int row) const {
    return statistics_->IsSuspect(static_cast<std::size_t>(row) + 1);
}

QVariant TReportTableModel::data(const QModelIndex& index, int role) const {
    if (!statistics_ || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return DataSetCell(*statistics_, static_cast<std::size_t>(index.row()),
                           static_cast<TDataSetColumn>(index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return IsSuspectRow(index.row()) ? QVariant(SuspectBackground) : QVariant();
    case Qt::ForegroundRole:
        return IsSuspectRow(index.row()) ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::ToolTipRole:
        return IsSuspectRow(index.row()) ? QVariant(SuspectLegend(*statistics_)) : QVariant();
    default:
        return {};
    }
}

QVariant TReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    return DataSetColumnTitle(static_cast<TDataSetColumn>(section));
}
