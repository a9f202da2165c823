// The user guide in a window of its own: the chapters listed on the side, the
// chapter's text beside them, back and forward through the chapters seen.
// It is modeless; the main window keeps one and brings it forward, at the
// chapter of the page the user is on, whenever help is asked for.
#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;
class QTextBrowser;
class QUrl;

// The end of the caption; the chapter's title stands before it.
inline const char* const HelpCaption = "Soravik Help";

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows a chapter ("input.html") or a place in one
    // ("statistics.html#cooks-distance") and brings the window forward.
    void ShowChapter(const QString& chapter);

    QListWidget* Contents_List = nullptr;
    QPushButton* Back_Button = nullptr;
    QPushButton* Forward_Button = nullptr;
    QPushButton* Home_Button = nullptr;
    QTextBrowser* Guide_Browser = nullptr;

private:
    QWidget* CreateButtons();
    void CreateContents();
    void CreateBrowser();
    void ConnectNavigation();
    void ChapterShown(const QUrl& source);
};
