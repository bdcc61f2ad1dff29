#include "blocks/TKeloCombo.h"
#include "KeloEditHost.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Records the menu instead of popping it up; `onMenu` may trigger an action.
class MenuProbeCombo : public TKeloCombo {
public:
    using TKeloCombo::TKeloCombo;

    int menusShown = 0;
    QStringList captions;
    QPoint shownAt;
    std::function<void(QMenu &)> onMenu;

protected:
    void popupItemMenu(QMenu &menu, const QPoint &globalPos) override
    {
        ++menusShown;
        shownAt = globalPos;
        captions.clear();
        for (QAction *a : menu.actions())
            captions.append(a->text());
        if (onMenu)
            onMenu(menu);
    }
};

const QStringList feminine = {u"μεγαλύτερη από"_s, u"μικρότερη από"_s, u"ίση με"_s,
                              u"μεγαλύτερη ή ίση από"_s, u"μικρότερη ή ίση από"_s};

class KeloComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        combo = new MenuProbeCombo(host.block);
        combo->move(40, 12);
        combo->SetAutoSize(true);
        combo->SetItems(feminine);
        combo->SetItemindex(2);
        ASSERT_TRUE(host.showActive());
    }

    KeloEditHost host;
    MenuProbeCombo *combo = nullptr;
};

TEST_F(KeloComboTest, IsAPaintedListWithoutEditorOrSpinner)
{
    EXPECT_FALSE(combo->NumbersOnly());
    EXPECT_EQ(combo->lineEdit(), nullptr);
    EXPECT_EQ(combo->upDown(), nullptr);
    EXPECT_EQ(combo->ItemCount(), 5);
    EXPECT_EQ(combo->Text(), u"ίση με"_s);
}

TEST_F(KeloComboTest, ClickShowsTheEntriesLastFirstAndChoosingSetsTheIndex)
{
    QSignalSpy clicked(combo, &TKeloCombo::clicked);
    QSignalSpy changed(combo, &TKeloEdit::changed);
    combo->onMenu = [](QMenu &menu) {
        for (QAction *a : menu.actions())
            if (a->text() == u"μεγαλύτερη από"_s)
                a->trigger();
    };
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(3, 3));

    ASSERT_EQ(combo->menusShown, 1);
    QStringList reversed(feminine.rbegin(), feminine.rend());
    EXPECT_EQ(combo->captions, reversed);
    EXPECT_EQ(combo->shownAt, combo->mapToGlobal(QPoint(0, combo->height())));
    EXPECT_EQ(combo->Itemindex(), 0);
    EXPECT_EQ(combo->Text(), u"μεγαλύτερη από"_s);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(combo->EditMode());
    EXPECT_TRUE(combo->hasFocus());
}

TEST_F(KeloComboTest, ClosingTheMenuWithoutChoiceChangesNothing)
{
    QSignalSpy clicked(combo, &TKeloCombo::clicked);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(combo->menusShown, 1);
    EXPECT_EQ(combo->Itemindex(), 2);
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(KeloComboTest, MovingOnePixelDragsAndShowsNoMenu)
{
    QSignalSpy started(combo, &TKeloEdit::dragStarted);
    QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(combo, QPoint(5, 5));  // a move event at the press point is no drag
    EXPECT_EQ(started.count(), 0);
    QTest::mouseMove(combo, QPoint(6, 5));
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.at(0).at(0).toPoint(), QPoint(46, 17));
    QTest::mouseRelease(combo, Qt::LeftButton, {}, QPoint(6, 5));

    EXPECT_EQ(combo->menusShown, 0);
    EXPECT_FALSE(combo->EditMode());
}

TEST_F(KeloComboTest, ItemindexBounds)
{
    combo->SetItemindex(9);
    EXPECT_EQ(combo->Itemindex(), 4);
    EXPECT_EQ(combo->Text(), u"μικρότερη ή ίση από"_s);
    combo->SetItemindex(-1);
    EXPECT_EQ(combo->Itemindex(), 4);

    TKeloCombo empty;
    EXPECT_EQ(empty.Itemindex(), -1);
    empty.SetItemindex(0);
    EXPECT_EQ(empty.Itemindex(), -1);
    EXPECT_EQ(empty.Text(), QString());
}

TEST_F(KeloComboTest, LosingTheFocusEndsEditMode)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(combo->EditMode());
    host.elsewhere->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(combo->EditMode());
    EXPECT_EQ(combo->Text(), u"ίση με"_s);
}

TEST(KeloComboAlone, NoMenuWithoutAParent)
{
    MenuProbeCombo combo;
    combo.SetItems(feminine);
    combo.ShowItemMenu();
    EXPECT_EQ(combo.menusShown, 0);
}

} // namespace
