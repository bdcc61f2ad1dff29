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

class SketchCommandExamples : public ::testing::TestWithParam<const char *> {};

TEST_P(SketchCommandExamples, PrintsTheExpectedSketch)
{
    const QString base = QStringLiteral(EXAMPLES_DIR) + u'/' + QLatin1String(GetParam()) + u'/' + QLatin1String(GetParam());
    QByteArray out, err;
    ASSERT_EQ(SketchCommand::run({base + u".vzl"_s}, out, err), 0) << err.constData();
    EXPECT_EQ(out, readFile(base + u".ino"_s));
    EXPECT_TRUE(err.isEmpty());
}

TEST_P(SketchCommandExamples, OpensWithEveryBlockClearOfTheTrash)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    const QString file = QStringLiteral(EXAMPLES_DIR) + u'/' + QLatin1String(GetParam()) + u'/'
                         + QLatin1String(GetParam()) + u".vzl"_s;
    ASSERT_TRUE(ProjectFiles::loadProject(project, file).ok);
    ASSERT_TRUE(project.workspace().CanvasHasBlocks());
    const QRect trash = BlockDragController(project.workspace(), &prompt).trashRect;
    for (const TKeloBlock *b : project.workspace().canvas().children())
        EXPECT_FALSE(b->BoundsRect().intersects(trash)) << qPrintable(b->Name());
}

INSTANTIATE_TEST_SUITE_P(Examples, SketchCommandExamples, ::testing::Values("blink", "robot", "lcd-temperature"));

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

} // namespace
