// Live mode through the window: the options' check box shows "Αποστολή" and
// "Τερμάτισε", and "Αποστολή" sends the opened blink example over the chosen port to a
// pseudo-terminal that answers as the interpreter firmware does.
#include "shell/ShellTestSupport.h"

#include "shell/ElidedLabel.h"

#include "platform/linux/TestPty.h"
#include "serial/LiveWire.h"
#include "shell/DebugList.h"
#include "toolchain/FirmwarePanel.h"
#include "toolchain/TfrmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressDialog>
#include <QTabBar>
#include <QPushButton>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {

class LiveModeWindow : public ShellTest {
protected:
    QToolButton *button(const QString &name) { return win->findChild<QToolButton *>(name); }
    bool debugShows(const QString &line)
    {
        return !win->debugList()->findItems(line, Qt::MatchExactly).isEmpty();
    }
};

TEST_F(LiveModeWindow, TheOptionsCheckBoxShowsTheLiveButtons)
{
    useStandInIde();
    auto w = makeWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_NE(button(u"btConnect"_s), nullptr);
    EXPECT_FALSE(button(u"btConnect"_s)->isVisible());
    EXPECT_FALSE(button(u"btStop"_s)->isVisible());
    auto *burn = w->findChild<QPushButton *>(u"btBurn"_s);
    ASSERT_NE(burn, nullptr);
    EXPECT_TRUE(burn->parentWidget()->isHidden());

    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TfrmOptions *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "the options window is not shown";
            return;
        }
        EXPECT_EQ(dialog->liveModeBox()->text(), u"Ζωντανή λειτουργία (χωρίς μεταγλώττιση)"_s);
        EXPECT_FALSE(dialog->liveModeBox()->isChecked());
        QTest::mouseClick(dialog->liveModeBox(), Qt::LeftButton, {}, QPoint(5, dialog->liveModeBox()->height() / 2));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    w->acOptions()->trigger();
    // The tool bar lays its buttons out again from the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return button(u"btConnect"_s)->isVisible(); }, 2000));
    EXPECT_TRUE(button(u"btStop"_s)->isVisible());
    EXPECT_FALSE(burn->parentWidget()->isHidden());
    EXPECT_EQ(button(u"btConnect"_s)->text(), u"Αποστολή"_s);
    EXPECT_EQ(button(u"btStop"_s)->text(), u"Τερμάτισε"_s);
    QFile options(programDir.filePath(u"Options.ini"_s));
    ASSERT_TRUE(options.open(QIODevice::ReadOnly));
    EXPECT_TRUE(options.readAll().contains("[Live]\r\nEnabled=1\r\n"));
}

TEST_F(LiveModeWindow, SendsTheOpenedProgramToTheBoardAndStopsIt)
{
    TestPty board;
    ASSERT_TRUE(board.isValid());
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n[Live]\r\nEnabled=1\r\n");
    }
    auto w = makeWindow({board.name()});
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_EQ(w->selectedPort(), board.name());
    EXPECT_TRUE(QTest::qWaitFor([&] { return button(u"btConnect"_s)->isVisible(); }, 2000));
    openExample(u"blink"_s);

    QByteArray received;
    QTimer firmware;
    QObject::connect(&firmware, &QTimer::timeout, [&] {
        const QByteArray got = board.readNow();
        received += got;
        // The start byte comes first; the end marker is the first 0xFD after the data.
        for (char c : got)
            if (c == LiveWire::StartTransfer || c == LiveWire::EndOfProgram)
                board.write(QByteArray(1, LiveWire::Ready));
    });
    firmware.start(2);

    QTest::mouseClick(button(u"btConnect"_s), Qt::LeftButton);
    EXPECT_FALSE(w->acConnect()->isEnabled()) << "one transfer at a time";
    auto *progress = w->findChild<QProgressDialog *>(u"LiveProgress"_s);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->labelText(), u"Αποστολή προγράμματος…"_s);
    EXPECT_TRUE(progress->isModal()) << "the program must not change while it is sent";
    EXPECT_TRUE(QTest::qWaitFor([&] { return debugShows(u"PROGRAM TRANSFERED"_s); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->acConnect()->isEnabled(); }, 2000));
    EXPECT_TRUE(prompt.messages.isEmpty()) << qPrintable(prompt.messages.join(u'\n'));
    ASSERT_GE(received.size(), 2);
    EXPECT_EQ(received.at(0), LiveWire::StartTransfer);
    // The count byte: blocks of the chain and devices.
    EXPECT_EQ(quint8(received.at(1)), quint8(w->project().workspace().findStartBlock()->getKeloBlockListSize()
                                             + w->project().devices().count()));

    // The board's own lines show in the debug list between transfers.
    board.write("Program started\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return debugShows(u"Program started"_s); }, 2000));

    // The firmware's own words reach the pupil in Greek.
    board.write("Program start\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->resultPanel()->text() == u"Το πρόγραμμα τρέχει στο Arduino."_s; },
                                2000));

    received.clear();
    QTest::mouseClick(button(u"btStop"_s), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.contains(LiveWire::StopProgram); }, 2000));
    firmware.stop();

    // "Αποστολή στο Arduino" through the same port: live mode lets the port go first.
    prompt.answers = {UserPrompt::Answer::Yes};
    w->acgetcode()->trigger();
    EXPECT_TRUE(debugShows(u"Port released: "_s + board.name()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->acgetcode()->isEnabled(); }, 15000));
    EXPECT_EQ(prompt.messages, QStringList{u"Το πρόγραμμα στάλθηκε στο Arduino."_s});
}

TEST_F(LiveModeWindow, FirmwareButtonOnTheBoardPageNamesAMissingFirmwareFile)
{
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n[Live]\r\nEnabled=1\r\n");
    }
    auto w = makeWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTabBar *tabs = w->notebook()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TfrmVimsel::DevicesPageIndex).center());
    auto *burn = w->findChild<QPushButton *>(u"btBurn"_s);
    ASSERT_NE(burn, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return burn->isVisible(); }, 2000));
    EXPECT_EQ(burn->text(), u"Φόρτωση Λογισμικού στο Arduino"_s);
    const QSize windowSize = w->size();
    QTest::mouseClick(burn, Qt::LeftButton);
    ASSERT_EQ(prompt.messages.size(), 1);
    // The output area below the button fits into the page; the window keeps its size.
    auto *output = w->findChild<QWidget *>(u"Memo1"_s);
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return output->isVisible(); }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(w->size(), windowSize);
    EXPECT_TRUE(prompt.messages.front().startsWith(u"Το αρχείο δεν υπάρχει!!! \r\n/"_s));
    EXPECT_TRUE(prompt.messages.front().endsWith(u"/Morvane.ino.Uno.hex\r\nΗ διαδικασία ακυρώθηκε."_s));
}

} // namespace
