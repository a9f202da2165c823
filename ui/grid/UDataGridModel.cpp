#include "UDataGridModel.h"

#include <QMetaObject>

#include <algorithm>
#include <utility>

TDataGridModel::TDataGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDataGridModel::SetRows(int rows) {
    const int newRows = std::max(rows, 1);
    if (newRows > rows_) {
        beginInsertRows(QModelIndex(), rows_, newRows - 1);
        rows_ = newRows;
        endInsertRows();
    } else if (newRows < rows_) {
        beginRemoveRows(QModelIndex(), newRows, rows_ - 1);
        rows_ = newRows;
        endRemoveRows();
    }
}

void TDataGridModel::SetText(int column, int row, std::string_view text) {
    if (Holds(column, row, text)) {
        return;
    }
    ++revision_;
    cells_.SetText(column, row, text);
    if (column >= 0 && column < ColumnCount && row >= 0 && row < rows_) {
        MarkChanged(row);
    }
}

int TDataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TDataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TDataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return QVariant();
    }
    const std::string text = cells_.Text(index.column(), index.row());
    if (text.empty()) {
        return QVariant();
    }
    return QString::fromStdString(text);
}

// The editor's text when an edit ends; every change before it has been
// stored as it was typed.
bool TDataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const QByteArray bytes = value.toString().toUtf8();
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (Holds(index.column(), index.row(), text)) {
        return true;
    }
    ++revision_;
    cells_.SetText(index.column(), index.row(), text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

// As every cell of a plain table widget: column 0 is kept from editing by the
// grid's delegate, not by its flags.
Qt::ItemFlags TDataGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    return Qt::ItemIsEditable | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled |
           Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QVariant TDataGridModel::headerData(int section, Qt::Orientation, int role) const {
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
}

void TDataGridModel::SwapCells(TCellStore& cells) {
    beginResetModel();
    std::swap(cells_, cells);
    ++revision_;
    endResetModel();
}

bool TDataGridModel::Holds(int column, int row, std::string_view text) const {
    return cells_.Holds(column, row, text);
}

void TDataGridModel::MarkChanged(int row) {
    const bool reportPending = firstChanged_ <= lastChanged_;
    firstChanged_ = reportPending ? std::min(firstChanged_, row) : row;
    lastChanged_ = reportPending ? std::max(lastChanged_, row) : row;
    if (!reportPending) {
        QMetaObject::invokeMethod(this, &TDataGridModel::ReportChanges, Qt::QueuedConnection);
    }
}

void TDataGridModel::ReportChanges() {
    const int first = firstChanged_;
    const int last = std::min(lastChanged_, rows_ - 1);
    firstChanged_ = 1;
    lastChanged_ = 0;
    if (first <= last) {
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}
