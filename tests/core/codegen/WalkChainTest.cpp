#include "support/ProjectFixture.h"

#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "codegen/WalkChain.h"

namespace {

class WalkChainTest : public ProjectFixture {};

TEST_F(WalkChainTest, WorkedExample)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, place(u"Επανάλαβε %p1 φορές"_s)));
    loop->SetParam1(3);
    pb.intoBody(loop, wait(100));
    auto *cond = static_cast<TKeloControlElseBlock *>(pb.after(loop, place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s)));
    cond->SetParam2(2);
    pb.intoBody(cond, wait(5));
    pb.intoElse(cond, wait(7));
    pb.after(cond, place(u"Τερματισμός προγράμματος"_s));

    QStringList lines;
    log.lines.clear();
    WalkChain(lines, start, 1, &log);
    const QStringList expected{
        u"   "_s,
        u"   for (int ik1=0;ik1<3;ik1++){"_s,
        u"      delay(100);"_s,
        u"   }"_s,
        u"   "_s,
        u"   if (digitalRead(2) == HIGH ){"_s,
        u"      delay(5);"_s,
        u"   }"_s,
        u"   else {"_s,
        u"   delay(7);"_s,
        u"   }"_s,
        u"   "_s,
        u"   while(1);"_s,
    };
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(log.lines.size(), 10);  // one per block; else header and its branch included
    EXPECT_EQ(log.lines[1], u"Sending CMD=70 Dev= -1 p_1=3 v_1=0 v_1=0 p_2=2"_s);
}

TEST_F(WalkChainTest, UntickedElseEmitsNoElse)
{
    auto *cond = static_cast<TKeloControlElseBlock *>(place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s));
    pb.intoElse(cond, wait(7));
    cond->ElsebutClick(false, &prompt);  // the prompt answers OK: the branch goes
    QStringList lines;
    WalkChain(lines, cond, 1, nullptr);
    EXPECT_EQ(lines, (QStringList{u"   if (digitalRead(55) == HIGH ){"_s, u"   }"_s, u"   "_s}));
}

TEST_F(WalkChainTest, NestedLoopsGetDistinctCounters)
{
    auto *outer = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    auto *inner = static_cast<TKeloLoopBlock *>(pb.intoBody(outer, place(u"Επανάλαβε %p1 φορές"_s)));
    auto *third = static_cast<TKeloLoopBlock *>(pb.intoBody(inner, place(u"Επανάλαβε %p1 φορές"_s)));
    pb.intoBody(third, wait(1));
    QStringList lines;
    WalkChain(lines, outer, 1, nullptr);
    EXPECT_EQ(lines[0], u"   for (int ik1=0;ik1<5;ik1++){"_s);
    EXPECT_EQ(lines[1], u"      for (int ik2=0;ik2<5;ik2++){"_s);
    EXPECT_EQ(lines[2], u"         for (int ik3=0;ik3<5;ik3++){"_s);
    EXPECT_EQ(lines[3], u"            delay(1);"_s);
}

} // namespace
