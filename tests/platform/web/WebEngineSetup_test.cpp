#include "platform/web/WebEngineSetup.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Keeps the engine's environment variables of the test process as they were.
class PrepareWebEngineTest : public testing::Test {
protected:
    PrepareWebEngineTest() : sandbox_(qgetenv(Sandbox)), flags_(qgetenv(Flags))
    {
        qunsetenv(Sandbox);
        qunsetenv(Flags);
    }
    ~PrepareWebEngineTest() override
    {
        Restore(Sandbox, sandbox_);
        Restore(Flags, flags_);
    }

    static constexpr const char* Sandbox = "QTWEBENGINE_DISABLE_SANDBOX";
    static constexpr const char* Flags = "QTWEBENGINE_CHROMIUM_FLAGS";

private:
    static void Restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QByteArray sandbox_;
    QByteArray flags_;
};

} // namespace

TEST_F(PrepareWebEngineTest, SwitchesTheSandboxOffOnlyForRoot)
{
    EXPECT_FALSE(PrepareWebEngine(1000u));
    EXPECT_FALSE(qEnvironmentVariableIsSet(Sandbox));
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
    EXPECT_TRUE(PrepareWebEngine(0u));
    EXPECT_EQ(qgetenv(Sandbox), QByteArray("1"));
}

TEST_F(PrepareWebEngineTest, DropsTheZygoteOnlyWithoutTheSandboxAndKeepsOtherFlags)
{
    // A sandboxed engine needs its zygote.
    PrepareWebEngine(1000u);
    EXPECT_FALSE(qEnvironmentVariableIsSet(Flags));
    // Root: the sandbox goes, and with it the zygote; flags already given stay, once.
    qputenv(Flags, "--lang=ja");
    PrepareWebEngine(0u);
    EXPECT_EQ(qgetenv(Flags), QByteArray("--lang=ja --no-zygote"));
    PrepareWebEngine(0u);
    EXPECT_EQ(qgetenv(Flags), QByteArray("--lang=ja --no-zygote"));
}

TEST_F(PrepareWebEngineTest, DropsTheZygoteWhenTheEnvironmentSwitchedTheSandboxOff)
{
    qputenv(Sandbox, "1");
    PrepareWebEngine(1000u);
    EXPECT_EQ(qgetenv(Flags), QByteArray("--no-zygote"));
    qunsetenv(Sandbox);
    qputenv(Flags, "--no-sandbox");
    PrepareWebEngine(1000u);
    EXPECT_EQ(qgetenv(Flags), QByteArray("--no-sandbox --no-zygote"));
}
