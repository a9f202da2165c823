// The user guide: HTML chapters embedded in the program under ":/guide/",
// one file a chapter, listed in order by the links of its contents page.
#pragma once

#include <QString>
#include <QUrl>

#include <vector>

// The contents page, where the guide begins.
inline const char* const GuideContentsChapter = "index.html";

// The address of a chapter ("input.html") or of a place in one
// ("statistics.html#cooks-distance").
QUrl GuideUrl(const QString& chapter);

// The guide's style sheet, given to the browser as its default: the help
// window's browser does not follow the chapters' own link to it.
QString GuideStyleSheet();

struct TGuideChapter {
    QString Chapter;
    QString Title;
};

// The chapters the contents page links to, in its order, each once, with
// the link's text as title.
std::vector<TGuideChapter> GuideChapters();
