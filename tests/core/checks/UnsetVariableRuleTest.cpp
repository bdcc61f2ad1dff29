#include "checks/CheckTestSupport.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "checks/UnsetVariableRule.h"

namespace {

using S = CheckScene;

// A "Βάλε τιμή" (or another variable command) writing the named variable, at the end
// of the main chain or of a loop's body.
TKeloBlock *assign(S &s, const QString &name, const QString &command = u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s,
                   TKeloContainerBlock *into = nullptr)
{
    auto *b = static_cast<TKeloCommandVarBlock *>(s.add(command, 1, into));
    b->VarComboChange(b->varCombo.indexOf(name));
    EXPECT_EQ(b->GetParam2Text(), name);
    return b;
}

// The variable read by a wait, at the end of the main chain or of a loop's body.
TKeloBlock *use(S &s, const QString &name, TKeloContainerBlock *into = nullptr)
{
    return s.variableInSlot1(s.wait(100, into), name);
}

using UnsetVariable = RuleTable<UnsetVariableRule>;
TEST_P(UnsetVariable, Finds) { runRow(); }

const CheckCase kUnsetVariable[] = {
    {"UsedAndSet",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         assign(s, u"Μετρητής"_s);
         use(s, u"Μετρητής"_s);
     },
     {}},
    {"UsedButNeverSet",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         s.tag(u"use"_s, use(s, u"Μετρητής"_s));
     },
     {u"W variable-never-set @use"_s}},
    {"SetButNeverUsed",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         assign(s, u"Μετρητής"_s);
     },
     {}},
    {"ChangedByAddingCountsAsSet",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         auto *loop = s.loopForever();
         use(s, u"Μετρητής"_s, loop);
         assign(s, u"Μετρητής"_s, u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s, loop);
     },
     {}},
    // Setting another variable does not help; each variable is told once, at its
    // first use, in the order the sketch runs.
    {"OncePerVariableAtItsFirstUse",
     [](S &s) {
         s.variable(u"Α"_s);
         s.variable(u"Β"_s);
         s.variable(u"Γ"_s);
         s.start();
         assign(s, u"Α"_s);
         auto *loop = s.loopForever();
         s.tag(u"firstC"_s, use(s, u"Γ"_s, loop));
         use(s, u"Α"_s, loop);
         s.tag(u"firstB"_s, use(s, u"Β"_s, loop));
         use(s, u"Γ"_s, loop);
         use(s, u"Β"_s, loop);
     },
     {u"W variable-never-set @firstC"_s, u"W variable-never-set @firstB"_s}},
    {"SetOnlyInABlockThatDoesNotRun",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         s.tag(u"use"_s, use(s, u"Μετρητής"_s));
         auto *set = static_cast<TKeloCommandVarBlock *>(s.loose(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s, 5));
         set->VarComboChange(0);
     },
     {u"W variable-never-set @use"_s}},
    {"UsedOnlyInABlockThatDoesNotRun",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         s.variableInSlot1(s.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s), u"Μετρητής"_s);
     },
     {}},
    {"DeletedVariableIsToldElsewhere",
     [](S &s) {
         s.variable(u"Μετρητής"_s);
         s.start();
         use(s, u"Μετρητής"_s);
         s.project().variables().DeleteVar(u"Μετρητής"_s);
     },
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, UnsetVariable, ::testing::ValuesIn(kUnsetVariable), checkCaseName);

} // namespace
