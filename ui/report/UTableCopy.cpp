#include "UTableCopy.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace {

// Taken from the selection's ranges, not from one index per cell: a whole
// table of a million rows costs a million numbers, not six million indexes.
void SelectedRowsAndColumns(const QItemSelection& selection, std::vector<int>& rows,
                            std::vector<int>& columns) {
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
        for (int column = range.left(); column <= range.right(); ++column) {
            columns.push_back(column);
        }
    }
    for (std::vector<int>* numbers : {&rows, &columns}) {
        std::sort(numbers->begin(), numbers->end());
        numbers->erase(std::unique(numbers->begin(), numbers->end()), numbers->end());
    }
}

QString CellText(const QVariant& value) {
    // A tab or line break inside a cell would split it in the spreadsheet.
    QString text = value.toString();
    text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The window's own Copy command has the same keys: the table claims them
// while it has the focus, before the command sees them.
class TCopyKeys : public QObject {
public:
    explicit TCopyKeys(QTableView* table) : QObject(table), table_(table) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool key =
            event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
        if (watched != table_ || !key ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            return false;
        }
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            QGuiApplication::clipboard()->setText(SelectedCellsText(*table_));
        }
        return true;
    }

private:
    QTableView* table_;
};

} // namespace

QString SelectedCellsText(const QTableView& table) {
    const QAbstractItemModel* model = table.model();
    const QItemSelectionModel* selected = table.selectionModel();
    if (!model || !selected) {
        return {};
    }
    std::vector<int> rows;
    std::vector<int> columns;
    SelectedRowsAndColumns(selected->selection(), rows, columns);
    if (rows.empty()) {
        return {};
    }
    QStringList lines;
    QStringList headings;
    for (const int column : columns) {
        headings << CellText(model->headerData(column, Qt::Horizontal, Qt::DisplayRole));
    }
    lines << headings.join(QLatin1Char('\t'));
    for (const int row : rows) {
        QStringList cells;
        for (const int column : columns) {
            const QModelIndex index = model->index(row, column);
            cells << (selected->isSelected(index) ? CellText(index.data()) : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CopyCellsWithHeadings(QTableView* table) {
    table->installEventFilter(new TCopyKeys(table));
}
