#include "ULiteralFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {

// The name field of Qt's own dialog; a platform dialog has none and returns
// the name as typed.
QLineEdit* NameField(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

QString InFolder(const QString& typed, const QString& folder) {
    const QString path = QDir(folder).filePath(typed);
    if (typed.startsWith(QStringLiteral("~/")) && !QFileInfo::exists(path)) {
        return QDir::home().filePath(typed.mid(2));
    }
    return typed == QStringLiteral("~") ? QDir::homePath() : path;
}

} // namespace

QString TypedFilePath(const QString& typed, const QString& folder, const QString& defaultSuffix,
                      bool keepExisting) {
    if (typed.isEmpty()) {
        return {};
    }
    const QString path = InFolder(typed, folder);
    const QFileInfo file(path);
    if (file.fileName().isEmpty()) {
        return {};
    }
    const bool keep = keepExisting && file.isFile();
    if (defaultSuffix.isEmpty() || keep || file.fileName().contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + defaultSuffix;
}

TLiteralFileDialog::TLiteralFileDialog(QWidget* parent, const QString& caption,
                                       const QString& directory)
    : QFileDialog(parent, caption, directory) {}

QString TLiteralFileDialog::ChosenFile() const {
    return chosen_;
}

void TLiteralFileDialog::accept() {
    QLineEdit* field = NameField(*this);
    if (!field || field->text().isEmpty()) {
        AcceptAsQtDoes(field != nullptr);
        return;
    }
    const QString folder = directory().absolutePath();
    const QString typed = field->text();
    if (QFileInfo(InFolder(typed, folder)).isDir()) {
        setDirectory(InFolder(typed, folder));
        field->clear();
        return;
    }
    const QString path = TypedFilePath(typed, folder, defaultSuffix(), acceptMode() == AcceptOpen);
    if (!path.isEmpty()) {
        chosen_ = path;
        // A completion list that the folder's listing brings in after this
        // would pop up over the main window and take the user's next click.
        field->setCompleter(nullptr);
        QDialog::accept();
    }
}

// A platform dialog, or (with an empty name field) a folder picked in the
// list to be opened; nothing typed is nothing to accept.
void TLiteralFileDialog::AcceptAsQtDoes(bool ownDialog) {
    const QStringList selected = selectedFiles();
    if (ownDialog && (selected.isEmpty() || !QFileInfo(selected.constFirst()).isDir())) {
        return;
    }
    QFileDialog::accept();
    chosen_ = result() == Accepted ? selectedFiles().value(0) : QString();
}
