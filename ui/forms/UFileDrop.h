// Files dragged from a file manager onto a window. One local input or output
// file, or a table (".csv", ".tsv", ".txt"), is taken wherever it is dropped
// in the window, over a text field too, which would otherwise take the
// file's address as text; any other file is refused, so the drag shows no
// drop cursor. Drags without files, such as text moved between fields, are
// left to the widgets.
#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

class TFileDrop : public QObject {
public:
    using TFileHandler = std::function<void(const std::string& fileName)>;

    // Watches the drags over `window` and its controls for the window's
    // lifetime; `handler` receives the file of each drop.
    TFileDrop(QWidget& window, TFileHandler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    TFileHandler handler_;
};

// The one local ".inp", ".out" or table file a drag carries; nothing for
// anything else.
std::optional<std::string> DroppedDataFile(const QMimeData& data);
