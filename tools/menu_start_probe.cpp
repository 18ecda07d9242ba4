// Opens the category menu the way the program's entry point does and reports when it is
// usable: the category list shown and the browser showing the local guide page. For
// measuring the start of the program; the start-up benchmark runs it.
//   menu_start_probe PROGRAM_FOLDER
// Prints, in milliseconds since its own main began:
//   mapped <ms>       the menu's window first exposed on screen
//   shown <ms>        the menu's first paint (the list on screen)
//   keys <ms>         a key posted to the list at its first paint has been handled
//   usable <ms>       list filled and the guide page loaded
//   longest_block <ms> the longest time the GUI thread did not take events after the
//                      menu appeared (the engine's start is most of it)
//   windows <n>       native windows the menu had (1 when it is made once)
//   main <ms>         only when the environment holds MORIVA_PROBE_EXEC_NS, the
//                     CLOCK_MONOTONIC time in nanoseconds at which the launcher called
//                     exec: the time from exec to main (mostly loading libraries); add it to
//                     the figures above for times since exec
// then closes the menu and ends.
#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "data/USetting.h"
#include "screens/settings/UfrmSetting.h"
#include "data/Version.h"
#include "shell/ProgramUnits.h"
#include "platform/files/AppDir.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ListView.h"
#include "platform/web/WebBrowser.h"
#include "platform/web/WebEngineSetup.h"
#include "screens/data/UfrmData.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/settings/UfrmShowSetting.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace {

// Notes the first exposure of the menu's window, the first paint of the category list
// (posting a key to the list then) and when the list handles that key.
class TFirstPaint : public QObject {
public:
    qint64 MappedAt = -1;
    qint64 At = -1;
    qint64 KeyAt = -1;
    const QElapsedTimer* Clock = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!frmMenu)
            return false;
        if (MappedAt < 0 && event->type() == QEvent::Expose && watched == frmMenu->windowHandle() &&
            frmMenu->windowHandle()->isExposed())
            MappedAt = Clock->elapsed();
        if (At < 0 && event->type() == QEvent::Paint && watched == frmMenu->lvCategory->viewport()) {
            At = Clock->elapsed();
            QCoreApplication::postEvent(frmMenu->lvCategory, new QKeyEvent(QEvent::KeyPress, Qt::Key_End, {}));
        }
        if (KeyAt < 0 && event->type() == QEvent::KeyPress && watched == frmMenu->lvCategory)
            KeyAt = Clock->elapsed();
        return false;
    }
};

// Milliseconds from the launcher's exec to now, or -1 when it gave no time.
double SinceExec()
{
    bool ok = false;
    const QByteArray text = qgetenv("MORIVA_PROBE_EXEC_NS");
    const qint64 execNs = text.toLongLong(&ok);
    if (!ok)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec * 1000000000LL + now.tv_nsec - execNs) / 1e6;
}

bool Usable()
{
    if (!frmMenu || !frmMenu->isVisible() || frmMenu->lvCategory->ItemCount() == 0)
        return false;
    const TWebBrowser& browser = *frmMenu->WebBrowser;
    return browser.ReadyState() == READYSTATE_COMPLETE && browser.Document() &&
        browser.Document()->Url.toLocalFile().endsWith(QStringLiteral("help/guide.html"));
}

} // namespace

int main(int argc, char** argv)
{
    const double sinceExec = SinceExec();
    QElapsedTimer clock;
    clock.start();
    if (argc != 2) {
        std::fprintf(stderr, "usage: menu_start_probe PROGRAM_FOLDER\n");
        return 2;
    }
    PrepareWebEngine();
    QApplication app(argc, argv);
    SetAppDirOverride(QString::fromLocal8Bit(argv[1]));
    const TUnits units(ProgramUnits());
    Application().SetTitle(QStringLiteral("ケルナ - ミモリア"));

    TFirstPaint firstPaint;
    firstPaint.Clock = &clock;
    app.installEventFilter(&firstPaint);
    qint64 shown = -1;
    qint64 lastTick = -1;
    qint64 longestBlock = 0;
    QList<QPointer<QWindow>> windows;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (frmMenu && frmMenu->windowHandle() && !windows.contains(frmMenu->windowHandle()))
            windows << frmMenu->windowHandle();
        if (shown < 0 && firstPaint.At >= 0) {
            shown = firstPaint.At;
            std::printf("mapped %lld\nshown %lld\n", static_cast<long long>(firstPaint.MappedAt),
                        static_cast<long long>(shown));
        }
        if (shown >= 0 && lastTick >= 0)
            longestBlock = std::max(longestBlock, now - lastTick);
        lastTick = now;
        if (shown >= 0 && Usable()) {
            std::printf("keys %lld\nusable %lld\nlongest_block %lld\nwindows %lld\n",
                        static_cast<long long>(firstPaint.KeyAt), static_cast<long long>(now),
                        static_cast<long long>(longestBlock), static_cast<long long>(windows.size()));
            if (sinceExec >= 0)
                std::printf("main %.1f\n", sinceExec);
            std::fflush(stdout);
            watch.stop();
            frmMenu->Close();
        }
    });
    watch.start(5);
    QTimer::singleShot(60000, [] {
        std::fprintf(stderr, "the menu did not become usable within 60 s\n");
        if (frmMenu)
            frmMenu->Close();
    });
    MenuControlClass->Execute();
    return 0;
}
