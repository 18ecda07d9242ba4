// Downloads from a real HTTP server on 127.0.0.1 into a real folder: the target changes
// only after a whole 2xx transfer, and no temporary file is left either way.
#include "platform/winapi/Download.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/PeakMemory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Download : public testing::Test {
protected:
    QString Target() const { return dir_.filePath(QStringLiteral("help/info.html")); }
    void WriteOld() const
    {
        QDir(dir_.path()).mkpath(QStringLiteral("help"));
        QFile file(Target());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old page");
    }
    QByteArray Read() const
    {
        QFile file(Target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList FilesInFolder() const
    {
        return QDir(dir_.filePath(QStringLiteral("help"))).entryList(QDir::Files | QDir::Hidden);
    }
    static QString Url(const TLocalHttpServer& server)
    {
        return QStringLiteral("http://") + server.Address(QStringLiteral("/info.html"));
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(Download, AWholeTransferReplacesTheTarget)
{
    WriteOld();
    QByteArray page(1 << 20, '\0');
    for (int i = 0; i < page.size(); ++i)
        page[i] = static_cast<char>(i * 7);
    TLocalHttpServer server({200, page});
    const TDownloadResult result = URLDownloadToFile(Url(server), Target());
    EXPECT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Status, 200);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_EQ(Read(), page);
    EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("info.html")});
}

TEST_F(Download, AnEmptyPageIsAnEmptyFile)
{
    WriteOld();
    TLocalHttpServer server({200, {}});
    EXPECT_TRUE(URLDownloadToFile(Url(server), Target()).Ok);
    EXPECT_EQ(Read(), QByteArray());
}

TEST_F(Download, AFailedTransferLeavesTheOldFileAndNoTemporaryFile)
{
    WriteOld();
    TLocalHttpServer missing({404, "no such page"});
    TLocalHttpServer failing({500, "server error"});
    TLocalHttpServer cut({200, QByteArray(100000, 'n'), false, 0, true});
    TClosedLocalPort closed;
    const std::pair<QString, long> cases[] = {
        {Url(missing), 404},
        {Url(failing), 500},
        {Url(cut), 200},
        {QStringLiteral("http://127.0.0.1:%1/info.html").arg(closed.Port()), 0},
        {QStringLiteral("file:///etc/hostname"), 0},
        {QStringLiteral("no address"), 0},
    };
    for (const auto& [url, status] : cases) {
        const TDownloadResult result = URLDownloadToFile(url, Target());
        EXPECT_FALSE(result.Ok) << url.toStdString();
        EXPECT_EQ(result.Status, status) << url.toStdString();
        EXPECT_FALSE(result.Error.isEmpty()) << url.toStdString();
        EXPECT_EQ(Read(), "old page") << url.toStdString();
        EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("info.html")}) << url.toStdString();
    }
}

TEST_F(Download, AFailedFirstDownloadCreatesNoFile)
{
    QDir(dir_.path()).mkpath(QStringLiteral("help"));
    TLocalHttpServer missing({404, "no such page"});
    EXPECT_FALSE(URLDownloadToFile(Url(missing), Target()).Ok);
    EXPECT_TRUE(FilesInFolder().isEmpty());
}

TEST_F(Download, AMissingFolderIsAFailureThatNamesTheTarget)
{
    TLocalHttpServer server({200, "page"});
    const TDownloadResult result = URLDownloadToFile(Url(server), Target());
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Error.contains(QStringLiteral("info.html"))) << result.Error.toStdString();
    EXPECT_EQ(server.RequestCount(), 0);
}

TEST_F(Download, AServerThatNeverAnswersEndsWithinTheTimeOut)
{
    WriteOld();
    TLocalHttpServer silent({200, "never sent", true});
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(URLDownloadToFile(Url(silent), Target(), {500, 700}).Ok);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(Read(), "old page");
}

TEST_F(Download, TheTargetNameIsResolvedWithoutRegardToCase)
{
    WriteOld();
    TLocalHttpServer server({200, "new page"});
    EXPECT_TRUE(URLDownloadToFile(Url(server), dir_.filePath(QStringLiteral("HELP\\Info.HTML"))).Ok);
    EXPECT_EQ(Read(), "new page");
}

TEST_F(Download, AFileUpToTheLimitIsWrittenAndOneByteMoreWritesNothing)
{
    for (bool chunked : {false, true}) {
        WriteOld();
        TLocalHttpServer exact({200, QByteArray(1000, 'e'), false, 0, false, 0, chunked});
        EXPECT_TRUE(URLDownloadToFile(Url(exact), Target(), HttpLayerTimeouts, 1000).Ok) << chunked;
        EXPECT_EQ(Read(), QByteArray(1000, 'e')) << chunked;

        WriteOld();
        TLocalHttpServer longer({200, QByteArray(1001, 'l'), false, 0, false, 0, chunked});
        const TDownloadResult refused = URLDownloadToFile(Url(longer), Target(), HttpLayerTimeouts, 1000);
        EXPECT_FALSE(refused.Ok) << chunked;
        EXPECT_EQ(refused.Error, QStringLiteral("the file is larger than 1000 bytes")) << chunked;
        EXPECT_EQ(Read(), "old page") << chunked;
        EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("info.html")}) << chunked;
    }
}

TEST_F(Download, AHugeFileIsStreamedToDiskAndRefusedBeyondTheLimit)
{
    // 100 MB against a limit of 64 MiB, announced and in chunks: the body never sits in
    // memory, and the old file stays.
    for (bool chunked : {false, true}) {
        WriteOld();
        TLocalHttpServer huge({200, {}, false, 0, false, 100'000'000, chunked});
        const TPeakMemory memory;
        const TDownloadResult result = URLDownloadToFile(Url(huge), Target(), HttpLayerTimeouts, 64 << 20);
        EXPECT_LT(memory.GrowthBytes(), 16 << 20) << chunked;
        EXPECT_FALSE(result.Ok) << chunked;
        EXPECT_TRUE(result.Error.startsWith(QStringLiteral("the file is larger than"))) << chunked;
        EXPECT_EQ(Read(), "old page") << chunked;
        EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("info.html")}) << chunked;
    }
    // Below the limit a large file is written whole, still streamed.
    TLocalHttpServer large({200, {}, false, 0, false, 30'000'000, true});
    const TPeakMemory memory;
    EXPECT_TRUE(URLDownloadToFile(Url(large), Target(), HttpLayerTimeouts, 64 << 20).Ok);
    EXPECT_LT(memory.GrowthBytes(), 16 << 20);
    EXPECT_EQ(QFileInfo(Target()).size(), 30'000'000);
}
