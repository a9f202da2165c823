#include "UHelpWindow.h"

#include "UGuide.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int ContentsWidth = 260;
constexpr int BrowserWidth = 690;
constexpr int WindowHeight = 640;

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setAutoDefault(false);
    return button;
}

// The chapter file a guide address names, without the place in it.
QString ChapterOf(const QUrl& source) {
    return source.fileName();
}

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromUtf8(HelpCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateButtons());
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter, 1);
    CreateContents();
    CreateBrowser();
    splitter->addWidget(Contents_List);
    splitter->addWidget(Guide_Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ContentsWidth, BrowserWidth});
    // Reading order: the buttons along the top, then the contents and the text.
    setTabOrder(Back_Button, Forward_Button);
    setTabOrder(Forward_Button, Home_Button);
    setTabOrder(Home_Button, Contents_List);
    setTabOrder(Contents_List, Guide_Browser);
    ConnectNavigation();
    resize(ContentsWidth + BrowserWidth + 40, WindowHeight);
    Guide_Browser->setFocus();
}

QWidget* THelpWindow::CreateButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    Back_Button = NewButton(bar, "Back_Button", "Back", "The chapter shown before (Alt+Left)");
    Forward_Button =
        NewButton(bar, "Forward_Button", "Forward", "The chapter shown after it (Alt+Right)");
    Home_Button = NewButton(bar, "Home_Button", "Contents", "The guide's contents");
    for (QPushButton* button : {Back_Button, Forward_Button, Home_Button}) {
        row->addWidget(button);
    }
    row->addStretch(1);
    return bar;
}

void THelpWindow::CreateContents() {
    Contents_List = new QListWidget(this);
    Contents_List->setObjectName(QStringLiteral("Contents_List"));
    Contents_List->setAccessibleName(QStringLiteral("Chapters of the guide"));
    Contents_List->setWordWrap(true);
    Contents_List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const TGuideChapter& chapter : GuideChapters()) {
        auto* item = new QListWidgetItem(chapter.Title, Contents_List);
        item->setData(Qt::UserRole, chapter.Chapter);
    }
}

void THelpWindow::CreateBrowser() {
    Guide_Browser = new QTextBrowser(this);
    Guide_Browser->setObjectName(QStringLiteral("Guide_Browser"));
    Guide_Browser->setAccessibleName(QStringLiteral("Guide text"));
    Guide_Browser->document()->setDefaultStyleSheet(GuideStyleSheet());
    // The guide is whole in the program; nothing leaves it for the network.
    Guide_Browser->setOpenExternalLinks(false);
    Guide_Browser->setOpenLinks(true);
}

void THelpWindow::ConnectNavigation() {
    connect(Back_Button, &QPushButton::clicked, Guide_Browser, &QTextBrowser::backward);
    connect(Forward_Button, &QPushButton::clicked, Guide_Browser, &QTextBrowser::forward);
    connect(Home_Button, &QPushButton::clicked, this, [this] {
        Guide_Browser->setSource(GuideUrl(QString::fromUtf8(GuideContentsChapter)));
    });
    connect(Guide_Browser, &QTextBrowser::backwardAvailable, Back_Button, &QWidget::setEnabled);
    connect(Guide_Browser, &QTextBrowser::forwardAvailable, Forward_Button, &QWidget::setEnabled);
    connect(Guide_Browser, &QTextBrowser::sourceChanged, this, &THelpWindow::ChapterShown);
    // Some styles activate an item on a single click, others on a double
    // click: both roads lead to the chapter, which is shown once.
    const auto open = [this](QListWidgetItem* item) {
        const QString chapter = item->data(Qt::UserRole).toString();
        if (ChapterOf(Guide_Browser->source()) != chapter) {
            Guide_Browser->setSource(GuideUrl(chapter));
        }
    };
    connect(Contents_List, &QListWidget::itemActivated, this, open);
    connect(Contents_List, &QListWidget::itemClicked, this, open);
    Back_Button->setEnabled(false);
    Forward_Button->setEnabled(false);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void THelpWindow::ShowChapter(const QString& chapter) {
    Guide_Browser->setSource(GuideUrl(chapter));
    show();
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

// The caption names the chapter, and the contents mark it.
void THelpWindow::ChapterShown(const QUrl& source) {
    const QString title = Guide_Browser->documentTitle();
    setWindowTitle(title.isEmpty()
                       ? QString::fromUtf8(HelpCaption)
                       : title + QStringLiteral(" - ") + QString::fromUtf8(HelpCaption));
    const QString chapter = ChapterOf(source);
    for (int row = 0; row < Contents_List->count(); ++row) {
        QListWidgetItem* item = Contents_List->item(row);
        if (item->data(Qt::UserRole).toString() == chapter) {
            Contents_List->setCurrentItem(item);
            return;
        }
    }
    Contents_List->clearSelection();
}
