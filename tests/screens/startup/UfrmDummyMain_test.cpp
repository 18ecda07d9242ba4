// The main window: its creation running the news check and then the category menu, its
// place and size, its closing at the first paint, and the application's exception event
// it owns.
#include "NewsCheckSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/startup/UfrmDummyMain.h"
#include "tests/support/CategoryFolder.h"
#include "tests/support/PeakMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

const QStringList CheckSteps = {QStringLiteral("step サーバー情報取得 25"), QStringLiteral("step ファイル取得 50"),
                                   QStringLiteral("step 情報設定 75"), QStringLiteral("step 確認終了 100")};

// The menu whose run fails before it shows.
class TFailingMenuControlClass : public TClassOf<TfrmMenuControl, TfrmMenuControlClass> {
public:
    void Execute() const override { throw Exception(QStringLiteral("no menu today")); }
};

class MainWindow : public NewsCheck {
protected:
    MainWindow() : NewsCheck(ProgramUnits()) {}
    ~MainWindow() override { frmDummyMain.reset(); }

    // Once the menu is the window the user works in, notes "menu <its rows>" and closes it
    // as the user does: Esc, or a click on its close button. A menu still open after
    // 30 s fails the test and is closed.
    void CloseMenuWhenShown(bool byButton)
    {
        menuDriver_.disconnect();
        QObject::connect(&menuDriver_, &QTimer::timeout, [this, byButton] {
            if (!frmMenu || !frmMenu->isVisible() || QApplication::activeModalWidget() != frmMenu.get())
                return;
            menuDriver_.stop();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(frmMenu.get()));
            QStringList rows;
            for (int i = 0; i < frmMenu->lvCategory->ItemCount(); ++i)
                rows << frmMenu->lvCategory->Item(i).Caption;
            Events << QStringLiteral("menu ") + rows.join(u',');
            menuShownAfterMs = clock_.elapsed();
            if (byButton)
                QTest::mouseClick(frmMenu->sbtnClose, Qt::LeftButton);
            else
                QTest::keyClick(frmMenu->lvCategory->viewport(), Qt::Key_Escape);
        });
        clock_.start();
        menuDriver_.start(20);
        QTimer::singleShot(30000, &menuDriver_, [] {
            if (!frmMenu)
                return;
            ADD_FAILURE() << "the menu stayed open";
            frmMenu->SetModalResult(mrAbort);
        });
    }

    // Since CloseMenuWhenShown, when the menu was shown.
    qint64 menuShownAfterMs = -1;

private:
    QTimer menuDriver_;
    QElapsedTimer clock_;
};

// Takes a measure when the news check's dialog hides at the end of the check.
class TCheckEndWatch : public QObject {
public:
    explicit TCheckEndWatch(std::function<qint64()> measure) : measure_(std::move(measure))
    {
        qApp->installEventFilter(this);
    }
    ~TCheckEndWatch() override { qApp->removeEventFilter(this); }

    qint64 Growth = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && qobject_cast<TfrmUpdate*>(watched) && Growth < 0)
            Growth = measure_();
        return false;
    }

private:
    std::function<qint64()> measure_;
};

} // namespace

TEST_F(MainWindow, ItsCreationRunsTheNewsCheckThenTheMenuUntilTheUserClosesIt)
{
    WriteCategoryFolder(Folder, QStringLiteral("VEK英単語"), 3);
    PointAtServer();
    Serve("/news/info.txt", QStringLiteral("Info=notice.txt"));
    Folder.Write(QStringLiteral("notice.txt"), EncodeAnsi(QStringLiteral("新しい問題があります")));
    CloseMenuWhenShown(false);
    CreateForm();
    EXPECT_EQ(Events, CheckSteps + QStringList({QStringLiteral("notice 新しい問題があります"),
                                                   QStringLiteral("menu 英単語")}));
    EXPECT_FALSE(frmMenu);
    EXPECT_FALSE(frmUpdate);
    ASSERT_TRUE(frmDummyMain);
    EXPECT_FALSE(frmDummyMain->isVisible()); // shown only when the menu has closed
    // The menu wrote its settings on closing.
    EXPECT_TRUE(QFile::exists(Folder.FilePath(QStringLiteral("Menu.inf"))));
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(MainWindow, IsABorderlessWindowWithoutTitleOfOnePixelInTheTopLeftCorner)
{
    TfrmDummyMain form;
    EXPECT_STREQ(form.metaObject()->className(), "TfrmDummyMain");
    EXPECT_EQ(form.Caption(), QString());
    EXPECT_EQ(form.BorderStyle(), TForm::bsNone);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);

    CloseMenuWhenShown(true); // the close button ends the menu as Esc does
    CreateForm(); // the news check finds no server and passes its steps
    EXPECT_EQ(Events, CheckSteps + QStringList{QStringLiteral("menu ")});
    ASSERT_TRUE(frmDummyMain);
    EXPECT_EQ(frmDummyMain->Width(), 1);
    EXPECT_EQ(frmDummyMain->Height(), 1);
    EXPECT_EQ(frmDummyMain->Left(), 0);
    EXPECT_EQ(frmDummyMain->Top(), 0);
}

TEST_F(MainWindow, NoFailureOfTheNewsCheckKeepsTheMenuFromOpening)
{
    WriteCategoryFolder(Folder, QStringLiteral("VEKA"), 2);
    PointAtServer();
    // The version's notice is a folder, the common one holds bytes that are not text, and
    // the update question fails.
    Folder.MakeDir(QStringLiteral("folder.txt"));
    Folder.Write(QStringLiteral("bad.txt"), QByteArray("\x81\x20\xFF\x00", 4));
    Serve("/news/info2000.txt", QStringLiteral("Info=folder.txt"));
    Serve("/news/info.txt", QStringLiteral("Info=bad.txt\r\nVersion=3.0.0.0\r\nVersionUpURL=http://example.com/"));
    SetDialogAnswerer([](const TDialogQuestion&) -> TModalResult { throw Exception(QStringLiteral("no dialog")); });
    CloseMenuWhenShown(false);
    CreateForm();
    EXPECT_EQ(Events, CheckSteps + QStringList{QStringLiteral("menu A")});
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 3) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("folder.txt"))) << log[0].toStdString();
    EXPECT_TRUE(log[1].contains(QStringLiteral("bad.txt"))) << log[1].toStdString();
    EXPECT_TRUE(log[2].startsWith(QStringLiteral("TfrmUpdateControl.CheckVersion"))) << log[2].toStdString();
}

TEST_F(MainWindow, AnExceptionOfItsCreationIsOneLogLineAndTheWindowIsMadeAllTheSame)
{
    const TFailingMenuControlClass failing;
    const TfrmMenuControlClass* menu = std::exchange(MenuControlClass, &failing);
    CreateForm();
    MenuControlClass = menu;
    EXPECT_EQ(Events, CheckSteps);
    ASSERT_TRUE(frmDummyMain);
    EXPECT_EQ(frmDummyMain->Width(), 1);
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("ApplicationEventsException.E.Message:no menu today")});
}

TEST_F(MainWindow, ClosesAtItsFirstPaint)
{
    TfrmDummyMain form;
    QSignalSpy closed(&form, &TfrmDummyMain::Closed);
    form.SetBounds(0, 0, 1, 1);
    form.show();
    EXPECT_TRUE(closed.wait(5000));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindow, AnExceptionInAnyScreensHandlerIsOneLogLineAndTheScreenStaysOpen)
{
    auto main = std::make_unique<TfrmDummyMain>();
    TForm screen;
    auto* button = new TButton(QStringLiteral("go"), &screen);
    int clicks = 0;
    button->OnClick = [&] {
        ++clicks;
        throw Exception(QStringLiteral("boom"));
    };
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&screen));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(50);
        stillOpen = screen.isVisible();
        screen.SetModalResult(mrOk);
    });
    screen.ShowModal();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("ApplicationEventsException.E.Message:boom")});

    // A standard exception tells its text too; the address is that of the throw.
    Dispatch([] { throw std::runtime_error("bad index"); });
    ASSERT_EQ(LogLines().size(), 2);
    EXPECT_EQ(LogLines()[1], QStringLiteral("ApplicationEventsException.E.Message:bad index"));
    const QByteArray log = Folder.Read(QStringLiteral("Vek.Log"));
    EXPECT_FALSE(log.contains("Address:$00000000")) << log.constData();

    main.reset();
    EXPECT_FALSE(Application().OnException);
}

TEST_F(MainWindow, ASilentNewsServerHoldsTheMenuNoLongerThanTheChecksTimeBudget)
{
    // The dialog as the program makes it: 15 s a request, 10 s for the whole check.
    UpdateFormClass = ClassOf<TfrmUpdate, TfrmUpdateClass>();
    WriteCategoryFolder(Folder, QStringLiteral("VEKa"), 1);
    TLocalHttpServer silent({200, "never sent", true});
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=http://%1\r\n").arg(silent.Address(QStringLiteral("/news/"))));
    CloseMenuWhenShown(false);
    CreateForm();
    std::printf("[ figures  ] a silent server: the menu opened after %lld ms\n", static_cast<long long>(menuShownAfterMs));
    EXPECT_GE(menuShownAfterMs, NewsCheckBudgetMs - 500);
    EXPECT_LT(menuShownAfterMs, NewsCheckBudgetMs + 3000);
    EXPECT_EQ(Events, CheckSteps + QStringList{QStringLiteral("menu a")});
    EXPECT_EQ(silent.RequestCount(), 1);
    EXPECT_EQ(LogLines(), QStringList{QStringLiteral("TfrmUpdateControl.CheckServer the time budget of 10 s is "
                                                     "spent, the remaining requests are skipped")});
}

TEST_F(MainWindow, AServerSendingHugeTextsAndFilesLeavesMemorySmallAndTheMenuOpens)
{
    UpdateFormClass = ClassOf<TfrmUpdate, TfrmUpdateClass>();
    WriteCategoryFolder(Folder, QStringLiteral("VEKa"), 1);
    PointAtServer();
    TLocalHttpServer::Reply hugeText;
    hugeText.Filler = 20'000'000;
    TLocalHttpServer::Reply hugeFile;
    hugeFile.Filler = 100'000'000;
    hugeFile.Chunked = true;
    Server.Route("/news/info.txt", hugeText);
    Server.Route("/files/big.bin", hugeFile);
    Serve("/news/info2000.txt", QStringLiteral("File=Big\r\nBig=%1,big.bin").arg(Url("/files/big.bin")));
    CloseMenuWhenShown(false);
    // The peak up to the end of the check, when its dialog hides: the menu that follows
    // starts the embedded browser, whose memory is not the check's.
    const TPeakMemory memory;
    TCheckEndWatch checkEnd([&] { return memory.GrowthBytes(); });
    CreateForm();
    std::printf("[ figures  ] a 20 MB text and a 100 MB file: peak memory growth %.1f MiB during the check, "
                "menu after %lld ms\n",
                double(checkEnd.Growth) / (1 << 20), static_cast<long long>(menuShownAfterMs));
    EXPECT_GE(checkEnd.Growth, 0);
    EXPECT_LT(checkEnd.Growth, qint64(64) << 20);
    EXPECT_EQ(Events, CheckSteps + QStringList{QStringLiteral("menu a")});
    EXPECT_FALSE(QFile::exists(Folder.FilePath(QStringLiteral("big.bin"))));
    EXPECT_EQ(LogLines().size(), 2) << LogLines().join(u'\n').toStdString();
}
