#include "UGuide.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

QString ReadGuideFile(const QString& name) {
    QFile file(QStringLiteral(":/guide/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

void AddLinksOfBlock(const QTextBlock& block, std::vector<TGuideChapter>& chapters) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        const QString href = format.anchorHref();
        if (!format.isAnchor() || href.isEmpty()) {
            continue;
        }
        const bool known =
            std::any_of(chapters.begin(), chapters.end(),
                        [&](const TGuideChapter& seen) { return seen.Chapter == href; });
        if (!known) {
            chapters.push_back({href, fragment.fragment().text().trimmed()});
        }
    }
}

} // namespace

QString GuideStyleSheet() {
    return ReadGuideFile(QStringLiteral("guide.css"));
}

QUrl GuideUrl(const QString& chapter) {
    return QUrl(QStringLiteral("qrc:/guide/") + chapter);
}

std::vector<TGuideChapter> GuideChapters() {
    QTextDocument contents;
    contents.setHtml(ReadGuideFile(QString::fromUtf8(GuideContentsChapter)));
    std::vector<TGuideChapter> chapters;
    for (QTextBlock block = contents.begin(); block.isValid(); block = block.next()) {
        AddLinksOfBlock(block, chapters);
    }
    return chapters;
}
