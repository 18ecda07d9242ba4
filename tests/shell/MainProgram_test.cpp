// The program's start-up sequence run in the test's own process: units, the single
// instance guard, the news check, the category menu, the main window, the end.
#include "ShellTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Memo.h"
#include "platform/winapi/SingleInstance.h"
#include "screens/startup/UfrmDummyMain.h"
#include "screens/startup/UfrmInfo.h"
#include "screens/startup/UfrmUpdate.h"
#include "shell/MainProgram.h"
#include "tests/support/CategoryFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

TfrmInfo* OpenNotice()
{
    return qobject_cast<TfrmInfo*>(QApplication::activeModalWidget());
}

} // namespace

TEST_F(ProgramRun, RunsTheNewsCheckThenTheMenuAndEndsWithTheUnitsFinalisedAndTheGuardFree)
{
    PointAtServer();
    WriteCategoryFolder(Folder, QStringLiteral("VEK英単語"), 3);
    bool guarded = false;
    WhenActive(Menu, [&] {
        EXPECT_EQ(Application().Title(), QStringLiteral("ケルナ - ミモリア"));
        EXPECT_EQ(frmMenu->Caption(), Application().Title());
        TSingleInstance second(QStringLiteral("Moriva"));
        guarded = second.Acquire() == TSingleInstance::siRunning;
    });
    CloseMenuWhenShown();
    const int result = MainProgram();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(guarded); // the guard is held while the menu is open
    EXPECT_EQ(Events, QStringList({QStringLiteral("menu 英単語 after 2 requests"),
                                   QStringLiteral("main window closed")}));
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
    EXPECT_FALSE(frmMenu);
    EXPECT_EQ(LogLines(), QStringList());
    EXPECT_FALSE(frmDummyMain);
    EXPECT_EQ(UpdateControlClass, nullptr); // finalised
    EXPECT_FALSE(Application().OnException);
    TSingleInstance after(QStringLiteral("Moriva"));
    EXPECT_EQ(after.Acquire(), TSingleInstance::siFirst);
}

// Swallows every paint of the 1x1 main window, as a window system that never exposes it.
class NoMainWindowPaint : public QObject {
protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const bool paint = event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest;
        return paint && qobject_cast<TfrmDummyMain*>(receiver);
    }
};

TEST_F(ProgramRun, EndsWhenTheMenuClosesEvenIfItsMainWindowIsNeverPainted)
{
    NoMainWindowPaint filter;
    qApp->installEventFilter(&filter);
    CloseMenuWhenShown();
    EXPECT_EQ(MainProgram(), 0);
    qApp->removeEventFilter(&filter);
    EXPECT_EQ(Events, QStringList({QStringLiteral("menu  after 0 requests"), QStringLiteral("main window closed")}));
    EXPECT_FALSE(frmDummyMain);
    TSingleInstance after(QStringLiteral("Moriva"));
    EXPECT_EQ(after.Acquire(), TSingleInstance::siFirst);
}

TEST_F(ProgramRun, ASecondStartRaisesTheRunningOneAndEndsWithoutAnyWindow)
{
    PointAtServer();
    TSingleInstance running(QStringLiteral("Moriva"));
    int raises = 0;
    running.OnRaise = [&] { ++raises; };
    ASSERT_EQ(running.Acquire(), TSingleInstance::siFirst);
    const int windowsBefore = QApplication::topLevelWidgets().size();
    EXPECT_EQ(MainProgram(), 0);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 1; }, 5000));
    EXPECT_EQ(Server.RequestCount(), 0);
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(ProgramRun, TheRunningInstanceBringsItsActiveWindowToTheFront)
{
    PointAtServer();
    Folder.Write(QStringLiteral("notice.txt"), EncodeAnsi(QStringLiteral("お知らせ")));
    Serve("/news/info.txt", QStringLiteral("Info=notice.txt"));
    bool restored = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        TfrmInfo* notice = OpenNotice();
        if (!notice || !notice->isVisible())
            return;
        driver.stop();
        notice->showMinimized();
        TSingleInstance second(QStringLiteral("Moriva"));
        EXPECT_EQ(second.Acquire(), TSingleInstance::siRunning);
        EXPECT_TRUE(second.AskRunningToRaise());
        restored = QTest::qWaitFor([&] { return !notice->isMinimized() && notice->isActiveWindow(); }, 5000);
        QTest::mouseClick(notice->btnOK, Qt::LeftButton);
    });
    driver.start(10);
    CloseMenuWhenShown();
    EXPECT_EQ(MainProgram(), 0);
    EXPECT_TRUE(restored);
    EXPECT_EQ(Events, QStringList({QStringLiteral("menu  after 2 requests"), QStringLiteral("main window closed")}));
}

TEST_F(ProgramRun, ASecondStartBringsTheMinimisedMenuBackAndItsCloseButtonEndsTheProgram)
{
    bool restored = false;
    WhenActive(Menu, [&] {
        frmMenu->showMinimized();
        TSingleInstance second(QStringLiteral("Moriva"));
        EXPECT_EQ(second.Acquire(), TSingleInstance::siRunning);
        EXPECT_TRUE(second.AskRunningToRaise());
        restored = QTest::qWaitFor([] { return !frmMenu->isMinimized() && frmMenu->isActiveWindow(); }, 5000);
        NoteMainWindowClosing();
        QTest::mouseClick(frmMenu->sbtnClose, Qt::LeftButton);
    });
    EXPECT_EQ(MainProgram(), 0);
    EXPECT_TRUE(restored);
    EXPECT_EQ(Events, QStringList{QStringLiteral("main window closed")});
    EXPECT_EQ(Server.RequestCount(), 0); // no news address: no request
}

TEST_F(ProgramRun, AnExceptionThatLeavesTheProgramIsLoggedAsMoriva)
{
    QElapsedTimer clock;
    RunGuarded([] { throw Exception(QStringLiteral("cannot go on")); });
    RunGuarded([] { throw std::bad_alloc(); });
    RunGuarded([] {});
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], QStringLiteral("Moriva.E.Message=cannot go on"));
    EXPECT_EQ(log[1], QStringLiteral("Moriva.E.Message=std::bad_alloc"));
}
