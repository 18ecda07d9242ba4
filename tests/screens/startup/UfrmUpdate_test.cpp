// The news and update check against a real HTTP server on 127.0.0.1 and a real program
// folder, run as the start-up runs it.
#include "NewsCheckSupport.h"

#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

const QStringList FourSteps = {
    QStringLiteral("step サーバー情報取得 25"), QStringLiteral("step ファイル取得 50"),
    QStringLiteral("step 情報設定 75"), QStringLiteral("step 確認終了 100")};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TEST(NoticeDialog, HasItsCaptionSizeAndMemoAndClosesWithOKOrEnter)
{
    TfrmInfo form;
    EXPECT_EQ(form.Caption(), U("お知らせ"));
    EXPECT_EQ(form.ClientWidth(), 337);
    EXPECT_EQ(form.ClientHeight(), 388);
    EXPECT_EQ(form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TForm::TBorderIcons());
    EXPECT_EQ(form.Position(), TForm::poScreenCenter);
    EXPECT_EQ(form.memInfo->geometry(), QRect(8, 8, 321, 344));
    EXPECT_TRUE(form.memInfo->isReadOnly());
    EXPECT_FALSE(form.Image->IsEmpty());
    EXPECT_EQ(form.btnOK->text(), U("O K"));
    EXPECT_EQ(form.btnOK->ModalResult(), mrOk);
    EXPECT_TRUE(form.btnOK->Default());
    // Enter, wherever the focus is, is the default button.
    QTimer::singleShot(0, [&form] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, Qt::Key_Return);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST_F(NewsCheck, TheDialogHasItsCaptionSizeStepsAndClient)
{
    TfrmUpdate form;
    EXPECT_EQ(form.Caption(), U("サーバー情報"));
    EXPECT_EQ(form.ClientWidth(), 317);
    EXPECT_EQ(form.ClientHeight(), 117);
    EXPECT_EQ(form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TForm::TBorderIcons());
    EXPECT_EQ(form.Position(), TForm::poScreenCenter);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form.lblUpDate->text(), U("アップデート確認中．．．"));
    EXPECT_EQ(form.lblUpDate->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(form.lblUpDate->font().bold());
    EXPECT_EQ(form.lblUpDate->font().pixelSize(), 16);
    EXPECT_EQ(form.IdHTTP.Accept, "text/html, */*");
    EXPECT_EQ(form.IdHTTP.ContentType, "text/html");
    EXPECT_EQ(form.IdHTTP.UserAgent, "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(form.IdHTTP.Timeouts.ConnectMs, 5000);
    EXPECT_EQ(form.IdHTTP.Timeouts.TotalMs, 15000);
    EXPECT_EQ(form.IdHTTP.MaxBodyBytes, 1 << 20);
    EXPECT_EQ(form.TimeBudgetMs, 10000);
}

TEST_F(NewsCheck, WithoutAServerTheStepsPassAndNothingIsShownOrWritten)
{
    // No Menu.inf: no address, no request.
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_TRUE(Files().isEmpty());

    // An address where nothing listens: the same, and nothing in the log.
    TClosedLocalPort closed;
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=http://127.0.0.1:%1/news/\r\n").arg(closed.Port()));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("Menu.inf")});
}

TEST_F(NewsCheck, AsksForInfoTxtAndTheVersionsTextWithTheClientsHeaders)
{
    PointAtServer();
    Execute();
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
    for (const QByteArray& head : Server.RequestHeads()) {
        const QByteArrayList lines = head.split('\r');
        EXPECT_TRUE(lines.contains("\nAccept: text/html, */*")) << head.constData();
        EXPECT_TRUE(lines.contains("\nContent-Type: text/html")) << head.constData();
        EXPECT_TRUE(lines.contains("\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)")) << head.constData();
    }
    EXPECT_EQ(Events, FourSteps); // two 404 replies: nothing to do
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(NewsCheck, AnEmptyVersionFetchesAndShowsInfoTxtOnce)
{
    AppVersion.VersionString.clear();
    PointAtServer();
    Folder.Write(QStringLiteral("notice.txt"), EncodeAnsi(U("今月のお知らせ")));
    Serve("/news/info.txt", U("Info=notice.txt"));
    Execute();
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt"}));
    EXPECT_EQ(Events, FourSteps + QStringList{U("notice 今月のお知らせ")});
}

TEST_F(NewsCheck, FileEntriesDownloadIntoNewFoldersAndAFailedOneKeepsTheOldFile)
{
    PointAtServer();
    Folder.Write(QStringLiteral("help/old.html"), "old page");
    Server.Route("/files/new.html", {200, "new page"});
    Server.Route("/files/v.html", {200, "version page"});
    Serve("/news/info.txt", QStringLiteral("File=New,Missing\r\nNew=%1,\"news\\deep folder\\new.html\"\r\n"
                                           "Missing=%2,help\\old.html\r\n")
                                .arg(Url("/files/new.html"), Url("/files/gone.html")));
    Serve("/news/info2000.txt", QStringLiteral("FILE=v\r\nv=%1,help\\v.html").arg(Url("/files/v.html")));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Folder.Read(QStringLiteral("news/deep folder/new.html")), "new page");
    EXPECT_EQ(Folder.Read(QStringLiteral("help/v.html")), "version page");
    EXPECT_EQ(Folder.Read(QStringLiteral("help/old.html")), "old page");
    EXPECT_EQ(Files(), QStringList({QStringLiteral("Menu.inf"), QStringLiteral("Vek.Log"),
                                    QStringLiteral("help/old.html"), QStringLiteral("help/v.html"),
                                    QStringLiteral("news/deep folder/new.html")}));
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.DownloadFiles Missing: download of ")
                                      + Url("/files/gone.html") + QStringLiteral(" failed, HTTP status 404")});
}

TEST_F(NewsCheck, FileEntriesOutsideTheProgramFolderOrOverItsCodeAndRecordsAreRefused)
{
    PointAtServer();
    Folder.Write(QStringLiteral("VEKa/Reply.cds"), "replies");
    Server.Route("/files/x", {200, "payload"});
    const QString x = Url("/files/x");
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    Serve("/news/info.txt",
          QStringLiteral("File=Up,Abs,Drive,Exe,Lib,Reply,Img,Local,Short,Nowhere,Good\r\n"
                         "Up=%1,help\\..\\..\\escaped.txt\r\nAbs=%1,/tmp/absolute.txt\r\n"
                         "Drive=%1,C:\\x.txt\r\nExe=%1,%2\r\nLib=%1,libwintab32.so\r\n"
                         "Reply=%1,veka\\REPLY.CDS\r\nImg=%1,VEKa\\ImageAnswer\\1.bmp\r\n"
                         "Local=file:///etc/hostname,copy.txt\r\nShort=%1\r\nGood=%1,good.txt\r\n")
              .arg(x, exe));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Folder.Read(QStringLiteral("good.txt")), "payload");
    EXPECT_EQ(Folder.Read(QStringLiteral("VEKa/Reply.cds")), "replies");
    EXPECT_EQ(Files(), QStringList({QStringLiteral("Menu.inf"), QStringLiteral("VEKa/Reply.cds"),
                                    QStringLiteral("Vek.Log"), QStringLiteral("good.txt")}));
    EXPECT_FALSE(QFile::exists(QDir::temp().filePath(QStringLiteral("absolute.txt"))));
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 10) << log.join(u'\n').toStdString();
    const char* const names[] = {"Up", "Abs", "Drive", "Exe", "Lib", "Reply", "Img", "Local", "Short", "Nowhere"};
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(log[i].startsWith(QStringLiteral("TfrmUpdateControl.DownloadFiles %1: refused, ").arg(names[i])))
            << log[i].toStdString();
    EXPECT_EQ(Server.RequestedPaths().count("/files/x"), 1);
}

TEST_F(NewsCheck, AFolderThatCannotBeMadeSkipsOnlyItsEntry)
{
    PointAtServer();
    Folder.Write(QStringLiteral("blocked"), "a file where a folder is needed");
    Server.Route("/files/x", {200, "payload"});
    Serve("/news/info.txt", QStringLiteral("File=A,B\r\nA=%1,blocked\\x.txt\r\nB=%1,ok.txt").arg(Url("/files/x")));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Folder.Read(QStringLiteral("ok.txt")), "payload");
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.DownloadFiles A: cannot create the folder blocked\\")});
}

TEST_F(NewsCheck, AnIniEntryChangesWhereTheNextCheckAsks)
{
    PointAtServer();
    Serve("/news/info.txt", QStringLiteral("Ini=Move\r\nMove=Menu.inf,Server,File,%1").arg(Url("/moved/")));
    Execute();
    EXPECT_EQ(TIniFile(Folder.FilePath(QStringLiteral("Menu.inf"))).ReadString(U("Server"), U("File"), {}),
              Url("/moved/"));
    Execute();
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt", "/news/info2000.txt",
                                                       "/moved/info.txt", "/moved/info2000.txt"}));
}

TEST_F(NewsCheck, AShortIniEntryStopsOnlyTheRemainingEntriesOfItsText)
{
    PointAtServer();
    Serve("/news/info.txt", U("Ini=First,Short,Third\r\nFirst=a.ini,s,one,1\r\nShort=a.ini,s\r\nThird=a.ini,s,three,3"));
    Folder.Write(QStringLiteral("Sub/B.INF"), "");
    Serve("/news/info2000.txt", U("Ini=V,W\r\nV=sub\\b.inf,設定,キー,値\r\nW=\"new folder\\c.ini\",a,b,c"));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(Folder.Read(QStringLiteral("a.ini")), "[s]\r\none=1\r\n") << Files().join(u' ').toStdString();
    EXPECT_EQ(DecodeAnsi(Folder.Read(QStringLiteral("Sub/B.INF"))), U("[設定]\r\nキー=値\r\n"));
    EXPECT_EQ(Folder.Read(QStringLiteral("new folder/c.ini")), "[a]\r\nb=c\r\n");
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.ApplyIniEntries Short: fewer than four "
                                                     "fields, the remaining entries are skipped")});
}

TEST_F(NewsCheck, IniEntriesWriteOnlyIntoIniFilesBelowTheProgramFolder)
{
    PointAtServer();
    Folder.Write(QStringLiteral("VEKa/Reply.cds"), "dataset bytes");
    Serve("/news/info.txt", U("Ini=Cds,Up,Good\r\nCds=VEKa\\Reply.cds,s,k,v\r\nUp=..\\outside.ini,s,k,v\r\n"
                              "Good=Menu.inf,表示,VEKa,0"));
    Execute();
    EXPECT_EQ(Folder.Read(QStringLiteral("VEKa/Reply.cds")), "dataset bytes");
    EXPECT_FALSE(QFile::exists(Folder.FilePath(QStringLiteral("../outside.ini"))));
    EXPECT_EQ(TIniFile(Folder.FilePath(QStringLiteral("Menu.inf"))).ReadString(U("表示"), U("VEKa"), {}), U("0"));
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("TfrmUpdateControl.ApplyIniEntries Cds: refused, not an INI file")));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("TfrmUpdateControl.ApplyIniEntries Up: refused, path leaves")));
}

TEST_F(NewsCheck, TheServerAddressItselfMustBeHttpOrHttps)
{
    Folder.Write(QStringLiteral("secret.txt"), "local file");
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=file://%1\r\n").arg(Folder.Path()));
    Folder.Write(QStringLiteral("info.txt"), "File=A\r\nA=file:///etc/hostname,copied.txt\r\n");
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_FALSE(QFile::exists(Folder.FilePath(QStringLiteral("copied.txt"))));
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("TfrmUpdateControl.GetServerText not an http or https address: file://")));
}

TEST_F(NewsCheck, TheVersionsNoticeComesFirstAndEachWaitsForOK)
{
    PointAtServer();
    Folder.Write(QStringLiteral("common.txt"), EncodeAnsi(U("全員へのお知らせ\r\n二行目")));
    Folder.Write(QStringLiteral("help/v2.txt"), EncodeAnsi(U("2.0 のお知らせ")));
    Serve("/news/info.txt", U("Info=  common.txt "));
    Serve("/news/info2000.txt", U("info=help\\V2.TXT"));
    Execute();
    EXPECT_EQ(Events, FourSteps + QStringList({U("notice 2.0 のお知らせ"), U("notice 全員へのお知らせ\n二行目")}));
}

TEST_F(NewsCheck, ABlankOrMissingNoticeShowsNothing)
{
    PointAtServer();
    Folder.Write(QStringLiteral("blank.txt"), " \r\n\t\r\n");
    Serve("/news/info.txt", U("Info=blank.txt"));
    Serve("/news/info2000.txt", U("Info=missing.txt"));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(NewsCheck, ANoticeThatCannotBeReadIsLoggedAndTheOtherStillShows)
{
    PointAtServer();
    Folder.MakeDir(QStringLiteral("folder.txt"));
    Folder.Write(QStringLiteral("bad.txt"), QByteArray("\x82\xa0\x82", 3)); // a lead byte without its trail
    Folder.Write(QStringLiteral("good.txt"), EncodeAnsi(U("読めるお知らせ")));
    Serve("/news/info2000.txt", U("Info=folder.txt"));
    Serve("/news/info.txt", U("Info=good.txt"));
    Execute();
    EXPECT_EQ(Events, FourSteps + QStringList{U("notice 読めるお知らせ")});

    Serve("/news/info2000.txt", U("Info=bad.txt"));
    Serve("/news/info.txt", U("Info=..\\outside.txt"));
    Execute();
    EXPECT_EQ(Events, FourSteps);
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 3) << log.join(u'\n').toStdString();
    EXPECT_EQ(log[0], QStringLiteral("TfrmUpdateControl.ShowInfos E.Message=the notice folder.txt is not a file"));
    EXPECT_EQ(log[1], QStringLiteral("TfrmUpdateControl.ShowInfos E.Message=the notice bad.txt holds bytes that are not text"));
    EXPECT_EQ(log[2], QStringLiteral("TfrmUpdateControl.ShowInfos E.Message=the notice ..\\outside.txt is refused, path leaves the program folder"));
}

TEST_F(NewsCheck, TheSameVersionAsksNothing)
{
    PointAtServer();
    Serve("/news/info.txt", U("Version= 2.0.0.0 \r\nVersionUpURL=https://example.org/update"));
    Execute();
    EXPECT_EQ(Events, FourSteps);
}

TEST_F(NewsCheck, AnotherVersionAsksAndYesOpensTheTrimmedAddress)
{
    PointAtServer();
    Serve("/news/info.txt", U("Version=1.9.0.0\r\nVersionUpURL=  https://example.org/update?v=2  "));
    Execute();
    EXPECT_EQ(Events, FourSteps + QStringList({U("question 最新バージョンがあります。更新しますか？"),
                                               U("open https://example.org/update?v=2")}));
    Answer = mrNo;
    Execute();
    EXPECT_EQ(Events, FourSteps + QStringList{U("question 最新バージョンがあります。更新しますか？")});

    // No address, no question; a version only in the version's text counts for nothing.
    Serve("/news/info.txt", U("Version=3.0.0.0"));
    Serve("/news/info2000.txt", U("Version=3.0.0.0\r\nVersionUpURL=https://example.org/"));
    Execute();
    EXPECT_EQ(Events, FourSteps);
}

TEST_F(NewsCheck, AnAddressThatIsNotHttpOrHttpsIsNeitherAskedNorOpened)
{
    PointAtServer();
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "update.html"}) {
        Serve("/news/info.txt", U("Version=2.1\r\nVersionUpURL=") + U(address));
        Execute();
        EXPECT_EQ(Events, FourSteps) << address;
    }
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[1], QStringLiteral("TfrmUpdateControl.CheckVersion VersionUpURL is not an http or https "
                                     "address: javascript:alert(1)"));
}

TEST_F(NewsCheck, AFailingQuestionIsLoggedAndTheCheckEnds)
{
    PointAtServer();
    Serve("/news/info.txt", U("Version=2.1\r\nVersionUpURL=https://example.org/"));
    SetDialogAnswerer([](const TDialogQuestion&) -> TModalResult { throw Exception(QStringLiteral("no display")); });
    Execute();
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.CheckVersion E.Message=no display")});
}

TEST_F(NewsCheck, TheDialogStaysResponsiveAndCannotBeClosedWhileTheServerIsSlow)
{
    PointAtServer();
    Server.Route("/news/info.txt", {200, "Info=x.txt", false, 800});
    int ticks = 0;
    QStringList seenDuringWait;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        if (frmUpdate && Server.RequestCount() == 1) {
            seenDuringWait << frmUpdate->lblUpDate->text();
            frmUpdate->Close(); // refused during the check
            QTest::keyClick(frmUpdate.get(), Qt::Key_Escape);
        }
    });
    ticker.start(20);
    Execute();
    EXPECT_GT(ticks, 10);
    ASSERT_FALSE(seenDuringWait.isEmpty());
    EXPECT_EQ(seenDuringWait.constFirst(), U("サーバー情報取得"));
    EXPECT_EQ(Events, FourSteps);
}

TEST_F(NewsCheck, ASilentServerEndsTheCheckWithinTheTimeOuts)
{
    TLocalHttpServer silent({200, "never sent", true});
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=http://%1\r\n").arg(silent.Address(QStringLiteral("/news/"))));
    QElapsedTimer clock;
    clock.start();
    Execute();
    EXPECT_LT(clock.elapsed(), 6000); // two requests of at most 1.5 s each
    EXPECT_EQ(Events, FourSteps);
    EXPECT_EQ(silent.RequestCount(), 2);
}
