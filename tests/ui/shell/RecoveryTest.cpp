// No lost work: unsaved changes are copied aside every few seconds (here one, set in
// "Options.ini"), and the next start offers the copy when the program ended without
// saving them — crashed, killed, or closed with "No".
#include "ShellTestSupport.h"

#include "project/RecoveryStore.h"

#include <QDir>

namespace {

class Recovery : public ShellTest {
protected:
    Recovery()
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        EXPECT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n[Autosave]\r\nSeconds=1\r\n");
    }
    QString copyFile() const { return programDir.filePath(u"recovery/recovery.vzl"_s); }
    std::unique_ptr<TfrmVimsel> started()
    {
        auto w = makeWindow();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        QCoreApplication::processEvents();
        return w;
    }
};

TEST_F(Recovery, WorkOfAProgramThatDiedIsOfferedAtTheNextStart)
{
    {
        auto w = started();
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(copyFile()); }, 5000));
        // The window goes without being closed, as when the program is killed.
    }
    prompt.answers = {UserPrompt::Answer::Yes};
    auto w = started();
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].startsWith(u"Βρέθηκε αντίγραφο ασφαλείας ενός έργου που δεν είχε αποθηκευτεί"_s))
        << qPrintable(prompt.questions[0]);
    ASSERT_NE(ws().findStartBlock(), nullptr);
    EXPECT_NE(widgetOf(ws().findStartBlock()), nullptr);
    EXPECT_TRUE(w->session().isModified());
    EXPECT_TRUE(w->session().fileName().isEmpty());

    // Saved: the copy has done its work.
    saveName = path(u"rescued.vzl"_s);
    w->acsave()->trigger();
    EXPECT_TRUE(QFile::exists(saveName));
    EXPECT_FALSE(QFile::exists(copyFile()));
}

// "Όχι" to saving gives the work up: the next pupil at that computer is not offered
// it. The same after "Νέο".
TEST_F(Recovery, ClosingWithNoKeepsNoCopyForTheNextPupil)
{
    {
        auto w = started();
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(copyFile()); }, 5000));
        prompt.answers = {UserPrompt::Answer::No};
        EXPECT_TRUE(w->close());
        EXPECT_FALSE(QFile::exists(copyFile()));
    }
    prompt.questions.clear();
    auto w = started();
    EXPECT_TRUE(prompt.questions.isEmpty()) << qPrintable(prompt.questions.join(u'\n'));
    EXPECT_FALSE(ws().CanvasHasBlocks());
}

TEST_F(Recovery, NoToSavingBeforeNewThrowsTheCopyAway)
{
    auto w = started();
    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(copyFile()); }, 5000));
    prompt.answers = {UserPrompt::Answer::No};
    w->acNew()->trigger();
    EXPECT_FALSE(ws().CanvasHasBlocks());
    EXPECT_FALSE(QFile::exists(copyFile()));
}

TEST_F(Recovery, ACopyOlderThanItsProjectFileIsNotOffered)
{
    saveName = path(u"mine.vzl"_s);
    {
        auto w = started();
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(200, 120)), nullptr);
        w->acsave()->trigger();
        ASSERT_NE(dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, QPoint(400, 300)), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(copyFile()); }, 5000));
    }
    // The project's file was written again after the copy (by another copy of the
    // program, say): the copy is out of date.
    QFile file(saveName);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    prompt.questions.clear();
    auto w = started();
    EXPECT_TRUE(prompt.questions.isEmpty()) << qPrintable(prompt.questions.join(u'\n'));
}

} // namespace
