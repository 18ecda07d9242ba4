#include "platform/web/WebEngineSetup.h"

#include <QCoreApplication>
#include <unistd.h>

bool PrepareWebEngine()
{
    return PrepareWebEngine(static_cast<unsigned>(geteuid()));
}

bool PrepareWebEngine(unsigned effectiveUser)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (effectiveUser != 0)
        return false;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return true;
}
