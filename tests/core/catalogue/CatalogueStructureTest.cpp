#include "catalogue/Catalogue.h"
#include "core/catalogue/PanelLookup.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDeviceArrow = u"%pd → "_s;

QList<const PrototypeSpec *> allPrototypes()
{
    QList<const PrototypeSpec *> all;
    for (const PanelSpec &panel : paletteBuildOrder()) {
        for (const PrototypeSpec &p : panel.prototypes)
            all.append(&p);
    }
    return all;
}

} // namespace

TEST(CatalogueOrder, PanelsAreBuiltInPaletteOrderOnTheirTabs)
{
    struct Expected {
        QString component;
        int tab;
        int deviceType;
        QList<int> commandIds; // panel order of the prototypes
    };
    const QList<Expected> expected = {
        {u"strtPanel"_s, 0, -1, {1, 2}},
        {u"LoopPanel"_s, 0, -1, {70, 72}},
        {u"CtrlPanel"_s, 0, -1, {94, 95}},
        {u"variousPanel"_s, 0, -1, {250, 200, 201, 202, 203}},
        {u"LCDpanel"_s, 1, 0, {122, 123, 121, 124, 125}},
        {u"LaserPanel"_s, 1, 1, {131, 132}},
        {u"SoundPanel"_s, 1, 2, {111, 112}},
        {u"USonicPanel"_s, 1, 3, {77, 141}},
        {u"ServoPanel"_s, 1, 4, {151, 152, 153, 154}},
        {u"SwitchPanel"_s, 1, 5, {146, 146}},
        {u"TempPanel"_s, 1, 6, {75, 76, 171, 173}},
        {u"VarPanel"_s, 2, -1, {230, 231}},
        {u"BMPPanel"_s, 1, 7, {78, 79, 80, 177, 178, 179}},
        {u"AnalogInPanel"_s, 1, 8, {78, 166}},
        {u"DcMotorPanel"_s, 1, 9, {61, 61, 61}},
        {u"DcRobotPanel"_s, 1, 10, {82, 56, 51, 51, 55, 53, 53, 51, 52, 52, 54, 54}},
    };
    const QList<PanelSpec> &panels = paletteBuildOrder();
    ASSERT_EQ(panels.size(), expected.size());
    for (qsizetype i = 0; i < panels.size(); ++i) {
        SCOPED_TRACE(expected[i].component.toStdString());
        EXPECT_EQ(panels[i].component, expected[i].component);
        EXPECT_EQ(panels[i].tab, expected[i].tab);
        EXPECT_EQ(panels[i].deviceType, expected[i].deviceType);
        QList<int> ids;
        for (const PrototypeSpec &p : panels[i].prototypes)
            ids.append(p.CommndID);
        EXPECT_EQ(ids, expected[i].commandIds);
    }
}

TEST(CatalogueOrder, ThirteenGeneralAndFortyFourDevicePrototypes)
{
    int general = 0, device = 0;
    for (const PanelSpec &panel : paletteBuildOrder())
        (panel.deviceType < 0 ? general : device) += int(panel.prototypes.size());
    EXPECT_EQ(general, 13);
    EXPECT_EQ(device, 44);
}

TEST(CatalogueOrder, TabCaptions)
{
    EXPECT_EQ(paletteTabCaptions(),
              (QStringList{u"Γενικές Εντολές"_s, u"Εντολές Συσκευών"_s, u"Μεταβλητές"_s}));
}

TEST(CataloguePanels, PrototypesStandFiftyApartFromTheFirstTop)
{
    for (const PanelSpec &panel : paletteBuildOrder()) {
        SCOPED_TRACE(panel.component.toStdString());
        const int first = panel.component == u"VarPanel"_s ? 40 : 10;
        for (qsizetype i = 0; i < panel.prototypes.size(); ++i) {
            EXPECT_EQ(panel.prototypes[i].Left, 10);
            EXPECT_EQ(panel.prototypes[i].Top, first + 50 * int(i));
        }
    }
}

TEST(CataloguePanels, HeightIsLastTopPlusBlockPlusForty)
{
    EXPECT_EQ(panelHeight(panelNamed(u"LCDpanel"_s)), 210 + 44 + 40);
    EXPECT_EQ(panelHeight(panelNamed(u"DcRobotPanel"_s), 30), 560 + 30 + 40);
    EXPECT_EQ(panelHeight(panelNamed(u"strtPanel"_s)), 60 + 44 + 40);
    // The variables panel fills its group; the window sizes it.
    EXPECT_TRUE(panelNamed(u"VarPanel"_s).fillsGroup);
    EXPECT_EQ(panelHeight(panelNamed(u"VarPanel"_s)), -1);
}

TEST(CataloguePanels, BaseColoursAndLighterPanelColours)
{
    using namespace KeloColor;
    const TColor various = panelNamed(u"variousPanel"_s).baseColor;
    EXPECT_EQ(various, 16711808);
    EXPECT_EQ(various, rgb(128, 0, 255));
    EXPECT_EQ(panelNamed(u"VarPanel"_s).baseColor, rgb(95, 11, 76));
    EXPECT_EQ(panelNamed(u"CtrlPanel"_s).baseColor, 33410);
    EXPECT_EQ(panelNamed(u"CtrlPanel"_s).baseColor, rgb(130, 130, 0));
    EXPECT_EQ(panelNamed(u"strtPanel"_s).baseColor, rgb(0, 128, 0));
    EXPECT_EQ(panelNamed(u"LoopPanel"_s).baseColor, rgb(128, 0, 0));

    for (const PanelSpec &panel : paletteBuildOrder()) {
        if (panel.deviceType < 0)
            continue;
        SCOPED_TRACE(panel.component.toStdString());
        EXPECT_EQ(panel.baseColor, 13107);
        EXPECT_EQ(panelColor(panel), rgb(113, 113, 77));
    }
}

TEST(CataloguePanels, DevicePrototypesCarryTheirPanelsDeviceType)
{
    for (const PanelSpec &panel : paletteBuildOrder()) {
        SCOPED_TRACE(panel.component.toStdString());
        for (const PrototypeSpec &p : panel.prototypes)
            EXPECT_EQ(p.DeviceOnlyCommandID, panel.deviceType) << p.CommandText.toStdString();
    }
}

// Rules the block model depends on, checked over every row so a slip in one row shows.
TEST(CataloguePrototypes, RowsAgreeWithTheirKind)
{
    for (const PrototypeSpec *p : allPrototypes()) {
        SCOPED_TRACE(p->CommandText.toStdString());
        EXPECT_EQ(p->CommandColor, KeloColor::White);
        switch (p->kind) {
        case ProtoKind::Value:
            // Slot binding treats ids above 74 as device readings.
            EXPECT_GT(p->CommndID, 74);
            EXPECT_EQ(p->param1question, p->CommandText);
            EXPECT_FALSE(p->topNose);
            EXPECT_FALSE(p->botNose);
            EXPECT_EQ(p->TotalParams, 0);
            EXPECT_FALSE(p->ArduCmd.endsWith(u';'));
            break;
        case ProtoKind::Condition:
            EXPECT_EQ(p->EndBlockText, u"Τέλος Εάν"_s);
            break;
        case ProtoKind::Loop:
            EXPECT_EQ(p->EndBlockText, u"Τέλος Επανάληψης"_s);
            break;
        case ProtoKind::Command:
        case ProtoKind::VarCommand:
            EXPECT_TRUE(p->EndBlockText.isEmpty());
            break;
        }
        // A shown parameter needs its editor.
        if (p->CommandText.contains(u"%p2"_s)) {
            EXPECT_GE(p->TotalParams, 2);
        } else if (p->CommandText.contains(u"%p1"_s)) {
            EXPECT_GE(p->TotalParams, 1);
        }
    }
}

TEST(CataloguePrototypes, DeviceBlocksChooseTheirDeviceExceptOnTheLcd)
{
    for (const PanelSpec &panel : paletteBuildOrder()) {
        if (panel.deviceType < 0)
            continue;
        for (const PrototypeSpec &p : panel.prototypes) {
            SCOPED_TRACE(p.CommandText.toStdString());
            // Only one LCD may exist, so its blocks need no chooser.
            EXPECT_EQ(p.CommandText.startsWith(kDeviceArrow), panel.deviceType != 0);
            EXPECT_TRUE(p.ArduCmd.contains(u"%dn"_s) || p.ArduCmd.contains(u"%dp1"_s));
        }
    }
}

TEST(CataloguePrototypes, DeviceConditionsKeepTheClassParameters)
{
    for (const PanelSpec &panel : paletteBuildOrder()) {
        for (const PrototypeSpec &p : panel.prototypes) {
            if (panel.deviceType < 0 || p.kind != ProtoKind::Condition)
                continue;
            SCOPED_TRACE(p.CommandText.toStdString());
            EXPECT_FALSE(p.Param1.has_value());
            EXPECT_FALSE(p.Param2.has_value());
            EXPECT_EQ(p.TotalParams, 2);
            ASSERT_TRUE(p.IsSimple.has_value());
            // Only the switch asks yes/no; the others compare with a number.
            EXPECT_EQ(*p.IsSimple, panel.component == u"SwitchPanel"_s);
        }
    }
}

TEST(CataloguePrototypes, TextParameterSetsParam2ToItsLength)
{
    const PanelSpec &lcd = panelNamed(u"LCDpanel"_s);
    ASSERT_EQ(lcd.prototypes.size(), 5);
    EXPECT_EQ(lcd.prototypes[2].ParamStr, u"MESG"_s);
    EXPECT_EQ(lcd.prototypes[2].param2Value(), 4);
    EXPECT_EQ(lcd.prototypes[4].param2Value(), 4);
    EXPECT_EQ(lcd.prototypes[3].param2Value(), 0);
    EXPECT_EQ(lcd.prototypes[0].param2Value(), std::nullopt);
}

TEST(CataloguePrototypes, GeneralCommandsNosesAndDefaults)
{
    const PanelSpec &startEnd = panelNamed(u"strtPanel"_s);
    ASSERT_EQ(startEnd.prototypes.size(), 2);
    EXPECT_FALSE(startEnd.prototypes[0].topNose);
    EXPECT_TRUE(startEnd.prototypes[0].botNose);
    EXPECT_TRUE(startEnd.prototypes[0].ArduCmd.isEmpty());
    EXPECT_TRUE(startEnd.prototypes[1].topNose);
    EXPECT_FALSE(startEnd.prototypes[1].botNose);

    const PanelSpec &ctrl = panelNamed(u"CtrlPanel"_s);
    for (const PrototypeSpec &p : ctrl.prototypes) {
        EXPECT_EQ(p.Param1, 0);
        EXPECT_EQ(p.Param2, 55);
        EXPECT_EQ(p.param1prompt, u"δεν"_s);
        EXPECT_TRUE(p.param1question.isEmpty());
    }
    for (const PrototypeSpec &p : panelNamed(u"variousPanel"_s).prototypes.mid(1))
        EXPECT_EQ(p.Param1, 2) << "pin commands start with pin 2";
}
