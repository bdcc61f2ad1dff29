#include "devices/DeviceTypes.h"
#include "devices/TempSensorType.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(DeviceTypesTest, ElevenRowsAndHarmlessEmptyRowOutside)
{
    EXPECT_EQ(DeviceTypes::count(), 11);
    EXPECT_TRUE(DeviceTypes::valid(DeviceTypes::LCD_Serial));
    EXPECT_TRUE(DeviceTypes::valid(DeviceTypes::ROBOT));
    for (int outside : {-1, 11, 20}) {
        EXPECT_FALSE(DeviceTypes::valid(outside));
        EXPECT_TRUE(DeviceTypes::at(outside).DeviceName.isEmpty());
        EXPECT_EQ(DeviceTypes::at(outside).DeviceMax, 0);
    }
    // Sketch assembly and the transfer switch on these codes; the robot is the one with
    // an interrupt routine and all seven parameters.
    EXPECT_EQ(DeviceTypes::at(DeviceTypes::ROBOT).DeviceCmdId, 50);
    EXPECT_EQ(DeviceTypes::at(DeviceTypes::ROBOT).DeviceParamCount, 7);
    EXPECT_EQ(DeviceTypes::at(DeviceTypes::BMP).FormCaption, u"Baro"_s);
}

TEST(TempSensorTypeTest, UnknownTypesSettleOnDht22)
{
    struct Case { int stored; int normalised; int listIndex; };
    for (const Case &c : {Case{0, 22, 1}, Case{11, 11, 0}, Case{21, 21, 2}, Case{22, 22, 1},
                          Case{-1, 22, 1}, Case{255, 22, 1}}) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(TempSensorType::normalised(c.stored), c.normalised);
        EXPECT_EQ(TempSensorType::listIndexOf(c.stored), c.listIndex);
    }
    EXPECT_EQ(TempSensorType::fromListIndex(0), 11);
    EXPECT_EQ(TempSensorType::fromListIndex(1), 22);
    EXPECT_EQ(TempSensorType::fromListIndex(2), 21);
    EXPECT_EQ(TempSensorType::fromListIndex(3), 21); // AM2301
    EXPECT_EQ(TempSensorType::fromListIndex(-1), 22);
}

} // namespace
