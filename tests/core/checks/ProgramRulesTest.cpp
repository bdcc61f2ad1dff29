#include "checks/CheckTestSupport.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "checks/LooseBlocksRule.h"
#include "checks/MissingDeviceRule.h"
#include "checks/MissingVariableRule.h"
#include "checks/NegativeWaitRule.h"
#include "devices/DeviceTypes.h"

namespace {

using S = CheckScene;
using T = DeviceTypes;

// ---- device blocks without their device ---------------------------------------------

using MissingDevice = RuleTable<MissingDeviceRule>;
TEST_P(MissingDevice, Finds) { runRow(); }

const CheckCase kMissingDevice[] = {
    {"ServoBlockWithoutAServo",
     [](S &s) {
         s.start();
         s.tag(u"servo"_s, s.add(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s));
     },
     {u"E missing-device @servo"_s}},
    {"ServoRemovedAfterItsBlockChoseIt",
     [](S &s) {
         s.device(T::Servo, {9});
         s.start();
         s.tag(u"servo"_s, s.deviceBlock(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s));
         s.project().devices().KillDevice(0);
     },
     {u"E missing-device @servo"_s}},
    {"LaserBlocksCompileWithoutTheirLaser",
     [](S &s) {
         s.start();
         s.tag(u"on"_s, s.add(u"%pd → Ενεργοποίησε το Laser/LED "_s));
         s.add(u"%pd → Απενεργοποίησε το Laser/LED "_s);
     },
     {u"W missing-device @on"_s}},
    {"LcdBlockWithItsLcd",
     [](S &s) {
         s.device(T::LCD_Serial);
         s.start();
         s.add(u"Καθάρισε την LCD"_s);
     },
     {}},
    {"TemperatureInASlotWithoutTheSensor",
     [](S &s) {
         s.variable(u"Χ"_s);
         s.start();
         TKeloBlock *set = s.add(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s);
         TKeloBlock *value = s.loose(u"%pd → Θερμοκρασία"_s);
         set->SetVarParam1(value);
         s.tag(u"temperature"_s, value);
     },
     {u"E missing-device @temperature"_s}},
    {"BlocksOffTheProgram",
     [](S &s) {
         s.start();
         s.loose(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s);
     },
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, MissingDevice, ::testing::ValuesIn(kMissingDevice), checkCaseName);

// ---- variable blocks without their variable -------------------------------------------

using MissingVariable = RuleTable<MissingVariableRule>;
TEST_P(MissingVariable, Finds) { runRow(); }

TKeloBlock *setFirstVariable(S &s)
{
    auto *set = static_cast<TKeloCommandVarBlock *>(s.add(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s, 7));
    set->VarComboChange(0);
    return set;
}

const CheckCase kMissingVariable[] = {
    {"SetWithoutAnyVariable",
     [](S &s) {
         s.start();
         s.tag(u"set"_s, setFirstVariable(s));
     },
     {u"E missing-variable @set"_s}},
    {"SetWithItsVariable",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         setFirstVariable(s);
     },
     {}},
    {"VariableDeletedAfterItWasChosen",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         s.tag(u"set"_s, setFirstVariable(s));
         s.project().variables().DeleteVar(u"Μετρητής"_s);
     },
     {u"E missing-variable @set"_s}},
    {"ValueBlockOfADeletedVariable",
     [](S &s) {
         s.variable(u"Χ"_s);
         s.start();
         s.tag(u"value"_s, s.variableInSlot1(s.wait(100), u"Χ"_s));
         s.project().variables().DeleteVar(u"Χ"_s);
     },
     {u"E missing-variable @value"_s}},
};
INSTANTIATE_TEST_SUITE_P(Rows, MissingVariable, ::testing::ValuesIn(kMissingVariable), checkCaseName);

// The panel names a variable block by what it shows: the chosen variable, or none.
class VariableBlockLabel : public ProjectFixture {
protected:
    CheckScene scene{project, pb};
};

TEST_F(VariableBlockLabel, ShowsTheChosenVariable)
{
    scene.variable(u"Μετρητής"_s);
    scene.start();
    TKeloBlock *chosen = setFirstVariable(scene);
    TKeloBlock *none = scene.add(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s, 1);
    EXPECT_EQ(Finding::aboutBlock(Finding::Severity::Error, {}, chosen, {}).label,
              u"Βάλε τιμή 7 στην Μεταβλητή Μετρητής"_s);
    EXPECT_EQ(Finding::aboutBlock(Finding::Severity::Error, {}, none, {}).label, u"Άλλαξε κατά 1 την Μεταβλητή"_s);
}

// ---- negative waits ---------------------------------------------------------------------

using NegativeWait = RuleTable<NegativeWaitRule>;
TEST_P(NegativeWait, Finds) { runRow(); }

const CheckCase kNegativeWait[] = {
    {"NegativeWait",
     [](S &s) {
         s.start();
         s.wait(0);
         s.tag(u"wait"_s, s.wait(-500));
         s.wait(1000);
     },
     {u"W negative-wait @wait"_s}},
    {"WaitFromAVariable",
     [](S &s) {
         s.variable(u"Χ"_s);
         s.start();
         s.variableInSlot1(s.wait(-5), u"Χ"_s);
     },
     {}},
    {"RobotTimedTurnOfNegativeTime",
     [](S &s) {
         s.device(T::ROBOT, {4, 5, 7, 8, 2, 0, 11});
         s.start();
         TKeloBlock *turn = s.deviceBlock(u"%pd → Στροφή Δεξιά για %p2 χιλ. δευτερολέπτου"_s);
         turn->SetParam2(-300);
         s.tag(u"turn"_s, turn);
     },
     {u"W negative-wait @turn"_s}},
    {"LooseNegativeWait",
     [](S &s) {
         s.start();
         s.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, -1);
     },
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, NegativeWait, ::testing::ValuesIn(kNegativeWait), checkCaseName);

// ---- blocks that do not run ---------------------------------------------------------------

using LooseBlocks = RuleTable<LooseBlocksRule>;
TEST_P(LooseBlocks, Finds) { runRow(); }

const CheckCase kLooseBlocks[] = {
    {"ALooseBlock",
     [](S &s) {
         s.start();
         s.wait(100);
         s.tag(u"loose"_s, s.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
     },
     {u"W loose-blocks @loose"_s}},
    {"ALooseChainOnce",
     [](S &s) {
         s.start();
         TKeloBlock *head = s.tag(u"head"_s, s.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
         s.builder().below(head, s.loose(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s));
     },
     {u"W loose-blocks @head"_s}},
    {"ALooseLoopWithItsBody",
     [](S &s) {
         s.start();
         auto *loop = static_cast<TKeloContainerBlock *>(s.tag(u"loop"_s, s.loose(u"Επανάλαβε συνεχώς"_s)));
         s.wait(100, loop);
     },
     {u"W loose-blocks @loop"_s}},
    {"ASecondStartBlock",
     [](S &s) {
         s.start();
         s.tag(u"second"_s, s.loose(u"Έναρξη προγράμματος"_s));
     },
     {u"W loose-blocks @second"_s}},
    {"AValueBlockLeftOnTheCanvas",
     [](S &s) {
         s.variable(u"Χ"_s);
         s.start();
         s.tag(u"value"_s, s.builder().placeVariable(u"Χ"_s));
     },
     {u"W loose-blocks @value"_s}},
    {"EverythingConnected",
     [](S &s) {
         s.start();
         auto *loop = s.loopForever();
         auto *c = s.read(2, loop);
         s.write(13, true, c);
         s.builder().intoElse(c, s.loose(u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s, 13));
         s.read(3, loop);  // a condition without its else branch
         s.add(u"Τερματισμός προγράμματος"_s);
     },
     {}},
    {"NoStartBlockIsToldElsewhere", [](S &s) { s.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s); }, {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, LooseBlocks, ::testing::ValuesIn(kLooseBlocks), checkCaseName);

} // namespace
