#include "blocks/TKeloBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/Workspace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Workspace::Services noServices()
{
    return {};
}

TEST(BlockNaming, FirstPlacedBlockIsNumberOne)
{
    Workspace ws(noServices());
    TKeloBlock *b = ws.createFloat<TKeloBlock>();
    EXPECT_EQ(b->Name(), u"keloBlock__1"_s);
    EXPECT_EQ(b->Id, 1);
    EXPECT_FALSE(b->prototype());
}

TEST(BlockNaming, SmallestFreeNumberFillsGaps)
{
    Workspace ws(noServices());
    TKeloBlock *one = ws.createFloat<TKeloBlock>();
    TKeloBlock *two = ws.createFloat<TKeloBlock>();
    ws.createFloat<TKeloBlock>();
    ws.destroyBlock(two);
    TKeloBlock *again = ws.createFloat<TKeloBlock>();
    EXPECT_EQ(again->Name(), u"keloBlock__2"_s);
    EXPECT_EQ(again->Id, 2);
    ws.destroyBlock(one);
    EXPECT_EQ(ws.createFloat<TKeloBlock>()->Id, 1);
    EXPECT_EQ(ws.createFloat<TKeloBlock>()->Id, 4);
}

TEST(BlockNaming, PrototypesAndPlacedBlocksNumberSeparately)
{
    Workspace ws(noServices());
    TKeloBlock *proto = ws.create<TKeloBlock>();
    TKeloBlock *placed = ws.createFloat<TKeloBlock>();
    EXPECT_EQ(proto->Name(), u"Prot_keloBlock__1"_s);
    EXPECT_EQ(placed->Name(), u"keloBlock__1"_s);
    EXPECT_EQ(proto->Id, placed->Id);
}

TEST(BlockNaming, NamesAreCaseInsensitiveAndUnique)
{
    Workspace ws(noServices());
    TKeloBlock *a = ws.createFloat<TKeloBlock>();
    TKeloBlock *b = ws.createFloat<TKeloBlock>();
    EXPECT_EQ(ws.findBlock(u"KELOBLOCK__1"_s), a);
    EXPECT_FALSE(b->SetName(u"KeloBlock__1"_s));
    EXPECT_TRUE(b->SetName(u"keloBlock__7"_s));
    // Numbers taken by hand (as a loaded file does) are skipped by new names.
    EXPECT_EQ(ws.createFloat<TKeloBlock>()->Id, 2);
    EXPECT_EQ(ws.findBlock(u"keloblock__7"_s), b);
}

TEST(BlockNaming, ComponentOrderIsCreationOrder)
{
    Workspace ws(noServices());
    TKeloBlock *a = ws.createFloat<TKeloBlock>();
    auto *loop = ws.createFloat<TKeloLoopBlock>();
    loop->SetParent(&ws.canvas());
    loop->SetNewlyCreated(false);  // creates the end block after the loop
    const std::vector<TKeloBlock *> order(ws.components().begin(), ws.components().end());
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], a);
    EXPECT_EQ(order[1], loop);
    EXPECT_EQ(order[2], loop->EndBlock());
}

} // namespace
