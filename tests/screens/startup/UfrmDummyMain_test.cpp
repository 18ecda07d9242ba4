// The main window: its place and size, its closing at the first paint, and the
// application's exception event it owns.
#include "NewsCheckSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Dispatch.h"
#include "screens/startup/UfrmDummyMain.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class MainWindow : public NewsCheck {
protected:
    ~MainWindow() override { frmDummyMain.reset(); }
};

} // namespace

TEST_F(MainWindow, IsABorderlessWindowWithoutTitleOfOnePixelInTheTopLeftCorner)
{
    TfrmDummyMain form;
    EXPECT_STREQ(form.metaObject()->className(), "TfrmDummyMain");
    EXPECT_EQ(form.Caption(), QString());
    EXPECT_EQ(form.BorderStyle(), TForm::bsNone);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);

    CreateForm(); // the news check finds no server and passes its steps
    EXPECT_EQ(Events, QStringList({QStringLiteral("step サーバー情報取得 25"), QStringLiteral("step ファイル取得 50"),
                                   QStringLiteral("step 情報設定 75"), QStringLiteral("step 確認終了 100")}));
    ASSERT_TRUE(frmDummyMain);
    EXPECT_EQ(frmDummyMain->Width(), 1);
    EXPECT_EQ(frmDummyMain->Height(), 1);
    EXPECT_EQ(frmDummyMain->Left(), 0);
    EXPECT_EQ(frmDummyMain->Top(), 0);
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
