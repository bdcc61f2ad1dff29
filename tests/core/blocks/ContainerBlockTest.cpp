#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"

namespace {

class ContainerBlock : public ProjectFixture {
protected:
    TKeloControlElseBlock *pinCondition()
    {
        return static_cast<TKeloControlElseBlock *>(place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s));
    }
};

TEST_F(ContainerBlock, PlacedContainerGetsItsCompanions)
{
    auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    ASSERT_NE(loop->EndBlock(), nullptr);
    EXPECT_EQ(loop->EndBlock()->CommandText(), u"Τέλος Επανάληψης"_s);
    EXPECT_EQ(loop->EndBlock()->CommndID, 99);
    EXPECT_EQ(loop->EndBlock()->ContainerBlock(), loop);
    EXPECT_EQ(loop->EndBlock()->parentArea(), &ws().canvas());
    EXPECT_FALSE(loop->EndBlock()->topNose);

    auto *cond = pinCondition();
    ASSERT_NE(cond->ElseBlock(), nullptr);
    EXPECT_EQ(cond->ElseBlock()->CommandText(), u"Αλλιώς"_s);
    EXPECT_EQ(cond->ElseBlock()->ArduCmd, u"else {"_s);
    EXPECT_FALSE(cond->ElseBlock()->Visible());
    EXPECT_TRUE(cond->Elsebut.visible);
    EXPECT_EQ(cond->EndBlock()->CommandText(), u"Τέλος Εάν"_s);
}

TEST_F(ContainerBlock, EmptyLoopEndBlockSitsTenPixelsBelow)
{
    auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    loop->SetBounds(60, 100, loop->Width(), loop->Height());
    EXPECT_EQ(loop->EndBlock()->Top(), loop->Top() + loop->Height() + 10);
    EXPECT_EQ(loop->EndBlock()->Left(), 60);
    EXPECT_EQ(loop->getKeloBlockListSize(), 2);  // the loop (1) and its end block
    EXPECT_EQ(loop->Getblocksize(), 1);
}

TEST_F(ContainerBlock, BodyIsIndentedAndEndBlockFollowsIt)
{
    auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"_s));
    loop->SetBounds(60, 100, loop->Width(), loop->Height());
    TKeloBlock *a = pb.intoBody(loop, wait(1));
    TKeloBlock *b = pb.intoBody(loop, wait(2));
    EXPECT_EQ(a->Left(), 80);
    EXPECT_EQ(a->Top(), 135);
    EXPECT_EQ(loop->EndBlock()->Top(), b->Top() + b->Height() + 10);
    EXPECT_EQ(loop->GetParam2(), 3);
    // Moving the loop carries body and end block along.
    loop->SetBounds(60, 200, loop->Width(), loop->Height());
    EXPECT_EQ(b->Top(), 200 + 35 + 35);
    EXPECT_EQ(loop->EndBlock()->Top(), b->Top() + b->Height() + 10);
}

TEST_F(ContainerBlock, EndBlockFollowsThenBranchWhileElseIsOff)
{
    auto *cond = pinCondition();
    TKeloBlock *then = pb.intoBody(cond, wait(5));
    EXPECT_EQ(cond->EndBlock()->Top(), then->Top() + then->Height() + 10);

    pb.intoElse(cond, wait(7));
    TKeloControlBlockELSE *header = cond->ElseBlock();
    EXPECT_TRUE(header->Visible());
    EXPECT_EQ(header->Top(), then->Top() + then->Height() + 10);
    TKeloBlock *elseFirst = header->firstBlock();
    EXPECT_EQ(cond->EndBlock()->Top(), elseFirst->Top() + elseFirst->Height() + 10);
}

TEST_F(ContainerBlock, UntickingAnEmptyElseAsksNothing)
{
    auto *cond = pinCondition();
    cond->ElsebutClick(true, &prompt);
    cond->ElsebutClick(false, &prompt);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_FALSE(cond->ElseBlock()->Visible());
}

TEST_F(ContainerBlock, UntickingAFilledElseAsksAndCancelKeepsIt)
{
    auto *cond = pinCondition();
    TKeloBlock *inElse = pb.intoElse(cond, wait(7));
    const QString name = inElse->Name();

    prompt.answer = UserPrompt::Answer::Cancel;
    cond->ElsebutClick(false, &prompt);
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_EQ(prompt.questions.first(),
              u"Υπάρχουν εντολές στο block \"αλλιώς\" που θα διαγραφούν.\n\r Είσαι σίγουρος;"_s);
    EXPECT_TRUE(cond->Elsebutchecked());
    EXPECT_EQ(ws().findBlock(name), inElse);

    prompt.answer = UserPrompt::Answer::Ok;
    cond->ElsebutClick(false, &prompt);
    EXPECT_FALSE(cond->Elsebutchecked());
    EXPECT_EQ(ws().findBlock(name), nullptr);
    EXPECT_EQ(cond->ElseBlock()->firstBlock(), nullptr);
}

TEST_F(ContainerBlock, ComparisonChoiceMapsToOperatorIndex)
{
    project.devices().AddDevice(DeviceTypes::UltraSonic, &prompt);
    auto *cond = static_cast<TKeloControlElseBlock *>(place(u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"_s));
    ASSERT_FALSE(cond->IsSimple());
    EXPECT_EQ(cond->compareList.items, TKeloControlBlock::feminineList());
    cond->CompareListChange(2);
    EXPECT_EQ(cond->compareList.text, u"ίση με"_s);
    EXPECT_EQ(cond->GetParam1(), 4);
    EXPECT_EQ(cond->GetArduinoCommand(1), u"if (USonic_0.distanceFront() == 5 ) {"_s);
    const QStringList ops{u">"_s, u"<"_s, u"=="_s, u">="_s, u"<="_s};
    for (int i = 0; i < 5; ++i) {
        cond->CompareListChange(i);
        EXPECT_TRUE(cond->GetArduinoCommand(1).contains(u' ' + ops[i] + u' ')) << i;
    }
}

TEST_F(ContainerBlock, YesNoChoiceUsesNegationWord)
{
    auto *cond = pinCondition();
    EXPECT_EQ(cond->compareList.items, (QStringList{QString(), u"δεν"_s}));
    EXPECT_EQ(cond->GetArduinoCommand(1), u"if (digitalRead(55) == HIGH ){"_s);
    cond->CompareListChange(1);
    EXPECT_EQ(cond->GetArduinoCommand(1), u"if (digitalRead(55) != HIGH ){"_s);
    EXPECT_EQ(cond->compareColor(), KeloColor::Red);
}

TEST_F(ContainerBlock, DamagedChoiceIndexGivesEqualityAndALogLine)
{
    auto *cond = pinCondition();
    cond->storeParam1(9);
    EXPECT_EQ(cond->GetArduinoCommand(1), u"if (digitalRead(55) == HIGH ){"_s);
    EXPECT_TRUE(log.lines.last().contains(cond->Name()));
}

TEST_F(ContainerBlock, DestroyingAConditionTakesBranchesCompanionsAndFollowers)
{
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    auto *cond = static_cast<TKeloControlElseBlock *>(pb.below(start, pinCondition()));
    pb.intoBody(cond, wait(1));
    pb.intoElse(cond, wait(2));
    pb.after(cond, wait(3));
    const size_t before = ws().canvas().children().size();
    ASSERT_EQ(before, 7u);
    cond->Detach(start);
    ws().destroyBlock(cond);
    EXPECT_EQ(ws().canvas().children().size(), 1u);
    EXPECT_EQ(start->firstBlock(), nullptr);
}

} // namespace
