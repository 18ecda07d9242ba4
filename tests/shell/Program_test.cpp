// The built program started as a process of its own on a program folder of the test:
// the news check from its own version, one instance per user, the end.
#include "ShellTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

class Program : public ProgramRun {
protected:
    Program()
    {
        EXPECT_TRUE(QFile::copy(QStringLiteral(MORIVA_PROGRAM), Folder.FilePath(QStringLiteral("moriva"))));
    }
    ~Program() override
    {
        for (QProcess* process : processes_) {
            if (process->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(process->processId()), SIGKILL);
                process->waitForFinished(5000);
            }
            delete process;
        }
    }

    QProcess& Start(const QByteArray& platform = "offscreen")
    {
        auto* process = new QProcess;
        processes_.push_back(process);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime.path());
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(Runtime.path());
        process->start(Folder.FilePath(QStringLiteral("moriva")), {});
        EXPECT_TRUE(process->waitForStarted(5000));
        return *process;
    }
    static bool Ends(QProcess& process, int ms)
    {
        return process.waitForFinished(ms) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

private:
    std::vector<QProcess*> processes_;
};

} // namespace

TEST_F(Program, RunsTheNewsCheckForItsOwnVersionAndEnds)
{
    PointAtServer();
    Server.Route("/files/page.html", {200, "downloaded"});
    Serve("/news/info2000.txt", QStringLiteral("File=P\r\nP=%1,help\\page.html").arg(Url("/files/page.html")));
    QProcess& program = Start();
    EXPECT_TRUE(Ends(program, 30000)) << program.readAllStandardError().constData();
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt", "/news/info2000.txt", "/files/page.html"}));
    EXPECT_EQ(Folder.Read(QStringLiteral("help/page.html")), "downloaded");
    EXPECT_EQ(LogLines(), QStringList());
}

TEST_F(Program, EndsEvenWhenTheWindowSystemNeverPaintsItsWindows)
{
    PointAtServer();
    QProcess& program = Start("minimal");
    EXPECT_TRUE(Ends(program, 30000)) << program.readAllStandardError().constData();
    EXPECT_EQ(Server.RequestedPaths(), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
}

TEST_F(Program, ASecondStartEndsAtOnceAndAKilledFirstBlocksNothing)
{
    PointAtServer();
    Serve("/news/info.txt", QString(), 8000); // holds the first start in its news check
    QProcess& first = Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Server.RequestCount() == 1; }, 20000));

    QElapsedTimer clock;
    clock.start();
    QProcess& second = Start();
    EXPECT_TRUE(Ends(second, 10000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
    EXPECT_EQ(Server.RequestCount(), 1); // the second made no request

    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(5000));
    Serve("/news/info.txt", QString());
    QProcess& third = Start();
    EXPECT_TRUE(Ends(third, 30000)) << third.readAllStandardError().constData();
    EXPECT_EQ(Server.RequestedPaths().mid(1), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
}
