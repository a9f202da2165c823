// The open and save dialog. Qt's own reads a typed name with double quotes
// as a list of names ("a" "b") and returns one of them, which may be another,
// existing file; this one returns exactly the one name the user typed or
// picked, quotes and all.
#pragma once

#include <QFileDialog>

// The file that a name typed in `folder` stands for: the name itself when it
// is absolute, otherwise inside the folder; "~/" begins the home folder
// unless the folder holds such a name. A name without an extension gets
// `defaultSuffix`, except a file that exists under the name as typed when
// `keepExisting` is set (opening). Empty for an empty name or one ending in "/".
QString TypedFilePath(const QString& typed, const QString& folder, const QString& defaultSuffix,
                      bool keepExisting);

class TLiteralFileDialog : public QFileDialog {
    Q_OBJECT
public:
    TLiteralFileDialog(QWidget* parent, const QString& caption, const QString& directory);

    // The file chosen by the last accepted showing.
    QString ChosenFile() const;

public slots:
    void accept() override;

private:
    void AcceptAsQtDoes(bool ownDialog);

    QString chosen_;
};
