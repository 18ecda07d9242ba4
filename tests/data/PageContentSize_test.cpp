#include "data/UConst.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/PeakMemory.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

TEST(GetPageContentSize, IsTheBodyLengthOfAReachablePage)
{
    TLocalHttpServer site({200, QByteArray(1234, 'a')});
    EXPECT_EQ(GetPageContentSize(site.Address(QStringLiteral("/help/guide.html"))), 1234);
    EXPECT_EQ(site.RequestCount(), 1);
}

TEST(GetPageContentSize, AHugePageCountsAsTheProbesLimitAndIsNeverHeldWhole)
{
    constexpr qint64 huge = 200LL * 1024 * 1024;
    for (const bool chunked : {false, true}) {
        SCOPED_TRACE(chunked ? "sent in chunks" : "length announced");
        TLocalHttpServer site({200, {}, false, 0, false, huge, chunked});
        const TPeakMemory memory;
        EXPECT_EQ(GetPageContentSize(site.Address(QStringLiteral("/help/guide.html"))),
                  PageProbeMaxBytes);
        EXPECT_LT(memory.GrowthBytes(), 16LL * 1024 * 1024);
    }
    TLocalHttpServer missing({404, {}, false, 0, false, huge, false});
    EXPECT_EQ(GetPageContentSize(missing.Address(QStringLiteral("/help/guide.html"))), 0);
}

TEST(GetPageContentSize, IsZeroForAnErrorStatusOrAnEmptyPage)
{
    TLocalHttpServer missing({404, "<html>Not Found</html>"});
    EXPECT_EQ(GetPageContentSize(missing.Address(QStringLiteral("/help/flow.html"))), 0);
    TLocalHttpServer empty({200, {}});
    EXPECT_EQ(GetPageContentSize(empty.Address(QStringLiteral("/help/info.html"))), 0);
}

TEST(GetPageContentSize, IsZeroWithoutAServer)
{
    TClosedLocalPort closed;
    EXPECT_EQ(GetPageContentSize(QStringLiteral("127.0.0.1:%1/help/guide.html").arg(closed.Port())), 0);
    EXPECT_EQ(GetPageContentSize(QString()), 0);
}

TEST(GetPageContentSize, GivesUpOnAServerThatNeverAnswers)
{
    // The program waits at most 5 s to connect and 15 s in all.
    EXPECT_EQ(PageProbeTimeouts.ConnectMs, 5000);
    EXPECT_EQ(PageProbeTimeouts.TotalMs, 15000);

    TLocalHttpServer silent({200, "never sent", true});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(GetPageContentSize(silent.Address(QStringLiteral("/help/guide.html")), {500, 1000}), 0);
    EXPECT_LT(clock.elapsed(), 4000);
}
