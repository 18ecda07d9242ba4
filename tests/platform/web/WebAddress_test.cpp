#include "platform/web/WebAddress.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(WebAddress, CompletesAnAddressWithoutSchemeAsHttp)
{
    EXPECT_EQ(WebAddress(QStringLiteral("help.moriva.invalid/help/guide.html")).toString(),
              QStringLiteral("http://help.moriva.invalid/help/guide.html"));
    // host:port is no scheme
    EXPECT_EQ(WebAddress(QStringLiteral("127.0.0.1:8080/help/flow.html")).toString(),
              QStringLiteral("http://127.0.0.1:8080/help/flow.html"));
    EXPECT_EQ(WebAddress(QStringLiteral("  localhost:81  ")).toString(), QStringLiteral("http://localhost:81"));
}

TEST(WebAddress, TakesHttpHttpsAndFileAddressesAndAbsolutePaths)
{
    EXPECT_EQ(WebAddress(QStringLiteral("HTTPS://Example.invalid/a")).toString(),
              QStringLiteral("https://example.invalid/a"));
    EXPECT_EQ(WebAddress(QStringLiteral("file:///opt/moriva/help/info.html")).toLocalFile(),
              QStringLiteral("/opt/moriva/help/info.html"));
    const QUrl local = WebAddress(QStringLiteral("/opt/モリ バ/help/guide.html"));
    EXPECT_EQ(local.scheme(), QStringLiteral("file"));
    EXPECT_EQ(local.toLocalFile(), QStringLiteral("/opt/モリ バ/help/guide.html"));
}

TEST(WebAddress, RefusesBlankTextOtherSchemesAndBrokenAddresses)
{
    for (const char* text : {"", "   ", "javascript:alert(1)", "ftp://host/file", "data:text/html,x",
                             "mailto:someone@example.invalid", "http://", "http://exa mple/"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(WebAddress(QString::fromUtf8(text)), EWebBrowser);
    }
}

TEST(WebAddress, OnlyWebAndFileAddressesAreWorthKeeping)
{
    EXPECT_TRUE(IsWebOrFileAddress(QUrl(QStringLiteral("http://h/p"))));
    EXPECT_TRUE(IsWebOrFileAddress(QUrl(QStringLiteral("https://h/p"))));
    EXPECT_TRUE(IsWebOrFileAddress(QUrl(QStringLiteral("file:///p"))));
    EXPECT_FALSE(IsWebOrFileAddress(QUrl(QStringLiteral("about:blank"))));
    EXPECT_FALSE(IsWebOrFileAddress(QUrl(QStringLiteral("chrome-error://chromewebdata/"))));
    EXPECT_FALSE(IsWebOrFileAddress(QUrl()));
}
