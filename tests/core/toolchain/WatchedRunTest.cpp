// An external run ended by the pupil or by its own lack of progress, in virtual time.
#include "support/ScriptedRunner.h"

#include "toolchain/WatchedRun.h"
#include "util/VirtualClock.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class WatchedRunTest : public ::testing::Test {
protected:
    WatchedRunTest() { runner.hold = true; }
    void start(bool uploadingFromStart = false)
    {
        run.start(u"arduino"_s, {}, {}, StallWatch({300000, 90000}, uploadingFromStart),
                  {[](const QString &) {}, [this](const WatchedRun::End &e) { ends.push_back(e); }});
    }
    ScriptedRunner runner;
    VirtualClock clock;
    WatchedRun run{runner, clock};
    std::vector<WatchedRun::End> ends;
};

TEST_F(WatchedRunTest, AQuietCompileMayTakeLongerThanAQuietUpload)
{
    start();
    clock.advance(200000);
    runner.say(u"Sketch uses 918 bytes\n"_s);
    clock.advance(200000);
    EXPECT_TRUE(ends.empty());
    runner.say(u"Uploading...\n"_s);
    clock.advance(90000);
    EXPECT_TRUE(ends.empty());
    clock.advance(WatchedRun::CheckEveryMs + 1);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].stop, WatchedRun::Stop::Stalled);
    EXPECT_EQ(ends[0].stallLimitMs, 90000);
    EXPECT_EQ(runner.cancels, 1);
}

TEST_F(WatchedRunTest, OutputKeepsARunAlive)
{
    start(true);
    for (int i = 0; i < 10; ++i) {
        clock.advance(60000);
        runner.say(u"#"_s);
    }
    EXPECT_TRUE(ends.empty());
    runner.end(0);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].stop, WatchedRun::Stop::None);
    EXPECT_EQ(ends[0].exitCode, 0);
    // Nothing is left to check once it has ended.
    clock.runUntilIdle();
    EXPECT_EQ(runner.cancels, 0);
}

TEST_F(WatchedRunTest, CancelEndsTheRunAndSaysSo)
{
    start();
    run.cancel();
    run.cancel();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].stop, WatchedRun::Stop::Cancelled);
    EXPECT_EQ(runner.cancels, 1);
    EXPECT_FALSE(run.running());
}

} // namespace
