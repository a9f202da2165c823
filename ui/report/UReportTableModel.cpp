#include "UReportTableModel.h"

#include "UReportContents.h"

#include <QColor>

#include <algorithm>
#include <climits>
#include <exception>

namespace {

// A soft amber behind a suspect row, a soft blue behind an influential one,
// grey behind one left out; the marks in the serial number and the check box
// say the same for whoever does not see the colour.
const QColor SuspectBackground(255, 224, 160);
const QColor InfluentialBackground(205, 225, 255);
const QColor LeftOutBackground(225, 225, 225);

constexpr int ColumnCount = static_cast<int>(TDataSetColumn::Count);
constexpr int InFitColumn = static_cast<int>(TDataSetColumn::InFit);

} // namespace

void TReportTableModel::SetWhatIf(TWhatIfFit* whatIf) {
    beginResetModel();
    whatIf_ = whatIf;
    rows_ = rowCount();
    longest_.clear();
    endResetModel();
}

void TReportTableModel::Refresh() {
    // Leaving data sets out keeps the rows; only a new calculation changes them.
    const int rows = rowCount();
    longest_.clear();
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    } else if (rows > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, ColumnCount - 1));
    }
}

QString TReportTableModel::LongestText(TDataSetColumn column) const {
    if (longest_.empty() && Statistics()) {
        longest_ = LongestDataSetCells(*Statistics());
    }
    const auto at = static_cast<std::size_t>(column);
    return at < longest_.size() ? longest_[at] : QString();
}

const TCalculationResults* TReportTableModel::Statistics() const {
    return whatIf_ && whatIf_->HasFit() ? &whatIf_->Current() : nullptr;
}

int TReportTableModel::rowCount(const QModelIndex& parent) const {
    const TCalculationResults* statistics = Statistics();
    if (parent.isValid() || !statistics) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(statistics->NrOfDataSets, INT_MAX));
}

int TReportTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TReportTableModel::Background(int row) const {
    const TCalculationResults& statistics = *Statistics();
    const auto serial = static_cast<std::size_t>(row) + 1;
    if (!statistics.IsInFit(serial - 1)) {
        return LeftOutBackground;
    }
    if (statistics.IsSuspect(serial)) {
        return SuspectBackground;
    }
    return statistics.IsInfluential(serial) ? QVariant(InfluentialBackground) : QVariant();
}

QVariant TReportTableModel::InFitData(int row, int role) const {
    const bool inFit = Statistics()->IsInFit(static_cast<std::size_t>(row));
    switch (role) {
    case Qt::CheckStateRole:
        return inFit ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleTextRole:
        return QStringLiteral("Data set %1 in fit").arg(row + 1);
    case Qt::ToolTipRole:
        return QStringLiteral("Untick to see Ka and Kb without this data set; the files stay as "
                              "they are");
    default:
        return {};
    }
}

QVariant TReportTableModel::data(const QModelIndex& index, int role) const {
    if (!Statistics() || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (index.column() == InFitColumn && role != Qt::BackgroundRole) {
        return InFitData(index.row(), role);
    }
    const TCalculationResults& statistics = *Statistics();
    switch (role) {
    case Qt::DisplayRole:
        return DataSetCell(statistics, static_cast<std::size_t>(index.row()),
                           static_cast<TDataSetColumn>(index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return Background(index.row());
    case Qt::ForegroundRole:
        return Background(index.row()).isValid() ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::ToolTipRole:
        return Background(index.row()).isValid() ? QVariant(SuspectLegend(statistics)) : QVariant();
    default:
        return {};
    }
}

bool TReportTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!Statistics() || index.column() != InFitColumn || role != Qt::CheckStateRole) {
        return false;
    }
    const bool inFit = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    // Called from the view's event handling, which no exception may reach.
    try {
        const bool done = whatIf_->SetInFit(static_cast<std::size_t>(index.row()) + 1, inFit);
        if (!done) {
            emit LeaveOutRefused();
        }
        return done;
    } catch (const std::exception& error) {
        emit Failed(QStringLiteral("The what-if fit could not be made: ") +
                    QString::fromUtf8(error.what()));
        return false;
    }
}

Qt::ItemFlags TReportTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == InFitColumn) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant TReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return {};
    }
    const auto column = static_cast<TDataSetColumn>(section);
    if (role == Qt::ToolTipRole) {
        return DataSetColumnExplanation(column);
    }
    return role == Qt::DisplayRole ? QVariant(DataSetColumnTitle(column)) : QVariant();
}
