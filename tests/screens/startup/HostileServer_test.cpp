// The news check against a hostile or silent server on 127.0.0.1: texts, notices and files
// far larger than any real one are refused without being held in memory, and a server
// that never answers holds the check no longer than its time budget.
#include "NewsCheckSupport.h"

#include "screens/startup/UServerText.h"
#include "tests/support/PeakMemory.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

const QStringList FourSteps = {
    QStringLiteral("step サーバー情報取得 25"), QStringLiteral("step ファイル取得 50"),
    QStringLiteral("step 情報設定 75"), QStringLiteral("step 確認終了 100")};

// The dialog with the HTTP layer's own time-outs (15 s a request) and a budget of 1 s.
class TShortBudgetUpdateForm : public TfrmUpdate {
public:
    explicit TShortBudgetUpdateForm(QWidget* owner) : TfrmUpdate(owner) { TimeBudgetMs = 1000; }
};

constexpr qint64 MiB = qint64(1) << 20;

// A large body made up as it is sent, announced or in chunks.
TLocalHttpServer::Reply Filler(qint64 bytes, bool chunked)
{
    TLocalHttpServer::Reply reply;
    reply.Filler = bytes;
    reply.Chunked = chunked;
    return reply;
}

void Report(const char* what, qint64 growth, qint64 elapsedMs)
{
    std::printf("[ figures  ] %s: peak memory growth %.1f MiB, check ended after %lld ms\n", what,
                double(growth) / double(MiB), static_cast<long long>(elapsedMs));
}

} // namespace

TEST_F(NewsCheck, HugeServerTextsAreRefusedUnheldWithALogLineEach)
{
    UpdateFormClass = ClassOf<TfrmUpdate, TfrmUpdateClass>();
    PointAtServer();
    Server.Route("/news/info.txt", Filler(20'000'000, false));
    Server.Route("/news/info2000.txt", Filler(20'000'000, true));
    QElapsedTimer clock;
    clock.start();
    const TPeakMemory memory;
    Execute();
    Report("two 20 MB server texts", memory.GrowthBytes(), clock.elapsed());
    EXPECT_LT(memory.GrowthBytes(), 64 * MiB);
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(LogLines(), QStringList({QStringLiteral("TfrmUpdateControl.GetServerText %1 is refused, larger than "
                                                      "1048576 bytes").arg(Url("/news/info.txt")),
                                       QStringLiteral("TfrmUpdateControl.GetServerText %1 is refused, larger than "
                                                      "1048576 bytes").arg(Url("/news/info2000.txt"))}));
}

TEST_F(NewsCheck, ATextOfExactlyTheLimitIsStillRead)
{
    PointAtServer();
    Folder.Write(QStringLiteral("notice.txt"), "news");
    QByteArray text = "Info=notice.txt\r\n";
    text += QByteArray(ServerTextLimit - text.size(), ' ');
    Server.Route("/news/info.txt", {200, text});
    Execute();
    EXPECT_EQ(Events, FourSteps + QStringList{QStringLiteral("notice news")});
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(NewsCheck, AHugeNoticeIsRefusedWithALogLineAndTheOtherStillShows)
{
    PointAtServer();
    Folder.Write(QStringLiteral("huge.txt"), QByteArray(NoticeLimit + 1, 'a'));
    Folder.Write(QStringLiteral("small.txt"), "small notice");
    Serve("/news/info2000.txt", QStringLiteral("Info=huge.txt"));
    Serve("/news/info.txt", QStringLiteral("Info=small.txt"));
    const TPeakMemory memory;
    Execute();
    EXPECT_LT(memory.GrowthBytes(), 64 * MiB);
    EXPECT_EQ(Events, FourSteps + QStringList{QStringLiteral("notice small notice")});
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.ShowInfos E.Message=the notice huge.txt "
                                                     "is refused, larger than 1048576 bytes")});
}

TEST_F(NewsCheck, AHugeFileIsRefusedUnheldAndTheOldFileIsKept)
{
    UpdateFormClass = ClassOf<TfrmUpdate, TfrmUpdateClass>();
    PointAtServer();
    Folder.Write(QStringLiteral("help/big.bin"), "old file");
    Server.Route("/files/big.bin", Filler(100'000'000, true));
    Server.Route("/files/big.ini", Filler(2 * MiB, false));
    Serve("/news/info.txt", QStringLiteral("File=Big,BigIni\r\nBig=%1,help\\big.bin\r\nBigIni=%2,big.ini\r\n"
                                           "Ini=Into\r\nInto=big.ini,s,k,v\r\n")
                                .arg(Url("/files/big.bin"), Url("/files/big.ini")));
    QElapsedTimer clock;
    clock.start();
    const TPeakMemory memory;
    Execute();
    Report("a 100 MB file in chunks", memory.GrowthBytes(), clock.elapsed());
    EXPECT_LT(memory.GrowthBytes(), 64 * MiB);
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Folder.Read(QStringLiteral("help/big.bin")), "old file");
    // A file within the download limit is written, but is too large to take an Ini entry.
    EXPECT_EQ(QFileInfo(Folder.FilePath(QStringLiteral("big.ini"))).size(), 2 * MiB);
    EXPECT_EQ(Files(), QStringList({QStringLiteral("Menu.inf"), QStringLiteral("Vek.Log"), QStringLiteral("big.ini"),
                                    QStringLiteral("help/big.bin")}));
    EXPECT_EQ(LogLines(),
              QStringList({QStringLiteral("TfrmUpdateControl.DownloadFiles Big: download of %1 failed, the file is "
                                          "larger than 67108864 bytes").arg(Url("/files/big.bin")),
                           QStringLiteral("TfrmUpdateControl.ApplyIniEntries Into: refused, larger than 1048576 "
                                          "bytes: big.ini")}));
}

TEST_F(NewsCheck, ASilentServerIsGivenNoMoreThanTheTimeBudget)
{
    UpdateFormClass = ClassOf<TShortBudgetUpdateForm, TfrmUpdateClass>();
    TLocalHttpServer silent({200, "never sent", true});
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=http://%1\r\n").arg(silent.Address(QStringLiteral("/news/"))));
    QElapsedTimer clock;
    clock.start();
    Execute();
    EXPECT_LT(clock.elapsed(), 1000 + 1500);
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(silent.RequestCount(), 1); // the version's text is not asked for
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.CheckServer the time budget of 1 s is "
                                                     "spent, the remaining requests are skipped")});
}

TEST_F(NewsCheck, DownloadsAfterTheBudgetIsSpentAreSkippedWithOneLogLine)
{
    UpdateFormClass = ClassOf<TShortBudgetUpdateForm, TfrmUpdateClass>();
    PointAtServer();
    TLocalHttpServer silent({200, "never sent", true});
    const QString never = QStringLiteral("http://") + silent.Address(QStringLiteral("/x"));
    Serve("/news/info.txt", QStringLiteral("File=A,B\r\nA=%1,a.txt\r\nB=%1,b.txt\r\nIni=I\r\nI=set.ini,s,k,v\r\n")
                                .arg(never));
    Serve("/news/info2000.txt", QStringLiteral("File=C\r\nC=%1,c.txt").arg(never));
    QElapsedTimer clock;
    clock.start();
    Execute();
    EXPECT_LT(clock.elapsed(), 1000 + 1500);
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(silent.RequestCount(), 1);
    // The INI values, which ask nothing of the server, are still written.
    EXPECT_EQ(Folder.Read(QStringLiteral("set.ini")), "[s]\r\nk=v\r\n");
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 2) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("TfrmUpdateControl.DownloadFiles A: download of ") + never))
        << log[0].toStdString();
    EXPECT_EQ(log[1], QStringLiteral("TfrmUpdateControl.CheckServer the time budget of 1 s is spent, the remaining "
                                     "requests are skipped"));
}
