#include "platform/datetime/SteadyClock.h"

#include "platform/datetime/DateTime.h"

#include <QThread>
#include <gtest/gtest.h>

TEST(SteadyClock, GoesForwardWhateverTheDateAndTimeDoAndTestsMayReplaceIt)
{
    // The wall clock a test steps back leaves the steady clock going forward.
    TDateTime wall = EncodeDateTime(2026, 12, 9, 10, 0, 0, 0);
    SetNowFunction([&wall] { return wall; });
    const qint64 first = SteadyMs();
    wall -= EncodeTime(0, 0, 30, 0);
    QThread::msleep(20);
    const qint64 second = SteadyMs();
    ResetNowFunction();
    EXPECT_GE(second - first, 20);
    EXPECT_LT(second - first, 5000);

    qint64 fake = 5;
    SetSteadyFunction([&fake] { return fake; });
    EXPECT_EQ(SteadyMs(), 5);
    fake += 1500;
    EXPECT_EQ(SteadyMs(), 1505);
    ResetSteadyFunction();
    EXPECT_GE(SteadyMs(), second);
}
