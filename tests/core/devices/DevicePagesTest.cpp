#include "devices/ActiveDevices.h"
#include "devices/DevicePages.h"
#include "devices/DeviceTypes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using enum DeviceTypes::DeviceTypeId;

// The pages as they stood before the change: one per device, in list order.
QList<DevicePages::Shown> shownPages(const ActiveDevices &devices)
{
    QList<DevicePages::Shown> shown;
    for (int k = 0; k < devices.count(); ++k)
        shown.append({devices.device(k).Name, devices.device(k).DeviceTypeID});
    return shown;
}

TEST(DevicePages, PagesFollowTheirDevicesWhenAnEarlierOneGoes)
{
    ActiveDevices devices;
    devices.AddDevice(Laser, nullptr);
    devices.AddDevice(Servo, nullptr);
    devices.AddDevice(Laser, nullptr);
    const QList<DevicePages::Shown> before = shownPages(devices);

    devices.KillDevice(0);
    // The servo's page (shown second) now shows position 0, the laser's position 1;
    // the first page lost its device.
    EXPECT_EQ(DevicePages::match(before, devices), (QList<int>{1, 2}));
    EXPECT_EQ(DevicePages::pageOfDevice(0), 1);
    EXPECT_EQ(DevicePages::deviceOfPage(devices, 2), 1);
    EXPECT_EQ(DevicePages::deviceOfPage(devices, 3), -1);
    EXPECT_EQ(DevicePages::deviceOfPage(devices, DevicePages::BoardPage), -1);
    EXPECT_EQ(DevicePages::pageCaption(devices, 0), u"Servo_1"_s);
    EXPECT_EQ(DevicePages::pageCaption(devices, 1), u"LaserLED_2"_s);
}

TEST(DevicePages, AddedAndRenamedDevices)
{
    ActiveDevices devices;
    devices.AddDevice(Temp, nullptr);
    QList<DevicePages::Shown> before = shownPages(devices);

    devices.AddDevice(Sound, nullptr);
    EXPECT_EQ(DevicePages::match(before, devices), (QList<int>{0, -1}));

    // A loaded name replaces the given one where the device stands: same page.
    before = shownPages(devices);
    ASSERT_TRUE(devices.setDeviceName(1, u"Sound_7"_s));
    EXPECT_EQ(DevicePages::match(before, devices), (QList<int>{0, 1}));

    // A device of another type at the position of a vanished page gets a page of its own.
    before = shownPages(devices);
    devices.ClearDevices();
    devices.AddDevice(Servo, nullptr);
    EXPECT_EQ(DevicePages::match(before, devices), (QList<int>{-1}));
    EXPECT_TRUE(DevicePages::match(before, ActiveDevices()).isEmpty());
}

TEST(DevicePages, BoardPageCaption)
{
    ActiveDevices devices;
    EXPECT_EQ(DevicePages::boardPageCaption(devices), u"Arduino Uno"_s);
    devices.setBoardTypeId(2);
    EXPECT_EQ(DevicePages::boardPageCaption(devices), u"Arduino Mega"_s);
    devices.setBoardTypeId(-1);
    EXPECT_EQ(DevicePages::boardPageCaption(devices), u"Arduino"_s);
}

} // namespace
