#include "ShellTestSupport.h"

#include <QTest>

namespace {

using MainWindowGeometry = ShellTest;

TEST_F(MainWindowGeometry, FirstRunOpensAtDefaultSizeAndStoresAllValues)
{
    auto w = makeWindow();
    EXPECT_EQ(stored(u"Left"_s), -9999);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_EQ(w->size(), QSize(1000, 750));
    EXPECT_EQ(stored(u"Width"_s), 1000);
    EXPECT_EQ(stored(u"Height"_s), 750);
    EXPECT_NE(stored(u"Left"_s), -9999);
    EXPECT_NE(stored(u"Top"_s), -9999);
    EXPECT_EQ(stored(u"wstate"_s), 0);
}

TEST_F(MainWindowGeometry, StoredPositionWithoutStateKeepsPositionButNotSize)
{
    store(u"Left"_s, 50);
    store(u"Top"_s, 60);
    store(u"Width"_s, 700);
    store(u"Height"_s, 500);
    auto w = makeWindow();
    EXPECT_EQ(w->pos(), QPoint(50, 60));
    EXPECT_EQ(w->size(), QSize(1000, 750));
}

TEST_F(MainWindowGeometry, CompleteValuesAreRestored)
{
    store(u"Left"_s, 30);
    store(u"Top"_s, 40);
    store(u"Width"_s, 640);
    store(u"Height"_s, 480);
    store(u"wstate"_s, 0);
    auto w = makeWindow();
    EXPECT_EQ(w->pos(), QPoint(30, 40));
    EXPECT_EQ(w->size(), QSize(640, 480));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    // Showing what was restored writes the same values back.
    EXPECT_EQ(stored(u"Width"_s), 640);
    EXPECT_EQ(stored(u"Left"_s), 30);
}

TEST_F(MainWindowGeometry, MaximisedIsStoredAndOpensMaximised)
{
    {
        auto w = makeWindow();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->showMaximized();
        QTest::qWait(20);
        EXPECT_EQ(stored(u"wstate"_s), 2);
        // The size to return to is kept, not the screen's.
        EXPECT_EQ(stored(u"Width"_s), 1000);
    }
    auto again = makeWindow();
    EXPECT_TRUE(again->windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(MainWindowGeometry, MovingWithoutResizingWritesNothing)
{
    auto w = makeWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const int left = stored(u"Left"_s);
    const int x = w->x() + 120;
    w->move(x, w->y() + 30);
    QTest::qWait(20);
    ASSERT_EQ(w->x(), x);
    EXPECT_EQ(stored(u"Left"_s), left);

    w->resize(900, 700);
    QTest::qWait(20);
    EXPECT_EQ(stored(u"Left"_s), x);
    EXPECT_EQ(stored(u"Width"_s), 900);
}

} // namespace
