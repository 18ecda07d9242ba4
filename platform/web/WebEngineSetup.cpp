#include "platform/web/WebEngineSetup.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QtGlobal>
#include <unistd.h>

namespace {

bool SandboxOff()
{
    return qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") ||
        qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' ').contains("--no-sandbox");
}

void StartWithoutZygote()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.split(' ').contains("--no-zygote"))
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.isEmpty() ? QByteArray("--no-zygote") : flags + " --no-zygote");
}

} // namespace

bool PrepareWebEngine()
{
    return PrepareWebEngine(static_cast<unsigned>(geteuid()));
}

bool PrepareWebEngine(unsigned effectiveUser)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const bool switchOff = effectiveUser == 0;
    if (switchOff)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (SandboxOff())
        StartWithoutZygote();
    return switchOff;
}
