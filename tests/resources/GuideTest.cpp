// The user guide embedded in the program: every chapter has a title that is
// its heading, and every link, place and picture in it is there.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

const QString GuideFolder = QStringLiteral(":/guide/");

struct TChapter {
    QString Title;
    QString FirstHeading;
    QSet<QString> Places;
    std::vector<QString> Links;
    std::vector<QString> Pictures;
};

void ReadFragments(const QTextBlock& block, TChapter& chapter) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        for (const QString& name : format.anchorNames()) {
            chapter.Places.insert(name);
        }
        if (!format.anchorHref().isEmpty()) {
            chapter.Links.push_back(format.anchorHref());
        }
        if (format.isImageFormat()) {
            chapter.Pictures.push_back(format.toImageFormat().name());
        }
    }
}

TChapter ReadChapter(const QString& name) {
    QFile file(GuideFolder + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    TChapter chapter;
    chapter.Title = document.metaInformation(QTextDocument::DocumentTitle);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (chapter.FirstHeading.isEmpty() && block.blockFormat().headingLevel() == 1) {
            chapter.FirstHeading = block.text().trimmed();
        }
        ReadFragments(block, chapter);
    }
    return chapter;
}

std::map<QString, TChapter> ReadGuide() {
    std::map<QString, TChapter> guide;
    for (const QString& name : QDir(GuideFolder).entryList({QStringLiteral("*.html")})) {
        guide[name] = ReadChapter(name);
    }
    return guide;
}

TEST(Guide, EachChapterIsTitledByItsHeading) {
    const std::map<QString, TChapter> guide = ReadGuide();
    ASSERT_GT(guide.size(), 6u) << "the guide is not linked into the program";
    for (const auto& [name, chapter] : guide) {
        EXPECT_FALSE(chapter.Title.isEmpty()) << name.toStdString();
        EXPECT_EQ(chapter.Title.toStdString(), chapter.FirstHeading.toStdString())
            << name.toStdString();
    }
}

// A link names a chapter, a place in one ("statistics.html#leverage") or a
// place in its own chapter ("#leverage"); pictures lie beside the guide.
TEST(Guide, LinksPlacesAndPicturesResolve) {
    const std::map<QString, TChapter> guide = ReadGuide();
    for (const auto& [name, chapter] : guide) {
        for (const QString& link : chapter.Links) {
            const QUrl url(link);
            ASSERT_TRUE(url.isRelative()) << name.toStdString() << ": " << link.toStdString();
            const QString target = url.path().isEmpty() ? name : url.path();
            const auto found = guide.find(target);
            ASSERT_NE(found, guide.end()) << name.toStdString() << ": " << link.toStdString();
            EXPECT_TRUE(!url.hasFragment() || found->second.Places.contains(url.fragment()))
                << name.toStdString() << ": " << link.toStdString();
        }
        for (const QString& picture : chapter.Pictures) {
            const QUrl at = QUrl(QStringLiteral("qrc:/guide/")).resolved(QUrl(picture));
            EXPECT_TRUE(QFile::exists(QLatin1Char(':') + at.path()))
                << name.toStdString() << ": " << picture.toStdString();
        }
    }
}

} // namespace
