#include "shell/MainProgram.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Dispatch.h"
#include "platform/winapi/Foreground.h"
#include "platform/winapi/SingleInstance.h"
#include "screens/startup/UfrmDummyMain.h"
#include "shell/ProgramUnits.h"

#include <QEventLoop>
#include <QTimer>

namespace {

const QString ApplicationTitle = QStringLiteral("ケルナ - ミモリア");

// The message loop of the main window: it ends when the window has closed, at its first
// paint or, should the window system never paint it, right after it was shown.
void Run()
{
    QEventLoop loop;
    QObject::connect(frmDummyMain.get(), &TfrmDummyMain::Closed, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    frmDummyMain->show();
    QTimer::singleShot(0, frmDummyMain.get(), [] { frmDummyMain->Close(); });
    loop.exec();
}

void RunFirstInstance(TSingleInstance& guard)
{
    guard.OnRaise = [] { Dispatch([] { SetForegroundWindow(ForegroundWindow()); }); };
    Application().SetTitle(ApplicationTitle);
    CreateForm();
    Run();
}

} // namespace

void RunGuarded(const std::function<void()>& steps) noexcept
{
    try {
        steps();
    } catch (...) {
        WriteLog(QStringLiteral("Moriva"), QStringLiteral("E.Message=") + ExceptMessage());
    }
}

int MainProgram()
{
    const TUnits units(ProgramUnits());
    RunGuarded([] {
        // The guard is released when this block is left, also by an exception.
        TSingleInstance guard(QStringLiteral("Moriva"));
        if (guard.Acquire() == TSingleInstance::siRunning)
            guard.AskRunningToRaise();
        else
            RunFirstInstance(guard);
    });
    frmDummyMain.reset();
    return 0;
}
