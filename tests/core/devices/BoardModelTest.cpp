#include "devices/ActiveDevices.h"
#include "core/devices/DeviceTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct BoardCase {
    const char *label;
    int typeId;
    QString name;
    int maxPin;
    QString family;
    QString picture;
};

class BoardModelTest : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BoardModelTest, SelectionSetsNamePinsFamilyAndPicture)
{
    const BoardCase &c = GetParam();
    ActiveDevices devices;
    RecordingDeviceListener listener;
    devices.addListener(&listener);

    devices.setBoardTypeId(c.typeId);

    EXPECT_EQ(devices.BoardTypeId(), c.typeId);
    EXPECT_EQ(devices.BoardName(), c.name);
    EXPECT_EQ(devices.MaxPin(), c.maxPin);
    EXPECT_EQ(devices.BoardFamily(), c.family);
    EXPECT_EQ(devices.pinoutPictureName(), c.picture);
    EXPECT_EQ(listener.events, QStringList{u"board"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Boards, BoardModelTest,
    ::testing::Values(
        BoardCase{"Uno", 0, u"Arduino Uno"_s, 19, u"Uno"_s, u"Arduino Uno Pin.png"_s},
        BoardCase{"Nano", 1, u"Arduino Nano"_s, 19, u"Uno"_s, u"Arduino Nano Pin.png"_s},
        BoardCase{"Mega", 2, u"Arduino Mega"_s, 59, u"Mega"_s, u"Arduino Mega Pin.png"_s}),
    [](const ::testing::TestParamInfo<BoardCase> &info) { return std::string(info.param.label); });

TEST(BoardModelStartTest, StartsOnTheUno)
{
    ActiveDevices devices;
    EXPECT_EQ(devices.BoardTypeId(), 0);
    EXPECT_EQ(devices.BoardName(), u"Arduino Uno"_s);
    EXPECT_EQ(devices.MaxPin(), 19);
}

TEST(BoardModelStartTest, IndexOutsideTheListSelectsNoBoardAndKeepsMaxPin)
{
    for (int outside : {-1, 3}) {
        ActiveDevices devices;
        devices.setBoardTypeId(2);
        devices.setBoardTypeId(outside);
        EXPECT_EQ(devices.BoardTypeId(), -1);
        EXPECT_TRUE(devices.BoardName().isEmpty());
        EXPECT_TRUE(devices.BoardFamily().isEmpty());
        EXPECT_TRUE(devices.pinoutPictureName().isEmpty());
        EXPECT_EQ(devices.MaxPin(), 59);

        devices.setBoardTypeId(0);
        EXPECT_EQ(devices.MaxPin(), 19);
    }
}

} // namespace
