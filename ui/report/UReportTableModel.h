// The data sets of the Report page's table, read straight from the fit
// statistics: a table of a hundred thousand data sets costs no item per cell.
#pragma once

#include "UFitStatistics.h"

#include <QAbstractTableModel>

class TReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these statistics (kept by the caller, who outlives the model's
    // use of them), or none.
    void SetStatistics(const TFitStatistics* statistics);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool IsSuspectRow(int row) const;

    const TFitStatistics* statistics_ = nullptr;
};
