// Controls of the window's pages at the places and sizes the calculator has
// always had (pixels at 96 dots per inch), named as its form names them.
#pragma once

#include <QRect>

class QImage;
class QLabel;
class QPixmap;
class QPushButton;
class QWidget;
class TTextField;

QLabel* NewLabel(QWidget* page, const char* name, const char* text, int left, int top);
QLabel* NewWrappedLabel(QWidget* page, const char* name, const char* text, QRect place);
// A field that screen readers name by its caption.
TTextField* NewField(QWidget* page, const char* name, const char* text, const QLabel* caption,
                     QRect place);
QPushButton* NewButton(QWidget* page, const char* name, const char* caption, QRect place,
                       int fontPixels);
QLabel* NewPicture(QWidget* page, const char* name, const QPixmap& picture, QRect place,
                   const char* description);
// The picture scaled into the control's place; a picture that could not be
// decoded leaves the control empty.
void ShowPicture(QLabel& image, const QImage& picture);
