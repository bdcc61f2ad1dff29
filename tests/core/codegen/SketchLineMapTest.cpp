// Which lines of the sketch each block became, from the same run that wrote the
// sketch: exact lines of a nested program, and what must hold on every example.
#include "support/ProjectFixture.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "codegen/SketchGenerator.h"
#include "codegen/SketchLineMap.h"
#include "devices/DeviceTypes.h"
#include "project/ExampleProject.h"
#include "project/ProjectFiles.h"

#include <QDirIterator>
#include <QFile>

namespace {

class SketchLineMapTest : public ProjectFixture {
protected:
    // Generates the sketch with its map; the file's lines go to fileLines.
    void generate()
    {
        const std::optional<QStringList> lines = project.generateSketch(&map);
        ASSERT_TRUE(lines);
        fileLines = SketchGenerator::fileLines(*lines);
        ASSERT_EQ(map.lineCount(), fileLines.size());
    }
    // The text of the lines the block's code occupies.
    QStringList linesOf(const TKeloBlock *b) const
    {
        const SketchLineMap::Lines l = map.linesOf(b->Name());
        return l.isEmpty() ? QStringList{u"<none>"_s} : fileLines.mid(l.first, l.last - l.first + 1);
    }

    SketchLineMap map;
    QStringList fileLines;
};

// start; repeat 3 { repeat 2 { wait 10 }; if pin 2 { Metritis = Thesi_Ch } else
// { the robot turns right for 300 ms (three lines) } }; wait 20; and a loose wait.
TEST_F(SketchLineMapTest, NestedLoopsConditionsAndSlotsGetTheirExactLines)
{
    project.variables().Newvar(u"Μετρητής"_s);
    project.variables().Newvar(u"Θέση Χ"_s);
    project.devices().AddDevice(DeviceTypes::ROBOT, &prompt);
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *outer = static_cast<TKeloContainerBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
    outer->SetParam1(3);
    auto *inner = static_cast<TKeloContainerBlock *>(pb.intoBody(outer, place(u"Επανάλαβε %p1 φορές"_s)));
    inner->SetParam1(2);
    TKeloBlock *innerWait = pb.intoBody(inner, wait(10));
    auto *cond = static_cast<TKeloControlElseBlock *>(
        pb.intoBody(outer, place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s)));
    cond->SetParam2(2);
    auto *set = pb.intoBody(cond, place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s));
    static_cast<TKeloCommandVarBlock *>(set)->VarComboChange(0);
    TKeloBlock *value = pb.placeVariable(u"Θέση Χ"_s);
    set->SetVarParam1(value);
    TKeloBlock *turn = pb.intoElse(cond, place(u"%pd → Στροφή Δεξιά για %p2 χιλ. δευτερολέπτου"_s));
    turn->DeviceComboChange(0);
    TKeloBlock *lastWait = pb.after(outer, wait(20));
    TKeloBlock *loose = wait(30);
    generate();

    const QStringList loop{
        u"void loop() {"_s,                          // 0
        u"   "_s,                                    // 1: the start block
        u"   for (int ik1=0;ik1<3;ik1++){"_s,        // 2: outer
        u"      for (int ik2=0;ik2<2;ik2++){"_s,     // 3: inner
        u"         delay(10);"_s,                    // 4
        u"      }"_s,                                // 5
        u"      "_s,                                 // 6: inner's end block
        u"      if (digitalRead(2) == HIGH ){"_s,    // 7: condition
        u"         Metritis=Thesi_Ch;"_s,            // 8: set, with the variable in its slot
        u"      }"_s,                                // 9
        u"      else {"_s,                           // 10: else header
        u"      Robot_0.goRight();"_s,               // 11: the turn, three lines
        u"        delay(300);"_s,                    // 12
        u"        Robot_0.run(4);"_s,                // 13
        u"      }"_s,                                // 14
        u"      "_s,                                 // 15: condition's end block
        u"   }"_s,                                   // 16
        u"   "_s,                                    // 17: outer's end block
        u"   delay(20);"_s,                          // 18
        u"}"_s,                                      // 19
        QString()};
    const int at = int(fileLines.indexOf(u"void loop() {"_s));
    ASSERT_GT(at, 0);
    ASSERT_EQ(fileLines.mid(at), loop);

    EXPECT_EQ(linesOf(start), loop.mid(0, 20)) << "the start block is all of loop()";
    EXPECT_EQ(linesOf(outer), loop.mid(2, 16));
    EXPECT_EQ(linesOf(inner), loop.mid(3, 4));
    EXPECT_EQ(linesOf(innerWait), QStringList{u"         delay(10);"_s});
    EXPECT_EQ(linesOf(cond), loop.mid(7, 9)) << "header to the else branch's brace and the end block";
    EXPECT_EQ(linesOf(cond->ElseBlock()), loop.mid(10, 5));
    EXPECT_EQ(linesOf(set), QStringList{u"         Metritis=Thesi_Ch;"_s});
    EXPECT_EQ(linesOf(value), linesOf(set)) << "a value block is where its holder is";
    EXPECT_EQ(linesOf(turn), loop.mid(11, 3));
    EXPECT_EQ(linesOf(lastWait), QStringList{u"   delay(20);"_s});
    EXPECT_EQ(linesOf(loose), QStringList{u"<none>"_s}) << "a block not reached gives no code";

    // Back from lines to blocks: the line's own block, the start block for the frame of
    // loop(), and nothing before loop() or after it.
    const struct {
        int line;  // in loop()
        const TKeloBlock *block;
    } owners[] = {{-1, nullptr}, {0, start}, {1, start}, {2, outer}, {5, inner}, {6, inner->EndBlock()},
                  {8, set}, {10, cond->ElseBlock()}, {12, turn}, {14, cond}, {19, start}, {20, nullptr}};
    for (const auto &o : owners)
        EXPECT_EQ(map.blockAt(at + o.line), o.block ? o.block->Name() : QString()) << "line " << o.line;
    EXPECT_EQ(map.blockAt(-1), QString());
    EXPECT_EQ(map.blockAt(map.lineCount()), QString());
}

TEST_F(SketchLineMapTest, WithoutAStartBlockTheMapIsEmptiedAndNothingIsSaid)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    generate();
    ASSERT_FALSE(map.linesOf(start->Name()).isEmpty());
    ws().destroyBlock(start);
    place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    log.lines.clear();
    EXPECT_FALSE(project.sketchForView(&map));
    EXPECT_EQ(map.lineCount(), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(SketchLineMapTest, TheViewsSketchTracesNothingAndIsTheSameSketch)
{
    buildBlinkExample(project);
    log.lines.clear();
    SketchLineMap quiet;
    const std::optional<QStringList> shown = project.sketchForView(&quiet);
    EXPECT_TRUE(log.lines.isEmpty());
    generate();
    ASSERT_TRUE(shown);
    EXPECT_EQ(SketchGenerator::fileLines(*shown), fileLines);
    EXPECT_EQ(quiet.lineBlocks(), map.lineBlocks());
}

QStringList readLines(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(u"\r\n"_s);
    lines.removeLast();  // after the last line end
    return lines;
}

// On every example project, against its exact sketch: loop() belongs to the start
// block; every statement's lines begin with its own line; a container's lines run
// from its "{" line through its "}" to its end block, and hold only blocks of its
// own; lines of two blocks are nested or apart; a value block stands in its holder's
// line.
TEST(SketchLineMapExamples, EveryExampleMapsItsExactSketch)
{
    int examples = 0;
    QDirIterator it(QStringLiteral(EXAMPLES_DIR), {u"*.vzl"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        SCOPED_TRACE(file.toStdString());
        const QStringList ino = readLines(file.chopped(4) + u".ino"_s);
        if (ino.isEmpty())
            continue;
        ++examples;
        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt prompt;
        Project project(&measurer, &log, &prompt);
        project.buildPalette();
        ASSERT_TRUE(ProjectFiles::loadProject(project, file).ok);
        SketchLineMap map;
        const std::optional<QStringList> lines = project.generateSketch(&map);
        ASSERT_TRUE(lines);
        ASSERT_EQ(SketchGenerator::fileLines(*lines), ino);
        ASSERT_EQ(map.lineCount(), ino.size());

        const TKeloBlock *start = project.workspace().findStartBlock();
        const SketchLineMap::Lines loop = map.linesOf(start->Name());
        EXPECT_EQ(ino.value(loop.first), u"void loop() {"_s);
        EXPECT_EQ(loop.last, ino.size() - 2);
        for (int line = 0; line < ino.size(); ++line)
            EXPECT_EQ(map.blockAt(line).isEmpty(), !loop.contains(line)) << "line " << line;

        QList<std::pair<QString, SketchLineMap::Lines>> statements;
        for (const TKeloBlock *b : project.workspace().components()) {
            if (b->prototype())
                continue;
            const SketchLineMap::Lines l = map.linesOf(b->Name());
            if (const TKeloBlock *holder = b->parentBlock()) {
                if (!map.lineBlocks().contains(holder->Name()))
                    continue;
                const qsizetype own = map.lineBlocks().indexOf(holder->Name());
                EXPECT_EQ(l, (SketchLineMap::Lines{int(own), int(own)})) << qPrintable(b->Name());
                EXPECT_TRUE(ino.value(own).contains(const_cast<TKeloBlock *>(b)->GetArduinoCommand(1)));
                continue;
            }
            ASSERT_EQ(l.isEmpty(), !map.lineBlocks().contains(b->Name())) << qPrintable(b->Name());
            if (l.isEmpty() || b == start)
                continue;
            EXPECT_EQ(map.lineBlocks().value(l.first), b->Name());
            if (dynamic_cast<const TKeloContainerBlock *>(b)) {
                EXPECT_TRUE(ino.value(l.first).trimmed().endsWith(u'{')) << qPrintable(ino.value(l.first));
                EXPECT_EQ(ino.value(l.last - 1).trimmed(), u"}"_s);
                EXPECT_TRUE(ino.value(l.last).trimmed().isEmpty());
            }
            statements.append({b->Name(), l});
        }
        EXPECT_GT(statements.size(), 2);
        for (const auto &[name, a] : statements)
            for (const auto &[other, b] : statements) {
                const bool apart = a.last < b.first || b.last < a.first;
                const bool nested = (a.first <= b.first && b.last <= a.last) || (b.first <= a.first && a.last <= b.last);
                EXPECT_TRUE(apart || nested) << qPrintable(name) << " and " << qPrintable(other);
            }
    }
    EXPECT_GE(examples, 20);
}

} // namespace
