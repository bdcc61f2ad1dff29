#include <QWidget>
#include <gtest/gtest.h>

TEST(UiHarness, WidgetsWorkOffscreen)
{
    QWidget w;
    w.resize(100, 50);
    w.show();
    EXPECT_TRUE(w.isVisible());
}
