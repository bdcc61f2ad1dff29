#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloLoopBlock.h"

namespace {

class BlockChain : public ProjectFixture {};

TEST_F(BlockChain, AttachAboveDetachesOldNeighbours)
{
    TKeloBlock *p = wait(), *b = wait(), *s = wait(), *t = wait();
    pb.below(p, b);
    pb.below(s, t);
    s->Attach(b, true);  // S goes directly above B
    EXPECT_EQ(p->firstBlock(), nullptr);
    EXPECT_EQ(t->LinkFrom(), nullptr);
    EXPECT_EQ(s->firstBlock(), b);
    EXPECT_EQ(b->LinkFrom(), s);
    EXPECT_TRUE(log.lines.contains(u"attached UP "_s + QString::number(s->Id) + u" to "_s + QString::number(b->Id)));
    EXPECT_TRUE(log.lines.contains(u"Dettached "_s + QString::number(s->Id) + u" from "_s + QString::number(t->Id)));
}

TEST_F(BlockChain, FollowLinkFromGluesUnderPredecessor)
{
    TKeloBlock *a = wait(), *b = wait();
    a->SetBounds(100, 200, a->Width(), 44);
    pb.below(a, b);
    EXPECT_EQ(b->Top(), 235);
    EXPECT_EQ(b->Left(), 100);
    // Moving the first block drags the chain along.
    a->SetBounds(150, 300, a->Width(), 44);
    EXPECT_EQ(b->Left(), 150);
    EXPECT_EQ(b->Top(), 335);
}

TEST_F(BlockChain, PositionsAreClampedToTheVisibleContent)
{
    TKeloBlock *b = wait();
    b->SetBounds(50, -20, b->Width(), b->Height());
    EXPECT_EQ(b->Top(), 5);
    ws().canvas().scrollY = 100;
    b->SetBounds(50, -20, b->Width(), b->Height());
    EXPECT_EQ(b->Top(), -20);
    b->SetBounds(2, 50, b->Width(), b->Height());
    EXPECT_EQ(b->Left(), 5);
}

TEST_F(BlockChain, ChainCountPassesThroughEndBlocks)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
    pb.intoBody(loop, wait());
    pb.intoBody(loop, wait());
    pb.after(loop, wait());
    EXPECT_EQ(start->getKeloBlockListSize(), 6);
    EXPECT_EQ(loop->GetParam2(), 3);
    EXPECT_EQ(start->getLastKeloBlock(nullptr), loop->EndBlock()->firstBlock());
}

TEST_F(BlockChain, PredecessorEqualToSuccessorIsRepairedOnMove)
{
    TKeloBlock *a = wait(), *b = wait();
    b->SetLinkFrom(a);
    b->SetLinkTo(a);
    b->SetBounds(300, 300, b->Width(), b->Height());
    EXPECT_EQ(b->firstBlock(), nullptr);
    EXPECT_EQ(log.lines.last(), u"Bug-->>"_s + QString::number(b->Id) + u" is linked up dn to"_s + QString::number(a->Id));
}

TEST_F(BlockChain, DestroyingABlockDestroysTheChainBelowAndUnlinksIt)
{
    TKeloBlock *a = wait(), *b = wait(), *c = wait();
    pb.below(a, b);
    pb.below(b, c);
    const QString cName = c->Name();
    ws().destroyBlock(b);
    EXPECT_EQ(ws().findBlock(cName), nullptr);
    EXPECT_EQ(a->firstBlock(), nullptr);
}

TEST_F(BlockChain, LongChainsNeedNoDeepRecursion)
{
    // Chain operations walk in loops: a chain far longer than any stack allows.
    TKeloBlock *first = wait();
    TKeloBlock *last = first;
    for (int i = 0; i < 200000; ++i) {
        TKeloBlock *b = ws().createFloat<TKeloBlock>();
        b->SetLinkFrom(last);
        last->SetLinkTo(b);
        last = b;
    }
    EXPECT_EQ(first->getKeloBlockListSize(), 200001);
    EXPECT_EQ(first->getLastKeloBlock(nullptr), last);
    // Moving the head drags the whole chain along; the tail following its predecessors
    // walks all the way up.
    first->SetBounds(first->Left() + 10, first->Top() + 10, first->Width(), first->Height());
    EXPECT_EQ(last->Top(), first->Top() + 200000 * 35);
    last->FollowLinkFrom(nullptr);
    EXPECT_EQ(last->Left(), first->Left());
    ws().destroyBlock(first);
    EXPECT_EQ(ws().components().size(), size_t(std::count_if(ws().components().begin(), ws().components().end(),
                                                             [](TKeloBlock *b) { return b->prototype(); })));
}

TEST_F(BlockChain, DeeplyNestedBodiesNeedNoDeepRecursion)
{
    pb.setLayout(false);
    auto *outer = static_cast<TKeloContainerBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    TKeloContainerBlock *inner = outer;
    for (int i = 1; i < 100000; ++i)
        inner = static_cast<TKeloContainerBlock *>(pb.intoBody(inner, place(u"Επανάλαβε %p1 φορές"_s)));
    EXPECT_EQ(outer->getKeloBlockListSize(), 200000);  // the loops and their end blocks
    // The body of the outer loop is the second loop, ended by its end block.
    auto *second = static_cast<TKeloContainerBlock *>(outer->firstBlock());
    EXPECT_EQ(outer->getLastKeloBlock(outer->EndBlock()), second->EndBlock());
    EXPECT_EQ(inner->getContainersize(), 1);
    ws().destroyBlock(outer);
}

TEST_F(BlockChain, DeviceNameOfCommandWithoutDevice)
{
    TKeloBlock *b = place(u"%pd → Ενεργοποίησε το Laser/LED "_s);
    EXPECT_EQ(b->getDeviceName(), QString());
    EXPECT_EQ(b->getDeviceParam(0), -1);
}

} // namespace
