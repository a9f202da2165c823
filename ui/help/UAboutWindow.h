// "About Soravik": the program's version, its licence and the version of Qt
// it runs on, in a small window of its own that never blocks the main window.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

inline const char* const AboutCaption = "About Soravik";

class TAboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit TAboutWindow(QWidget* parent = nullptr);

    QLabel* Program_Label = nullptr;
    QLabel* Purpose_Label = nullptr;
    QLabel* Qt_Label = nullptr;
    QLabel* Licence_Label = nullptr;
    QPlainTextEdit* Licence_Text = nullptr;
    QPushButton* Close_Button = nullptr;
};

// The licence the program is given under, whole, as the LICENSE file has it.
QString LicenceText();
