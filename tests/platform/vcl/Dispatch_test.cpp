#include "VclTestSupport.h"
#include "platform/vcl/Abort.h"
#include "platform/vcl/Dispatch.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(Dispatch, FailingHandlerReachesTheExceptionEventInsideItsCatchBlock)
{
    std::uint32_t address = 0;
    QString message;
    Application().OnException = [&](const std::exception_ptr& error) {
        address = ExceptAddr();
        message = ExceptMessage();
        EXPECT_TRUE(error);
    };
    EXPECT_FALSE(Dispatch([] { throw Exception("handler failed"); }));
    Application().OnException = nullptr;
    EXPECT_EQ(message, "handler failed");
    EXPECT_NE(address, 0u);
}

TEST(Dispatch, CompletedHandlerAndSilentAbort)
{
    TExceptionLog log;
    int runs = 0;
    EXPECT_TRUE(Dispatch([&] { ++runs; }));
    EXPECT_FALSE(Dispatch([] { Abort(); }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(log.Messages.isEmpty());
}

TEST(Dispatch, WithoutExceptionEventTheMessageGoesToStderr)
{
    Application().OnException = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Dispatch([] { throw std::runtime_error("plain failure"); }));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Exception: plain failure\n");
}

TEST(Dispatch, FailingExceptionEventIsContained)
{
    Application().OnException = [](const std::exception_ptr&) { throw Exception("log failed"); };
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Dispatch([] { throw 42; }));
    const std::string out = testing::internal::GetCapturedStderr();
    Application().OnException = nullptr;
    EXPECT_NE(out.find("log failed"), std::string::npos);
}

TEST(Dispatch, OnSignalRunsTheHandlerThroughTheDispatcher)
{
    TExceptionLog log;
    QTimer timer;
    timer.setSingleShot(true);
    int runs = 0;
    OnSignal(&timer, &QTimer::timeout, &timer, [&] {
        ++runs;
        throw Exception("signal handler failed");
    });
    timer.start(0);
    EXPECT_TRUE(WaitFor([&] { return runs == 1; }));
    EXPECT_EQ(log.Messages.join(" | "), "signal handler failed");
}

} // namespace
