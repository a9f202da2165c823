#include "ULayoutDump.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QSaveFile>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// Often enough that a case waits no noticeable time; the cases only run it.
constexpr int LookEveryMs = 100;

// A control without a name of its own is named by its class and its place
// among the page's controls.
QString ControlName(const QWidget& control, int index) {
    return control.objectName().isEmpty() ? QString::fromLatin1(control.metaObject()->className()) +
                                                QLatin1Char('_') + QString::number(index)
                                          : control.objectName();
}

// In the page's pixels: a control inside a scrolled page stands where the
// scrolling has put it.
void DescribeControl(QTextStream& out, const QWidget& page, const QWidget& control, int index) {
    const QRect place(control.mapTo(&page, QPoint(0, 0)), control.size());
    out << ControlName(control, index) << ' ' << place.left() << ' ' << place.top() << ' '
        << place.width() << ' ' << place.height() << '\n';
}

// The controls of a page; those of a scrolled page are the controls it
// scrolls, and those of a splitter the controls it splits.
QList<QWidget*> PageControls(const QWidget& page) {
    QList<QWidget*> controls = page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (controls.size() == 1) {
        if (const auto* scroll = qobject_cast<const QScrollArea*>(controls.front())) {
            if (scroll->widget()) {
                controls = scroll->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            }
        }
    }
    QList<QWidget*> split;
    for (QWidget* control : controls) {
        if (const auto* splitter = qobject_cast<const QSplitter*>(control)) {
            for (int at = 0; at < splitter->count(); ++at) {
                split << splitter->widget(at);
            }
        } else {
            split << control;
        }
    }
    return split;
}

// Each shown table's width against what its content needs: "table NAME SHOWN
// NEEDED HEADING" with the width of its view and of all its columns and the
// height of its column headings, then per column
// "column NAME INDEX WIDTH NEEDED", where NEEDED is the width that the
// table's own cells in view and its heading ask for.
void DescribeTables(QTextStream& out, const QWidget& page) {
    for (const QTableView* table : page.findChildren<QTableView*>()) {
        if (!table->isVisible() || !table->model()) {
            continue;
        }
        const QHeaderView& header = *table->horizontalHeader();
        out << "table " << table->objectName() << ' ' << table->viewport()->width() << ' '
            << header.length() << ' ' << (header.isVisible() ? header.height() : 0) << '\n';
        for (int column = 0; column < header.count(); ++column) {
            const int needed =
                std::max(static_cast<const QAbstractItemView*>(table)->sizeHintForColumn(column),
                         header.sectionSizeHint(column));
            out << "column " << table->objectName() << ' ' << column << ' '
                << header.sectionSize(column) << ' ' << needed << '\n';
        }
    }
}

// The control that has the keyboard focus: a spin box rather than its field.
QString FocusName() {
    const QWidget* focus = QApplication::focusWidget();
    while (focus && (focus->objectName().isEmpty() ||
                     focus->objectName().startsWith(QStringLiteral("qt_")))) {
        focus = focus->parentWidget();
    }
    return focus ? focus->objectName() : QStringLiteral("none");
}

} // namespace

TLayoutDump::TLayoutDump(QWidget& window, const QTabWidget& pages, QString fileName)
    : QObject(&window), window_(window), pages_(pages), fileName_(std::move(fileName)) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TLayoutDump::WriteIfChanged);
    timer->start(LookEveryMs);
}

void TLayoutDump::InstallIfAsked(QWidget& window, const QTabWidget& pages) {
    const QString fileName = qEnvironmentVariable("SORAVIK_LAYOUT_DUMP");
    if (!fileName.isEmpty()) {
        new TLayoutDump(window, pages, fileName);
    }
}

QString TLayoutDump::Describe() const {
    QString text;
    QTextStream out(&text);
    out << "window " << window_.width() << ' ' << window_.height() << '\n';
    out << "focus " << FocusName() << '\n';
    for (int index = 0; index < pages_.count(); ++index) {
        const QWidget* page = pages_.widget(index);
        out << "page " << page->objectName() << ' ' << page->width() << ' ' << page->height()
            << '\n';
        const QList<QWidget*> controls = PageControls(*page);
        for (int at = 0; at < controls.size(); ++at) {
            if (controls[at]->isVisibleTo(page) && !controls[at]->isWindow()) {
                DescribeControl(out, *page, *controls[at], at);
            }
        }
        DescribeTables(out, *page);
    }
    return text;
}

// Written whole under its name, so that a case never reads half a dump.
void TLayoutDump::WriteIfChanged() {
    const QString text = Describe();
    if (text == written_) {
        return;
    }
    QSaveFile file(fileName_);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit()) {
        written_ = text;
    }
}
