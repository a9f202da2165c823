// The user guide embedded in the program: every chapter is titled by its
// heading, and every link, place and picture in it is there.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <map>

namespace {

struct TChapter {
    QString Title;
    QString Heading;
    QSet<QString> Places;
    QStringList Links;
    QStringList Pictures;
};

TChapter ReadChapter(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    TChapter chapter{document.metaInformation(QTextDocument::DocumentTitle), {}, {}, {}, {}};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (chapter.Heading.isEmpty() && block.blockFormat().headingLevel() == 1) {
            chapter.Heading = block.text().trimmed();
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& place : format.anchorNames()) {
                chapter.Places.insert(place);
            }
            if (!format.anchorHref().isEmpty()) {
                chapter.Links << format.anchorHref();
            }
            if (format.isImageFormat()) {
                chapter.Pictures << format.toImageFormat().name();
            }
        }
    }
    return chapter;
}

TEST(Guide, ChaptersAreTitledByTheirHeadingAndTheirLinksResolve) {
    std::map<QString, TChapter> guide;
    for (const QString& name : QDir(":/guide").entryList({"*.html"})) {
        guide[name] = ReadChapter(":/guide/" + name);
    }
    ASSERT_GT(guide.size(), 6u) << "the guide is not linked into the program";
    for (const auto& [name, chapter] : guide) {
        const std::string where = name.toStdString();
        EXPECT_FALSE(chapter.Title.isEmpty()) << where;
        EXPECT_EQ(chapter.Title.toStdString(), chapter.Heading.toStdString()) << where;
        // "statistics.html#leverage", "#leverage" in its own chapter, "input.html".
        for (const QString& link : chapter.Links) {
            const QUrl url(link);
            const auto target = guide.find(url.path().isEmpty() ? name : url.path());
            const bool found =
                target != guide.end() &&
                (!url.hasFragment() || target->second.Places.contains(url.fragment()));
            EXPECT_TRUE(found) << where << ": " << link.toStdString();
        }
        for (const QString& picture : chapter.Pictures) {
            const QString path = QUrl("qrc:/guide/").resolved(QUrl(picture)).path();
            EXPECT_TRUE(QFile::exists(':' + path)) << where << ": " << picture.toStdString();
        }
    }
}

} // namespace
