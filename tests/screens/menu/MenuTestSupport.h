#pragma once
// Shared by the menu tests: a fresh program folder with real category folders, the help
// pages the build laid out, a real Menu.inf in CP932, every unit the menu and the screens
// it opens need, and a runner that opens the menu with a script running inside its modal
// loop once it is on screen.

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "data/UConst.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "data/USetting.h"
#include "screens/settings/UfrmSetting.h"
#include "shell/ProgramUnits.h"
#include "platform/files/Files.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"
#include "platform/web/WebBrowser.h"
#include "screens/data/UfrmData.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/settings/UfrmShowSetting.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"
#include "tests/support/CategoryFolder.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

inline QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The controller the menu makes for a run: it makes itself reachable and notes where the
// browser was sent at opening, the window the menu was shown in, and when the browser
// wait of FormShow ended.
class TProbeMenuControl : public TfrmMenuControl {
public:
    TProbeMenuControl() { Current = this; }
    ~TProbeMenuControl() override { Current = nullptr; }
    static inline TProbeMenuControl* Current = nullptr;
    int WaitEnded = 0;    // times EndBrowserWait finished the wait
    int BoundPassed = 0;  // times the bound passed during the wait
    QString StartLocation;            // the browser's address once Menu.inf was read
    QPointer<QWindow> ShownWindow;    // the native window at the first show
    WId ShownId = 0;

    void LoadMenuSettings() override
    {
        TfrmMenuControl::LoadMenuSettings();
        StartLocation = frmMenu->WebBrowser->LocationURL();
    }
    void FormShow() override
    {
        if (!ShownWindow) {
            ShownWindow = frmMenu->windowHandle();
            ShownId = frmMenu->winId();
        }
        TfrmMenuControl::FormShow();
    }

protected:
    void EndBrowserWait(bool timedOut) override
    {
        const bool waiting = WaitingForBrowser();
        TfrmMenuControl::EndBrowserWait(timedOut);
        if (waiting && timedOut)
            ++BoundPassed;
        if (waiting && !WaitingForBrowser())
            ++WaitEnded;
    }
};

class MenuScreen : public testing::Test {
protected:
    MenuScreen()
        : units_(ProgramUnits())
    {
        MenuControlClass = ClassOf<TProbeMenuControl, TfrmMenuControlClass>();
        // The help pages as the build laid them out in the program folder.
        program_.CopyFiles(QStringLiteral(MORIVA_PROGRAM_DIR "/help"), QStringLiteral("help"));
    }

    static TfrmMenu& Form() { return *frmMenu; }
    static TProbeMenuControl& Control() { return *TProbeMenuControl::Current; }
    static TWebBrowser& Browser() { return *frmMenu->WebBrowser; }
    static TListView& List() { return *frmMenu->lvCategory; }

    // Runs the menu; steps run inside its modal loop once it is on screen. A menu the steps
    // leave open is closed after timeoutMs and fails the test.
    static void Run(const std::function<void(TfrmMenu&)>& steps, int timeoutMs = 30000)
    {
        QTimer::singleShot(0, [steps] {
            if (!frmMenu)
                return;
            EXPECT_TRUE(QTest::qWaitForWindowExposed(frmMenu.get()));
            steps(*frmMenu);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the menu stayed open";
            if (frmMenu)
                frmMenu->SetModalResult(mrAbort);
        });
        watchdog.start(timeoutMs);
        MenuControlClass->Execute();
        EXPECT_FALSE(frmMenu);
    }

    // Gives the menu the input focus again (after a screen it opened has closed, the
    // offscreen platform leaves no window active).
    static void ActivateMenu()
    {
        frmMenu->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frmMenu.get()));
    }

    // Waits until the browser shows a page that has loaded (or failed for good).
    static bool WaitForPage(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([] { return Browser().ReadyState() == READYSTATE_COMPLETE; }, timeoutMs);
    }
    static QString PageTitle()
    {
        return Browser().Document() ? Browser().Document()->Title : QStringLiteral("<no page>");
    }
    QString LocalUrl(const char* page) const
    {
        return QUrl::fromLocalFile(program_.FilePath(QStringLiteral("help/") + QString::fromUtf8(page))).toString();
    }

    // The list's captions in row order.
    static QStringList Captions()
    {
        QStringList captions;
        for (int i = 0; i < List().ItemCount(); ++i)
            captions << List().Item(i).Caption;
        return captions;
    }
    static QStringList Row(int index)
    {
        const TListItem& item = List().Item(index);
        return QStringList{item.Caption} + item.SubItems;
    }

    // The point on row index of the list's rows area.
    static QPoint OnRow(int index)
    {
        return List().visualRect(List().model()->index(index, 0)).center();
    }
    static void ClickRow(int index) { QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, OnRow(index)); }
    static void Key(QWidget* target, Qt::Key key) { QTest::keyClick(target, key); }

    TempProgramFolder program_;
    TUnits units_;
};
