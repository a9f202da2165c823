#include "ULayoutDump.h"

#include <QSaveFile>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

// Often enough that a case waits no noticeable time; the cases only run it.
constexpr int LookEveryMs = 100;

// A control without a name of its own is named by its class and its place
// among the page's controls.
void DescribeControl(QTextStream& out, const QWidget& control, int index) {
    const QRect place = control.geometry();
    const QString name = control.objectName().isEmpty()
                             ? QString::fromLatin1(control.metaObject()->className()) +
                                   QLatin1Char('_') + QString::number(index)
                             : control.objectName();
    out << name << ' ' << place.left() << ' ' << place.top() << ' ' << place.width() << ' '
        << place.height() << '\n';
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
    for (int index = 0; index < pages_.count(); ++index) {
        const QWidget* page = pages_.widget(index);
        out << "page " << page->objectName() << '\n';
        const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int at = 0; at < controls.size(); ++at) {
            if (controls[at]->isVisibleTo(page) && !controls[at]->isWindow()) {
                DescribeControl(out, *controls[at], at);
            }
        }
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
