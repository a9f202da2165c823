#include "UPageControls.h"

#include "UFonts.h"
#include "UTextField.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

QLabel* NewPlainLabel(QWidget* page, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), page);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QLabel* NewLabel(QWidget* page, const char* name, const char* text, int left, int top) {
    QLabel* label = NewPlainLabel(page, name, text);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// The place is given, so the text is not measured for a size that the place
// replaces at once: measuring a text lays it out, which the window's start
// pays for every such label.
QLabel* NewWrappedLabel(QWidget* page, const char* name, const char* text, QRect place) {
    QLabel* label = NewPlainLabel(page, name, text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

TTextField* NewField(QWidget* page, const char* name, const char* text, const QLabel* caption,
                     QRect place) {
    auto* field = new TTextField(QString::fromUtf8(text), page);
    field->setObjectName(QString::fromUtf8(name));
    field->setGeometry(place);
    field->setAccessibleName(caption->text().simplified());
    return field;
}

QPushButton* NewButton(QWidget* page, const char* name, const char* caption, QRect place,
                       int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(place);
    button->setFont(PixelFont(QStringLiteral("Tahoma"), fontPixels));
    button->setAccessibleName(button->text());
    return button;
}

void ShowPicture(QLabel& image, const QImage& picture) {
    if (!picture.isNull()) {
        image.setPixmap(QPixmap::fromImage(
            picture.scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

QLabel* NewPicture(QWidget* page, const char* name, const QPixmap& picture, QRect place,
                   const char* description) {
    auto* image = new QLabel(page);
    image->setObjectName(QString::fromUtf8(name));
    image->setGeometry(place);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setAccessibleName(QString::fromUtf8(description));
    image->setPixmap(picture);
    return image;
}
