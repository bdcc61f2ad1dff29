#include "shell/ShellTestSupport.h"

#include "blocks/TKeloBlock.h"
#include "checks/FindingsPanel.h"
#include "devices/DeviceFormTexts.h"
#include "devices/DeviceTypes.h"
#include "devices/TDefDevForm.h"
#include "devices/TfrmRobot.h"
#include "devices/TfrmTemp.h"
#include "program/BlockWidget.h"
#include "program/ProgramPage.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "shell/DeviceTile.h"
#include "shell/DeviceWindowFrame.h"
#include "shell/DevicesPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

using enum DeviceTypes::DeviceTypeId;

class DevicesPageTest : public ShellTest {
protected:
    DevicesPageTest() : w(makeWindow()) {}

    DevicesPage *page() const { return w->devicesPage(); }
    ActiveDevices &devices() const { return w->project().devices(); }
    QTabWidget *notebook() const { return page()->deviceNotebook(); }

    // The "ADD" button and count label of a type's tile, found as the window finds them.
    QAbstractButton *addButton(int typeId) const
    {
        return page()->getPanelAddButton(page()->FindDeviceTile(typeId));
    }
    QLabel *countLabel(int typeId) const { return page()->getPanelCountLabel(page()->FindDeviceTile(typeId)); }
    void add(int typeId) const
    {
        QAbstractButton *button = addButton(typeId);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void closeBox(int position) const
    {
        DeviceWindowFrame *frame = page()->deviceFrame(position);
        ASSERT_NE(frame, nullptr);
        QTest::mouseClick(frame->closeBox(), Qt::LeftButton);
    }
    QStringList pageCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < notebook()->count(); ++i)
            captions << notebook()->tabText(i);
        return captions;
    }
    // The block widgets of a device type: the palette's prototypes or the placed copies.
    QList<BlockWidget *> blockWidgets(int typeId, bool prototypes) const
    {
        QList<BlockWidget *> found;
        for (BlockWidget *bw : w->programPage()->findChildren<BlockWidget *>())
            if (bw->block() && bw->block()->DeviceOnlyCommandID() == typeId && bw->block()->prototype() == prototypes)
                found << bw;
        return found;
    }
    // Shows the window on its devices page, so that the current device window is shown.
    void showDevicesPage() const
    {
        w->show();
        w->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TfrmVimsel> w;
};

TEST_F(DevicesPageTest, TilesStartAtZeroAndFindTheirPartsByName)
{
    EXPECT_EQ(page()->tilesArea()->width(), 303);
    QStringList captions;
    for (int t = 0; t < DeviceTypes::count(); ++t) {
        DeviceTile *tile = page()->FindDeviceTile(t);
        ASSERT_NE(tile, nullptr) << t;
        captions << tile->caption()->text();
        EXPECT_EQ(addButton(t), tile->addButton()) << t;
        EXPECT_EQ(countLabel(t), tile->countLabel()) << t;
        EXPECT_EQ(tile->countLabel()->text(), u"0"_s) << t;
        EXPECT_EQ(tile->addButton()->property("tag").toInt(), 0) << t;
        EXPECT_TRUE(tile->picture()->pixmap().isNull()) << t << ": read only once the page shows";
    }
    EXPECT_EQ(captions, (QStringList{u"Serial LCD 16x2"_s, u"Laser/LED"_s, u"Ήχος - Buzzer"_s, u"Μετρ. Απόστασης"_s,
                                     u"Servo Μοτέρ"_s, u"Διακόπτης/Κουμπί"_s, u"Θερμοκρασία/Υγρασία"_s,
                                     u"Βαρομετρική Πίεση"_s, u"Αναλογική Συσκευή"_s, u"Κινητήρας"_s,
                                     u"Σύστημα Robot"_s}));
    // The robot's counter is named "LblRobot"; the rule asks for "lblRobot".
    EXPECT_EQ(countLabel(ROBOT)->objectName(), u"LblRobot"_s);
    EXPECT_EQ(addButton(LCD_Serial)->objectName(), u"LCDadd"_s);
    EXPECT_EQ(pageCaptions(), QStringList{u"Arduino Uno"_s});
    EXPECT_TRUE(page()->pinoutPictureFile().endsWith(u"Arduino Uno Pin.png"_s));

    // The pupil opens the devices page: every tile shows its picture.
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTabBar *pages = w->notebook()->tabBar();
    QTest::mouseClick(pages, Qt::LeftButton, {}, pages->tabRect(TfrmVimsel::DevicesPageIndex).center());
    ASSERT_TRUE(page()->isVisible());
    for (int t = 0; t < DeviceTypes::count(); ++t)
        EXPECT_FALSE(page()->FindDeviceTile(t)->picture()->pixmap().isNull()) << t;
}

TEST_F(DevicesPageTest, ALaserAddedToAnEmptyProject)
{
    for (BlockWidget *bw : blockWidgets(Laser, true))
        ASSERT_FALSE(bw->isEnabled());
    add(Laser);

    ASSERT_EQ(devices().LastDeviceIndex(), 0);
    EXPECT_EQ(devices().device(0).Name, u"LaserLED_0"_s);
    EXPECT_EQ(pageCaptions(), (QStringList{u"Arduino Uno"_s, u"LaserLED_0"_s}));
    EXPECT_EQ(notebook()->currentIndex(), 1);
    DeviceWindowFrame *frame = page()->deviceFrame(0);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(notebook()->widget(1), frame);
    EXPECT_EQ(frame->caption(), u"LaserLED_0"_s);
    EXPECT_EQ(frame->form()->windowTitle(), u"LaserLED_0"_s);
    EXPECT_EQ(frame->form()->GetDeviceTypeId(), Laser);
    EXPECT_EQ(frame->form()->ActiveDeviceId(), 0);

    EXPECT_EQ(countLabel(Laser)->text(), u"1"_s);
    EXPECT_EQ(addButton(Laser)->property("tag").toInt(), 1);
    EXPECT_TRUE(addButton(Laser)->isEnabled());
    const QList<BlockWidget *> laserBlocks = blockWidgets(Laser, true);
    ASSERT_EQ(laserBlocks.size(), 2);
    for (BlockWidget *bw : laserBlocks)
        EXPECT_TRUE(bw->isEnabled());
    for (BlockWidget *bw : blockWidgets(Sound, true))
        EXPECT_FALSE(bw->isEnabled());
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DevicesPageTest, TheTenthLaserDisablesTheButtonAndARemovalEnablesIt)
{
    for (int i = 0; i < 9; ++i)
        add(Laser);
    EXPECT_TRUE(addButton(Laser)->isEnabled());
    add(Laser);
    EXPECT_FALSE(addButton(Laser)->isEnabled());
    EXPECT_EQ(countLabel(Laser)->text(), u"10"_s);
    EXPECT_EQ(notebook()->count(), 11);

    // A devices file may still ask for one more.
    EXPECT_EQ(page()->AddDevice(addButton(Laser)), -1);
    EXPECT_EQ(prompt.messages, QStringList{u"Μόνο μια επιτρέπετε!!!"_s});
    EXPECT_EQ(devices().count(), 10);

    closeBox(4);
    EXPECT_TRUE(addButton(Laser)->isEnabled());
    EXPECT_EQ(countLabel(Laser)->text(), u"9"_s);
    EXPECT_EQ(addButton(Laser)->property("tag").toInt(), 9);
    EXPECT_EQ(notebook()->count(), 10);
    EXPECT_EQ(notebook()->currentIndex(), 9);
    EXPECT_FALSE(pageCaptions().contains(u"LaserLED_4"_s));

    // The next laser gets a page and a name of its own.
    add(Laser);
    const QStringList captions = pageCaptions();
    EXPECT_EQ(captions.last(), u"LaserLED_4"_s);
    EXPECT_EQ(captions.size(), 11);
    EXPECT_EQ(QSet<QString>(captions.begin(), captions.end()).size(), 11);
}

TEST_F(DevicesPageTest, DevicesAfterARemovedOneMoveDownKeepingTheirNamesAndRecords)
{
    add(Laser);
    add(Servo);
    add(Sound);
    QPointer<DeviceWindowFrame> first = page()->deviceFrame(0);
    TDefDevForm *servo = page()->deviceWindow(1);
    TDefDevForm *sound = page()->deviceWindow(2);

    closeBox(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(pageCaptions(), (QStringList{u"Arduino Uno"_s, u"Servo_1"_s, u"Sound_2"_s}));
    EXPECT_EQ(page()->deviceWindow(0), servo);
    EXPECT_EQ(page()->deviceWindow(1), sound);
    EXPECT_EQ(servo->ActiveDeviceId(), 0);
    EXPECT_EQ(sound->ActiveDeviceId(), 1);
    EXPECT_EQ(servo->windowTitle(), u"Servo_1"_s);
    EXPECT_EQ(devices().device(0).Name, u"Servo_1"_s);

    servo->ParamSE(1)->setValue(7);
    sound->ParamSE(1)->setValue(8);
    EXPECT_EQ(devices().device(0).ActDevParams[1], 7);
    EXPECT_EQ(devices().device(1).ActDevParams[1], 8);
    EXPECT_EQ(countLabel(Laser)->text(), u"0"_s);
}

TEST_F(DevicesPageTest, RemovingTheLastServoDisablesItsBlocksOnThePaletteAndTheCanvas)
{
    add(Servo);
    add(Servo);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    TKeloBlock *placed = dragFromPalette(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s, QPoint(150, 100));
    ASSERT_NE(placed, nullptr);
    const QList<BlockWidget *> onCanvas = blockWidgets(Servo, false);
    ASSERT_EQ(onCanvas.size(), 1);
    ASSERT_EQ(onCanvas[0]->block(), placed);
    EXPECT_TRUE(onCanvas[0]->isEnabled());

    closeBox(0);
    EXPECT_TRUE(onCanvas[0]->isEnabled());
    closeBox(0);
    EXPECT_FALSE(placed->Enabled());
    EXPECT_FALSE(onCanvas[0]->isEnabled());
    const QList<BlockWidget *> onPalette = blockWidgets(Servo, true);
    ASSERT_EQ(onPalette.size(), 4);
    for (BlockWidget *bw : onPalette)
        EXPECT_FALSE(bw->isEnabled());
    EXPECT_EQ(pageCaptions(), QStringList{u"Arduino Uno"_s});
}

TEST_F(DevicesPageTest, EveryWindowOffersThePinsOfTheBiggestBoard)
{
    add(Laser);
    add(UltraSonic);
    add(ROBOT);
    add(Temp);
    for (int board : {0, 2, 0}) {
        page()->boardGroup()->button(board)->click();
        for (int k = 0; k < devices().count(); ++k) {
            TDefDevForm *form = page()->deviceWindow(k);
            for (int pno = 1; pno <= 7; ++pno) {
                QSpinBox *se = form->ParamSE(pno);
                if (!se)
                    continue;
                const bool pin = DeviceFormTexts::isPin(form->GetDeviceTypeId(), pno);
                EXPECT_EQ(se->maximum(), pin ? 59 : 255) << form->windowTitle().toStdString() << " " << pno;
            }
        }
    }
    EXPECT_EQ(notebook()->tabText(0), u"Arduino Uno"_s);
    page()->boardGroup()->button(2)->click();
    EXPECT_EQ(notebook()->tabText(0), u"Arduino Mega"_s);
    EXPECT_TRUE(page()->pinoutPictureFile().endsWith(u"Arduino Mega Pin.png"_s));
}

TEST_F(DevicesPageTest, OpeningAProjectShowsItsDevicesAndNewRemovesThem)
{
    // Saved from one window ...
    add(Laser);
    add(Temp);
    devices().SetParam(1, 1, 4);
    devices().SetParam(1, 2, 21);
    devices().setBoardTypeId(1);
    ProgramBuilder(w->project()).place(u"Έναρξη προγράμματος"_s);
    saveName = path(u"weather.vzl"_s);
    ASSERT_TRUE(w->session().saveAs());

    // ... opened in another that has a device of its own.
    auto other = makeWindow();
    std::swap(w, other);
    add(Servo);
    ASSERT_TRUE(w->session().openFile(saveName));
    EXPECT_EQ(pageCaptions(), (QStringList{u"Arduino Nano"_s, u"LaserLED_0"_s, u"Temp_1"_s}));
    EXPECT_EQ(countLabel(Servo)->text(), u"0"_s);
    EXPECT_EQ(countLabel(Temp)->text(), u"1"_s);
    EXPECT_EQ(page()->boardGroup()->checkedId(), 1);
    EXPECT_EQ(notebook()->currentIndex(), 2);

    showDevicesPage();
    auto *temp = qobject_cast<TfrmTemp *>(page()->deviceWindow(1));
    ASSERT_NE(temp, nullptr);
    ASSERT_TRUE(temp->isVisible());
    EXPECT_EQ(temp->TypeList()->currentText(), u"DHT21"_s);
    EXPECT_EQ(temp->ParamSE(1)->value(), 4);
    EXPECT_EQ(devices().device(1).ActDevParams[2], 21);

    prompt.answer = UserPrompt::Answer::Yes;
    w->acNew()->trigger();
    EXPECT_EQ(devices().count(), 0);
    EXPECT_EQ(pageCaptions(), QStringList{u"Arduino Nano"_s});
    EXPECT_EQ(notebook()->currentIndex(), 0);
    EXPECT_EQ(countLabel(Temp)->text(), u"0"_s);
}

TEST_F(DevicesPageTest, WiringHelpWrapsInsteadOfScrollingSideways)
{
    add(ROBOT);
    showDevicesPage();
    TDefDevForm *robot = page()->deviceWindow(0);
    ASSERT_NE(robot, nullptr);
    auto *help = robot->findChild<QPlainTextEdit *>(u"memoHelp"_s);
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->horizontalScrollBar()->maximum(), 0);
    // Some line of the robot's help is longer than the text area is wide.
    const QFontMetrics fm(help->font());
    int widest = 0;
    for (const QString &line : help->toPlainText().split(u'\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    EXPECT_GT(widest, help->viewport()->width());
}

TEST_F(DevicesPageTest, MegaPinsSurviveAMistakenClickOnTheUno)
{
    add(UltraSonic);
    QButtonGroup *boards = page()->boardGroup();
    QTest::mouseClick(boards->button(2), Qt::LeftButton);
    showDevicesPage();
    notebook()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    TDefDevForm *sensor = page()->deviceWindow(0);
    ASSERT_NE(sensor, nullptr);
    sensor->ParamSE(1)->setValue(40);
    sensor->ParamSE(2)->setValue(45);
    ASSERT_EQ(devices().device(0).ActDevParams[1], 40);

    EXPECT_FALSE(sensor->MissingPinLabel(1)->isVisible());

    // The Uno, looked at on the sensor's page: the pins stay, marked as not there.
    notebook()->setCurrentIndex(0);
    QCoreApplication::processEvents();
    QTest::mouseClick(boards->button(0), Qt::LeftButton);
    notebook()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(sensor->ParamSE(1)->value(), 40);
    EXPECT_EQ(devices().device(0).ActDevParams[1], 40);
    EXPECT_TRUE(sensor->MissingPinLabel(1)->isVisible());
    EXPECT_EQ(sensor->MissingPinLabel(2)->text(), u"Δεν υπάρχει στο Arduino Uno"_s);

    notebook()->setCurrentIndex(0);
    QCoreApplication::processEvents();
    QTest::mouseClick(boards->button(2), Qt::LeftButton);
    EXPECT_EQ(devices().device(0).ActDevParams[1], 40);
    EXPECT_EQ(devices().device(0).ActDevParams[2], 45);
    notebook()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(sensor->ParamSE(1)->value(), 40);
    EXPECT_EQ(sensor->ParamSE(2)->value(), 45);
    EXPECT_FALSE(sensor->MissingPinLabel(1)->isVisible());
    EXPECT_FALSE(sensor->MissingPinLabel(2)->isVisible());
}

TEST_F(DevicesPageTest, TheGyroscopeReachesTheRobotSetUpLine)
{
    add(ROBOT);
    EXPECT_FALSE(addButton(ROBOT)->isEnabled());
    showDevicesPage();
    auto *robot = qobject_cast<TfrmRobot *>(page()->deviceWindow(0));
    ASSERT_NE(robot, nullptr);
    ASSERT_TRUE(robot->GyroCheck()->isVisible());

    // On the box itself: the check box is wider than its text.
    QTest::mouseClick(robot->GyroCheck(), Qt::LeftButton, {}, QPoint(6, robot->GyroCheck()->height() / 2));
    EXPECT_TRUE(robot->GyroCheck()->isChecked());
    EXPECT_EQ(devices().device(0).ActDevParams[6], 1);

    ProgramBuilder(w->project()).place(u"Έναρξη προγράμματος"_s);
    w->acgetcode()->trigger();
    // The robot's pins are still all 0: the checks say so, and the pupil goes on.
    FindingsPanel *findings = w->programPage()->findingsPanel();
    ASSERT_TRUE(findings->asking());
    QTest::mouseClick(findings->continueButton(), Qt::LeftButton);
    EXPECT_TRUE(w->codeView()->toPlainText().contains(u"  Robot_0.init(0,0,0,0,0,1,0);"_s))
        << w->codeView()->toPlainText().toStdString();
}

} // namespace
