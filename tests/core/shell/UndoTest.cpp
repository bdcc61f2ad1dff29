// Undo and redo over the project's three files: every kind of change comes back
// byte for byte, a long random mix of changes, undos and redos always agrees with a
// plain list of the states it went through, and no step changes nothing.
#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"
#include "project/ProjectSnapshot.h"
#include "shell/ProjectSession.h"
#include "variables/TArduVariables.h"
#include "variables/VariablePrototypes.h"

#include <QCoreApplication>

#include <functional>
#include <random>

namespace {

// A program with a bit of everything: a loop with a wait, a condition with its else
// branch off, a variable, a LED and a servo.
class UndoFixture : public ProjectFixture {
public:
    using ProjectFixture::pb;
    using ProjectFixture::project;
    using ProjectFixture::prompt;
    using ProjectFixture::wait;
    using ProjectFixture::ws;

    UndoFixture()
    {
        start = place(u"Έναρξη προγράμματος"_s);
        loop = dynamic_cast<TKeloContainerBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
        pb.below(start, loop);
        waitBlock = pb.intoBody(loop, wait(500));
        condition = dynamic_cast<TKeloControlElseBlock *>(place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s));
        if (condition)
            pb.after(loop, condition);
        VariablePrototypes::add(ws(), project.variables(), u"Μετρητής"_s, true);
        project.devices().AddDevice(DeviceTypes::Laser, std::array<int, 8>{0, 13, 1}, &prompt);
        project.devices().AddDevice(DeviceTypes::Servo, std::array<int, 8>{0, 9}, &prompt);
        session = std::make_unique<ProjectSession>(project, &prompt);
    }
    ProjectSnapshot now() const { return ProjectSnapshot::take(project); }

    TKeloBlock *start = nullptr;
    TKeloContainerBlock *loop = nullptr;
    TKeloBlock *waitBlock = nullptr;
    TKeloControlElseBlock *condition = nullptr;
    std::unique_ptr<ProjectSession> session;
};

struct ChangeCase {
    const char *name;
    // Makes the change on the fixture's project; the window then tells the session
    // (variables and devices tell it themselves).
    std::function<void(UndoFixture &)> apply;
};

void PrintTo(const ChangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class UndoEveryChange : public UndoFixture, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(UndoEveryChange, ComesBackByteForByteAndGoesForwardAgain)
{
    UndoFixture &f = *this;
    ASSERT_NE(f.condition, nullptr);
    const ProjectSnapshot before = ProjectSnapshot::take(f.project);
    GetParam().apply(f);
    f.session->markModified();
    const ProjectSnapshot after = ProjectSnapshot::take(f.project);
    ASSERT_FALSE(after == before) << "the change changed nothing";
    EXPECT_TRUE(f.session->isModified());

    ASSERT_TRUE(f.session->undo());
    EXPECT_EQ(ProjectSnapshot::take(f.project).program, before.program);
    EXPECT_EQ(ProjectSnapshot::take(f.project).devices, before.devices);
    EXPECT_EQ(ProjectSnapshot::take(f.project).variables, before.variables);
    EXPECT_FALSE(f.session->isModified()) << "back where it was opened";
    EXPECT_FALSE(f.session->canUndo());

    ASSERT_TRUE(f.session->redo());
    EXPECT_EQ(ProjectSnapshot::take(f.project).program, after.program);
    EXPECT_EQ(ProjectSnapshot::take(f.project).devices, after.devices);
    EXPECT_EQ(ProjectSnapshot::take(f.project).variables, after.variables);
    EXPECT_TRUE(f.session->isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UndoEveryChange,
    ::testing::Values(
        ChangeCase{"BlockMovedIntoTheChain", [](UndoFixture &f) { f.pb.below(f.start, f.wait(250)); }},
        ChangeCase{"ChainOntoTheTrash", [](UndoFixture &f) { f.ws().destroyBlock(f.loop); }},
        ChangeCase{"NumberTyped", [](UndoFixture &f) { f.waitBlock->SetParam1(1234); }},
        ChangeCase{"ElseTicked", [](UndoFixture &f) { f.condition->ElsebutClick(true, &f.prompt); }},
        ChangeCase{"VariableAdded",
                   [](UndoFixture &f) { VariablePrototypes::add(f.ws(), f.project.variables(), u"Θέση"_s, true); }},
        ChangeCase{"VariableDeleted",
                   [](UndoFixture &f) {
                       for (TKeloBlock *b : f.ws().components())
                           if (auto *v = dynamic_cast<TKeloVarBlock *>(b); v && v->hasDeleteBox())
                               v->SetToDelete(true);
                       VariablePrototypes::deleteTicked(f.ws(), f.project.variables());
                   }},
        ChangeCase{"DeviceAdded",
                   [](UndoFixture &f) { f.project.devices().AddDevice(DeviceTypes::Sound, &f.prompt); }},
        ChangeCase{"DeviceRemoved", [](UndoFixture &f) { f.project.devices().KillDevice(0); }},
        ChangeCase{"DevicePinChanged", [](UndoFixture &f) { f.project.devices().SetParam(1, 1, 10); }},
        ChangeCase{"BoardChosen", [](UndoFixture &f) { f.project.devices().setBoardTypeId(2); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UndoHistory, TypingIntoOneFieldIsOneStep)
{
    UndoHistory h;
    h.reset(ProjectSnapshot{"a", {}, {}});
    h.record(ProjectSnapshot{"a1", {}, {}}, u"edit w 1"_s);
    h.record(ProjectSnapshot{"a12", {}, {}}, u"edit w 1"_s);
    h.record(ProjectSnapshot{"a12", {}, {}});  // the same state: no step
    h.record(ProjectSnapshot{"b", {}, {}}, u"edit w 2"_s);
    EXPECT_EQ(h.undo()->program, QByteArray("a12"));
    EXPECT_EQ(h.undo()->program, QByteArray("a"));
    EXPECT_FALSE(h.canUndo());
    EXPECT_TRUE(h.atSavedState());
}

TEST(UndoHistory, TypingBackToWhereTheStepBeganTakesTheStepAway)
{
    UndoHistory h;
    h.reset(ProjectSnapshot{"a", {}, {}});
    h.record(ProjectSnapshot{"a5", {}, {}}, u"edit w 1"_s);
    h.record(ProjectSnapshot{"a50", {}, {}}, u"edit w 1"_s);
    ASSERT_FALSE(h.atSavedState());
    h.record(ProjectSnapshot{"a", {}, {}}, u"edit w 1"_s);  // the field's own undo
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
    EXPECT_TRUE(h.atSavedState()) << "back at the saved state, the project is unchanged";
}

TEST(UndoHistory, KeepsItsDepthAndStaysSmall)
{
    UndoHistory h(100);
    // A 1,000-block program text is about a megabyte.
    QByteArray program(1'000'000, 'x');
    h.reset(ProjectSnapshot{program, {}, {}});
    for (int i = 0; i < 150; ++i) {
        program[i * 997 % program.size()] = char('a' + i % 26);
        h.record(ProjectSnapshot{program, QByteArray::number(i), {}});
    }
    int steps = 0;
    while (h.undo())
        ++steps;
    EXPECT_EQ(steps, 100);
    EXPECT_LT(h.memoryUse(), 50 * 1024 * 1024);
}

// The window's event loop: what is reported while one gesture is handled becomes a
// step once it is over, which these tests say with commitChanges as the loop would.
struct EventLoop {
    int argc = 1;
    char name[11] = "core_tests";
    char *argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

class UndoInTheEventLoop : public EventLoop, public UndoFixture {};

TEST_F(UndoInTheEventLoop, AnUndoInsideANumberFieldLeavesNoEmptyStep)
{
    const ProjectSnapshot opened = now();
    pb.below(start, wait(250));
    session->markModified();
    session->commitChanges();
    const ProjectSnapshot placed = now();

    // 5 and 0 typed over the 500 of the loop's wait, then the field's own Ctrl+Z
    // brings the 500 back, as the block's number field reports each of them.
    const QString field = u"edit %1 1"_s.arg(waitBlock->Name());
    for (int shown : {5, 50, 500}) {
        waitBlock->storeParam1(shown);
        session->markModified(field);
        session->commitChanges();
    }
    ASSERT_TRUE(now() == placed);
    EXPECT_TRUE(session->canUndo());
    EXPECT_FALSE(session->canRedo());

    // The next Ctrl+Z, on the canvas, takes the placed wait away at once.
    ASSERT_TRUE(session->undo());
    EXPECT_TRUE(now() == opened);
    EXPECT_FALSE(session->canUndo());
    EXPECT_TRUE(session->canRedo());
    // A click that changes nothing, in the field or on the canvas, keeps the redo.
    session->markModified(field);
    session->markModified();
    session->commitChanges();
    EXPECT_FALSE(session->canUndo());
    EXPECT_TRUE(session->canRedo());
    ASSERT_TRUE(session->redo());
    EXPECT_TRUE(now() == placed);
    EXPECT_FALSE(session->canRedo());
}

TEST_F(UndoInTheEventLoop, ScrollingTheCanvasIsNoStep)
{
    pb.below(start, wait(250));
    session->markModified();
    session->commitChanges();
    ASSERT_TRUE(session->undo());
    ASSERT_TRUE(session->canRedo());

    ws().scrollCanvasTo(0, 300);
    const int startTop = ws().findStartBlock()->Top();
    session->markModified();  // a click that changes nothing
    session->commitChanges();
    EXPECT_FALSE(session->canUndo());
    EXPECT_TRUE(session->canRedo());

    // Redo brings the wait back and leaves the canvas scrolled where it is.
    ASSERT_TRUE(session->redo());
    EXPECT_EQ(ws().canvas().scrollY, 300);
    EXPECT_EQ(ws().findStartBlock()->Top(), startTop);
    EXPECT_EQ(ws().findStartBlock()->GetLinkTo()->GetParam1(), 250);
}

// The servo on pin 40 of a Mega.
class BoardSwitch : public UndoInTheEventLoop {
protected:
    BoardSwitch()
    {
        devices().setBoardTypeId(2);
        devices().SetParam(servo, 1, 40);
        session->commitChanges();
    }
    ActiveDevices &devices() { return project.devices(); }
    int pin() { return devices().device(servo).ActDevParams[1]; }
    // A board chosen on the board page, in one handling.
    void choose(int board)
    {
        devices().setBoardTypeId(board);
        session->commitChanges();
    }

    const int servo = 1;
};

TEST_F(BoardSwitch, KeepsThePinAndIsOneStepEachWay)
{
    choose(0);
    EXPECT_EQ(pin(), 40) << "the Uno lacks pin 40, and the pin is kept";
    choose(2);
    EXPECT_EQ(pin(), 40);

    ASSERT_TRUE(session->undo());
    EXPECT_EQ(devices().BoardTypeId(), 0);
    ASSERT_TRUE(session->undo());
    EXPECT_EQ(devices().BoardTypeId(), 2);
    EXPECT_EQ(pin(), 40);
    ASSERT_TRUE(session->redo());
    EXPECT_EQ(devices().BoardTypeId(), 0);
    EXPECT_EQ(pin(), 40);
}

class UndoMix : public UndoFixture {};

TEST_F(UndoMix, ARandomMixAgreesWithThePlainListOfStates)
{
    UndoFixture &f = *this;
    std::mt19937 rng(20261210);
    std::vector<ProjectSnapshot> states{f.now()};
    std::size_t at = 0;
    int nextMs = 10;
    for (int step = 0; step < 300; ++step) {
        switch (rng() % 5) {
        case 0:
        case 1: {
            // A change: a new wait below the start block, or a different number. Undo
            // builds the blocks anew, so the start block is looked up each time.
            TKeloBlock *startBlock = f.ws().findStartBlock();
            ASSERT_NE(startBlock, nullptr);
            if (rng() % 2)
                f.pb.below(startBlock, f.wait(nextMs++));
            else if (TKeloBlock *first = startBlock->firstBlock())
                first->SetParam1(nextMs++);
            f.session->markModified();
            const ProjectSnapshot s = f.now();
            if (!(s == states[at])) {
                states.resize(at + 1);
                states.push_back(s);
                at = states.size() - 1;
            }
            break;
        }
        case 2:
        case 3:
            if (f.session->undo())
                --at;
            else
                ASSERT_EQ(at, 0u);
            break;
        default:
            if (f.session->redo())
                ++at;
            else
                ASSERT_EQ(at, states.size() - 1);
            break;
        }
        ASSERT_TRUE(f.now() == states[at]) << "step " << step;
    }
}

} // namespace
