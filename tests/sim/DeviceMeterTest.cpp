#include "DeviceMeter.h"

#include "devices/DeviceTypes.h"

#include <gtest/gtest.h>

namespace {

using Kind = SimBoard::PinKind;

TActiveDevice dev(int type, std::array<int, 8> params)
{
    TActiveDevice d;
    d.DeviceTypeID = type;
    d.ActDevParams = params;
    return d;
}

// Pulses of a pin: (rise ms, width us), every period ms.
void pulses(DeviceMeter &m, int pin, double from, double widthUs, double periodMs, int n)
{
    for (int i = 0; i < n; ++i) {
        const double t = from + i * periodMs;
        m.pinChanged({t, pin, Kind::Level, 1});
        m.pinChanged({t + widthUs / 1000.0, pin, Kind::Level, 0});
    }
}

TEST(DeviceMeter, ServoArmFollowsThePulseWidth)
{
    DeviceMeter m({dev(DeviceTypes::Servo, {0, 9})});
    EXPECT_FALSE(m.servoDegrees(0)) << "no pulse yet: no angle";
    const struct {
        double widthUs, degrees;
    } cases[] = {{600, 0}, {1500, 90}, {2400, 180}, {300, 0}, {3000, 180}};
    double t = 0;
    for (const auto &c : cases) {
        pulses(m, 9, t, c.widthUs, 20, 3);
        t += 60;
        ASSERT_TRUE(m.servoDegrees(0));
        EXPECT_NEAR(*m.servoDegrees(0), c.degrees, 0.01) << c.widthUs << " us";
    }
}

TEST(DeviceMeter, BuzzerNoteFromItsEdgesAndSilenceAfter)
{
    DeviceMeter m({dev(DeviceTypes::Sound, {0, 8})});
    // 440 Hz: a rise every 2.2727 ms.
    pulses(m, 8, 100, 1136, 1000.0 / 440, 50);
    const double last = 100 + 49 * 1000.0 / 440;
    EXPECT_NEAR(m.frequencyHz(0, last + 1), 440, 0.5);
    EXPECT_EQ(m.frequencyHz(0, last + 50), 0) << "no edge for many periods: silent";
}

TEST(DeviceMeter, WheelsFromDirectionPinsAndSpeed)
{
    const struct {
        const char *name;
        int in1, in2, in3, in4, pwm;
        int left, right, motor;
    } cases[] = {
        {"both forward at speed 120", 1, 0, 1, 0, 120, 120, 120, 1},
        {"both backward at full speed", 0, 1, 0, 1, 255, -255, -255, -1},
        {"turning on the spot", 1, 0, 0, 1, 200, 200, -200, 1},
        {"stopped: both pins low", 0, 0, 0, 0, 200, 0, 0, 0},
        {"braked: both pins high", 1, 1, 1, 1, 200, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DeviceMeter m({dev(DeviceTypes::ROBOT, {0, 5, 6, 7, 8, 2, 1, 11}), dev(DeviceTypes::DCMOTOR, {0, 5, 6})});
        m.pinChanged({1, 5, Kind::Level, c.in1});
        m.pinChanged({1, 6, Kind::Level, c.in2});
        m.pinChanged({1, 7, Kind::Level, c.in3});
        m.pinChanged({1, 8, Kind::Level, c.in4});
        m.pinChanged({1, 11, Kind::Pwm, c.pwm});
        EXPECT_EQ(m.robotWheels(0), std::make_pair(c.left, c.right));
        EXPECT_EQ(m.motorDirection(1), c.motor);
        EXPECT_EQ(m.robotWheels(1), std::make_pair(0, 0)) << "a motor is not a robot";
    }
}

TEST(DeviceMeter, PinTableAndLed)
{
    DeviceMeter m({dev(DeviceTypes::Laser, {0, 12, 1})});
    m.pinChanged({0, 12, Kind::Mode, 1});
    m.pinChanged({1, 12, Kind::Level, 1});
    EXPECT_TRUE(m.lit(0));
    EXPECT_EQ(m.pins().at(12).mode, 1);
    m.pinChanged({2, 12, Kind::Level, 0});
    EXPECT_FALSE(m.lit(0));
    EXPECT_EQ(m.pins().at(12).pwm, -1);
}

} // namespace
