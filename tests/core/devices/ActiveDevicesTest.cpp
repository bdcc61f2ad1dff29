#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"
#include "core/devices/DeviceTestSupport.h"
#include "util/UserPrompt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using enum DeviceTypes::DeviceTypeId;

const QString LimitMessage = u"Μόνο μια επιτρέπετε!!!"_s;
const QString FullMessage = u"Δεν χωρούν άλλες συσκευές στο έργο."_s;

class ActiveDevicesTest : public ::testing::Test {
protected:
    void SetUp() override { devices.addListener(&listener); }

    int add(int typeId) { return devices.AddDevice(typeId, &prompt); }
    QStringList names() const
    {
        QStringList out;
        for (const auto &entry : devices.GetActiveDevicePins(-1))
            out.append(entry.first);
        return out;
    }
    // Records after the last position must hold zeros, whatever happened before.
    void expectUnusedRecordsClear() const
    {
        for (int i = devices.count(); i < ActiveDevices::Capacity; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(devices.device(i).DeviceTypeID, 0);
            EXPECT_TRUE(devices.device(i).Name.isEmpty());
        }
    }

    ActiveDevices devices;
    RecordingUserPrompt prompt;
    RecordingDeviceListener listener;
};

TEST_F(ActiveDevicesTest, LaserInEmptyProjectIsLaserLED0AndEnablesItsCommands)
{
    EXPECT_EQ(devices.LastDeviceIndex(), -1);

    EXPECT_EQ(add(Laser), 0);

    EXPECT_EQ(devices.LastDeviceIndex(), 0);
    EXPECT_EQ(devices.device(0).Name, u"LaserLED_0"_s);
    EXPECT_EQ(devices.device(0).DeviceTypeID, int(Laser));
    EXPECT_EQ(devices.device(0).ActDevParamCount, 1);
    EXPECT_EQ(devices.typeCount(Laser), 1);
    EXPECT_EQ(listener.events,
              (QStringList{u"commands 1 on"_s, u"refresh 1 0"_s, u"changed"_s}));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ActiveDevicesTest, UnknownTypeAddsNothingSilently)
{
    for (int typeId : {-1, 11, 42}) {
        EXPECT_EQ(add(typeId), -1);
        EXPECT_FALSE(devices.canAdd(typeId));
    }
    EXPECT_EQ(devices.count(), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(listener.events.isEmpty());
}

TEST_F(ActiveDevicesTest, RemovingFirstOfThreeKeepsNamesAndParamsFollowTheirDevice)
{
    add(Laser);
    add(Servo);
    add(Temp);
    devices.SetParam(1, 1, 9);
    devices.SetParam(2, 1, 4);
    listener.events.clear();

    devices.KillDevice(0);

    ASSERT_EQ(devices.LastDeviceIndex(), 1);
    EXPECT_EQ(names(), (QStringList{u"Servo_1"_s, u"Temp_2"_s}));
    EXPECT_EQ(devices.device(0).ActDevParams[1], 9);
    EXPECT_EQ(devices.device(1).ActDevParams[1], 4);
    expectUnusedRecordsClear();
    EXPECT_EQ(listener.events, (QStringList{u"commands 1 off"_s, u"refresh 1 -1"_s,
                                            u"refresh 4 0"_s, u"refresh 6 1"_s, u"changed"_s}));

    listener.events.clear();
    devices.SetParam(0, 1, 10);
    EXPECT_EQ(devices.device(0).ActDevParams[1], 10);
    EXPECT_EQ(devices.device(1).ActDevParams[1], 4);
    EXPECT_EQ(listener.events, QStringList{u"refresh 4 0"_s});
}

TEST_F(ActiveDevicesTest, CommandsAreDisabledOnlyWhenTheLastDeviceOfTheTypeGoes)
{
    add(Servo);
    add(Servo);
    listener.events.clear();

    devices.KillDevice(0);
    EXPECT_FALSE(listener.events.contains(u"commands 4 off"_s));
    EXPECT_EQ(listener.events, (QStringList{u"refresh 4 0"_s, u"changed"_s}));

    listener.events.clear();
    devices.KillDevice(0);
    EXPECT_EQ(listener.events, (QStringList{u"commands 4 off"_s, u"refresh 4 -1"_s, u"changed"_s}));
    EXPECT_EQ(devices.typeCount(Servo), 0);
}

TEST_F(ActiveDevicesTest, NewDeviceNeverTakesANameInUse)
{
    // Laser 0 and 1, the first removed: the survivor keeps LaserLED_1 at position 0,
    // and the newcomer at position 1 must not be a second LaserLED_1.
    add(Laser);
    add(Laser);
    devices.KillDevice(0);
    add(Laser);
    EXPECT_EQ(names(), (QStringList{u"LaserLED_1"_s, u"LaserLED_0"_s}));

    add(Laser);
    add(Laser);
    devices.KillDevice(1);
    devices.KillDevice(0);
    add(Laser);
    EXPECT_EQ(names(), (QStringList{u"LaserLED_2"_s, u"LaserLED_3"_s, u"LaserLED_0"_s}));
}

TEST_F(ActiveDevicesTest, DeviceAddedAfterRemovalStartsWithZeroParameters)
{
    add(ROBOT);
    for (int p = 1; p <= 7; ++p)
        devices.SetParam(0, p, p + 2);
    devices.KillDevice(0);

    add(Temp);
    EXPECT_EQ(devices.device(0).ActDevParams, (std::array<int, 8>{}));
    EXPECT_EQ(devices.device(0).ActDevParamCount, 2);
}

TEST_F(ActiveDevicesTest, LoaderParametersAreKeptButEntryZeroIsNot)
{
    const std::array<int, 8> stored{5, 9, 1, 0, 0, 0, 0, -1};
    EXPECT_EQ(devices.AddDevice(Laser, stored, &prompt), 0);
    EXPECT_EQ(devices.device(0).ActDevParams, (std::array<int, 8>{0, 9, 1, 0, 0, 0, 0, -1}));

    // A refused addition leaves no trace of the parameters it was given.
    EXPECT_EQ(devices.AddDevice(42, stored, &prompt), -1);
    expectUnusedRecordsClear();
}

TEST_F(ActiveDevicesTest, FullListRefusesWithItsOwnMessageAndChangesNothing)
{
    // The per-type limits add up to 54, more than the list holds.
    for (int t = 0; t < DeviceTypes::count() && devices.count() < ActiveDevices::Capacity; ++t)
        while (devices.typeCount(t) < DeviceTypes::at(t).DeviceMax
               && devices.count() < ActiveDevices::Capacity)
            ASSERT_GE(add(t), 0);
    ASSERT_EQ(devices.count(), ActiveDevices::Capacity);
    const int roomyType = ROBOT; // filled last, so still below its limit
    ASSERT_LT(devices.typeCount(roomyType), DeviceTypes::at(roomyType).DeviceMax);
    ASSERT_TRUE(prompt.messages.isEmpty());
    listener.events.clear();

    EXPECT_FALSE(devices.canAdd(roomyType));
    EXPECT_EQ(add(roomyType), -1);

    EXPECT_EQ(prompt.messages, QStringList{FullMessage});
    EXPECT_EQ(devices.count(), ActiveDevices::Capacity);
    EXPECT_TRUE(listener.events.isEmpty());
    EXPECT_EQ(names().removeDuplicates(), 0);
}

TEST_F(ActiveDevicesTest, ListsFindAndNameLookUpFollowListOrder)
{
    add(Servo);
    add(Laser);
    add(Servo);
    add(DCMOTOR);

    using Entries = QList<QPair<QString, int>>;
    EXPECT_EQ(devices.GetActiveDevicePins(Servo),
              (Entries{{u"Servo_0"_s, 0}, {u"Servo_2"_s, 2}}));
    EXPECT_EQ(devices.GetActiveDevicePins(-1).size(), 4);
    EXPECT_EQ(devices.GetActiveDevicePins(-1).at(3), (QPair<QString, int>{u"DCMotor_3"_s, 3}));
    EXPECT_TRUE(devices.GetActiveDevicePins(Temp).isEmpty());

    EXPECT_EQ(devices.FindDeviceOfType(Servo), 0);
    EXPECT_EQ(devices.FindDeviceOfType(Laser), 1);
    EXPECT_EQ(devices.FindDeviceOfType(Temp), -1);
    EXPECT_EQ(devices.findByName(u"Servo_2"_s), 2);
    EXPECT_EQ(devices.findByName(u"servo_2"_s), -1);
}

TEST_F(ActiveDevicesTest, ClearDevicesEmptiesTheListAndKeepsTheBoard)
{
    devices.setBoardTypeId(2);
    add(Laser);
    add(Servo);
    add(Laser);
    listener.events.clear();

    devices.ClearDevices();

    EXPECT_EQ(devices.LastDeviceIndex(), -1);
    EXPECT_EQ(devices.typeCount(Laser), 0);
    EXPECT_EQ(devices.typeCount(Servo), 0);
    expectUnusedRecordsClear();
    EXPECT_TRUE(listener.events.contains(u"commands 1 off"_s));
    EXPECT_TRUE(listener.events.contains(u"commands 4 off"_s));
    EXPECT_EQ(devices.BoardTypeId(), 2);
    EXPECT_EQ(add(Laser), 0);
    EXPECT_EQ(devices.device(0).Name, u"LaserLED_0"_s);
}

TEST_F(ActiveDevicesTest, OutOfRangePositionsAndParameterNumbersChangeNothing)
{
    add(Laser);
    listener.events.clear();

    devices.RemoveActiveDevice(-1);
    devices.RemoveActiveDevice(1);
    devices.KillDevice(-1);
    devices.KillDevice(5);
    devices.SetParam(0, 0, 7);
    devices.SetParam(0, 8, 7);
    devices.SetParam(1, 1, 7);

    EXPECT_EQ(devices.count(), 1);
    EXPECT_EQ(devices.device(0).ActDevParams, (std::array<int, 8>{}));
    EXPECT_TRUE(listener.events.isEmpty());
    EXPECT_EQ(devices.device(-1).DeviceTypeID, 0);
    EXPECT_TRUE(devices.device(1).Name.isEmpty());
}

TEST_F(ActiveDevicesTest, StoredNamesMustBeFreeIdentifiers)
{
    add(Laser);
    add(Laser);

    EXPECT_FALSE(devices.setDeviceName(1, u"LaserLED_0"_s));
    EXPECT_FALSE(devices.setDeviceName(1, QString()));
    EXPECT_FALSE(devices.setDeviceName(1, u"Led 1"_s));
    EXPECT_FALSE(devices.setDeviceName(1, u"9Led"_s));
    EXPECT_FALSE(devices.setDeviceName(1, u"x);evil();//"_s));
    EXPECT_FALSE(devices.setDeviceName(2, u"Spare"_s));
    EXPECT_EQ(devices.device(1).Name, u"LaserLED_1"_s);

    EXPECT_TRUE(devices.setDeviceName(1, u"LaserLED_1"_s));
    EXPECT_TRUE(devices.setDeviceName(0, u"LaserLED_2"_s));
    EXPECT_EQ(devices.findByName(u"LaserLED_2"_s), 0);

    // The newcomer's own number is taken by the stored name.
    add(Laser);
    EXPECT_EQ(names(), (QStringList{u"LaserLED_2"_s, u"LaserLED_1"_s, u"LaserLED_0"_s}));
}

TEST_F(ActiveDevicesTest, RemovedListenerHearsNothing)
{
    devices.removeListener(&listener);
    add(Laser);
    devices.setBoardTypeId(1);
    EXPECT_TRUE(listener.events.isEmpty());
}

// Each type accepts exactly its limit; one more shows the common message.
class DeviceLimitTest : public ::testing::TestWithParam<int> {};

TEST_P(DeviceLimitTest, OneMoreThanTheLimitIsRefused)
{
    const int typeId = GetParam();
    const TDevice &type = DeviceTypes::at(typeId);
    ActiveDevices devices;
    RecordingUserPrompt prompt;

    for (int i = 0; i < type.DeviceMax; ++i) {
        ASSERT_TRUE(devices.canAdd(typeId));
        ASSERT_EQ(devices.AddDevice(typeId, &prompt), i);
        EXPECT_EQ(devices.device(i).Name, type.FormCaption + u'_' + QString::number(i));
    }
    EXPECT_FALSE(devices.canAdd(typeId));

    EXPECT_EQ(devices.AddDevice(typeId, &prompt), -1);
    EXPECT_EQ(prompt.messages, QStringList{LimitMessage});
    EXPECT_EQ(devices.typeCount(typeId), type.DeviceMax);
    EXPECT_EQ(devices.count(), type.DeviceMax);

    devices.KillDevice(0);
    EXPECT_TRUE(devices.canAdd(typeId));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, DeviceLimitTest, ::testing::Range(0, DeviceTypes::count()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return DeviceTypes::at(info.param).DeviceName.toStdString();
                         });

} // namespace
