// A program that takes the single-instance guard, for tests that need a second process:
//   SingleInstanceProbe NAME FOLDER [--spawn-sleeper]
// It prints "first", "running" or "unguarded". As the first instance it then prints
// "raised" at each raise request and runs until killed; with --spawn-sleeper it first
// starts a detached "sleep 60" and prints "sleeper <pid>". As a later start it asks the
// running one to raise and prints "asked" or "unreachable", then ends.
#include "platform/winapi/SingleInstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

namespace {

void Say(const QByteArray& line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    TSingleInstance guard(args[1], args[2]);
    switch (guard.Acquire()) {
    case TSingleInstance::siFirst: {
        guard.OnRaise = [] { Say("raised"); };
        if (args.contains(QStringLiteral("--spawn-sleeper"))) {
            qint64 pid = 0;
            QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("60")}, {}, &pid);
            Say("sleeper " + QByteArray::number(pid));
        }
        Say("first");
        return app.exec();
    }
    case TSingleInstance::siRunning:
        Say("running");
        Say(guard.AskRunningToRaise() ? "asked" : "unreachable");
        return 0;
    default:
        Say("unguarded");
        return 0;
    }
}
