// What a teacher reaches from the menus and the command line: "Αρχείο" →
// "Παραδείγματα" opens a copy of any example, which "Αποθήκευση" asks a place for; F1
// shows the teacher's guide in the lessons' browser; a project named on the command
// line opens once the window shows, after the recovery copy's offer.
#include "ShellTestSupport.h"

#include "lessons/LessonsPage.h"
#include "lessons/LessonTree.h"
#include "project/ExampleCatalogue.h"
#include "project/SketchCommand.h"
#include "shell/ExamplesMenu.h"
#include "shell/ProjectSession.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

namespace {

using Answer = UserPrompt::Answer;

class ExamplesAndGuide : public ShellTest {
protected:
    QMenu *fileMenu() const { return win->menuBar()->actions().value(0)->menu(); }
    QMenu *examplesMenu() const
    {
        for (QAction *a : fileMenu()->actions())
            if (a->menu() && a->text() == u"Παραδείγματα"_s)
                return a->menu();
        return nullptr;
    }
    // The action a teacher clicks: a title in the menu, or in a submenu of the group.
    QAction *exampleAction(const QString &group, const QString &title) const
    {
        QMenu *menu = examplesMenu();
        if (menu && !group.isEmpty()) {
            QMenu *sub = nullptr;
            for (QAction *a : menu->actions())
                if (a->menu() && a->text() == group)
                    sub = a->menu();
            menu = sub;
        }
        if (menu)
            for (QAction *a : menu->actions())
                if (a->text() == title)
                    return a;
        return nullptr;
    }
    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ExamplesAndGuide, TheExamplesMenuOffersEveryExampleByItsGreekTitle)
{
    auto w = makeWindow();
    QMenu *menu = examplesMenu();
    ASSERT_NE(menu, nullptr);
    QStringList shown;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator()) {
            shown << u"-"_s;
        } else if (a->menu()) {
            shown << a->text() + u" ▸"_s;
            for (QAction *entry : a->menu()->actions()) {
                shown << u"  "_s + entry->text();
                EXPECT_TRUE(entry->isEnabled()) << qPrintable(entry->text());
            }
        } else {
            shown << a->text();
            EXPECT_TRUE(a->isEnabled()) << qPrintable(a->text());
        }
    }
    QStringList expected;
    for (const ExampleGroup &group : ExampleCatalogue::groups()) {
        if (!group.title.isEmpty()) {
            if (!expected.contains(u"-"_s))
                expected << u"-"_s;
            expected << group.title + u" ▸"_s;
        }
        for (const ExampleEntry &entry : group.entries)
            expected << (group.title.isEmpty() ? QString() : u"  "_s) + entry.title;
    }
    EXPECT_EQ(shown, expected);
    // The lessons' groups as the lessons page names them.
    EXPECT_TRUE(shown.contains(LessonTree::categories().constFirst().title + u" ▸"_s));
    EXPECT_TRUE(shown.contains(u"  Άσκηση 3: SOS σε κώδικα Morse"_s));
}

TEST_F(ExamplesAndGuide, AnExampleOpensAsACopyThatSaveAsksAPlaceFor)
{
    auto w = makeWindow();
    QAction *project3 = exampleAction(u"Project Απλά"_s, u"Project 3: Νυχτερινό φωτάκι"_s);
    ASSERT_NE(project3, nullptr);
    const QString example = QStringLiteral(EXAMPLES_DIR "/lessons/project-3/project-3.vzl");
    const QByteArray exampleBytes = bytesOf(example);

    project3->trigger();
    EXPECT_TRUE(ws().CanvasHasBlocks());
    EXPECT_EQ(w->project().devices().count(), 3);
    EXPECT_EQ(w->notebook()->currentIndex(), int(TfrmVimsel::ProgramPageIndex));
    EXPECT_TRUE(w->session().fileName().isEmpty());
    EXPECT_TRUE(w->filePanel()->text().isEmpty());
    EXPECT_TRUE(prompt.questions.isEmpty()) << qPrintable(prompt.questions.join(u'\n'));

    // "Αποθήκευση" asks where the pupil's version goes, and the example stays as it was.
    saveName = path(u"νυχτερινό φως.vzl"_s);
    w->acsave()->trigger();
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(w->session().fileName(), saveName);
    QByteArray sketch, errors;
    EXPECT_EQ(SketchCommand::run({saveName}, sketch, errors), 0) << errors.constData();
    EXPECT_EQ(sketch, bytesOf(QStringLiteral(EXAMPLES_DIR "/lessons/project-3/project-3.ino")));
    EXPECT_EQ(bytesOf(example), exampleBytes);

    // With changes on the canvas, another example asks about them first; "Άκυρο" keeps them.
    w->project().variables().Newvar(u"Φως"_s);
    prompt.answers = {Answer::Cancel};
    exampleAction(QString(), u"Αναβοσβήνει το LED του pin 13"_s)->trigger();
    EXPECT_EQ(prompt.questions, QStringList{ProjectSession::unsavedChangesText()});
    EXPECT_EQ(w->session().fileName(), saveName);
    EXPECT_EQ(w->project().devices().count(), 3);
}

TEST_F(ExamplesAndGuide, F1ShowsTheTeachersGuideInTheLessonsBrowser)
{
    auto w = makeWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto *lessons = static_cast<LessonsPage *>(w->lessonsPage());
    // A lesson chosen before.
    w->notebook()->setCurrentIndex(TfrmVimsel::LessonsPageIndex);
    lessons->tree()->setCurrentItem(lessons->tree()->topLevelItem(1)->child(0));
    w->notebook()->setCurrentIndex(TfrmVimsel::ProgramPageIndex);

    QTest::keyClick(w.get(), Qt::Key_F1);
    EXPECT_EQ(w->notebook()->currentIndex(), int(TfrmVimsel::LessonsPageIndex));
    EXPECT_EQ(QDir::fromNativeSeparators(lessons->pathLine()->text()),
              lessons->lessonsFolder() + u"/Βοήθεια/Οδηγός εκπαιδευτικού.htm"_s);
    ASSERT_NE(lessons->browser(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return lessons->browser()->property("url").toUrl().toLocalFile().endsWith(u"Οδηγός εκπαιδευτικού.htm"_s); },
        5000));
    // The lesson chosen before is shown again with a click on it.
    EXPECT_EQ(lessons->tree()->currentItem(), nullptr);
}

// A double-clicked project while work of the last session waits aside: the copy is
// offered first; taken back, it is unsaved work, so the project then asks about it.
TEST_F(ExamplesAndGuide, AFileNamedOnTheCommandLineOpensAfterTheRecoveryOffer)
{
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n[Autosave]\r\nSeconds=1\r\n");
    }
    {
        auto w = makeWindow();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(programDir.filePath(u"recovery/recovery.vzl"_s)); }, 5000));
        // Gone without being closed, as when the computer was switched off.
    }
    const QString start = writeProgram(u"φανάρι.vzl"_s, [](ProgramBuilder &pb) {
        pb.below(pb.place(u"Έναρξη προγράμματος"_s), pb.place(u"Επανάλαβε συνεχώς"_s));
    });
    prompt.answers = {Answer::Yes, Answer::No};
    auto w = makeWindow();
    w->openAtStart(start);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->session().fileName() == start; }, 5000));
    ASSERT_EQ(prompt.questions.size(), 2);
    EXPECT_TRUE(prompt.questions[0].startsWith(u"Βρέθηκε αντίγραφο ασφαλείας"_s)) << qPrintable(prompt.questions[0]);
    EXPECT_EQ(prompt.questions[1], ProjectSession::unsavedChangesText());
    EXPECT_EQ(w->filePanel()->text(), start);
    ASSERT_NE(ws().findStartBlock(), nullptr);
    EXPECT_NE(ws().findStartBlock()->GetLinkTo(), nullptr);
    EXPECT_EQ(openDialogs, 0);
}

} // namespace
