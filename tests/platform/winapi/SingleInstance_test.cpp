// The single-instance guard within this process (a second guard object stands for a
// second start: each holds its own lock file description) and across real processes
// (tests/support/probes/SingleInstanceProbe).
#include "platform/winapi/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString Name = QStringLiteral("Moriva");

// A probe process holding or asking for the guard; killed with SIGKILL when still running.
class Probe {
public:
    Probe(const QString& folder, QStringList extra = {})
    {
        process_.setProgram(QStringLiteral(MORIVA_INSTANCE_PROBE));
        process_.setArguments(QStringList{Name, folder} + extra);
        process_.start();
        EXPECT_TRUE(process_.waitForStarted(5000));
    }
    ~Probe() { Kill(); }

    // Waits for a line of output; empty when none came within 5 s.
    QByteArray Line()
    {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000))
                return {};
        return process_.readLine().trimmed();
    }
    void Kill()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(5000);
    }
    bool Ended(int ms) { return process_.waitForFinished(ms) || process_.state() == QProcess::NotRunning; }

private:
    QProcess process_;
};

class SingleInstance : public testing::Test {
protected:
    QString Folder() const { return dir_.path(); }
    QTemporaryDir dir_;
};

} // namespace

TEST_F(SingleInstance, ASecondStartFindsTheFirstRunningAndCanStartOnceItHasEnded)
{
    TSingleInstance first(Name, Folder());
    ASSERT_EQ(first.Acquire(), TSingleInstance::siFirst);
    {
        TSingleInstance second(Name, Folder());
        EXPECT_EQ(second.Acquire(), TSingleInstance::siRunning);
        EXPECT_EQ(second.Acquire(), TSingleInstance::siRunning); // asking again changes nothing
    }
    EXPECT_EQ(first.Acquire(), TSingleInstance::siFirst);
    first.Release();
    TSingleInstance third(Name, Folder());
    EXPECT_EQ(third.Acquire(), TSingleInstance::siFirst);
    EXPECT_TRUE(QFile::exists(third.SocketPath()));
    third.Release();
    EXPECT_FALSE(QFile::exists(third.SocketPath()));
}

TEST_F(SingleInstance, ASecondStartAsksTheRunningOneToRaiseItsWindow)
{
    TSingleInstance first(Name, Folder());
    int raises = 0;
    first.OnRaise = [&] { ++raises; };
    ASSERT_EQ(first.Acquire(), TSingleInstance::siFirst);
    TSingleInstance second(Name, Folder());
    ASSERT_EQ(second.Acquire(), TSingleInstance::siRunning);
    EXPECT_TRUE(second.AskRunningToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 1; }, 5000));
    EXPECT_TRUE(second.AskRunningToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 2; }, 5000));

    // An exception of the raise stays inside the guard.
    first.OnRaise = [&] { ++raises; throw std::runtime_error("no window"); };
    EXPECT_TRUE(second.AskRunningToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 3; }, 5000));
}

TEST_F(SingleInstance, OtherTextsOnTheSocketRaiseNothing)
{
    TSingleInstance first(Name, Folder());
    int raises = 0;
    first.OnRaise = [&] { ++raises; };
    ASSERT_EQ(first.Acquire(), TSingleInstance::siFirst);
    QLocalSocket socket;
    socket.connectToServer(first.SocketPath());
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write("raise the roof\n");
    socket.waitForBytesWritten(2000);
    QTest::qWait(200);
    EXPECT_EQ(raises, 0);
}

TEST_F(SingleInstance, TwoUsersAndTwoNamesDoNotBlockEachOther)
{
    TSingleInstance userA(Name, Folder(), 1000);
    TSingleInstance userB(Name, Folder(), 1001);
    TSingleInstance otherName(QStringLiteral("Other"), Folder(), 1000);
    EXPECT_EQ(userA.Acquire(), TSingleInstance::siFirst);
    EXPECT_EQ(userB.Acquire(), TSingleInstance::siFirst);
    EXPECT_EQ(otherName.Acquire(), TSingleInstance::siFirst);
    EXPECT_NE(userA.LockPath(), userB.LockPath());
    EXPECT_NE(userA.SocketPath(), userB.SocketPath());
}

TEST_F(SingleInstance, WithoutALockFileTheProgramRunsUnguarded)
{
    TSingleInstance guard(Name, Folder() + QStringLiteral("/missing/folder"));
    EXPECT_EQ(guard.Acquire(), TSingleInstance::siUnguarded);
    TSingleInstance again(Name, Folder() + QStringLiteral("/missing/folder"));
    EXPECT_EQ(again.Acquire(), TSingleInstance::siUnguarded);
}

TEST_F(SingleInstance, AHolderThatCannotBeReachedIsReportedWithinTheTime)
{
    // The lock held by something that does not listen on the socket.
    TSingleInstance probe(Name, Folder());
    const int fd = ::open(QFile::encodeName(probe.LockPath()).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(probe.Acquire(), TSingleInstance::siRunning);
    EXPECT_FALSE(probe.AskRunningToRaise(500));
    ::close(fd);
}

TEST_F(SingleInstance, AcrossProcessesTheRunningOneIsRaisedAndAKilledOneBlocksNothing)
{
    Probe running(Folder());
    ASSERT_EQ(running.Line(), "first");
    {
        TSingleInstance second(Name, Folder());
        ASSERT_EQ(second.Acquire(), TSingleInstance::siRunning);
        EXPECT_TRUE(second.AskRunningToRaise());
        EXPECT_EQ(running.Line(), "raised");
    }
    {
        Probe later(Folder());
        EXPECT_EQ(later.Line(), "running");
        EXPECT_EQ(later.Line(), "asked");
        EXPECT_TRUE(later.Ended(5000));
        EXPECT_EQ(running.Line(), "raised");
    }

    running.Kill(); // lock file and socket file stay behind
    TSingleInstance next(Name, Folder());
    int raises = 0;
    next.OnRaise = [&] { ++raises; };
    ASSERT_EQ(next.Acquire(), TSingleInstance::siFirst);
    Probe after(Folder());
    EXPECT_EQ(after.Line(), "running");
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 1; }, 5000));
    EXPECT_EQ(after.Line(), "asked");
}

TEST_F(SingleInstance, AProgramStartedByTheHolderDoesNotKeepTheLock)
{
    Probe holder(Folder(), {QStringLiteral("--spawn-sleeper")});
    const QByteArray sleeper = holder.Line();
    ASSERT_TRUE(sleeper.startsWith("sleeper ")) << sleeper.constData();
    const pid_t sleeperPid = sleeper.mid(8).toInt();
    ASSERT_GT(sleeperPid, 0);
    EXPECT_EQ(holder.Line(), "first");
    holder.Kill();
    TSingleInstance next(Name, Folder());
    EXPECT_EQ(next.Acquire(), TSingleInstance::siFirst);
    ::kill(sleeperPid, SIGKILL);
}
