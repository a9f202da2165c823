#include "ULayoutDump.h"

#include <QSaveFile>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

// Often enough that a case waits no noticeable time; the cases only run it.
constexpr int LookEveryMs = 100;

void DescribeControl(QTextStream& out, const QWidget& control) {
    const QRect place = control.geometry();
    out << control.objectName() << ' ' << place.left() << ' ' << place.top() << ' ' << place.width()
        << ' ' << place.height() << '\n';
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
        for (const QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisibleTo(page) && !control->isWindow()) {
                DescribeControl(out, *control);
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
