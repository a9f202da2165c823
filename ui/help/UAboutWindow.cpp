#include "UAboutWindow.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The licence's own first line names it ("MIT License").
QString LicenceName(const QString& licence) {
    return licence.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// The file's paragraphs are broken for a terminal; the box breaks them for
// its own width.
QString Reflowed(const QString& text) {
    QStringList paragraphs = text.trimmed().split(QStringLiteral("\n\n"));
    for (QString& paragraph : paragraphs) {
        paragraph.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace

QString LicenceText() {
    QFile file(QStringLiteral(":/LICENSE"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TAboutWindow::TAboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QString::fromUtf8(AboutCaption));
    setModal(false);
    const QString licence = LicenceText();
    auto* layout = new QVBoxLayout(this);
    Program_Label = NewLabel(this, "Program_Label",
                             QStringLiteral("Soravik %1").arg(QStringLiteral(SORAVIK_VERSION)));
    QFont large = Program_Label->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    Program_Label->setFont(large);
    Purpose_Label = NewLabel(this, "Purpose_Label",
                             QStringLiteral("The hydraulic conductivity of a soil above and below "
                                            "drain level from measurements at a working "
                                            "subsurface drainage system."));
    Qt_Label = NewLabel(this, "Qt_Label",
                        QStringLiteral("Runs on Qt %1").arg(QString::fromUtf8(qVersion())));
    Licence_Label =
        NewLabel(this, "Licence_Label", QStringLiteral("Licence: %1").arg(LicenceName(licence)));
    Licence_Text = new QPlainTextEdit(Reflowed(licence), this);
    Licence_Text->setObjectName(QStringLiteral("Licence_Text"));
    Licence_Text->setAccessibleName(QStringLiteral("Licence"));
    Licence_Text->setReadOnly(true);
    Licence_Text->setTabChangesFocus(true);
    Close_Button = new QPushButton(QStringLiteral("Close"), this);
    Close_Button->setObjectName(QStringLiteral("Close_Button"));
    Close_Button->setDefault(true);
    connect(Close_Button, &QPushButton::clicked, this, &QDialog::close);
    for (QWidget* widget :
         {static_cast<QWidget*>(Program_Label), static_cast<QWidget*>(Purpose_Label),
          static_cast<QWidget*>(Qt_Label), static_cast<QWidget*>(Licence_Label),
          static_cast<QWidget*>(Licence_Text)}) {
        layout->addWidget(widget);
    }
    layout->addWidget(Close_Button, 0, Qt::AlignRight);
    resize(560, 460);
}
