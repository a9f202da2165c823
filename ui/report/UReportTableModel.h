// The data sets of the Report page's table, read straight from the what-if
// fit: a table of a hundred thousand data sets costs no item per cell. The
// "in fit" column holds a check box per data set that leaves it out of the
// what-if fit or puts it back.
#pragma once

#include "UReportContents.h"
#include "UWhatIfFit.h"

#include <QAbstractTableModel>

#include <vector>

class TReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows the current fit of `whatIf` (kept by the caller, who outlives the
    // model's use of it), or nothing.
    void SetWhatIf(TWhatIfFit* whatIf);
    // The fit has changed: every cell is read again.
    void Refresh();
    // A text at least as long as the longest cell of `column`, for a column
    // as wide as its values: worked out for every column at once, the first
    // time any is asked for after a change of the fit.
    QString LongestText(TDataSetColumn column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // A data set could not be left out: too few would remain for a line.
    void LeaveOutRefused();
    // The what-if fit could not be made.
    void Failed(const QString& reason);

private:
    const TCalculationResults* Statistics() const;
    QVariant Background(int row) const;
    QVariant InFitData(int row, int role) const;

    TWhatIfFit* whatIf_ = nullptr;
    int rows_ = 0;
    // Empty until asked for after a change.
    mutable std::vector<QString> longest_;
};
