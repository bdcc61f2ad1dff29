#include "checks/CheckTestSupport.h"

#include "checks/PinOutputRule.h"
#include "checks/PinReadRule.h"
#include "checks/SharedPinRule.h"
#include "devices/DeviceTypes.h"

namespace {

using S = CheckScene;
using T = DeviceTypes;

// ---- a pin written before anything makes it an output ----------------------------

using PinOutput = RuleTable<PinOutputRule>;
TEST_P(PinOutput, Finds) { runRow(); }

const CheckCase kPinOutput[] = {
    {"BlinkWithoutConfiguringThePin",
     [](S &s) {
         s.start();
         auto *loop = s.loopForever();
         s.tag(u"write"_s, s.write(13, true, loop));
         s.wait(500, loop);
         s.write(13, false, loop);
         s.wait(500, loop);
     },
     {u"W pin-not-output @write"_s}},
    {"ConfiguredBeforeTheLoop",
     [](S &s) {
         s.start();
         s.configure(13);
         auto *loop = s.loopForever();
         s.write(13, true, loop);
         s.write(13, false, loop);
     },
     {}},
    {"ConfiguredInsideTheLoopBeforeUse",
     [](S &s) {
         s.start();
         auto *loop = s.loopForever();
         s.configure(13, true, loop);
         s.write(13, true, loop);
     },
     {}},
    {"ConfiguredOnlyAfterTheWrite",
     [](S &s) {
         s.start();
         s.tag(u"write"_s, s.write(13));
         s.configure(13);
     },
     {u"W pin-not-output @write"_s}},
    {"ConfiguredForInput",
     [](S &s) {
         s.start();
         s.configure(7, false);
         s.tag(u"write"_s, s.write(7));
     },
     {u"W pin-not-output @write"_s}},
    {"AnotherPinConfigured",
     [](S &s) {
         s.start();
         s.configure(12);
         s.tag(u"write"_s, s.write(13));
     },
     {u"W pin-not-output @write"_s}},
    {"SetAsOutputByALaser",
     [](S &s) {
         s.device(T::Laser, {13});
         s.start();
         s.write(13);
     },
     {}},
    {"OneFindingPerPinAtItsFirstWrite",
     [](S &s) {
         s.start();
         s.tag(u"first"_s, s.write(13));
         s.write(13, false);
         s.tag(u"other"_s, s.write(12));
     },
     {u"W pin-not-output @first"_s, u"W pin-not-output @other"_s}},
    {"ConfiguredOnlyByALooseBlock",
     [](S &s) {
         s.start();
         s.loose(u"Διαμόρφωσε το pin %p1 για έξοδο"_s, 13);
         s.tag(u"write"_s, s.write(13));
     },
     {u"W pin-not-output @write"_s}},
};
INSTANTIATE_TEST_SUITE_P(Rows, PinOutput, ::testing::ValuesIn(kPinOutput), checkCaseName);

// ---- a condition that reads an output ----------------------------------------------

using PinRead = RuleTable<PinReadRule>;
TEST_P(PinRead, Finds) { runRow(); }

const CheckCase kPinRead[] = {
    {"ReadsAPinConfiguredAsOutput",
     [](S &s) {
         s.start();
         s.configure(7);
         s.tag(u"read"_s, s.read(7));
     },
     {u"W pin-read-output @read"_s}},
    {"ReadsTheLaserPin",
     [](S &s) {
         s.device(T::Laser, {13});
         s.start();
         s.tag(u"read"_s, s.read(13));
     },
     {u"W pin-read-output @read"_s}},
    {"ReadsASwitch",
     [](S &s) {
         s.device(T::Switch, {2});
         s.start();
         s.read(2);
     },
     {}},
    {"ReadsAPinConfiguredAsInputAfterBeingAnOutput",
     [](S &s) {
         s.start();
         s.configure(7);
         s.configure(7, false);
         s.read(7);
     },
     {}},
    {"ReadsBeforeTheOutputIsConfigured",
     [](S &s) {
         s.start();
         s.read(7);
         s.configure(7);
     },
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, PinRead, ::testing::ValuesIn(kPinRead), checkCaseName);

// ---- one pin, one job ---------------------------------------------------------------

using SharedPin = RuleTable<SharedPinRule>;
TEST_P(SharedPin, Finds) { runRow(); }

const CheckCase kSharedPin[] = {
    {"TwoDevicesOnOnePin",
     [](S &s) {
         s.device(T::Laser, {7});
         s.device(T::Sound, {7});
     },
     {u"W pin-shared-devices Sound_1"_s}},
    {"TwoDevicesOnDifferentPins",
     [](S &s) {
         s.device(T::Laser, {7});
         s.device(T::Sound, {8});
     },
     {}},
    {"TriggerAndEchoOnOnePin", [](S &s) { s.device(T::UltraSonic, {6, 6}); }, {u"W pin-shared-devices USonic_0"_s}},
    {"ServoPinWrittenByAPinBlock",
     [](S &s) {
         s.device(T::Servo, {9});
         s.start();
         s.tag(u"write"_s, s.write(9));
     },
     {u"W pin-used-by-device @write"_s}},
    {"EchoPinRead",
     [](S &s) {
         s.device(T::UltraSonic, {6, 7});
         s.start();
         s.tag(u"read"_s, s.read(7));
     },
     {u"W pin-used-by-device @read"_s}},
    {"SwitchPinWritten",
     [](S &s) {
         s.device(T::Switch, {2});
         s.start();
         s.tag(u"configure"_s, s.configure(2));
         s.write(2);
     },
     {u"W pin-used-by-device @configure"_s}},
    {"LaserPinSwitchedByPinBlocks",
     [](S &s) {
         s.device(T::Laser, {13});
         s.start();
         s.configure(13);
         s.write(13);
         s.read(13);
     },
     {}},
    {"LaserPinMadeAnInput",
     [](S &s) {
         s.device(T::Laser, {13});
         s.start();
         s.tag(u"configure"_s, s.configure(13, false));
     },
     {u"W pin-used-by-device @configure"_s}},
    {"AnalogueSensorReadAsDigital",
     [](S &s) {
         s.device(T::ANIN, {0});  // channel 0 is A0, pin 14 of the Uno
         s.start();
         s.read(14);
     },
     {}},
    {"AnalogueSensorPinWritten",
     [](S &s) {
         s.device(T::ANIN, {0});
         s.start();
         s.tag(u"write"_s, s.write(14));
     },
     {u"W pin-used-by-device @write"_s}},
};
INSTANTIATE_TEST_SUITE_P(Rows, SharedPin, ::testing::ValuesIn(kSharedPin), checkCaseName);

// The texts name what the pupil has to change.
class PinTexts : public ProjectFixture {
protected:
    CheckScene scene{project, pb};
};

TEST_F(PinTexts, NameThePinAndTheBlockToAdd)
{
    scene.start();
    scene.write(13);
    scene.configure(12, false);
    scene.write(12);
    const CheckContext context(project.workspace(), project.devices(), project.variables());
    QList<Finding> found;
    PinOutputRule().check(context, found);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].label, u"Θέσε το pin 13 σε 1 (high=5 Volt)"_s);
    EXPECT_TRUE(found[0].text.startsWith(u"Το pin 13 δεν έχει διαμορφωθεί για έξοδο"_s)) << qPrintable(found[0].text);
    EXPECT_TRUE(found[0].text.contains(u"«Διαμόρφωσε το pin 13 για έξοδο»"_s)) << qPrintable(found[0].text);
    EXPECT_TRUE(found[1].text.contains(u"«Διαμόρφωσε το pin 12 για είσοδο» σε «Διαμόρφωσε το pin 12 για έξοδο»"_s))
        << qPrintable(found[1].text);
}

TEST_F(PinTexts, OneDeviceWithSeveralConnectionsOnOnePin)
{
    scene.device(T::ROBOT, {5, 5, 7, 8, 2, 0, 5});
    const CheckContext context(project.workspace(), project.devices(), project.variables());
    QList<Finding> found;
    SharedPinRule().check(context, found);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].text, u"Η συσκευή Robot_0 έχει τα IN1, IN2 και En1,2 στο pin 5. Κάθε σύνδεση χρειάζεται "
                             u"δικό της pin: άλλαξέ τα στη σελίδα της συσκευής."_s);
}

} // namespace
