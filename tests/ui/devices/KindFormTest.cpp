#include "DeviceFormTestSupport.h"
#include "devices/DeviceTypes.h"
#include "devices/TfrmLaser.h"
#include "devices/TfrmRobot.h"
#include "devices/TfrmSwitch.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(DeviceForms, LaserKindListStoresKindAndShowsItsPicture)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::Laser);
    TfrmLaser form(devices, k, shippedImagesDir());
    form.show();
    EXPECT_EQ(form.KindList()->currentItem()->text(), u"Laser"_s);
    EXPECT_EQ(form.pictureFile(), shippedImagesDir() + u"/Laser_0.png"_s);

    QListWidget *list = form.KindList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(devices.device(k).ActDevParams[2], 1);
    EXPECT_EQ(form.pictureFile(), shippedImagesDir() + u"/Laser_1.png"_s);
}

TEST(DeviceForms, StoredKindSelectsItsEntryAndAnUnknownKindClearsThePicture)
{
    ActiveDevices devices;
    const int known = addDevice(devices, DeviceTypes::Switch, {2, 7});
    const int unknown = addDevice(devices, DeviceTypes::Switch, {3, 12});
    TfrmSwitch a(devices, known, shippedImagesDir());
    TfrmSwitch b(devices, unknown, shippedImagesDir());

    EXPECT_EQ(a.KindList()->currentRow(), 7);
    EXPECT_EQ(a.pictureFile(), shippedImagesDir() + u"/Switch_7.png"_s);
    EXPECT_EQ(b.KindList()->currentRow(), -1);
    EXPECT_TRUE(b.pictureFile().isEmpty());
    EXPECT_EQ(devices.device(unknown).ActDevParams[2], 12);
}

TEST(DeviceForms, RobotGyroscopeBoxStoresParameterSix)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::ROBOT, {2, 3, 4, 5, 6, 0, 9});
    TfrmRobot form(devices, k, shippedImagesDir());
    form.show();
    ASSERT_FALSE(form.GyroCheck()->isChecked());

    QTest::mouseClick(form.GyroCheck(), Qt::LeftButton);
    EXPECT_EQ(devices.device(k).ActDevParams[6], 1);
    QTest::mouseClick(form.GyroCheck(), Qt::LeftButton);
    EXPECT_EQ(devices.device(k).ActDevParams[6], 0);

    // A stored flag ticks the box when the page is shown again.
    form.hide();
    devices.SetParam(k, 6, 1);
    form.show();
    EXPECT_TRUE(form.GyroCheck()->isChecked());
    EXPECT_EQ(devices.device(k).ActDevParams[7], 9);
}

} // namespace
