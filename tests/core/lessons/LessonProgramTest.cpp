#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"
#include "lessons/LessonProgram.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LessonProgramTest : public ::testing::Test {
protected:
    LessonProgramTest() : project(&measurer, &log, &prompt), pb(project) { project.buildPalette(); }

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project;
    ProgramBuilder pb;
};

TEST_F(LessonProgramTest, DrawsBodiesElseBranchesValuesDevicesAndVariables)
{
    const int button = project.devices().AddDevice(DeviceTypes::Switch, &prompt);
    project.devices().SetParam(button, 1, 2);
    project.variables().Newvar(u"Χρόνος"_s);

    TKeloBlock *start = pb.place(u"Έναρξη προγράμματος"_s);
    auto *set = static_cast<TKeloCommandVarBlock *>(pb.below(start, pb.place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s)));
    set->VarComboChange(0);
    set->SetParam1(500);
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(set, pb.place(u"Επανάλαβε συνεχώς"_s)));
    auto *pressed = static_cast<TKeloControlElseBlock *>(pb.intoBody(loop, pb.place(u"%pd → Εάν %p1 πατήθηκε ο διακόπτης"_s)));
    pressed->DeviceComboChange(0);
    pressed->CompareListChange(1);
    pb.intoBody(pressed, pb.place(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s))->SetParam1(13);
    pb.intoElse(pressed, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s))->SetVarParam1(pb.placeVariable(u"Χρόνος"_s));

    EXPECT_EQ(LessonProgram::html(project),
              u"<div class=\"program\">\n"
              u"  <div class=\"block start\">Έναρξη προγράμματος</div>\n"
              u"  <div class=\"block variable\">Βάλε τιμή <span class=\"param\">500</span> στην Μεταβλητή "
              u"<span class=\"devname\">Χρόνος</span></div>\n"
              u"  <div class=\"block loop\">Επανάλαβε συνεχώς</div>\n"
              u"  <div class=\"body loop\">\n"
              u"    <div class=\"block device\"><span class=\"devname\">Switch_0</span> → Εάν "
              u"<span class=\"param\">δεν</span> πατήθηκε ο διακόπτης</div>\n"
              u"    <div class=\"body device\">\n"
              u"      <div class=\"block various\">Θέσε το pin <span class=\"param\">13</span> σε 1 (high=5 Volt)</div>\n"
              u"    </div>\n"
              u"    <div class=\"block device\">Αλλιώς</div>\n"
              u"    <div class=\"body device\">\n"
              u"      <div class=\"block various\">Περίμενε <span class=\"value\">Χρόνος</span> χιλιοστά "
              u"δευτερολέπτου</div>\n"
              u"    </div>\n"
              u"    <div class=\"block device\">Τέλος Εάν</div>\n"
              u"  </div>\n"
              u"  <div class=\"block loop\">Τέλος Επανάληψης</div>\n"
              u"</div>\n"_s);
}

// Without "δεν" the condition reads as a sentence, with no empty box in it.
TEST_F(LessonProgramTest, AnEmptyChoiceLeavesNoGap)
{
    project.devices().AddDevice(DeviceTypes::Switch, &prompt);
    TKeloBlock *start = pb.place(u"Έναρξη προγράμματος"_s);
    auto *pressed = static_cast<TKeloControlElseBlock *>(pb.below(start, pb.place(u"%pd → Εάν %p1 πατήθηκε ο διακόπτης"_s)));
    pressed->DeviceComboChange(0);
    pressed->CompareListChange(0);
    EXPECT_TRUE(LessonProgram::html(project).contains(
        u"<div class=\"block device\"><span class=\"devname\">Switch_0</span> → Εάν πατήθηκε ο διακόπτης</div>"_s));
}

TEST_F(LessonProgramTest, NothingWithoutAStartBlock)
{
    pb.place(u"Επανάλαβε συνεχώς"_s);
    EXPECT_TRUE(LessonProgram::html(project).isEmpty());
}

} // namespace
