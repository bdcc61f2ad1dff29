// Program files whose links tie blocks into loops, give a block two holders or nest
// value blocks: the loader refuses those links, names them, and every walk over what
// it loaded ends.
#include "support/ProjectFixture.h"
#include "support/WalkEveryLink.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloLoopBlock.h"
#include "codegen/WalkChain.h"
#include "project/BlockReader.h"
#include "project/ProjectFiles.h"

#include <QFile>

namespace {

struct DamagedCase {
    const char *name;
    const char *file;      // under tests/data/damaged
    QStringList refused;   // the debug lines naming what was refused, in order
    QStringList loopBody;  // the lines of loop() between its braces
};

void PrintTo(const DamagedCase &c, std::ostream *os)
{
    *os << c.name;
}

QString fixture(const char *file)
{
    return QStringLiteral(TEST_DATA_DIR "/damaged/") + QString::fromLatin1(file);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList loopBody(const QStringList &sketch)
{
    const qsizetype start = sketch.indexOf(u"void loop() {"_s);
    if (start < 0)
        return {u"<no loop>"_s};
    return sketch.mid(start + 1, sketch.size() - start - 3);
}

QString refusal(const QString &block, const QString &link, const QString &target, const QString &why)
{
    return u"Error reading "_s + block + u'.' + link + u": link to "_s + target + u" refused, "_s + why;
}

class DamagedProgram : public ProjectFixture, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedProgram, RefusesTheLinksAndEveryWalkEnds)
{
    const DamagedCase &c = GetParam();
    ASSERT_TRUE(QFile::exists(fixture(c.file)));
    ASSERT_TRUE(ProjectFiles::loadProject(project, fixture(c.file)).ok);
    EXPECT_EQ(log.lines.filter(u"Error reading"_s), c.refused);
    EXPECT_EQ(loopBody(sketch()), c.loopBody);

    // What was loaded is a sound program: saved, read again and saved, it is the same
    // text, read without a complaint.
    const QByteArray saved = BlockWriter::writeProgram(ws());
    Project again(&measurer, &log, &prompt);
    log.lines.clear();
    const BlockReader::Result reread = BlockReader::LoadProgramText(again.workspace(), saved, &log);
    ASSERT_TRUE(reread.ok) << qPrintable(reread.error);
    EXPECT_EQ(log.lines.filter(u"Error reading"_s), QStringList());
    EXPECT_EQ(BlockWriter::writeProgram(again.workspace()), saved);

    walkEveryLink(project);
    EXPECT_FALSE(ws().CanvasHasBlocks());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedProgram,
    testing::Values(
        DamagedCase{"StartBlockFollowsItself", "start-follows-itself.vzl",
                    {refusal(u"keloBlock__1"_s, u"LinkToName"_s, u"keloBlock__1"_s,
                             u"a block cannot follow or hold itself"_s)},
                    {u"   "_s}},
        DamagedCase{"ChainReturnsToTheStart", "chain-returns.vzl",
                    {refusal(u"keloBlock__2"_s, u"LinkToName"_s, u"keloBlock__1"_s, u"it would close a loop"_s),
                     refusal(u"keloBlock__1"_s, u"LinkFrom"_s, u"keloBlock__2"_s,
                             u"keloBlock__2 is not followed by this block"_s)},
                    {u"   "_s, u"   delay(500);"_s}},
        DamagedCase{"LoopBodyIsTheLoopItself", "loop-holds-itself.vzl",
                    {refusal(u"keloBlock__2"_s, u"LinkToName"_s, u"keloBlock__2"_s,
                             u"a block cannot follow or hold itself"_s)},
                    {u"   "_s, u"   for (int ik1=0;ik1<3;ik1++){"_s, u"   }"_s, u"   "_s}},
        DamagedCase{"SlotHoldsItsOwnBlock", "slot-holds-itself.vzl",
                    {refusal(u"keloBlock__2"_s, u"VarParam1Name"_s, u"keloBlock__2"_s,
                             u"a block cannot follow or hold itself"_s)},
                    {u"   "_s, u"   delay(0);"_s}},
        DamagedCase{"SlotsHoldEachOther", "slots-hold-each-other.vzl",
                    {refusal(u"keloBlock__3"_s, u"VarParam1Name"_s, u"keloBlock__2"_s,
                             u"it belongs to keloBlock__1 already"_s)},
                    {u"   "_s, u"   delay(analogRead(A0));"_s}},
        DamagedCase{"PaletteBlockAndStartBlockAreNeverHeld", "palette-and-start-in-links.vzl",
                    {u"Error reading keloBlock__2.prototype: A block of a program is never a palette block"_s,
                     refusal(u"keloBlock__1"_s, u"LinkToName"_s, u"Prot_keloBlock__1"_s, u"it is a palette block"_s),
                     refusal(u"keloBlock__2"_s, u"VarParam1Name"_s, u"keloBlock__1"_s, u"it starts a program"_s)},
                    {u"   "_s}},
        DamagedCase{"SecondEndBlockOfOneLoop", "two-end-blocks.vzl",
                    {refusal(u"keloBlock__4"_s, u"ContainerBlock"_s, u"keloBlock__2"_s,
                             u"keloBlock__2 has other companion blocks"_s)},
                    {u"   "_s, u"   for (int ik1=0;ik1<2;ik1++){"_s, u"   }"_s, u"   "_s, u"   "_s}},
        // Places, sizes and a comparison at the ends of the number range: the layout's
        // sums stay in range, and the comparison falls back to "==".
        DamagedCase{"NumbersAtTheEndsOfTheRange", "huge-numbers.vzl", {},
                    {u"   "_s, u"   if (x == 5) {"_s, u"   }"_s, u"   "_s}}));

TEST_F(ProjectFixture, NumberOutOfRangeIsNamedNotDroppedSilently)
{
    ASSERT_TRUE(ProjectFiles::loadProject(project, fixture("param-out-of-range.vzl")).ok);
    EXPECT_EQ(log.lines.filter(u"Error reading"_s),
              QStringList{u"Error reading keloBlock__2.Param1: Invalid property value"_s});
}

// A block whose file gives no command text is still read, and says in Greek that its
// command is unknown.
TEST_F(ProjectFixture, ABlockWithoutItsTextSaysItsCommandIsUnknown)
{
    const QByteArray text = "object keloBlock__1: TKeloBlock\r\n  Left = 90\r\n  Top = 70\r\n"
                            "  NewlyCreated = False\r\nend\r\n";
    ASSERT_TRUE(BlockReader::LoadProgramText(ws(), text, &log).ok);
    TKeloBlock *b = ws().findBlock(u"keloBlock__1"_s);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->CommandText(), u"Άγνωστη εντολή"_s);
}

// Links made in a loop without the loader (by a fault elsewhere) still cannot make a
// walk endless: each stops after as many steps as there are blocks.
TEST_F(ProjectFixture, WalksEndEvenOverLinksMadeInALoop)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
    TKeloBlock *a = pb.intoBody(loop, wait(1));
    TKeloBlock *b = pb.below(a, wait(2));
    b->SetLinkTo(loop);  // the body runs back to its loop
    loop->EndBlock()->SetLinkTo(start);
    a->SetVarParam1(b);
    b->SetVarParam1(a);  // refused as a parent; the slot link is made all the same

    EXPECT_GE(start->getKeloBlockListSize(), 1);
    EXPECT_NE(a->getLastKeloBlock(nullptr), nullptr);
    QStringList lines;
    WalkChain(lines, start, 1, &log);
    EXPECT_LE(lines.size(), 3 * qsizetype(ws().components().size()));
    EXPECT_FALSE(log.lines.filter(u"run in a loop"_s).isEmpty());
    start->SetBounds(start->Left() + 5, start->Top() + 5, start->Width(), start->Height());
    a->FollowLinkFrom(nullptr);
    EXPECT_NE(a->parentBlock(), b);
    ws().destroyBlock(start);
    ws().FreePlacedBlocks();
}

} // namespace
