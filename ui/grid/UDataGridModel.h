// The data grid's table as the view sees it: the cells of a TCellStore, four
// columns and a row count of at least one. Changes of many cells at once (a
// paste, a table read from a file) reach the view as one change, after the
// event that made them, so a million cells written cost no million repaints.
#pragma once

#include "UCellStore.h"

#include <QAbstractTableModel>

#include <string_view>

class TDataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = TCellStore::DenseColumns;

    explicit TDataGridModel(QObject* parent = nullptr);

    int Rows() const { return rows_; }
    void SetRows(int rows);
    std::string Text(int column, int row) const { return cells_.Text(column, row); }
    void SetText(int column, int row, std::string_view text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void MarkChanged(int row);
    void ReportChanges();

    TCellStore cells_;
    int rows_ = 1;
    // Rows changed since the view was last told, empty when first > last.
    int firstChanged_ = 1;
    int lastChanged_ = 0;
};
