#include "platform/web/WebEngineSetup.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(PrepareWebEngine, SwitchesTheSandboxOffOnlyForRoot)
{
    const QByteArray saved = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    EXPECT_FALSE(PrepareWebEngine(1000u));
    EXPECT_FALSE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"));
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
    EXPECT_TRUE(PrepareWebEngine(0u));
    EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("1"));
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", saved);
}
