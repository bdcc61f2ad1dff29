// The port selector in the status bar, driven as a pupil does: the list after start-up,
// a port chosen in it, boards plugged in and out, a double-click that lists again.
#include "ShellTestSupport.h"

#include "serial/PortSelectorTexts.h"
#include "serial/SerialPorts.h"
#include "shell/DebugList.h"
#include "shell/PortBalloon.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QSysInfo>

namespace {

class PortSelector : public ShellTest {
protected:
    void start(const QStringList &serialPorts)
    {
        w = makeWindow(serialPorts);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        combo = w->portSelector();
        ASSERT_NE(combo, nullptr);
    }
    QStringList items() const
    {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
    static QString storedText(const QString &key)
    {
        QSettings s(u"Ombrinex"_s, u"Vimsel"_s);
        return s.value(u"MainForm/"_s + key).toString();
    }
    // Opens the list with a click and clicks the entry.
    void choose(int index)
    {
        QTest::mouseClick(combo, Qt::LeftButton);
        QAbstractItemView *view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        // The open list ignores a release that follows its opening too closely.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    QString balloonText() const { return w->portBalloon()->isVisible() ? w->portBalloon()->text() : QString(); }

    std::unique_ptr<TfrmVimsel> w;
    QComboBox *combo = nullptr;
};

TEST_F(PortSelector, ListsPortsStoresTheChoiceAndFollowsBoards)
{
    start({u"/dev/ttyUSB0"_s, u"/dev/ttyACM0"_s});
    EXPECT_EQ(items(), (QStringList{u"/dev/ttyACM0"_s, u"/dev/ttyUSB0"_s}));
    EXPECT_EQ(combo->currentText(), u"/dev/ttyACM0"_s);
    EXPECT_EQ(w->selectedPort(), u"/dev/ttyACM0"_s);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(w->portPanel()->isAncestorOf(combo));
    EXPECT_EQ(w->portPanel()->text(), u"Port: "_s);
    EXPECT_TRUE(w->portPanel()->rect().contains(combo->geometry()));
    EXPECT_GE(combo->width(), combo->fontMetrics().horizontalAdvance(u"/dev/ttyUSB0"_s));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(w->statusBar()->toolTip(), u"Επιλέξτε πόρτα επικοινωνίας με το Arduino.\nΔιπλό κλικ για ανανέωση"_s);

    // Start-up names the computer and points at the selector.
    const DebugList *debug = w->debugList();
    ASSERT_GE(debug->count(), 1);
    EXPECT_EQ(debug->item(0)->text(), QSysInfo::machineHostName());
    EXPECT_EQ(w->portBalloon()->title(), u"ΠΡΟΣΟΧΗ!!!"_s);
    EXPECT_EQ(balloonText(),
              u"Επιλέξτε πόρτα επικοινωνίας με το Arduino.\r\nΔιπλό κλικ για ανανέωση\r\n-----------------"_s);

    choose(1);
    EXPECT_EQ(w->selectedPort(), u"/dev/ttyUSB0"_s);
    EXPECT_EQ(stored(u"BtIndex"_s), 1);
    EXPECT_EQ(storedText(u"BtPort"_s), u"/dev/ttyUSB0"_s);

    // A CH340 board arrives with a port that sorts before the chosen one: the list is
    // refreshed and the choice stays on its port.
    ports.source->ports << u"/dev/ttyACM1"_s;
    ports.hotPlug->deliver({true, u"USB Serial"_s, 0x1a86, 0x7523});
    EXPECT_EQ(items(), (QStringList{u"/dev/ttyACM0"_s, u"/dev/ttyACM1"_s, u"/dev/ttyUSB0"_s}));
    EXPECT_EQ(combo->currentText(), u"/dev/ttyUSB0"_s);
    EXPECT_EQ(w->selectedPort(), u"/dev/ttyUSB0"_s);
    EXPECT_EQ(balloonText(), u"Συνδέθηκε συσκευή Arduino\r\n-----------------"_s);
    EXPECT_EQ(w->statusBar()->toolTip(), u"Συνδέθηκε συσκευή Arduino"_s);

    // Another device, in or out, changes nothing.
    ports.source->ports << u"/dev/ttyS4"_s;
    ports.hotPlug->deliver({true, u"USB Optical Mouse"_s, 0x046d, 0xc077});
    ports.hotPlug->deliver({false, u"USB Optical Mouse"_s, 0x046d, 0xc077});
    EXPECT_EQ(items().size(), 3);
    EXPECT_EQ(balloonText(), u"Συνδέθηκε συσκευή Arduino\r\n-----------------"_s);

    // Pulling a board out says so and leaves the list as it was.
    ports.source->ports.removeAll(u"/dev/ttyACM1"_s);
    ports.hotPlug->deliver({false, u"USB-SERIAL CH340"_s, 0, 0});
    EXPECT_EQ(items().size(), 3);
    EXPECT_EQ(balloonText(), u"Αποσυνδέθηκε συσκευή Arduino\r\n-----------------"_s);

    // A double-click on the status bar lists the ports again.
    QTest::mouseDClick(w->portPanel(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(items(), (QStringList{u"/dev/ttyACM0"_s, u"/dev/ttyS4"_s, u"/dev/ttyUSB0"_s}));
    EXPECT_EQ(w->selectedPort(), u"/dev/ttyUSB0"_s);
    EXPECT_EQ(w->portHint(), PortSelectorTexts::portHint());

    // Listing ports is no change of the pupil's project.
    EXPECT_FALSE(w->session().isModified());
}

TEST_F(PortSelector, WithoutPortsSaysSoAndShowsNone)
{
    start({});
    EXPECT_EQ(prompt.messages, QStringList{u"Δεν βρέθηκαν σειριακές πόρτες επικοινωνίας. Εγκαταστήστε το Arduino."_s});
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->placeholderText(), u"None"_s);
    EXPECT_GE(combo->width(), 70);
    EXPECT_TRUE(w->selectedPort().isEmpty());
}

TEST_F(PortSelector, BTPortIniInTheProgramFolderFixesThePort)
{
    QFile ini(programDir.filePath(u"BTPort.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Bluetooth]\r\nComPort=/dev/rfcomm0\r\n");
    ini.close();
    start({u"/dev/ttyACM0"_s, u"/dev/ttyUSB0"_s});
    EXPECT_EQ(items(), QStringList{u"/dev/rfcomm0"_s});
    EXPECT_EQ(w->selectedPort(), u"/dev/rfcomm0"_s);
}

TEST_F(PortSelector, ChosenPortIsWhereTheSketchIsUploaded)
{
    useStandInIde();
    QTemporaryDir logDir;
    const QString log = logDir.filePath(u"ide.log"_s);
    qputenv("STAND_IN_IDE_LOG", QFile::encodeName(log));
    start({u"/dev/ttyACM0"_s, u"/dev/ttyUSB0"_s});
    choose(1);
    ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100)), nullptr);

    prompt.answers = {UserPrompt::Answer::Yes};
    w->acgetcode()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->acgetcode()->isEnabled(); }, 15000));
    qunsetenv("STAND_IN_IDE_LOG");

    QFile calls(log);
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    EXPECT_TRUE(calls.readLine().startsWith("board=arduino:avr:uno port=/dev/ttyUSB0 mode=upload "));
}

TEST_F(PortSelector, LongPortNameIsShownWhole)
{
    const QString name = u"/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0"_s;
    start({name});
    EXPECT_GE(combo->width(), combo->fontMetrics().horizontalAdvance(name));
    // The panel grows with it, so the file name beside it is not covered.
    EXPECT_TRUE(w->portPanel()->rect().contains(combo->geometry()));
    EXPECT_LE(w->portPanel()->geometry().right(), w->filePanel()->geometry().left());
}

} // namespace
