#include "lessons/LessonsPage.h"

#include "lessons/LessonBrowserModule.h"
#include "lessons/LessonTree.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QFont tahoma(int pixelSize, bool bold, bool italic = false)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

LessonsPage::LessonsPage(const QString &lessonsFolder, QWidget *parent)
    : QWidget(parent), fLocator(lessonsFolder)
{
    setObjectName(u"LessonsPage"_s);

    fTree = new QTreeWidget(this);
    fTree->setObjectName(u"TreeView1"_s);
    fTree->setHeaderHidden(true);
    fTree->setColumnCount(1);
    fTree->setFixedWidth(225);
    fTree->setIndentation(19);
    fTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fTree->setFont(tahoma(16, true, true));
    QPalette colours = fTree->palette();
    colours.setColor(QPalette::Text, QColor(0x59, 0x26, 0x51));
    colours.setColor(QPalette::Base, QColor(0x7D, 0xB5, 0xAC));
    fTree->setPalette(colours);
    // Long titles scroll sideways rather than being cut short.
    fTree->header()->setStretchLastSection(false);
    fTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fillTree();
    connect(fTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { LessonSelected(current); });

    fBrowserPanel = new QWidget(this);
    fBrowserPanel->setObjectName(u"BrowserPanel"_s);
    fBrowserPanel->setAutoFillBackground(true);
    QPalette white = fBrowserPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    fBrowserPanel->setPalette(white);
    auto *panelLayout = new QVBoxLayout(fBrowserPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    fPathLine = new QLabel(this);
    fPathLine->setObjectName(u"LessonPath"_s);
    fPathLine->setFont(tahoma(16, true));
    fPathLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(fTree);
    top->addWidget(fBrowserPanel, 1);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addLayout(top, 1);
    page->addWidget(fPathLine);
}

LessonsPage::~LessonsPage() = default;

void LessonsPage::fillTree()
{
    for (const LessonCategory &category : LessonTree::categories()) {
        auto *node = new QTreeWidgetItem(fTree, {category.title});
        for (const QString &lesson : category.lessons)
            new QTreeWidgetItem(node, {lesson});
    }
}

void LessonsPage::setLessonsFolder(const QString &folder)
{
    fLocator = LessonLocator(folder);
}

void LessonsPage::expandAll()
{
    fTree->expandAll();
}

void LessonsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ensureBrowser();
}

QWidget *LessonsPage::ensureBrowser()
{
    if (fBrowser || fNoBrowser)
        return fBrowser;
    QString error;
    fBrowser = LessonBrowserModule::createBrowser(fBrowserPanel, &error);
    if (fBrowser) {
        fBrowser->setObjectName(u"WebBrowser1"_s);
        fBrowserPanel->layout()->addWidget(fBrowser);
    } else {
        // An installation without its browser still says what is wrong.
        fNoBrowser = new QLabel(u"Τα μαθήματα δεν μπορούν να εμφανιστούν: λείπει ο περιηγητής του προγράμματος."
                                u"\n\n"_s + error, fBrowserPanel);
        fNoBrowser->setObjectName(u"NoBrowser"_s);
        fNoBrowser->setWordWrap(true);
        fNoBrowser->setAlignment(Qt::AlignCenter);
        fBrowserPanel->layout()->addWidget(fNoBrowser);
    }
    return fBrowser;
}

void LessonsPage::LessonSelected(QTreeWidgetItem *node)
{
    if (!node || !node->parent())
        return;
    ShowLesson(fLocator.lessonPath(node->parent()->text(0), node->text(0)));
}

void LessonsPage::ShowLesson(const QString &pathWithoutExtension)
{
    const LessonLocator::Document doc = fLocator.locate(pathWithoutExtension);
    fPathLine->setText(QDir::toNativeSeparators(doc.pathLine));
    if (QWidget *browser = ensureBrowser())
        browser->setProperty("url", QUrl::fromLocalFile(doc.file));
}
