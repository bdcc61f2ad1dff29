#include "shell/IntSettings.h"
#include "shell/WindowGeometry.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Records every value applied, in order; can save from inside a setter the way a
// window's resize notification does.
class RecordingTarget : public WindowGeometry::Target {
public:
    void setLeft(int v) override { applied << u"Left=%1"_s.arg(v); }
    void setTop(int v) override { applied << u"Top=%1"_s.arg(v); }
    void setWidth(int v) override
    {
        applied << u"Width=%1"_s.arg(v);
        if (geometry)
            geometry->save({1, 2, v, 4, WindowGeometry::State::Normal});
    }
    void setHeight(int v) override { applied << u"Height=%1"_s.arg(v); }
    void setState(WindowGeometry::State s) override { applied << u"wstate=%1"_s.arg(int(s)); }
    QStringList applied;
    WindowGeometry *geometry = nullptr;
};

struct RestoreCase {
    const char *name;
    QStringList stored;      // keys present, with value 10 * position + 1
    QStringList unreadable;  // keys present but damaged
    int state;               // value of "wstate" when stored
    bool result;
    QStringList applied;
};

void PrintTo(const RestoreCase &c, std::ostream *os)
{
    *os << c.name;
}

class WindowGeometryRestore : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(WindowGeometryRestore, AppliesInOrderUntilTheFirstMissingValue)
{
    const RestoreCase &c = GetParam();
    MemoryIntSettings settings;
    for (int i = 0; i < c.stored.size(); ++i)
        settings.values.insert(c.stored[i], c.stored[i] == u"wstate"_s ? c.state : 10 * i + 1);
    for (const QString &k : c.unreadable)
        settings.unreadable.insert(k);

    WindowGeometry geometry(settings);
    RecordingTarget target;
    EXPECT_EQ(geometry.restore(target), c.result);
    EXPECT_EQ(target.applied, c.applied);
    EXPECT_FALSE(geometry.restoring());
}

const QStringList allKeys{u"Left"_s, u"Top"_s, u"Width"_s, u"Height"_s, u"wstate"_s};

INSTANTIATE_TEST_SUITE_P(
    StoredValues, WindowGeometryRestore,
    ::testing::Values(
        RestoreCase{"FirstRun", {}, {}, 0, false, {}},
        RestoreCase{"Complete", allKeys, {}, 2, true,
                    {u"Left=1"_s, u"Top=11"_s, u"Width=21"_s, u"Height=31"_s, u"wstate=2"_s}},
        RestoreCase{"NoState", {u"Left"_s, u"Top"_s, u"Width"_s, u"Height"_s}, {}, 0, false,
                    {u"Left=1"_s, u"Top=11"_s, u"Width=21"_s, u"Height=31"_s}},
        RestoreCase{"NoWidthStopsBeforeHeight", {u"Left"_s, u"Top"_s, u"Height"_s, u"wstate"_s}, {}, 0, false,
                    {u"Left=1"_s, u"Top=11"_s}},
        RestoreCase{"NoLeftAppliesNothing", {u"Top"_s, u"Width"_s, u"Height"_s, u"wstate"_s}, {}, 0, false, {}},
        RestoreCase{"DamagedTop", allKeys, {u"Top"_s}, 0, false, {u"Left=1"_s}},
        RestoreCase{"StateOutOfRange", allKeys, {}, 7, false,
                    {u"Left=1"_s, u"Top=11"_s, u"Width=21"_s, u"Height=31"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WindowGeometry, SaveWritesAllFiveValues)
{
    MemoryIntSettings settings;
    WindowGeometry geometry(settings);
    geometry.save({-8, 20, 1280, 990, WindowGeometry::State::Maximised});
    const QHash<QString, int> expected{{u"Left"_s, -8}, {u"Top"_s, 20}, {u"Width"_s, 1280},
                                       {u"Height"_s, 990}, {u"wstate"_s, 2}};
    EXPECT_EQ(settings.values, expected);
}

TEST(WindowGeometry, SavingIsSuppressedWhileRestoring)
{
    MemoryIntSettings settings;
    settings.values = {{u"Left"_s, 5}, {u"Top"_s, 6}, {u"Width"_s, 700}, {u"Height"_s, 500}, {u"wstate"_s, 0}};
    WindowGeometry geometry(settings);
    RecordingTarget target;
    target.geometry = &geometry;
    ASSERT_TRUE(geometry.restore(target));
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(settings.values.value(u"Left"_s), 5);

    geometry.save({1, 2, 3, 4, WindowGeometry::State::Normal});
    EXPECT_EQ(settings.writes, 5);
}

} // namespace
