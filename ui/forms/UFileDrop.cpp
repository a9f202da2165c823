#include "UFileDrop.h"

#include "UFileNames.h"
#include "UTableImport.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

TFileDrop::TFileDrop(QWidget& window, TFileHandler handler)
    : QObject(&window), window_(window), handler_(std::move(handler)) {
    // Without a drop target under the pointer the toolkit offers the drag to
    // no one; the window itself is the target behind every control.
    window_.setAcceptDrops(true);
    qApp->installEventFilter(this);
}

bool TFileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    auto* drag = static_cast<QDropEvent*>(event);
    if (!widget || widget->window() != &window_ || !drag->mimeData()->hasUrls()) {
        return false;
    }
    const std::optional<std::string> file = DroppedDataFile(*drag->mimeData());
    // Opening a file must never move it away from where the file manager shows it.
    if (!file || !(drag->possibleActions() & Qt::CopyAction)) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        handler_(*file);
    }
    return true;
}

std::optional<std::string> DroppedDataFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    const std::string file = urls.front().toLocalFile().toStdString();
    if (DataFileKindOf(file) == TDataFileKind::Other && !IsTableFileName(file)) {
        return std::nullopt;
    }
    return file;
}
