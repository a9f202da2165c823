// Help > Soravik Help (F1) and Help > About Soravik. F1 opens the guide at
// the chapter of the page shown; the menu entry carries the key, so it works
// from every control of the window, a grid cell being edited included. Both
// are windows of their own, made once and brought forward again.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <utility>
#include <vector>

class QAction;
class QTabWidget;
class QWidget;
class TAboutWindow;
class THelpWindow;
class TUserDialogs;

class THelpCommands : public QObject {
public:
    // Each page of `pages` with its chapter of the guide ("input.html").
    using TChapters = std::vector<std::pair<const QWidget*, const char*>>;

    THelpCommands(QWidget& window, const QTabWidget& pages, TChapters chapters, QAction& helpGuide,
                  QAction& helpAbout, TUserDialogs& dialogs);

    void HelpGuideExecute();
    void HelpAboutExecute();
    // The guide's chapter of the page shown.
    QString HelpChapterOfPage() const;

private:
    QWidget& window_;
    const QTabWidget& pages_;
    TChapters chapters_;
    QPointer<THelpWindow> help_;
    QPointer<TAboutWindow> about_;
};
