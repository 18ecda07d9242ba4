// The menu's native window: made once, with the surface the browser needs, so that the
// browser's start neither replaces it nor loses what is sent to it. Under X11 (the run
// under Xvfb) a replaced window has a new id and its old QWindow goes; under the offscreen
// platform the same checks hold trivially.
#include "tests/screens/menu/MenuTestSupport.h"

TEST_F(MenuScreen, TheMenuWindowIsMadeOnceAndKeepsItsIdUntilItCloses)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(Control().ShownWindow);
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアについて"));
        // The page is drawn: the engine's view is in the window.
        QTest::qWait(300);
        EXPECT_EQ(form.windowHandle(), Control().ShownWindow.data());
        EXPECT_EQ(form.winId(), Control().ShownId);
        form.Close();
    });
}

namespace {

enum class TRequest { Close, Escape };

// Runs the menu until it ends; a menu still open after timeoutMs is closed and fails.
void RunUntilEnded(int timeoutMs)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "the menu stayed open";
        if (frmMenu)
            frmMenu->SetModalResult(mrAbort);
    });
    watchdog.start(timeoutMs);
    MenuControlClass->Execute();
}

} // namespace

TEST_F(MenuScreen, TheMenuWindowEndsOnACloseRequestOrEscAtAnyMomentOfTheBrowsersStart)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    for (const int delayMs : {0, 60, 150, 300, 600, 1000}) {
        for (const TRequest request : {TRequest::Close, TRequest::Escape}) {
            SCOPED_TRACE(delayMs);
            SCOPED_TRACE(request == TRequest::Close ? "close request" : "Esc");
            bool sent = false;
            // Sent to the window the menu was first shown in, as the window system does.
            QTimer::singleShot(0, [&] {
                QTimer::singleShot(delayMs, [&] {
                    QWindow* window = Control().ShownWindow;
                    ASSERT_TRUE(window) << "the window the menu was shown in has gone";
                    sent = true;
                    if (request == TRequest::Close)
                        window->close();
                    else
                        QTest::keyClick(window, Qt::Key_Escape);
                });
            });
            RunUntilEnded(15000);
            EXPECT_TRUE(sent);
        }
    }
}
