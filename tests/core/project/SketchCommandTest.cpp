#include "blocks/BlockDragController.h"
#include "blocks/TKeloBlock.h"
#include "project/ExampleProject.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "project/SketchCommand.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An example's folder under examples/, named after it: "blink", "lessons/led".
class SketchCommandExamples : public ::testing::TestWithParam<const char *> {
protected:
    static QString base()
    {
        const QString folder = QLatin1String(GetParam());
        return QStringLiteral(EXAMPLES_DIR) + u'/' + folder + u'/' + folder.section(u'/', -1);
    }
};

TEST_P(SketchCommandExamples, PrintsTheExpectedSketch)
{
    QByteArray out, err;
    ASSERT_EQ(SketchCommand::run({base() + u".vzl"_s}, out, err), 0) << err.constData();
    EXPECT_EQ(out, readFile(base() + u".ino"_s));
    EXPECT_TRUE(err.isEmpty());
}

TEST_P(SketchCommandExamples, OpensWithEveryBlockClearOfTheTrash)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    const QString file = base() + u".vzl"_s;
    ASSERT_TRUE(ProjectFiles::loadProject(project, file).ok);
    ASSERT_TRUE(project.workspace().CanvasHasBlocks());
    const QRect trash = BlockDragController(project.workspace(), &prompt).trashRect;
    for (const TKeloBlock *b : project.workspace().canvas().children())
        EXPECT_FALSE(b->BoundsRect().intersects(trash)) << qPrintable(b->Name());
}

const auto exampleName = [](const ::testing::TestParamInfo<const char *> &info) {
    std::string name = info.param;
    for (char &c : name)
        if (c == '/' || c == '-')
            c = '_';
    return name;
};

INSTANTIATE_TEST_SUITE_P(Examples, SketchCommandExamples, ::testing::Values("blink", "robot", "lcd-temperature"),
                         exampleName);

// The finished programs of the lessons.
INSTANTIATE_TEST_SUITE_P(
    Lessons, SketchCommandExamples,
    ::testing::Values("lessons/led", "lessons/laser", "lessons/button", "lessons/light-sensor",
                      "lessons/soil-moisture", "lessons/lcd", "lessons/temperature-humidity", "lessons/ultrasonic",
                      "lessons/exercise-1", "lessons/exercise-2", "lessons/exercise-3", "lessons/exercise-4",
                      "lessons/exercise-5", "lessons/project-1", "lessons/project-2", "lessons/project-3",
                      "lessons/project-4", "lessons/project-5"),
    exampleName);

TEST(SketchCommand, LogGoesToStandardError)
{
    QByteArray out, err;
    ASSERT_EQ(SketchCommand::run({u"--log"_s, QStringLiteral(EXAMPLES_DIR "/blink/blink.vzl")}, out, err), 0);
    EXPECT_TRUE(err.startsWith("Blocks:7\n"));
    EXPECT_TRUE(err.contains("Sending CMD=72 Dev= -1"));
}

TEST(SketchCommand, WhatCannotBeReadIsNamedAlsoWithoutLog)
{
    QByteArray out, err;
    ASSERT_EQ(SketchCommand::run({QStringLiteral(TEST_DATA_DIR "/damaged/param-out-of-range.vzl")}, out, err), 0);
    EXPECT_EQ(err, "Error reading keloBlock__2.Param1: Invalid property value\n");
    EXPECT_TRUE(out.contains("   delay(0);\r\n"));
}

TEST(SketchCommand, MissingStartBlockExitsWithOne)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"p.vzl"_s);
    writeFile(file, "object keloBlock__1: TKeloBlock\r\n  CommndID = 250\r\n  ArduCmd = 'delay(%p1);'\r\nend\r\n");
    QByteArray out, err;
    EXPECT_EQ(SketchCommand::run({file}, out, err), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(err), u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!\n"_s);
}

TEST(SketchCommand, UnreadableOrBrokenProjectsExitWithTwo)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(u"broken.vzl"_s);
    writeFile(broken, "object keloBlock__1: TKeloBlock\r\n  Left 5\r\nend\r\n");
    QByteArray out, err;
    EXPECT_EQ(SketchCommand::run({broken}, out, err), 2);
    EXPECT_TRUE(err.contains("line 2")) << err.constData();
    err.clear();
    EXPECT_EQ(SketchCommand::run({dir.filePath(u"missing.vzl"_s)}, out, err), 2);
    EXPECT_TRUE(err.contains("cannot read"));
    err.clear();
    EXPECT_EQ(SketchCommand::run({}, out, err), 2);
    EXPECT_TRUE(err.contains("Usage"));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(SketchCommand::run({u"--help"_s}, out, err), 0);
    EXPECT_TRUE(out.contains("Usage"));
}

// --check prints the findings instead of the sketch, one a line, and tells by its
// exit status whether there were none, only warnings, or an error.
struct CheckRun {
    const char *name;
    std::function<void(Project &, ProgramBuilder &)> build;
    int exitCode;
    QStringList lines;
};

void PrintTo(const CheckRun &c, std::ostream *os) { *os << c.name; }

class SketchCommandCheck : public ::testing::TestWithParam<CheckRun> {};

TEST_P(SketchCommandCheck, PrintsTheFindingsAndExitsBySeverity)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"p.vzl"_s);
    {
        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt prompt;
        Project project(&measurer, &log, &prompt);
        project.buildPalette();
        ProgramBuilder pb(project);
        GetParam().build(project, pb);
        ASSERT_TRUE(ProjectFiles::saveProject(project, file));
    }
    QByteArray out, err;
    EXPECT_EQ(SketchCommand::run({u"--check"_s, file}, out, err), GetParam().exitCode) << err.constData();
    EXPECT_EQ(QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts), GetParam().lines);
    EXPECT_TRUE(err.isEmpty()) << err.constData();
}

void startThenWrite13(Project &, ProgramBuilder &pb)
{
    TKeloBlock *start = pb.place(u"Έναρξη προγράμματος"_s);
    pb.below(start, pb.place(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s))->SetParam1(13);
}

const CheckRun kCheckRuns[] = {
    {"NothingFound", [](Project &p, ProgramBuilder &) { buildBlinkExample(p); }, 0, {}},
    {"OnlyAWarning", startThenWrite13, 3,
     {u"Προσοχή: block «Θέσε το pin 13 σε 1 (high=5 Volt)» (keloBlock__2): Το pin 13 δεν έχει διαμορφωθεί για "
      u"έξοδο πριν από αυτό το block, γι' αυτό ό,τι είναι συνδεδεμένο εκεί (ένα LED, για παράδειγμα) θα ανάβει "
      u"πολύ αμυδρά ή καθόλου. Βάλε πιο πάνω στο πρόγραμμα το block «Διαμόρφωσε το pin 13 για έξοδο»."_s}},
    {"AnErrorAndAWarning",
     [](Project &p, ProgramBuilder &pb) {
         startThenWrite13(p, pb);
         p.variables().Newvar(u"ιντ"_s);
     },
     4,
     {u"Λάθος: μεταβλητή «ιντ»: Η μεταβλητή «ιντ» γίνεται «int» στον κώδικα του Arduino, αλλά αυτό το όνομα το "
      u"έχει ήδη η γλώσσα του Arduino, οπότε ο κώδικας δεν θα μεταγλωττιστεί. Σβήσε τη και φτιάξε μια μεταβλητή "
      u"με άλλο όνομα."_s,
      u"Προσοχή: block «Θέσε το pin 13 σε 1 (high=5 Volt)» (keloBlock__2): Το pin 13 δεν έχει διαμορφωθεί για "
      u"έξοδο πριν από αυτό το block, γι' αυτό ό,τι είναι συνδεδεμένο εκεί (ένα LED, για παράδειγμα) θα ανάβει "
      u"πολύ αμυδρά ή καθόλου. Βάλε πιο πάνω στο πρόγραμμα το block «Διαμόρφωσε το pin 13 για έξοδο»."_s}},
};
INSTANTIATE_TEST_SUITE_P(Runs, SketchCommandCheck, ::testing::ValuesIn(kCheckRuns),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
