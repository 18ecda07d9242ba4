#include "VclTestSupport.h"
#include "platform/vcl/Timer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

// The time from start to the first tick of timer.
qint64 FirstTick(TTimer& timer, const QElapsedTimer& start, int timeoutMs = 2000)
{
    qint64 at = -1;
    timer.OnTimer = [&] {
        if (at < 0)
            at = start.elapsed();
    };
    WaitFor([&] { return at >= 0; }, timeoutMs);
    return at;
}

TEST(Timer, NewTimerTicksEveryInterval)
{
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    QElapsedTimer start;
    start.start();
    timer.SetInterval(100);
    const qint64 at = FirstTick(timer, start);
    EXPECT_GE(at, 95);
    EXPECT_LT(at, 400);
}

TEST(Timer, OffAndOnRestartsThePeriod)
{
    TTimer timer;
    timer.SetInterval(300);
    QTest::qWait(200);
    QElapsedTimer start;
    start.start();
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_GE(FirstTick(timer, start), 295);
}

TEST(Timer, OnWhileOnAndTheSameIntervalKeepThePeriod)
{
    TTimer timer;
    timer.SetInterval(300);
    QElapsedTimer start;
    start.start();
    QTest::qWait(200);
    timer.SetEnabled(true);
    timer.SetInterval(300);
    const qint64 at = FirstTick(timer, start);
    EXPECT_GE(at, 295);
    EXPECT_LT(at, 490); // not 200 + 300
}

TEST(Timer, NewIntervalRestartsThePeriod)
{
    TTimer timer;
    timer.SetInterval(300);
    QTest::qWait(200);
    QElapsedTimer start;
    start.start();
    timer.SetInterval(250);
    EXPECT_GE(FirstTick(timer, start), 245);
}

TEST(Timer, DisabledOrZeroIntervalNeverTicks)
{
    TTimer timer;
    timer.SetInterval(20);
    timer.SetEnabled(false);
    QElapsedTimer start;
    start.start();
    EXPECT_EQ(FirstTick(timer, start, 150), -1);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_EQ(FirstTick(timer, start, 150), -1);
}

} // namespace
