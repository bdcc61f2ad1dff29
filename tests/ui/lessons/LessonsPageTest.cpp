// The lessons page as a pupil uses it: the "Μαθήματα" tab, clicks in the tree, the
// document the browser shows and the path line under it.
#include "lessons/LessonsPage.h"
#include "shell/ShellTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const QString kDevices = u"Συσκευές Σύνδεση"_s;
const QString kBasics = u"Βασικά"_s;
const QString kProjects = u"Project Απλά"_s;

// A web archive with one page saying text, its lines ending in CRLF.
QByteArray mhtSaying(const QString &text)
{
    return (u"MIME-Version: 1.0\r\n"
            u"Content-Type: multipart/related; type=\"text/html\"; boundary=\"part\"\r\n\r\n"
            u"--part\r\nContent-Type: text/html; charset=\"utf-8\"\r\nContent-Transfer-Encoding: binary\r\n"
            u"Content-Location: page.htm\r\n\r\n<html><body><p>"_s
            + text + u"</p></body></html>\r\n--part--\r\n"_s)
        .toUtf8();
}

class LessonsPageTest : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->show();
        QCoreApplication::processEvents();
    }
    LessonsPage *page() const { return static_cast<LessonsPage *>(win->lessonsPage()); }
    QTreeWidget *tree() const { return page()->tree(); }
    // The browser the page got from its module.
    QWebEngineView *view() const { return qobject_cast<QWebEngineView *>(page()->browser()); }

    void clickTab(int index)
    {
        QTabBar *bar = win->notebook()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCoreApplication::processEvents();
    }
    QTreeWidgetItem *node(const QString &category, const QString &lesson = {}) const
    {
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *c = tree()->topLevelItem(i);
            if (c->text(0) != category)
                continue;
            if (lesson.isEmpty())
                return c;
            for (int k = 0; k < c->childCount(); ++k)
                if (c->child(k)->text(0) == lesson)
                    return c->child(k);
        }
        return nullptr;
    }
    void clickNode(QTreeWidgetItem *item)
    {
        ASSERT_NE(item, nullptr);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    // Clicks a lesson and waits for the browser to have loaded what it shows.
    bool openLesson(const QString &category, const QString &lesson)
    {
        QSignalSpy loaded(view(), &QWebEngineView::loadFinished);
        clickNode(node(category, lesson));
        return loaded.wait(15000) && loaded.last().at(0).toBool();
    }
    QString shownText() const
    {
        QString text;
        bool done = false;
        view()->page()->toPlainText([&](const QString &t) {
            text = t;
            done = true;
        });
        QElapsedTimer t;
        t.start();
        while (!done && t.elapsed() < 5000)
            QTest::qWait(5);
        return text;
    }
    // A lessons folder of the test's own, with the real fallback document.
    QString fixtureLessons(const QList<QPair<QString, QByteArray>> &files)
    {
        const QString root = filesDir.filePath(u"Lessons"_s);
        EXPECT_TRUE(QDir().mkpath(root));
        EXPECT_TRUE(QFile::copy(QStringLiteral(RESOURCES_DIR "/Lessons/Error.mht"), root + u"/Error.mht"_s));
        for (const auto &[name, bytes] : files) {
            QDir().mkpath(QFileInfo(root + u'/' + name).absolutePath());
            QFile f(root + u'/' + name);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        page()->setLessonsFolder(root);
        return root;
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(LessonsPageTest, StartUpLeavesTheBrowserForTheFirstVisitWhichOpensTheWholeTree)
{
    // Nothing of the page, let alone its browser, is built before the first visit.
    EXPECT_EQ(win->findChild<LessonsPage *>(), nullptr);
    EXPECT_EQ(win->findChild<QWebEngineView *>(), nullptr);

    clickTab(TfrmVimsel::LessonsPageIndex);
    ASSERT_EQ(win->notebook()->currentIndex(), TfrmVimsel::LessonsPageIndex);
    EXPECT_NE(view(), nullptr);
    const QList<QPair<QString, QStringList>> expected{
        {kDevices,
         {u"Led Λαμπάκι"_s, u"Laser"_s, u"Διακόπτης Πλήκτρο"_s, u"Αισθητήρας Φωτός"_s, u"Αισθητήρας Υγρασίας Εδάφους"_s,
          u"LCD Οθόνη"_s, u"Αισθητήρας Θερμοκρασίας - Υγρασίας"_s, u"UltraSonic Απόσταση"_s}},
        {kBasics, {u"Άσκηση 1"_s, u"Άσκηση 2"_s, u"Άσκηση 3"_s, u"Άσκηση 4"_s, u"Άσκηση 5"_s}},
        {kProjects, {u"Project 1"_s, u"Project 2"_s, u"Project 3"_s, u"Project 4"_s, u"Project 5"_s}},
    };
    ASSERT_EQ(tree()->topLevelItemCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QTreeWidgetItem *category = tree()->topLevelItem(i);
        EXPECT_EQ(category->text(0), expected[i].first);
        EXPECT_TRUE(category->isExpanded()) << qPrintable(category->text(0));
        QStringList lessons;
        for (int k = 0; k < category->childCount(); ++k)
            lessons << category->child(k)->text(0);
        EXPECT_EQ(lessons, expected[i].second);
    }

    // Collapsed by the pupil, opened again by the next visit.
    clickTab(TfrmVimsel::ProgramPageIndex);
    tree()->collapseAll();
    clickTab(TfrmVimsel::LessonsPageIndex);
    EXPECT_TRUE(node(kProjects)->isExpanded());
}

TEST_F(LessonsPageTest, TreeLooksAsDesignedAndCannotBeEdited)
{
    clickTab(TfrmVimsel::LessonsPageIndex);
    EXPECT_EQ(tree()->width(), 225);
    EXPECT_EQ(tree()->indentation(), 19);
    const QFont f = tree()->font();
    EXPECT_EQ(f.family(), u"Tahoma"_s);
    EXPECT_EQ(f.pixelSize(), 16);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_EQ(tree()->palette().color(QPalette::Text), QColor(u"#592651"_s));
    EXPECT_EQ(tree()->palette().color(QPalette::Base), QColor(u"#7DB5AC"_s));
    EXPECT_EQ(page()->pathLine()->font().pixelSize(), 16);
    EXPECT_TRUE(page()->pathLine()->font().bold());

    clickNode(node(kBasics, u"Άσκηση 1"_s));
    QTest::keyClick(tree(), Qt::Key_F2);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(node(kBasics, u"Άσκηση 1"_s)).center());
    QCoreApplication::processEvents();
    for (const QLineEdit *editor : tree()->findChildren<QLineEdit *>())
        EXPECT_FALSE(editor->isVisible()) << "a title is being edited";
    EXPECT_EQ(node(kBasics, u"Άσκηση 1"_s)->text(0), u"Άσκηση 1"_s);
}

TEST_F(LessonsPageTest, EveryLessonLoadsAndShowsItsTitle)
{
    clickTab(TfrmVimsel::LessonsPageIndex);
    for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = tree()->topLevelItem(i);
        for (int k = 0; k < category->childCount(); ++k) {
            const QString lesson = category->child(k)->text(0);
            ASSERT_TRUE(openLesson(category->text(0), lesson)) << qPrintable(lesson);
            EXPECT_EQ(view()->title(), lesson);
            EXPECT_TRUE(shownText().startsWith(lesson)) << qPrintable(lesson);
            EXPECT_TRUE(page()->pathLine()->text().endsWith(
                QDir::toNativeSeparators(u"Lessons/"_s + category->text(0) + u'/' + lesson + u".htm"_s)))
                << qPrintable(page()->pathLine()->text());
        }
    }
}

struct SearchCase {
    const char *name;
    QList<QPair<QString, QByteArray>> files;  // under the test's lessons folder
    QString category, lesson;
    QString shown;        // text the page must show
};

void PrintTo(const SearchCase &c, std::ostream *os)
{
    *os << c.name;
}

class LessonSearch : public LessonsPageTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(LessonSearch, ShowsTheFirstDocumentFoundAndNamesTheHtmFile)
{
    const SearchCase &c = GetParam();
    clickTab(TfrmVimsel::LessonsPageIndex);
    const QString root = fixtureLessons(c.files);
    ASSERT_TRUE(openLesson(c.category, c.lesson));
    EXPECT_TRUE(shownText().contains(c.shown)) << qPrintable(shownText());
    EXPECT_EQ(page()->pathLine()->text(), QDir::toNativeSeparators(root + u'/' + c.category + u'/' + c.lesson + u".htm"_s));
    // A lesson's category folder is there afterwards, for a teacher to fill.
    EXPECT_TRUE(QFileInfo(root + u'/' + c.category).isDir());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, LessonSearch,
    ::testing::Values(
        SearchCase{"HtmBeforeMht",
                   {{u"Βασικά/Άσκηση 1.htm"_s, "<html><body><p>From the htm file</p></body></html>"},
                    {u"Βασικά/Άσκηση 1.mht"_s, mhtSaying(u"From the mht file"_s)}},
                   kBasics, u"Άσκηση 1"_s, u"From the htm file"_s},
        SearchCase{"OnlyMhtml", {{u"Project Απλά/Project 2.mhtml"_s, mhtSaying(u"From the mhtml file"_s)}}, kProjects,
                   u"Project 2"_s, u"From the mhtml file"_s},
        SearchCase{"MissingLessonShowsTheFallback", {{u"Βασικά/Άσκηση 2.htm"_s, "<p>Another lesson</p>"}}, kBasics,
                   u"Άσκηση 3"_s, u"Το μάθημα δεν βρέθηκε"_s},
        SearchCase{"MissingCategoryFolderIsCreated", {}, kDevices, u"Laser"_s, u"Το μάθημα δεν βρέθηκε"_s}),
    [](const ::testing::TestParamInfo<SearchCase> &info) { return std::string(info.param.name); });

TEST_F(LessonsPageTest, CategoryNodeChangesNothing)
{
    clickTab(TfrmVimsel::LessonsPageIndex);
    QSignalSpy started(view(), &QWebEngineView::loadStarted);
    clickNode(node(kProjects));
    QTest::qWait(200);
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(page()->pathLine()->text().isEmpty());

    ASSERT_TRUE(openLesson(kProjects, u"Project 3"_s));
    const QString path = page()->pathLine()->text();
    const QUrl url = view()->url();
    clickNode(node(kBasics));
    QTest::qWait(200);
    EXPECT_EQ(page()->pathLine()->text(), path);
    EXPECT_EQ(view()->url(), url);
}

} // namespace
