#include "checks/CheckTestSupport.h"

#include "checks/BoardPinRule.h"
#include "checks/I2cPinRule.h"
#include "checks/PinCapabilityRule.h"
#include "checks/ServoTimerRule.h"
#include "devices/DeviceTypes.h"

namespace {

using S = CheckScene;
using T = DeviceTypes;
constexpr int Uno = 0, Nano = 1, Mega = 2;

// ---- pins the board has, and the USB pins -------------------------------------------

using BoardPin = RuleTable<BoardPinRule>;
TEST_P(BoardPin, Finds) { runRow(); }

const CheckCase kBoardPin[] = {
    {"MegaPinOnAnUno",
     [](S &s) {
         s.start();
         s.tag(u"write"_s, s.write(30));
     },
     {u"W pin-missing @write"_s}},
    {"FreshPinConditionOnAnUno",
     [](S &s) {
         s.start();
         s.tag(u"if"_s, s.add(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s));  // pin 55 as it comes
     },
     {u"W pin-missing @if"_s}},
    {"TheSamePinsOnAMega",
     [](S &s) {
         s.board(Mega);
         s.start();
         s.write(30);
         s.add(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s);
     },
     {}},
    {"AnaloguePinsByNumberOnAnUno",
     [](S &s) {
         s.start();
         s.write(14);
         s.write(19);
     },
     {}},
    {"A6OfTheNanoIsNoDigitalPin",
     [](S &s) {
         s.board(Nano);
         s.start();
         s.tag(u"write"_s, s.write(20));
     },
     {u"W pin-missing @write"_s}},
    {"UsbPinsByBlocksOnceEach",
     [](S &s) {
         s.start();
         s.tag(u"zero"_s, s.write(0));
         s.write(0, false);
         s.tag(u"one"_s, s.configure(1));
     },
     {u"W usb-pin @zero"_s, u"W usb-pin @one"_s}},
    {"PinInAValueBlockIsKnownOnlyWhenRunning",
     [](S &s) {
         s.variable(u"Χ"_s);
         s.start();
         s.variableInSlot1(s.write(0), u"Χ"_s);
     },
     {}},
    {"FreshLaserOnPinZero", [](S &s) { s.device(T::Laser); }, {u"W usb-pin LaserLED_0"_s}},
    {"FreshRobotOnceForAllItsPins", [](S &s) { s.device(T::ROBOT); }, {u"W usb-pin Robot_0"_s}},
    {"DeviceOnAPinTheBoardLacks", [](S &s) { s.device(T::Laser, {25}); }, {u"E pin-missing LaserLED_0"_s}},
    {"AnalogueSensorOnADigitalPin", [](S &s) { s.device(T::ANIN, {7}); }, {u"W analogue-pin AnalogIn_0"_s}},
    {"AnalogueSensorsByChannelAndByPin",
     [](S &s) {
         s.device(T::ANIN, {3});
         s.device(T::ANIN, {16});
     },
     {}},
    {"A6OfTheNanoIsAnAnalogueInput",
     [](S &s) {
         s.board(Nano);
         s.device(T::ANIN, {20});
     },
     {}},
    {"TheUnoHasNoA6", [](S &s) { s.device(T::ANIN, {20}); }, {u"W analogue-pin AnalogIn_0"_s}},
};
INSTANTIATE_TEST_SUITE_P(Rows, BoardPin, ::testing::ValuesIn(kBoardPin), checkCaseName);

// A device's pin outlives a switch to a smaller board: the checks say what is wrong
// while the Uno is chosen, and nothing once the Mega is chosen again.
using BoardSwitchPin = RuleTable<BoardPinRule>;
TEST_F(BoardSwitchPin, IsAnErrorOnTheSmallerBoardAndGoodAgainOnTheBigOne)
{
    scene.board(Mega);
    const QString servo = scene.device(T::Servo, {40});
    EXPECT_TRUE(findings().isEmpty());

    scene.board(Uno);
    const QList<Finding> onUno = findings();
    ASSERT_EQ(onUno.size(), 1);
    EXPECT_TRUE(onUno.first().isError());
    EXPECT_EQ(onUno.first().name, servo);
    EXPECT_TRUE(onUno.first().text.startsWith(u"Το pin 40 δεν υπάρχει στο Arduino Uno: η συσκευή Servo_0"_s))
        << qPrintable(onUno.first().text);
    EXPECT_TRUE(onUno.first().text.contains(u"Arduino Mega"_s));

    scene.board(Mega);
    EXPECT_TRUE(findings().isEmpty());
    EXPECT_EQ(project.devices().device(0).ActDevParams[1], 40);
}

// ---- the I2C bus ----------------------------------------------------------------------

using I2cPin = RuleTable<I2cPinRule>;
TEST_P(I2cPin, Finds) { runRow(); }

const CheckCase kI2cPin[] = {
    {"PinBlockOnA4WithTheLcd",
     [](S &s) {
         s.device(T::LCD_Serial);
         s.start();
         s.tag(u"write"_s, s.write(18));
         s.write(18, false);
     },
     {u"W i2c-pin @write"_s}},
    {"A4WithoutAnI2cDevice",
     [](S &s) {
         s.start();
         s.write(18);
     },
     {}},
    {"TheMegaBusIs20And21",
     [](S &s) {
         s.board(Mega);
         s.device(T::BMP);
         s.start();
         s.write(18);
         s.tag(u"read"_s, s.read(21));
     },
     {u"W i2c-pin @read"_s}},
    {"TheRobotsGyroscope",
     [](S &s) {
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 1, 11});
         s.start();
         s.tag(u"write"_s, s.write(19));
     },
     {u"W i2c-pin @write"_s}},
    {"ARobotWithoutGyroscope",
     [](S &s) {
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 11});
         s.start();
         s.write(19);
     },
     {}},
    {"ALaserOnTheBus",
     [](S &s) {
         s.device(T::LCD_Serial);
         s.device(T::Laser, {18});
     },
     {u"W i2c-pin LaserLED_1"_s}},
};
INSTANTIATE_TEST_SUITE_P(Rows, I2cPin, ::testing::ValuesIn(kI2cPin), checkCaseName);

// ---- the servo's timer takes PWM ------------------------------------------------------

using ServoTimer = RuleTable<ServoTimerRule>;
TEST_P(ServoTimer, Finds) { runRow(); }

const CheckCase kServoTimer[] = {
    {"RobotSpeedOnPin10WithAServo",
     [](S &s) {
         s.device(T::Servo, {3});
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 10});
     },
     {u"W servo-pwm Robot_1"_s}},
    {"RobotSpeedOnPin10WithoutServo", [](S &s) { s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 10}); }, {}},
    {"RobotSpeedOnAnotherPwmPin",
     [](S &s) {
         s.device(T::Servo, {9});
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 11});
     },
     {}},
    {"MegaTimerPins",
     [](S &s) {
         s.board(Mega);
         s.device(T::Servo, {3});
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 12});
     },
     {u"W servo-pwm Robot_1"_s}},
    {"Pin10IsFreeOnAMega",
     [](S &s) {
         s.board(Mega);
         s.device(T::Servo, {3});
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 10});
     },
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, ServoTimer, ::testing::ValuesIn(kServoTimer), checkCaseName);

// ---- PWM and interrupt pins -----------------------------------------------------------

using PinCapability = RuleTable<PinCapabilityRule>;
TEST_P(PinCapability, Finds) { runRow(); }

const CheckCase kPinCapability[] = {
    {"SpeedOnAPinWithoutPwm", [](S &s) { s.device(T::ROBOT, {4, 5, 8, 12, 2, 0, 7}); }, {u"W pwm-pin Robot_0"_s}},
    {"SpeedOnAPwmPin", [](S &s) { s.device(T::ROBOT, {4, 5, 8, 12, 2, 0, 6}); }, {}},
    {"PhotoInterrupterOnAPinWithoutInterrupt",
     [](S &s) { s.device(T::ROBOT, {4, 5, 8, 12, 7, 0, 6}); },
     {u"W interrupt-pin Robot_0"_s}},
    {"NoPhotoInterrupter", [](S &s) { s.device(T::ROBOT, {4, 5, 8, 12, 0, 0, 6}); }, {}},
    {"MegaInterruptAndPwmPins",
     [](S &s) {
         s.board(Mega);
         s.device(T::ROBOT, {4, 5, 8, 22, 18, 0, 44});
     },
     {}},
    {"UsbPinsAreTheBoardRulesConcern", [](S &s) { s.device(T::ROBOT, {4, 5, 8, 12, 1, 0, 0}); }, {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, PinCapability, ::testing::ValuesIn(kPinCapability), checkCaseName);

TEST(BoardPins, SentencesForThePupil)
{
    EXPECT_EQ(BoardPins(Uno).pinRange(), u"0 έως 19 (τα A0–A5 είναι τα 14–19)"_s);
    EXPECT_EQ(BoardPins(Nano).pinRange(), u"0 έως 19 (τα A0–A5 είναι τα 14–19)· τα A6 και A7 είναι μόνο αναλογικές "
                                          u"είσοδοι"_s);
    EXPECT_EQ(BoardPins(Mega).pinRange(), u"0 έως 69 (τα A0–A15 είναι τα 54–69)"_s);
    EXPECT_EQ(BoardPins(Mega).analogRange(), u"A0–A15 (54–69 ή 0–15)"_s);
    EXPECT_EQ(BoardPins(Uno).pinName(18), u"18 (A4)"_s);
    EXPECT_EQ(BoardPins(Mega).label(20), u"20"_s);
    EXPECT_EQ(BoardPins(Mega).label(54), u"A0"_s);
    EXPECT_EQ(BoardPins::choosePins(BoardPins(Mega).pwmPins()), u"2–13 ή 44–46"_s);
    EXPECT_EQ(BoardPins::choosePins({11, 3, 5, 6}), u"3, 5, 6 ή 11"_s);
    EXPECT_EQ(BoardPins::choosePins({2, 3}), u"2 ή 3"_s);
    // No board chosen builds for the Uno.
    EXPECT_EQ(BoardPins(-1).boardName(), u"Arduino Uno"_s);
}

} // namespace
