#include "support/ProjectFixture.h"

#include "blocks/BlockDragController.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"

namespace {

class BlockDrag : public ProjectFixture {
protected:
    BlockDrag() : drag(ws(), &prompt) { drag.canvasRectInWindow = QRect(330, 80, 600, 400); }

    // Drags b by (dx, dy) with a press at its top-left corner and releases it.
    BlockDragController::Outcome dragBy(TKeloBlock *b, int dx, int dy)
    {
        drag.press(b, QPoint(1, 1));
        drag.move(b, QPoint(1 + dx, 1 + dy));
        return drag.release(b);
    }
    // Moves b so that its top-left corner lands at (x, y), then releases it.
    BlockDragController::Outcome dropAt(TKeloBlock *b, int x, int y) { return dragBy(b, x - b->Left(), y - b->Top()); }

    BlockDragController drag;
};

TEST_F(BlockDrag, SnapsBelowWithin24PixelsNotAt25)
{
    TKeloBlock *a = wait(), *b = wait();
    a->SetBounds(100, 100, a->Width(), a->Height());
    b->SetBounds(300, 300, b->Width(), b->Height());
    // b's notch centre (28, 2) against a's tab centre (28, 37): exactly under is (100, 135).
    dropAt(b, 100 + 24, 135);
    EXPECT_EQ(a->firstBlock(), b);
    EXPECT_EQ(b->Left(), 100);  // glued under a

    TKeloBlock *c = wait();
    c->SetBounds(400, 400, c->Width(), c->Height());
    TKeloBlock *d = wait();
    d->SetBounds(600, 100, d->Width(), d->Height());
    dropAt(c, 600 + 25, 135);
    EXPECT_EQ(d->firstBlock(), nullptr);
    EXPECT_EQ(c->LinkFrom(), nullptr);
}

TEST_F(BlockDrag, DropBelowInsertsTheChainBeforeTheOldSuccessor)
{
    TKeloBlock *a = wait(1), *d = wait(4);
    a->SetBounds(100, 100, a->Width(), a->Height());
    pb.below(a, d);
    TKeloBlock *b = wait(2), *bFollower = wait(3);
    b->SetBounds(400, 300, b->Width(), b->Height());
    pb.below(b, bFollower);
    dropAt(b, 100, 135);
    EXPECT_EQ(a->firstBlock(), b);
    EXPECT_EQ(b->firstBlock(), bFollower);
    EXPECT_EQ(bFollower->firstBlock(), d);
    EXPECT_EQ(d->Top(), bFollower->Top() + 35);
}

TEST_F(BlockDrag, EmptyLoopDroppedBelowWrapsTheFollowers)
{
    TKeloBlock *a = wait(1), *d = wait(4);
    a->SetBounds(100, 100, a->Width(), a->Height());
    pb.below(a, d);
    auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    loop->SetBounds(400, 300, loop->Width(), loop->Height());
    dropAt(loop, 100, 135);
    EXPECT_EQ(a->firstBlock(), loop);
    EXPECT_EQ(loop->firstBlock(), d);
    EXPECT_EQ(d->Left(), 120);
    EXPECT_EQ(loop->EndBlock()->Top(), d->Top() + d->Height() + 10);
    EXPECT_EQ(a->getKeloBlockListSize(), 4);
}

TEST_F(BlockDrag, DropAboveLeavesTheFollowersBehind)
{
    TKeloBlock *p = wait(1), *a = wait(2);
    p->SetBounds(100, 100, p->Width(), p->Height());
    pb.below(p, a);
    TKeloBlock *b = wait(3), *follower = wait(4);
    b->SetBounds(400, 400, b->Width(), b->Height());
    pb.below(b, follower);
    // b's tab (28, 37) onto a's notch (28, 2) at a = (100, 135): b at (100, 100).
    dropAt(b, 100, 100);
    EXPECT_EQ(p->firstBlock(), b);
    EXPECT_EQ(b->firstBlock(), a);
    EXPECT_EQ(follower->LinkFrom(), nullptr);
}

TEST_F(BlockDrag, DroppingBackOntoThePredecessorKeepsTheChain)
{
    TKeloBlock *a = wait(1), *b = wait(2), *c = wait(3);
    a->SetBounds(100, 100, a->Width(), a->Height());
    pb.below(a, b);
    pb.below(b, c);
    dragBy(b, 3, 2);
    EXPECT_EQ(a->firstBlock(), b);
    EXPECT_EQ(b->firstBlock(), c);
    EXPECT_EQ(b->Left(), 100);
    EXPECT_EQ(b->Top(), 135);
}

// A press and release without a real movement is a click: no link changes, the
// block stays where it was, and the order of the blocks (the file's) stays. Only a
// drag breaks the chain above and brings the block to the front.
struct ClickCase {
    const char *name;
    QPoint releaseAt;  // from the press point
    bool breaks;
};

void PrintTo(const ClickCase &c, std::ostream *os)
{
    *os << c.name;
}

class BlockClick : public BlockDrag, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(BlockClick, OnlyADragBreaksTheChainAbove)
{
    TKeloBlock *a = wait(1), *b = wait(2), *c = wait(3);
    pb.below(a, b);
    pb.below(b, c);
    const QPoint before(b->Left(), b->Top());
    const std::list<TKeloBlock *> order = b->parentArea()->children();
    drag.press(b, QPoint(5, 5));
    drag.move(b, QPoint(5, 5) + GetParam().releaseAt);
    const BlockDragController::Outcome outcome = drag.release(b);
    EXPECT_EQ(b->firstBlock(), c);
    if (GetParam().breaks) {
        EXPECT_EQ(outcome, BlockDragController::Outcome::Detached);
        EXPECT_EQ(a->firstBlock(), nullptr);
        EXPECT_EQ(b->parentArea()->children().back(), b);
    } else {
        EXPECT_EQ(outcome, BlockDragController::Outcome::None);
        EXPECT_EQ(a->firstBlock(), b);
        EXPECT_EQ(QPoint(b->Left(), b->Top()), before);
        EXPECT_EQ(b->parentArea()->children(), order);
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, BlockClick,
                         ::testing::Values(ClickCase{"WithoutMoving", QPoint(0, 0), false},
                                           ClickCase{"WithAShakingHand", QPoint(2, -1), false},
                                           ClickCase{"Dragged", QPoint(60, 80), true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(BlockDrag, StartBlockDroppedAboveGetsOnlyASuccessor)
{
    TKeloBlock *a = wait();
    a->SetBounds(100, 135, a->Width(), a->Height());
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    start->SetBounds(400, 400, start->Width(), start->Height());
    dropAt(start, 100, 100);
    EXPECT_EQ(start->firstBlock(), a);
    EXPECT_EQ(start->LinkFrom(), nullptr);
}

TEST_F(BlockDrag, TrashDeletesTheWholeChainBelow)
{
    TKeloBlock *a = wait(1), *b = wait(2), *c = wait(3);
    a->SetBounds(100, 100, a->Width(), a->Height());
    pb.below(a, b);
    pb.below(b, c);
    const QString cName = c->Name();
    EXPECT_EQ(dropAt(b, 10, 10), BlockDragController::Outcome::Deleted);
    EXPECT_EQ(a->firstBlock(), nullptr);
    EXPECT_EQ(ws().findBlock(cName), nullptr);
    // The corner elsewhere: nothing is deleted.
    TKeloBlock *d = wait();
    d->SetBounds(300, 300, d->Width(), d->Height());
    EXPECT_NE(dropAt(d, 60, 60), BlockDragController::Outcome::Deleted);
}

TEST_F(BlockDrag, PrototypePressPullsOutACopyThatEntersTheCanvas)
{
    TKeloBlock *proto = pb.prototype(u"Επανάλαβε %p1 φορές"_s);
    TKeloBlock *copy = drag.press(proto, QPoint(5, 5), QPoint(20, 120));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->prototype());
    EXPECT_EQ(copy->parentArea(), &ws().mainWindowArea());
    EXPECT_NE(static_cast<TKeloLoopBlock *>(copy)->EndBlock(), nullptr);
    drag.move(copy, QPoint(5 + 400, 5 + 100));  // now at (420, 220) in the window
    EXPECT_EQ(copy->parentArea(), &ws().canvas());
    EXPECT_EQ(copy->Left(), 90);
    EXPECT_EQ(copy->Top(), 140);
    EXPECT_EQ(static_cast<TKeloLoopBlock *>(copy)->EndBlock()->parentArea(), &ws().canvas());
    drag.release(copy);
    EXPECT_EQ(copy->parentArea(), &ws().canvas());

    // Released before reaching the canvas: the copy is gone.
    const size_t before = ws().components().size();
    TKeloBlock *lost = drag.press(pb.prototype(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s), QPoint(5, 5), QPoint(20, 120));
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(drag.release(lost), BlockDragController::Outcome::Destroyed);
    EXPECT_EQ(ws().components().size(), before);
}

TEST_F(BlockDrag, DisabledPrototypesAndCompanionsDoNotDrag)
{
    EXPECT_EQ(drag.press(pb.prototype(u"%pd → Robot Μπροστά"_s), QPoint(1, 1)), nullptr);
    auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    EXPECT_EQ(drag.press(loop->EndBlock(), QPoint(1, 1)), nullptr);
}

TEST_F(BlockDrag, ValueBlocksDropIntoTheFirstOverlappingSlot)
{
    project.variables().Newvar(u"x"_s);
    TKeloBlock *h1 = wait(), *h2 = wait();
    h1->SetBounds(100, 100, h1->Width(), h1->Height());
    h2->SetBounds(100, 100, h2->Width(), h2->Height());
    const QRect slot = h2->GetParam1Rect();
    ASSERT_FALSE(slot.isEmpty());
    TKeloBlock *v = pb.placeVariable(u"x"_s);
    v->SetBounds(400, 400, v->Width(), v->Height());
    // Touching the slot's left edge only: no overlap.
    dropAt(v, slot.left() - v->Width(), slot.top());
    EXPECT_EQ(h1->VarParam1(), nullptr);
    EXPECT_EQ(h2->VarParam1(), nullptr);
    EXPECT_EQ(dropAt(v, slot.left() + 2, slot.top()), BlockDragController::Outcome::SlotFilled);
    EXPECT_EQ(h1->VarParam1(), v);  // first among the canvas's children
    EXPECT_EQ(h2->VarParam1(), nullptr);

    // Pulling it out again.
    drag.press(v, QPoint(2, 2));
    drag.move(v, QPoint(40, 60));
    EXPECT_EQ(h1->VarParam1(), nullptr);
    EXPECT_EQ(v->parentArea(), &ws().canvas());
    drag.release(v);
}

TEST_F(BlockDrag, ConditionOperatorIsNoSlotButParameterTwoIs)
{
    project.variables().Newvar(u"x"_s);
    auto *cond = static_cast<TKeloControlElseBlock *>(place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s));
    cond->SetBounds(100, 100, cond->Width(), cond->Height());
    EXPECT_TRUE(cond->GetParam1Rect().isEmpty());
    const QRect slot2 = cond->GetParam2Rect();
    ASSERT_FALSE(slot2.isEmpty());
    TKeloBlock *v = pb.placeVariable(u"x"_s);
    v->SetBounds(400, 400, v->Width(), v->Height());
    EXPECT_EQ(dropAt(v, cond->compareList.rect.left() + 100, cond->compareList.rect.top() + 100 + 50),
              BlockDragController::Outcome::Dropped);
    EXPECT_EQ(dropAt(v, slot2.left() + 1, slot2.top()), BlockDragController::Outcome::SlotFilled);
    EXPECT_EQ(cond->VarParam2(), v);
}

TEST_F(BlockDrag, DraggingBeyondTheRightEdgeScrolls)
{
    BlockArea &c = ws().canvas();
    c.clientWidth = 600;
    TKeloBlock *b = wait();
    b->SetBounds(400, 100, b->Width(), b->Height());
    drag.press(b, QPoint(1, 1));
    const QPoint shift = drag.move(b, QPoint(1 + 200, 1));
    EXPECT_EQ(shift, QPoint(-100, 0));
    EXPECT_EQ(c.scrollX, 100);
    drag.release(b);
}

} // namespace

namespace {

TEST(SnapRadius, DistantPointsNeverCountAsNear)
{
    // Squares of these distances overflow 32 bits (65536² wraps to 0).
    EXPECT_FALSE(BlockDragController::IsNear(QPoint(0, 0), QPoint(65536, 0)));
    EXPECT_FALSE(BlockDragController::IsNear(QPoint(0, 0), QPoint(46341, 0)));
    EXPECT_FALSE(BlockDragController::IsNear(QPoint(-40000, 30000), QPoint(40000, -30000)));
    EXPECT_TRUE(BlockDragController::IsNear(QPoint(70000, 70000), QPoint(70024, 70000)));
}

class CanvasContent : public ProjectFixture {};

TEST_F(CanvasContent, CoversEveryBlockPlusTheMarginAndNeverLessThanTheView)
{
    const QSize view(600, 400);
    EXPECT_EQ(ws().canvasContentSize(view), view);

    TKeloBlock *far = wait();
    far->SetBounds(900, 2500, far->Width(), far->Height());
    const QSize size = ws().canvasContentSize(view);
    EXPECT_EQ(size, QSize(900 + far->Width() + Workspace::CanvasMargin, 2500 + far->Height() + Workspace::CanvasMargin));

    // Scrolled, the blocks' positions are relative to the view: the content stays.
    ws().scrollCanvasTo(300, 2000);
    EXPECT_EQ(ws().canvasContentSize(view), size);

    ws().destroyBlock(far);
    EXPECT_EQ(ws().canvasContentSize(view), view);
}

} // namespace
