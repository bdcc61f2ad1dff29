#include "blocks/BlockDragController.h"
#include "blocks/TKeloBlock.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "project/SketchCommand.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
