// "Αποστολή στο Arduino" with a stand-in IDE that honours the IDE's command line:
// the question, the sketch file, the command and the output as it comes, "Done!!!",
// the result in Greek, one run at a time, and a compile error pointing at its block.
#include "shell/ShellTestSupport.h"

#include "shell/ElidedLabel.h"

#include "blocks/TKeloEdit.h"
#include "program/ProgramView.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QFileInfo>
#include "shell/DevicesPage.h"

namespace {

class SendToBoard : public ShellTest {
protected:
    void SetUp() override
    {
        useStandInIde();
        // No serial port: the sketch is checked, not uploaded.
        window = makeWindow({});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        start = dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100));
        ASSERT_NE(start, nullptr);
    }
    QString outDir() const { return programDir.filePath(u"Out"_s); }
    QString code() const { return window->codeView()->toPlainText(); }
    // Presses the button, answers the question, and waits for the run to end.
    void send(UserPrompt::Answer answer)
    {
        prompt.answers = {answer};
        window->acgetcode()->trigger();
        if (answer == UserPrompt::Answer::Yes) {
            EXPECT_FALSE(window->acgetcode()->isEnabled()) << "one run at a time";
            EXPECT_TRUE(QTest::qWaitFor([&] { return window->acgetcode()->isEnabled(); }, 15000));
        }
    }

    std::unique_ptr<TfrmVimsel> window;
    TKeloBlock *start = nullptr;
};

TEST_F(SendToBoard, NoLeavesNothingBehind)
{
    send(UserPrompt::Answer::No);
    EXPECT_EQ(prompt.questions, QStringList{u"Να σταλεί στο Arduino;"_s});
    EXPECT_FALSE(QDir(outDir()).exists());
    EXPECT_TRUE(code().startsWith(u"#include \"Arduino.h\""_s));
}

TEST_F(SendToBoard, WithoutAPortTheSketchIsCheckedAndTheOutputShownInOrder)
{
    send(UserPrompt::Answer::Yes);
    QFile sketch(outDir() + u"/Output.ino"_s);
    ASSERT_TRUE(sketch.open(QIODevice::ReadOnly));
    const QByteArray bytes = sketch.readAll();
    EXPECT_TRUE(bytes.startsWith("#include \"Arduino.h\"\r\n"));
    EXPECT_TRUE(bytes.endsWith("}\r\n\r\n"));

    const QString text = code();
    const QStringList expectedInOrder{u"void loop() {"_s, u"--verify"_s, u"Compiling and uploading... Please Wait!!!"_s,
                                      u"Loading configuration..."_s, u"\nΜεταγλώττιση...\n"_s,
                                      u"Sketch uses 918 bytes"_s, u"\nDone!!!\n"_s};
    qsizetype at = 0;
    for (const QString &piece : expectedInOrder) {
        const qsizetype found = text.indexOf(piece, at);
        EXPECT_GE(found, at) << qPrintable(piece) << "\n" << qPrintable(text);
        if (found >= 0)
            at = found + piece.size();
    }
    ASSERT_FALSE(prompt.messages.isEmpty());
    EXPECT_TRUE(prompt.messages.last().startsWith(u"Το πρόγραμμα είναι σωστό αλλά δεν στάλθηκε: δεν έχει επιλεγεί πόρτα."_s))
        << qPrintable(prompt.messages.last());
    EXPECT_EQ(window->resultPanel()->text(), u"Το πρόγραμμα είναι σωστό αλλά δεν στάλθηκε: δεν έχει επιλεγεί πόρτα."_s);

    // The next run starts without the build folder the last one left.
    QDir().mkpath(outDir() + u"/build/core"_s);
    send(UserPrompt::Answer::Yes);
    EXPECT_FALSE(QDir(outDir() + u"/build"_s).exists());
    EXPECT_TRUE(QFile::exists(outDir() + u"/Output.ino"_s));
}

TEST_F(SendToBoard, ACompileErrorPointsAtTheBlockThatMadeTheLine)
{
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                                       QPoint(start->Left() + 5, start->Top() + 40));
    ASSERT_NE(wait, nullptr);
    ASSERT_EQ(start->firstBlock(), wait);
    ASSERT_NE(typeNumber(wait, u"4321"_s), nullptr);
    ASSERT_EQ(wait->GetParam1(), 4321);

    send(UserPrompt::Answer::Yes);
    ASSERT_FALSE(prompt.messages.isEmpty());
    const QString message = prompt.messages.last();
    EXPECT_TRUE(message.startsWith(u"Το πρόγραμμα έχει λάθος και δεν στάλθηκε στο Arduino."_s)) << qPrintable(message);
    EXPECT_TRUE(message.contains(u"«Περίμενε 4321 χιλιοστά δευτερολέπτου»"_s)) << qPrintable(message);
    EXPECT_TRUE(message.contains(u"«ekso»"_s)) << qPrintable(message);
    EXPECT_EQ(window->notebook()->currentIndex(), TfrmVimsel::ProgramPageIndex);
    auto *view = window->programPage()->findChild<ProgramView *>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->highlighted(), wait);
}

TEST_F(SendToBoard, ANanoThatDoesNotAnswerIsTriedAgainWithTheOldBootloader)
{
    window.reset();
    prompt.messages.clear();
    window = makeWindow({u"/dev/ttysilent0"_s});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100)), nullptr);
    QTest::mouseClick(window->devicesPage()->boardGroup()->button(1), Qt::LeftButton);
    ASSERT_EQ(window->project().devices().BoardTypeId(), 1);
    QTemporaryDir logDir;
    const QString log = logDir.filePath(u"ide.log"_s);
    qputenv("STAND_IN_IDE_LOG", log.toUtf8());

    prompt.answers = {UserPrompt::Answer::Yes, UserPrompt::Answer::Yes};
    window->acgetcode()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->acgetcode()->isEnabled(); }, 15000));
    qunsetenv("STAND_IN_IDE_LOG");

    ASSERT_EQ(prompt.questions.size(), 2) << qPrintable(prompt.messages.join(u"\n---\n"_s));
    EXPECT_TRUE(prompt.questions[1].contains(u"παλιό bootloader"_s)) << qPrintable(prompt.questions[1]);
    QFile calls(log);
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(calls.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(u"board=arduino:avr:uno port=/dev/ttysilent0 mode=upload"_s)) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].startsWith(u"board=arduino:avr:nano:cpu=atmega328old port=/dev/ttysilent0 mode=upload"_s))
        << qPrintable(lines[1]);
    ASSERT_EQ(prompt.messages.size(), 2);
    EXPECT_TRUE(prompt.messages[0].contains(u"δεν απαντά"_s)) << qPrintable(prompt.messages[0]);
    EXPECT_EQ(prompt.messages[1], u"Το πρόγραμμα στάλθηκε στο Arduino."_s);
}

// An upload that hangs (the board went away, avrdude waits on it): "Ακύρωση" in the
// tool bar ends it and what it started, and the pupil is told; a run left alone is
// ended when it stalls.
class HangingUpload : public SendToBoard {
protected:
    void startHanging(const QByteArray &options = {})
    {
        window.reset();
        QFile file(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n" + options);
        file.close();
        window = makeWindow({u"/dev/ttyhang0"_s});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100)), nullptr);
        qputenv("STAND_IN_IDE_LOG", log.toUtf8());
        prompt.messages.clear();
        prompt.answers = {UserPrompt::Answer::Yes};
        window->acgetcode()->trigger();
        qunsetenv("STAND_IN_IDE_LOG");
        ASSERT_TRUE(QTest::qWaitFor([&] { return uploaderPid() > 0; }, 15000));
    }
    qint64 uploaderPid() const
    {
        QFile calls(log);
        if (!calls.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : calls.readAll().split('\n'))
            if (line.startsWith("uploader="))
                return line.mid(9).toLongLong();
        return 0;
    }
    bool uploaderAlive() const { return QFileInfo::exists(u"/proc/%1"_s.arg(uploaderPid())); }

    QTemporaryDir logDir;
    QString log = logDir.filePath(u"ide.log"_s);
};

TEST_F(HangingUpload, CancelEndsTheIdeAndWhatItStarted)
{
    startHanging();
    auto *cancel = window->findChild<QToolButton *>(u"btCancel"_s);
    ASSERT_NE(cancel, nullptr);
    ASSERT_TRUE(cancel->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->acgetcode()->isEnabled(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cancel->isVisible(); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !uploaderAlive(); }, 3000));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(u"Η αποστολή ακυρώθηκε"_s)) << qPrintable(prompt.messages[0]);
    EXPECT_EQ(window->resultPanel()->text(), u"Η αποστολή ακυρώθηκε: το πρόγραμμα δεν στάλθηκε στο Arduino."_s);
}

TEST_F(HangingUpload, AStalledUploadIsEndedAndSaidInGreek)
{
    startHanging("UploadStallSeconds=2\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->acgetcode()->isEnabled(); }, 15000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !uploaderAlive(); }, 3000));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(u"Για 2 δευτερόλεπτα"_s)) << qPrintable(prompt.messages[0]);
}

TEST_F(HangingUpload, ClosingTheWindowAsksAndEndsTheRun)
{
    startHanging();
    prompt.answers = {UserPrompt::Answer::No};
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompt.questions.last().contains(u"δεν έχει τελειώσει"_s));
    EXPECT_TRUE(uploaderAlive());
    prompt.answers = {UserPrompt::Answer::Yes};
    window->close();
    window.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !uploaderAlive(); }, 3000));
}

} // namespace
