#include "devices/DeviceFile.h"

#include "core/support/QtPrinters.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"
#include "util/IniFile.h"
#include "util/UserPrompt.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using enum DeviceTypes::DeviceTypeId;

const QString LimitMessage = u"Μόνο μια επιτρέπετε!!!"_s;

QStringList names(const ActiveDevices &devices)
{
    QStringList out;
    for (const auto &entry : devices.GetActiveDevicePins(-1))
        out.append(entry.first);
    return out;
}

QList<int> types(const ActiveDevices &devices)
{
    QList<int> out;
    for (int i = 0; i <= devices.LastDeviceIndex(); ++i)
        out.append(devices.device(i).DeviceTypeID);
    return out;
}

std::array<int, 8> params(std::initializer_list<int> oneToSeven)
{
    std::array<int, 8> p{};
    std::copy(oneToSeven.begin(), oneToSeven.end(), p.begin() + 1);
    return p;
}

class DeviceFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString project() const { return dir.filePath(u"robot.vzl"_s); }
    QString devicesFile() const { return dir.filePath(u"robot.adv"_s); }

    QByteArray fileBytes() const
    {
        QFile f(devicesFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Reads an in-memory file into `devices`, which starts with something to replace.
    void read(const QByteArray &bytes)
    {
        devices.setBoardTypeId(2);
        devices.AddDevice(Sound, &prompt);
        IniFile ini;
        ini.parse(bytes);
        ReadDevices(devices, ini, &prompt);
    }

    QTemporaryDir dir;
    ActiveDevices devices;
    RecordingUserPrompt prompt;
};

TEST(DevicesFileNameTest, ReplacesOrAppendsTheExtension)
{
    EXPECT_EQ(DevicesFileName(u"C:\\Έργα\\robot.vzl"_s), u"C:\\Έργα\\robot.adv"_s);
    EXPECT_EQ(DevicesFileName(u"/home/a.b/robot"_s), u"/home/a.b/robot.adv"_s);
}

TEST_F(DeviceFileTest, NanoWithLcdAndLedIsWrittenLineForLine)
{
    devices.setBoardTypeId(1);
    ASSERT_EQ(devices.AddDevice(LCD_Serial, &prompt), 0);
    ASSERT_EQ(devices.AddDevice(Laser, params({13, 1}), &prompt), 1);

    ASSERT_TRUE(SaveDevices(devices, project()));

    EXPECT_EQ(fileBytes(), QByteArray("[ArduinoDevice]\r\n"
                                      "TypeId=1\r\n"
                                      "[ActiveDevices]\r\n"
                                      "Count=1\r\n"
                                      "[ADev_0]\r\n"
                                      "DeviceTypeID=0\r\n"
                                      "ActDevParamCount=0\r\n"
                                      "ActDevParam1=0\r\nActDevParam2=0\r\nActDevParam3=0\r\n"
                                      "ActDevParam4=0\r\nActDevParam5=0\r\nActDevParam6=0\r\n"
                                      "ActDevParam7=0\r\n"
                                      "DeviceName=Serial_LCD_0\r\n"
                                      "[ADev_1]\r\n"
                                      "DeviceTypeID=1\r\n"
                                      "ActDevParamCount=1\r\n"
                                      "ActDevParam1=13\r\nActDevParam2=1\r\nActDevParam3=0\r\n"
                                      "ActDevParam4=0\r\nActDevParam5=0\r\nActDevParam6=0\r\n"
                                      "ActDevParam7=0\r\n"
                                      "DeviceName=LaserLED_1\r\n"));
}

TEST_F(DeviceFileTest, RoundTripKeepsBoardTypesParametersAndNames)
{
    devices.setBoardTypeId(2);
    devices.AddDevice(Laser, params({3, 1}), &prompt);
    devices.AddDevice(Laser, params({4, 0}), &prompt);
    devices.AddDevice(Servo, params({9}), &prompt);
    devices.KillDevice(0);
    devices.AddDevice(Temp, params({7, 22, 0, 0, 0, 0, 59}), &prompt);
    // Loading without stored names would rename them LaserLED_0, Servo_1, Temp_2.
    ASSERT_EQ(names(devices), (QStringList{u"LaserLED_1"_s, u"Servo_2"_s, u"Temp_2"_s}));
    ASSERT_TRUE(SaveDevices(devices, project()));

    ActiveDevices loaded;
    loaded.AddDevice(ROBOT, &prompt);
    ASSERT_TRUE(LoadDevices(loaded, project(), &prompt));

    EXPECT_EQ(loaded.BoardTypeId(), 2);
    EXPECT_EQ(loaded.MaxPin(), 59);
    EXPECT_EQ(types(loaded), types(devices));
    EXPECT_EQ(names(loaded), names(devices));
    for (int i = 0; i <= devices.LastDeviceIndex(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.device(i).ActDevParams, devices.device(i).ActDevParams);
        EXPECT_EQ(loaded.device(i).ActDevParamCount, devices.device(i).ActDevParamCount);
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DeviceFileTest, SavingFewerLeavesOldSectionsThatLoadingIgnores)
{
    devices.AddDevice(Laser, params({3}), &prompt);
    devices.AddDevice(Servo, params({9}), &prompt);
    devices.AddDevice(Switch, params({2}), &prompt);
    ASSERT_TRUE(SaveDevices(devices, project()));
    devices.KillDevice(2);
    devices.KillDevice(1);
    ASSERT_TRUE(SaveDevices(devices, project()));

    IniFile ini(devicesFile());
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInteger(u"ActiveDevices"_s, u"Count"_s, 99), 0);
    EXPECT_EQ(ini.readInteger(u"ADev_1"_s, u"DeviceTypeID"_s, -1), int(Servo));
    EXPECT_EQ(ini.readInteger(u"ADev_2"_s, u"DeviceTypeID"_s, -1), int(Switch));

    ActiveDevices loaded;
    ASSERT_TRUE(LoadDevices(loaded, project(), &prompt));
    EXPECT_EQ(types(loaded), QList<int>{Laser});

    // Without devices: Count=-1 and nothing read, although ADev_0 .. ADev_2 remain.
    devices.KillDevice(0);
    ASSERT_TRUE(SaveDevices(devices, project()));
    EXPECT_TRUE(fileBytes().contains("\r\nCount=-1\r\n"));
    ASSERT_TRUE(LoadDevices(loaded, project(), &prompt));
    EXPECT_EQ(loaded.LastDeviceIndex(), -1);
}

TEST_F(DeviceFileTest, DevicesBeyondTheTypeLimitAreRefusedOneMessageEach)
{
    read("[ActiveDevices]\r\nCount=3\r\n"
         "[ADev_0]\r\nDeviceTypeID=0\r\n"
         "[ADev_1]\r\nDeviceTypeID=0\r\n"
         "[ADev_2]\r\nDeviceTypeID=4\r\nActDevParam1=9\r\n"
         "[ADev_3]\r\nDeviceTypeID=0\r\n");
    EXPECT_EQ(types(devices), (QList<int>{LCD_Serial, Servo}));
    EXPECT_EQ(devices.device(1).ActDevParams[1], 9);
    EXPECT_EQ(prompt.messages, (QStringList{LimitMessage, LimitMessage}));
}

TEST_F(DeviceFileTest, UnknownOrMissingTypesAreSkippedSilently)
{
    // ADev_1 is missing: type -1. The stored parameter count is not trusted.
    read("[ArduinoDevice]\r\nTypeId=0\r\n[ActiveDevices]\r\nCount=3\r\n"
         "[ADev_0]\r\nDeviceTypeID=42\r\nActDevParam1=5\r\n"
         "[ADev_2]\r\nDeviceTypeID=4\r\nActDevParamCount=6\r\nActDevParam1=9\r\n"
         "[ADev_3]\r\nActDevParam1=7\r\n");
    ASSERT_EQ(types(devices), QList<int>{Servo});
    EXPECT_EQ(devices.device(0).ActDevParams, params({9}));
    EXPECT_EQ(devices.device(0).ActDevParamCount, 1);
    EXPECT_EQ(devices.device(0).Name, u"Servo_0"_s);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DeviceFileTest, BoardIndexIsKeptWithinTheBoardList)
{
    const struct {
        QByteArray line;
        int board;
    } cases[] = {
        {"", 0}, {"TypeId=1", 1}, {"TypeId=2", 2}, {"TypeId=7", 2}, {"TypeId=-1", -1}, {"TypeId=-5", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.constData());
        read("[ArduinoDevice]\r\n" + c.line + "\r\n");
        EXPECT_EQ(devices.BoardTypeId(), c.board);
        EXPECT_EQ(devices.LastDeviceIndex(), -1);
    }
}

TEST_F(DeviceFileTest, StoredNameIsRefusedWhenTakenOrNotAnIdentifier)
{
    // ADev_0 has no stored name and gets LaserLED_0, which ADev_1 also asks for.
    read("[ActiveDevices]\r\nCount=4\r\n"
         "[ADev_0]\r\nDeviceTypeID=1\r\n"
         "[ADev_1]\r\nDeviceTypeID=1\r\nDeviceName=LaserLED_0\r\n"
         "[ADev_2]\r\nDeviceTypeID=1\r\nDeviceName=Λέιζερ\r\n"
         "[ADev_3]\r\nDeviceTypeID=1\r\nDeviceName=Fan_7\r\n"
         "[ADev_4]\r\nDeviceTypeID=1\r\nDeviceName=Fan_7\r\n");
    EXPECT_EQ(names(devices), (QStringList{u"LaserLED_0"_s, u"LaserLED_1"_s, u"LaserLED_2"_s,
                                            u"Fan_7"_s, u"LaserLED_4"_s}));
}

TEST_F(DeviceFileTest, HugeCountIsBoundedByTheSectionsPresent)
{
    // Reading each position up to the count would take an hour.
    read("[ActiveDevices]\r\nCount=2000000000\r\n[ADev_0]\r\nDeviceTypeID=1\r\n"
         "[adev_7]\r\nDeviceTypeID=4\r\n[ADev_08]\r\nDeviceTypeID=5\r\n"
         "[ADev_1999999999]\r\nDeviceTypeID=1\r\nActDevParam1=13\r\n");
    EXPECT_EQ(types(devices), (QList<int>{Laser, Servo, Laser}));
    EXPECT_EQ(devices.device(2).ActDevParams[1], 13);
}

TEST_F(DeviceFileTest, MissingFileGivesUnoWithoutDevices)
{
    devices.setBoardTypeId(2);
    devices.AddDevice(Laser, &prompt);
    ASSERT_FALSE(QFile::exists(devicesFile()));
    EXPECT_TRUE(LoadDevices(devices, project(), &prompt));
    EXPECT_EQ(devices.BoardTypeId(), 0);
    EXPECT_EQ(devices.LastDeviceIndex(), -1);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DeviceFileTest, UnreadableFileIsReportedAndNotOverwritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"robot.adv"_s));  // a folder where the file should be
    devices.AddDevice(Laser, &prompt);
    QString error;
    EXPECT_FALSE(SaveDevices(devices, project(), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(LoadDevices(devices, project(), &prompt, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(devices.LastDeviceIndex(), -1);
}

} // namespace
