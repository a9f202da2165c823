#include "UQtDialogs.h"

#include "ULiteralFileDialog.h"
#include "UMessageText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

int RunMessageBox(QMessageBox::Icon icon, const char* caption, const std::string& text,
                  QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QString::fromUtf8(caption), ToQt(text), buttons,
                    QApplication::activeWindow());
    return box.exec();
}

// Both file dialogs leave the existence and overwrite checks to the commands.
std::optional<std::string> RunFileDialog(const TFileDialogOptions& options,
                                         QFileDialog::AcceptMode mode, const QString& caption) {
    TLiteralFileDialog dialog(QApplication::activeWindow(), caption, ToQt(options.InitialDir));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(ToQt(options.DefaultExt));
    dialog.setNameFilter(QtNameFilters(options.Filter));
    if (!options.FileName.empty()) {
        dialog.selectFile(ToQt(options.FileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenFile().isEmpty()) {
        return std::nullopt;
    }
    return dialog.ChosenFile().toStdString();
}

} // namespace

QString QtNameFilters(const std::string& filter) {
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    return filters.join(QStringLiteral(";;"));
}

void TQtDialogs::ShowMessage(const std::string& text) {
    RunMessageBox(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok);
}

void TQtDialogs::ShowError(const std::string& text) {
    RunMessageBox(QMessageBox::Critical, ApplicationTitle, WithFullStop(text), QMessageBox::Ok);
}

bool TQtDialogs::AskYesNo(const std::string& question) {
    return RunMessageBox(QMessageBox::Question, "Confirm", question,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// Escape and the close box answer Cancel: the work stays as it is.
TUnsavedChoice TQtDialogs::AskSaveDiscardCancel(const std::string& question) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirm"), ToQt(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    // S and D answer from the keyboard, whatever the desktop's button order.
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    switch (box.exec()) {
    case QMessageBox::Save:
        return TUnsavedChoice::Save;
    case QMessageBox::Discard:
        return TUnsavedChoice::Discard;
    default:
        return TUnsavedChoice::Cancel;
    }
}

std::optional<std::string> TQtDialogs::AskOpenFileName(const TFileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen, QStringLiteral("Open"));
}

std::optional<std::string> TQtDialogs::AskSaveFileName(const TFileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave, QStringLiteral("Save As"));
}
