// Opening an address: through the desktop's URL handler (a stand-in xdg-open on PATH that
// records its arguments) or through an opener set by a test.
#include "platform/winapi/ShellOpen.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(ShellOpenUrl, HandsTheAddressToTheDesktopsUrlHandler)
{
    QTemporaryDir bin;
    const QString record = bin.filePath(QStringLiteral("opened"));
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s|' \"$@\" > \"" + QFile::encodeName(record) + ".tmp\"\nmv \""
                 + QFile::encodeName(record) + ".tmp\" \"" + QFile::encodeName(record) + "\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + oldPath);

    const bool started = ShellOpenUrl(QStringLiteral("https://example.org/update?a=1&b=2 3"));
    qputenv("PATH", oldPath);
    EXPECT_TRUE(started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 5000));
    QFile opened(record);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), "https://example.org/update?a=1&b=2 3|");
}

TEST(ShellOpenUrl, ATestOpenerReplacesTheDesktopsHandlerUntilCleared)
{
    QStringList opened;
    const TUrlOpener before = SetUrlOpener([&](const QString& url) {
        opened << url;
        return true;
    });
    EXPECT_FALSE(before);
    EXPECT_TRUE(ShellOpenUrl(QStringLiteral("http://a/")));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://a/")});

    SetUrlOpener([](const QString&) -> bool { throw std::runtime_error("broken"); });
    EXPECT_FALSE(ShellOpenUrl(QStringLiteral("http://b/")));
    EXPECT_TRUE(SetUrlOpener({}));
}
