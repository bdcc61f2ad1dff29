// The simulation with the real firmware image in simavr, through the command line's
// entry point: what a teacher's command gives.
#include "SimCommand.h"
#include "Simulation.h"

#include "blocks/TKeloBlock.h"
#include "blocks/Workspace.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

extern "C" {
#include "sim_bmp180.h"
}

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A project with the palette built, as the window has it.
struct ScratchProject {
    ScratchProject() { project.buildPalette(); }
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project{&measurer, &log, &prompt};
};

struct SimRun {
    int code;
    QString out, err;
};

SimRun sim(const QStringList &args)
{
    QByteArray out, err;
    const int code = SimCommand::run(args, {QStringLiteral(FIRMWARE_DIR)}, out, err);
    return {code, QString::fromUtf8(out), QString::fromUtf8(err)};
}

QString example(const QString &path)
{
    return QStringLiteral(EXAMPLES_DIR) + u'/' + path;
}

// The changes of one pin as (ms, level).
std::vector<std::pair<double, int>> changesOf(const QString &out, int pin)
{
    std::vector<std::pair<double, int>> r;
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList w = line.split(u' ');
        if (w.size() == 3 && w[1].toInt() == pin)
            r.emplace_back(w[0].toDouble(), w[2].toInt());
    }
    return r;
}

TEST(Simulation, BlinkTogglesPin13EveryHalfSecond)
{
    const SimRun r = sim({example(u"blink/blink.vzl"_s), u"--seconds"_s, u"2.2"_s});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const auto c = changesOf(r.out, 13);
    ASSERT_EQ(c.size(), 5u) << r.out.toStdString();
    for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_NEAR(c[i].first, 500.0 * double(i), 1.0) << "change " << i;
        EXPECT_EQ(c[i].second, i % 2 == 0 ? 1 : 0);
    }
}

TEST(Simulation, InputsSetOnTheCommandLineReachTheProgram)
{
    // The lessons light pin 13 for a pressed button, and for an obstacle nearer than
    // 20 cm.
    const struct {
        const char *name;
        QString project, setting;
        int pin13;
    } cases[] = {
        {"button pressed", u"lessons/button/button.vzl"_s, u"Switch_0=1"_s, 1},
        {"button let go", u"lessons/button/button.vzl"_s, u"Switch_0=0"_s, 0},
        {"obstacle at 10 cm", u"lessons/ultrasonic/ultrasonic.vzl"_s, u"USonic_0=10"_s, 1},
        {"obstacle at 150 cm", u"lessons/ultrasonic/ultrasonic.vzl"_s, u"USonic_0=150"_s, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SimRun r = sim({example(c.project), u"--seconds"_s, u"0.5"_s, u"--set"_s, c.setting});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const auto changes = changesOf(r.out, 13);
        EXPECT_EQ(changes.empty() ? 0 : changes.back().second, c.pin13) << r.out.toStdString();
    }
}

TEST(Simulation, BadArgumentsAreToldInGreek)
{
    const QString blink = example(u"blink/blink.vzl"_s), sonar = example(u"lessons/ultrasonic/ultrasonic.vzl"_s);
    const struct {
        const char *name;
        QStringList args;
        QString said;
    } cases[] = {
        {"no project", {u"--seconds"_s, u"1"_s}, u"Λείπει το έργο"_s},
        {"no seconds", {blink}, u"Λείπει το --seconds"_s},
        {"seconds not a number", {blink, u"--seconds"_s, u"ένα"_s}, u"Το --seconds θέλει"_s},
        {"missing project file", {u"/nowhere/x.vzl"_s, u"--seconds"_s, u"1"_s}, u"Δεν υπάρχει το έργο"_s},
        {"unknown option", {blink, u"--seconds"_s, u"1"_s, u"--fast"_s}, u"Άγνωστο όρισμα «--fast»"_s},
        {"unknown device", {sonar, u"--seconds"_s, u"1"_s, u"--set"_s, u"Sonar=3"_s}, u"Συσκευές του έργου: USonic_0"_s},
        {"no value", {sonar, u"--seconds"_s, u"1"_s, u"--set"_s, u"USonic_0"_s}, u"ΣΥΣΚΕΥΗ=ΤΙΜΗ"_s},
        {"negative distance", {sonar, u"--seconds"_s, u"1"_s, u"--set"_s, u"USonic_0=-4"_s}, u"δεν ταιριάζει"_s},
        {"a device without inputs", {example(u"lessons/laser/laser.vzl"_s), u"--seconds"_s, u"1"_s, u"--set"_s, u"LaserLED_0=1"_s},
         u"δεν δέχεται τιμή"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SimRun r = sim(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// A program of many blocks: more than the Uno's firmware has room for.
void writeLongProgram(const QString &file, int boardTypeId)
{
    ScratchProject scratch;
    Project &project = scratch.project;
    project.devices().setBoardTypeId(boardTypeId);
    ProgramBuilder pb(project);
    TKeloBlock *last = pb.place(u"Έναρξη προγράμματος"_s);
    last = pb.below(last, pb.place(u"Διαμόρφωσε το pin %p1 για έξοδο"_s));
    last->SetParam1(13);
    for (int i = 0; i < 40; ++i) {
        last = pb.below(last, pb.place(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s));
        last->SetParam1(13);
        last = pb.below(last, pb.place(u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s));
        last->SetParam1(13);
    }
    pb.below(last, pb.place(u"Τερματισμός προγράμματος"_s));
    ASSERT_TRUE(ProjectFiles::saveProject(project, file));
}

TEST(Simulation, ProgramTooBigForTheUnoIsToldAndRunsOnTheMega)
{
    QTemporaryDir dir;
    const QString uno = dir.filePath(u"uno.vzl"_s), mega = dir.filePath(u"mega.vzl"_s);
    writeLongProgram(uno, 0);
    writeLongProgram(mega, 2);
    SimRun r = sim({uno, u"--seconds"_s, u"0.1"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"δεν χωράει"_s) && r.err.contains(u"Arduino Mega"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << "nothing ran";
    r = sim({mega, u"--seconds"_s, u"0.1"_s});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(changesOf(r.out, 13).size(), 80u) << "every block ran on the Mega";
}

TEST(Simulation, NoStartBlockIsTold)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"empty.vzl"_s);
    {
        ScratchProject scratch;
        ProgramBuilder pb(scratch.project);
        pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
        ASSERT_TRUE(ProjectFiles::saveProject(scratch.project, file));
    }
    const SimRun r = sim({file, u"--seconds"_s, u"1"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"Έναρξη Προγράμματος"_s)) << r.err.toStdString();
}

TEST(Simulation, RunningBlockIsReadFromTheFirmware)
{
    // The blink waits 500 ms after lighting the LED and 500 ms after putting it out:
    // a quarter and three quarters into a period, the board is in one wait and then
    // the other.
    ScratchProject scratch;
    Project &project = scratch.project;
    ASSERT_TRUE(ProjectFiles::loadProject(project, example(u"blink/blink.vzl"_s)).ok);
    Simulation sim(SimSetup::fromProject(project));
    QString error;
    ASSERT_TRUE(sim.start(QStringLiteral(FIRMWARE_DIR), &error)) << error.toStdString();
    QStringList seen;
    for (double at : {250.0, 750.0, 1250.0}) {
        sim.advance(at - sim.programMs());
        const QString name = sim.runningBlock();
        const TKeloBlock *b = project.workspace().findBlock(name);
        ASSERT_TRUE(b) << "no block " << name.toStdString() << " at " << at << " ms";
        EXPECT_EQ(b->CommndID, 250) << "a wait";
        seen << name;
    }
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_EQ(seen[0], seen[2]);
}

TEST(Simulation, ThermometerLessonShowsTheClimateSetOnItsDisplay)
{
    // The lesson's DHT11 (whole degrees and tenths in its bytes, unlike the DHT22)
    // read on the display: the values set, then new ones.
    ScratchProject scratch;
    Project &project = scratch.project;
    ASSERT_TRUE(ProjectFiles::loadProject(project, example(u"lessons/project-2/project-2.vzl"_s)).ok);
    const int temp = project.devices().findByName(u"Temp_1"_s);
    Simulation sim(SimSetup::fromProject(project));
    ASSERT_TRUE(sim.setClimate(temp, 25.5, 40));
    QString error;
    ASSERT_TRUE(sim.start(QStringLiteral(FIRMWARE_DIR), &error)) << error.toStdString();
    sim.advance(500);
    EXPECT_TRUE(sim.board().displayRow(0).contains(u"25.50"_s)) << sim.board().displayRow(0).toStdString();
    EXPECT_TRUE(sim.board().displayRow(1).contains(u"40.00"_s)) << sim.board().displayRow(1).toStdString();
    ASSERT_TRUE(sim.setClimate(temp, -3.2, 71));
    sim.advance(2500);
    EXPECT_TRUE(sim.board().displayRow(0).contains(u"-3.20"_s)) << sim.board().displayRow(0).toStdString();
    EXPECT_TRUE(sim.board().displayRow(1).contains(u"71.00"_s)) << sim.board().displayRow(1).toStdString();
}

TEST(Simulation, BarometerReadingsComeBackAsSet)
{
    // The raw readings found for a temperature and a pressure compensate back to them.
    const struct {
        int tenthsCelsius, pascals;
    } cases[] = {{150, 69964}, {200, 101325}, {-50, 95000}, {350, 110000}, {0, 30000}};
    for (const auto &c : cases) {
        sim_bmp180_t b{};
        b.up = 23843;
        sim_bmp180_set(&b, c.tenthsCelsius, c.pascals);
        int32_t t, p;
        sim_bmp180_compensate(b.ut, b.up, &t, &p);
        EXPECT_EQ(t, c.tenthsCelsius);
        EXPECT_NEAR(p, c.pascals, 2) << "one raw step is about 1 Pa";
    }
}

} // namespace
