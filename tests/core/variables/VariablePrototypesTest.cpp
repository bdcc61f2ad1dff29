#include "support/ProjectFixture.h"

#include "blocks/TKeloVarBlock.h"
#include "variables/VariablePrototypes.h"

namespace {

class VariablePrototypesTest : public ProjectFixture {
protected:
    TKeloVarBlock *add(const QString &name) { return VariablePrototypes::add(ws(), project.variables(), name, true); }
};

TEST_F(VariablePrototypesTest, NewPrototypesStackBelowTheCommands)
{
    TKeloVarBlock *first = add(u"Μετρητής"_s);
    EXPECT_EQ(first->Top(), 144);
    EXPECT_EQ(first->CommndID, 1);
    EXPECT_EQ(first->Color(), TKeloVarBlock::VariableColor);
    EXPECT_EQ(first->marginLeft, 24);
    TKeloVarBlock *second = add(u"Θέση"_s);
    EXPECT_EQ(second->Top(), 144 + 44 + 10);
}

TEST_F(VariablePrototypesTest, DeletingRemovesValueBlocksEverywhereAndClosesTheGap)
{
    TKeloVarBlock *x = add(u"x"_s);
    TKeloVarBlock *y = add(u"y"_s);
    const int xTop = x->Top();
    TKeloBlock *host = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    host->SetVarParam1(pb.place(x));
    TKeloBlock *loose = pb.place(x);
    const QString looseName = loose->Name();
    TKeloBlock *keep = pb.place(y);

    x->SetToDelete(true);
    VariablePrototypes::deleteTicked(ws(), project.variables());
    EXPECT_EQ(project.variables().count(), 1);
    EXPECT_EQ(host->VarParam1(), nullptr);
    EXPECT_TRUE(host->ctrl1.visible);
    EXPECT_EQ(ws().findBlock(looseName), nullptr);
    EXPECT_EQ(keep->parentArea(), &ws().canvas());
    EXPECT_EQ(y->Top(), xTop);
}

TEST_F(VariablePrototypesTest, DuplicateNamesDeleteTheFirstVariable)
{
    add(u"Count"_s);
    TKeloVarBlock *second = add(u"count"_s);
    const QString secondName = second->Name();
    second->SetToDelete(true);
    VariablePrototypes::deleteTicked(ws(), project.variables());
    ASSERT_EQ(project.variables().count(), 1);
    EXPECT_EQ(project.variables().GetArduVar(0)->VarName, u"count"_s);
    EXPECT_EQ(ws().findBlock(secondName), nullptr);
}

TEST_F(VariablePrototypesTest, ClearAndRecreate)
{
    TKeloVarBlock *a = add(u"a"_s);
    TKeloVarBlock *b = add(u"b"_s);
    TKeloBlock *host = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    host->SetVarParam1(pb.place(a));
    const QString looseName = pb.place(b)->Name();
    int notifications = 0;
    project.variables().addChangeListener([&] { ++notifications; });

    VariablePrototypes::clear(ws(), project.variables());
    EXPECT_EQ(project.variables().count(), 0);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(VariablePrototypes::panel(ws())->children().size(), 2u);  // the two commands stay
    EXPECT_EQ(host->VarParam1(), nullptr);
    EXPECT_EQ(ws().findBlock(looseName), nullptr);

    project.variables().Newvar(u"c"_s);
    project.variables().Newvar(u"d"_s);
    VariablePrototypes::recreate(ws(), project.variables());
    ASSERT_EQ(VariablePrototypes::panel(ws())->children().size(), 4u);
    EXPECT_EQ(VariablePrototypes::panel(ws())->children().back()->Top(), 144 + 44 + 10);
}

} // namespace
