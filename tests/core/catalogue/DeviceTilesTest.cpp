#include "catalogue/Catalogue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CatalogueTiles, ElevenTilesInTypeOrder)
{
    const QList<DeviceTileSpec> &tiles = deviceTiles();
    ASSERT_EQ(tiles.size(), 11);
    for (qsizetype i = 0; i < tiles.size(); ++i)
        EXPECT_EQ(tiles[i].typeId, int(i));
    EXPECT_EQ(tiles[0].caption, u"Serial LCD 16x2"_s);
    EXPECT_EQ(tiles[3].caption, u"Μετρ. Απόστασης"_s);
    EXPECT_EQ(tiles[10].panel, u"pnlRobot"_s);
}

TEST(CatalogueTiles, NamingRuleFindsEveryButtonAndCounterIgnoringCase)
{
    for (const DeviceTileSpec &tile : deviceTiles()) {
        SCOPED_TRACE(tile.panel.toStdString());
        EXPECT_EQ(getPanelAddButtonName(tile.panel).compare(tile.addButton, Qt::CaseInsensitive), 0);
        EXPECT_EQ(getPanelCountLabelName(tile.panel).compare(tile.countLabel, Qt::CaseInsensitive), 0);
    }
}

TEST(CatalogueTiles, RobotCounterDiffersOnlyInCase)
{
    EXPECT_EQ(getPanelAddButtonName(u"pnlRobot"_s), u"RobotAdd"_s);
    EXPECT_EQ(getPanelCountLabelName(u"pnlRobot"_s), u"lblRobot"_s);
    EXPECT_EQ(deviceTiles()[10].countLabel, u"LblRobot"_s);
    EXPECT_EQ(getPanelAddButtonName(u"pnlLCD"_s).compare(u"LCDadd"_s, Qt::CaseInsensitive), 0);
}
