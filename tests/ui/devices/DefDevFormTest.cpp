#include "DeviceFormTestSupport.h"
#include "devices/DeviceFormFactory.h"
#include "devices/DeviceListener.h"
#include "devices/DeviceTypes.h"
#include "devices/TfrmLaser.h"
#include "devices/TfrmRobot.h"
#include "devices/TfrmSound.h"

#include <QLabel>
#include <QSpinBox>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class RefreshCounter : public DeviceListener {
public:
    void deviceRefresh(int typeId, int position) override
    {
        refreshes.append({typeId, position});
    }
    QList<QPair<int, int>> refreshes;
};

TEST(DeviceForms, SpinBoxWritesItsOwnRecordAfterTheDeviceMoved)
{
    ActiveDevices devices;
    addDevice(devices, DeviceTypes::Laser, {2});
    addDevice(devices, DeviceTypes::Sound, {3});
    const int k = addDevice(devices, DeviceTypes::Laser, {4});
    TfrmLaser moved(devices, k, shippedImagesDir());

    devices.KillDevice(0);
    moved.setActiveDeviceId(1);
    moved.ParamSE(1)->setValue(9);

    EXPECT_EQ(devices.device(1).ActDevParams[1], 9);
    EXPECT_EQ(devices.device(1).DeviceTypeID, DeviceTypes::Laser);
    EXPECT_EQ(devices.device(0).ActDevParams[1], 3);
}

TEST(DeviceForms, ClosingTheWindowRemovesItsDeviceAndDetachesIt)
{
    ActiveDevices devices;
    addDevice(devices, DeviceTypes::Sound, {5});
    const int k = addDevice(devices, DeviceTypes::Sound, {6});
    TfrmSound first(devices, 0, shippedImagesDir());
    int killed = -2;
    QObject::connect(&first, &TDefDevForm::deviceKilled, [&](int former) { killed = former; });
    first.show();

    first.close();
    ASSERT_EQ(devices.LastDeviceIndex(), k - 1);
    EXPECT_EQ(killed, 0);
    EXPECT_EQ(first.ActiveDeviceId(), -1);

    // The device that moved into position 0 is not the detached window's.
    first.ParamSE(1)->setValue(12);
    EXPECT_EQ(devices.device(0).ActDevParams[1], 6);
}

TEST(DeviceForms, PinsOfTheBiggestBoardAreOfferedAndThoseTheBoardLacksMarked)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::Laser, {13});
    TfrmLaser form(devices, k, shippedImagesDir());
    form.show();
    EXPECT_EQ(form.ParamSE(1)->maximum(), 59);
    // The kind is no pin.
    EXPECT_EQ(form.ParamSE(2)->maximum(), 255);
    EXPECT_EQ(form.MissingPinLabel(2), nullptr);
    QLabel *missing = form.MissingPinLabel(1);
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->isVisible());

    form.ParamSE(1)->setValue(40);
    EXPECT_EQ(devices.device(k).ActDevParams[1], 40);
    EXPECT_TRUE(missing->isVisible());
    EXPECT_EQ(missing->text(), u"Δεν υπάρχει στο Arduino Uno"_s);
    EXPECT_EQ(form.ParamSE(1)->accessibleDescription(), missing->text());

    form.ParamSE(1)->setValue(19);
    EXPECT_FALSE(missing->isVisible());
    EXPECT_TRUE(form.ParamSE(1)->accessibleDescription().isEmpty());
}

TEST(DeviceForms, RobotOffersEveryPinOfTheBiggestBoard)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::ROBOT);
    TfrmRobot form(devices, k, shippedImagesDir());
    for (int pno = 1; pno <= 7; ++pno) {
        ASSERT_NE(form.ParamSE(pno), nullptr) << pno;
        // 6 is the gyroscope's flag.
        EXPECT_EQ(form.ParamSE(pno)->maximum(), pno == 6 ? 255 : 59) << pno;
    }
}

TEST(DeviceForms, StoredPinBeyondTheBoardIsKeptWhenShown)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::UltraSonic, {19, 45});
    auto form = std::unique_ptr<TDefDevForm>(
        createDeviceForm(DeviceTypes::UltraSonic, devices, k, shippedImagesDir()));
    form->show();
    EXPECT_EQ(form->ParamSE(2)->value(), 45);
    EXPECT_EQ(devices.device(k).ActDevParams[2], 45);
    EXPECT_FALSE(form->MissingPinLabel(1)->isVisible());
    EXPECT_TRUE(form->MissingPinLabel(2)->isVisible());
}

TEST(DeviceForms, ShowingLoadsTheRecordAndRefreshesTheBlocks)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::DCMOTOR, {7, 8});
    auto form = std::unique_ptr<TDefDevForm>(
        createDeviceForm(DeviceTypes::DCMOTOR, devices, k, shippedImagesDir()));
    RefreshCounter counter;
    devices.addListener(&counter);
    form->show();
    form->hide();

    // Changed behind the window's back, as loading a project does.
    devices.SetParam(k, 1, 11);
    counter.refreshes.clear();
    form->show();
    EXPECT_EQ(form->ParamSE(1)->value(), 11);
    EXPECT_EQ(form->ParamSE(2)->value(), 8);
    EXPECT_EQ(counter.refreshes, (QList<QPair<int, int>>{{DeviceTypes::DCMOTOR, k}}));
    devices.removeListener(&counter);
}

} // namespace
