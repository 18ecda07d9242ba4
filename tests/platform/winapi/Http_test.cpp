#include "platform/winapi/Http.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/PeakMemory.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

QString Url(const TLocalHttpServer& server, const QString& path = QStringLiteral("/page.html"))
{
    return QStringLiteral("http://") + server.Address(path);
}

} // namespace

TEST(HttpGet, ReturnsTheBodyOfA2xxReply)
{
    TLocalHttpServer ok({200, QByteArray(3000, 'x')});
    const THttpResult page = HttpGet(Url(ok));
    EXPECT_TRUE(page.Ok);
    EXPECT_EQ(page.Status, 200);
    EXPECT_EQ(page.Body, QByteArray(3000, 'x'));

    TLocalHttpServer empty({204, {}});
    EXPECT_TRUE(HttpGet(Url(empty)).Ok);
}

TEST(HttpGet, AnErrorOrRedirectStatusIsAFailure)
{
    for (int status : {301, 404, 500}) {
        TLocalHttpServer server({status, "not here"});
        const THttpResult reply = HttpGet(Url(server));
        EXPECT_FALSE(reply.Ok) << status;
        EXPECT_EQ(reply.Status, status);
    }
}

TEST(HttpGet, ARefusedConnectionIsAFailure)
{
    TClosedLocalPort closed;
    const THttpResult reply = HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(closed.Port()));
    EXPECT_FALSE(reply.Ok);
    EXPECT_EQ(reply.Status, 0);
}

TEST(HttpGet, AServerThatNeverAnswersFailsWithinTheTimeOut)
{
    TLocalHttpServer silent({200, "never sent", true});
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HttpGet(Url(silent), {500, 700}).Ok);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(silent.RequestCount(), 1);
}

TEST(HttpGet, OnlyHttpAddressesAreFetched)
{
    EXPECT_FALSE(HttpGet(QStringLiteral("file:///etc/hostname")).Ok);
    EXPECT_FALSE(HttpGet(QStringLiteral("not an address")).Ok);
}

TEST(HttpGet, IgnoresTheEnvironmentsProxy)
{
    TClosedLocalPort deadProxy;
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(deadProxy.Port());
    qputenv("http_proxy", proxy);
    qputenv("HTTP_PROXY", proxy);
    TLocalHttpServer server({200, "direct"});
    const THttpResult reply = HttpGet(Url(server));
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    EXPECT_TRUE(reply.Ok);
    EXPECT_EQ(reply.Body, "direct");
}

TEST(HttpClient, SendsItsAcceptContentTypeAndUserAgent)
{
    TLocalHttpServer server({200, "text"});
    THttpClient client;
    client.Accept = "text/html, */*";
    client.ContentType = "text/html";
    client.UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    client.Timeouts = HttpLayerTimeouts;
    EXPECT_TRUE(client.Get(Url(server)).Ok);
    ASSERT_EQ(server.RequestHeads().size(), 1);
    const QByteArrayList lines = server.RequestHeads()[0].split('\n');
    EXPECT_EQ(lines[0], "GET /page.html HTTP/1.1\r");
    const QByteArrayList head = server.RequestHeads()[0].split('\r');
    EXPECT_TRUE(head.contains("\nAccept: text/html, */*"));
    EXPECT_TRUE(head.contains("\nContent-Type: text/html"));
    EXPECT_TRUE(head.contains("\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)"));

    // A plain GET sends none of them.
    EXPECT_TRUE(HttpGet(Url(server)).Ok);
    EXPECT_FALSE(server.RequestHeads()[1].contains("Content-Type"));
    EXPECT_FALSE(server.RequestHeads()[1].contains("User-Agent"));
}

TEST(HttpClient, RepliesAreServedByPath)
{
    TLocalHttpServer server;
    server.Route("/a.txt", {200, "A"});
    server.Route("/b.txt", {200, "B"});
    EXPECT_EQ(HttpGet(Url(server, QStringLiteral("/b.txt"))).Body, "B");
    EXPECT_EQ(HttpGet(Url(server, QStringLiteral("/a.txt"))).Body, "A");
    EXPECT_EQ(HttpGet(Url(server, QStringLiteral("/c.txt"))).Status, 404);
    EXPECT_EQ(server.RequestedPaths(), QByteArrayList({"/b.txt", "/a.txt", "/c.txt"}));
}

TEST(HttpClient, ABodyUpToTheLimitIsTakenAndOneByteMoreIsRefused)
{
    THttpClient client;
    client.MaxBodyBytes = 1000;
    for (bool chunked : {false, true}) {
        TLocalHttpServer exact({200, QByteArray(1000, 'e'), false, 0, false, 0, chunked});
        const THttpResult taken = client.Get(Url(exact));
        EXPECT_TRUE(taken.Ok) << chunked;
        EXPECT_FALSE(taken.TooLarge) << chunked;
        EXPECT_EQ(taken.Body.size(), 1000) << chunked;

        TLocalHttpServer longer({200, QByteArray(1001, 'l'), false, 0, false, 0, chunked});
        const THttpResult refused = client.Get(Url(longer));
        EXPECT_FALSE(refused.Ok) << chunked;
        EXPECT_TRUE(refused.TooLarge) << chunked;
        EXPECT_TRUE(refused.Body.isEmpty()) << chunked;
    }
}

TEST(HttpClient, AHugeBodyIsRefusedWithoutBeingHeld)
{
    // 20 MB, with its length announced and without (chunks), against a limit of 1 MiB.
    for (bool chunked : {false, true}) {
        TLocalHttpServer huge({200, {}, false, 0, false, 20'000'000, chunked});
        THttpClient client;
        client.MaxBodyBytes = 1 << 20;
        const TPeakMemory memory;
        const THttpResult reply = client.Get(Url(huge));
        EXPECT_LT(memory.GrowthBytes(), 16 << 20) << chunked;
        EXPECT_FALSE(reply.Ok) << chunked;
        EXPECT_TRUE(reply.TooLarge) << chunked;
        EXPECT_EQ(reply.Status, 200) << chunked;
    }
}
