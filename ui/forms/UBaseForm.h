// The common window of the program: Tahoma 13 px and a status bar with one
// text, which every page and the exit dialog report through.
#pragma once

#include <QMainWindow>
#include <string>

class QLabel;
class QStatusBar;

class TBaseForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TBaseForm(QWidget* parent = nullptr);

    // Shows the text at once, before a long step that may follow.
    void ShowStatus(const std::string& text);
    std::string StatusText() const;

protected:
    QStatusBar* StatusBar1 = nullptr;

private:
    QLabel* statusText_ = nullptr;
};
