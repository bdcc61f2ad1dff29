// The steps of sending a sketch, with a stand-in runner: the sketch file, the lines
// shown before and after the IDE's output, and the block behind each sketch line.
#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlock.h"
#include "toolchain/IdeRunner.h"
#include "toolchain/SketchUpload.h"
#include "support/ScriptedRunner.h"
#include "util/VirtualClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class SketchUploadTest : public ProjectFixture {
protected:
    SketchUpload::Sink sink()
    {
        SketchUpload::Sink s;
        s.appendLine = [this](const QString &line) { shown << u"line:"_s + line; };
        s.appendText = [this](const QString &text) { shown << u"text:"_s + text; };
        s.done = [this](const BuildReport &r) { report = r; };
        return s;
    }
    SketchUpload::Settings settings(const QString &port = {})
    {
        SketchUpload::Settings s;
        s.writableFolder = folder.path();
        s.ideFolder = u"/usr/bin"_s;
        s.boardTypeId = 2;
        s.port = port;
        s.sketchbook = u"/opt/v/Arduino"_s;
        return s;
    }
    QTemporaryDir folder;
    ScriptedRunner runner;
    VirtualClock clock;
    QStringList shown;
    std::optional<BuildReport> report;
};

TEST_F(SketchUploadTest, WritesTheSketchShowsTheCommandThenTheOutputThenDone)
{
    QDir().mkpath(folder.filePath(u"Out/build/core"_s));
    runner.chunks = {u"Sketch uses 918 bytes\n"_s, u"avrdude: 918 bytes of flash verified\n"_s};
    SketchUpload upload(runner, clock);
    ASSERT_TRUE(upload.start(u"void setup() {\n}\nint π;"_s, {}, settings(u"/dev/ttyUSB0"_s), sink()));

    QFile file(folder.filePath(u"Out/Output.ino"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("void setup() {\r\n}\r\nint \xCF\x80;\r\n"));
    EXPECT_FALSE(QDir(folder.filePath(u"Out/build"_s)).exists());
    EXPECT_EQ(runner.program, u"/usr/bin/arduino"_s);
    EXPECT_EQ(runner.arguments.mid(0, 5), (QStringList{u"--board"_s, u"arduino:avr:mega:cpu=atmega2560"_s,
                                                        u"--port"_s, u"/dev/ttyUSB0"_s, u"--upload"_s}));
    EXPECT_EQ(runner.arguments.last(), folder.filePath(u"Out/Output.ino"_s));

    ASSERT_EQ(shown.size(), 7);
    EXPECT_EQ(shown[0], u"line:"_s);
    EXPECT_TRUE(shown[1].startsWith(u"line:/usr/bin/arduino --board arduino:avr:mega:cpu=atmega2560"_s));
    EXPECT_EQ(shown[2], u"line:Compiling and uploading... Please Wait!!!"_s);
    EXPECT_EQ(shown[3], u"line:"_s);
    EXPECT_EQ(shown[4], u"text:Sketch uses 918 bytes\n"_s);
    EXPECT_EQ(shown[6], u"line:Done!!!"_s);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->outcome, BuildReport::Outcome::Uploaded);
}

// "Έλεγχος" compiles only, even with a port chosen, and says so in its own words.
TEST_F(SketchUploadTest, ACheckCompilesWithoutUploadingWhateverThePort)
{
    runner.chunks = {u"Sketch uses 918 bytes\n"_s};
    SketchUpload upload(runner, clock);
    SketchUpload::Settings s = settings(u"/dev/ttyUSB0"_s);
    s.checkOnly = true;
    ASSERT_TRUE(upload.start(u"void setup() {\n}"_s, {}, s, sink()));
    EXPECT_TRUE(runner.arguments.contains(u"--verify"_s));
    EXPECT_FALSE(runner.arguments.contains(u"--port"_s));
    EXPECT_FALSE(runner.arguments.contains(u"--upload"_s));
    EXPECT_EQ(shown.value(2), u"line:Compiling... Please Wait!!!"_s);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->checkOnly);
    EXPECT_EQ(report->outcome, BuildReport::Outcome::CompiledOnly);
    EXPECT_EQ(report->headline(), u"Έλεγχος: το πρόγραμμα είναι σωστό."_s);

    report.reset();
    runner.chunks = {u"Output:2:1: error: expected unqualified-id\n"_s};
    runner.exitCode = 1;
    ASSERT_TRUE(upload.start(u"void setup() {\n}"_s, {QString(), u"keloBlock__3"_s}, s, sink()));
    ASSERT_TRUE(report && report->error);
    EXPECT_EQ(report->headline(), u"Έλεγχος: το πρόγραμμα έχει λάθος."_s);
    EXPECT_EQ(report->error->blockName, u"keloBlock__3"_s);
    EXPECT_TRUE(report->message(u"Περίμενε 5 χιλιοστά δευτερολέπτου"_s)
                    .contains(u"Το λάθος είναι στην εντολή «Περίμενε 5 χιλιοστά δευτερολέπτου»."_s));
}

TEST_F(SketchUploadTest, AnUnwritableSketchStartsNothing)
{
    // "Out" is a file, so the folder cannot be made.
    QFile blocker(folder.filePath(u"Out"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SketchUpload upload(runner, clock);
    QString error;
    EXPECT_FALSE(upload.start(u"x"_s, {}, settings(), sink(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(runner.program.isEmpty());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(SketchUploadTest, EverySketchLineKnowsTheBlockThatMadeIt)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = dynamic_cast<TKeloContainerBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    ASSERT_NE(loop, nullptr);
    pb.below(start, loop);
    TKeloBlock *w = pb.intoBody(loop, wait(250));
    SketchLineMap lineMap;
    const std::optional<QStringList> lines = project.generateSketch(&lineMap);
    const QStringList &lineBlocks = lineMap.lineBlocks();
    ASSERT_TRUE(lines);
    ASSERT_TRUE(SketchUpload::writeSketch(folder.path(), lines->join(u'\n'), nullptr));
    QFile file(folder.filePath(u"Out/Output.ino"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList fileLines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s);
    ASSERT_GE(fileLines.size(), lineBlocks.size());
    const auto blockOf = [&](const QString &code) {
        for (qsizetype i = 0; i < lineBlocks.size(); ++i)
            if (fileLines.at(i).trimmed() == code)
                return lineBlocks.at(i);
        return u"<no line>"_s;
    };
    EXPECT_EQ(blockOf(u"delay(250);"_s), w->Name());
    EXPECT_EQ(blockOf(u"for (int ik1=0;ik1<5;ik1++){"_s), loop->Name());
    EXPECT_EQ(blockOf(u"}"_s), QString());  // setup()'s closing brace comes first, from no block
    EXPECT_EQ(blockOf(u"#include \"Arduino.h\""_s), QString());
    // The loop's own closing brace belongs to the loop.
    const qsizetype delayLine = fileLines.indexOf(u"      delay(250);"_s);
    ASSERT_GE(delayLine, 0);
    EXPECT_EQ(fileLines.at(delayLine + 1).trimmed(), u"}"_s);
    EXPECT_EQ(lineBlocks.at(delayLine + 1), loop->Name());
}

} // namespace
