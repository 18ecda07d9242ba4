// The built program started as a process of its own on a program folder of the test:
// the news check from its own version, the menu it then waits in, one instance per
// user, and a folder of damaged categories. Nobody can type into a process on the
// offscreen platform, so the menu is seen by the page its browser asks the test's server
// for ([Web] URL), and the test then ends the process; the menu's own ways to end the
// program are driven by input events in MainProgram_test.
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
        Server.Route("/menu/page.html", {200, "<html><title>menu</title><body>menu</body></html>"});
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

    // Menu.inf: [Server] File the server's folder "/news/", [Web] URL its menu page.
    void PointAtServer() const
    {
        Folder.Write(QStringLiteral("Menu.inf"),
                     EncodeAnsi(QStringLiteral("[Server]\r\nFile=%1\r\n[Web]\r\nURL=%2\r\n")
                                    .arg(Url("/news/"), Url("/menu/page.html"))));
    }

    QProcess& Start(const QByteArray& platform = "offscreen")
    {
        auto* process = new QProcess;
        processes_.push_back(process);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime.path());
        // The program decides about the browser's sandbox itself.
        env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
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
    // The menu's browser has asked for its page (count times since the fixture began).
    bool MenuShown(int count = 1, int ms = 30000) const
    {
        return QTest::qWaitFor([&] { return Server.RequestedPaths().count("/menu/page.html") >= count; }, ms);
    }
    // The menu waits for the user: the process still runs a while after the menu came.
    static bool WaitsInTheMenu(QProcess& process)
    {
        return !process.waitForFinished(1000) && process.state() == QProcess::Running;
    }
    static void Kill(QProcess& process, int signal)
    {
        ::kill(static_cast<pid_t>(process.processId()), signal);
        EXPECT_TRUE(process.waitForFinished(10000));
    }
    // The news requests, without those of the menu's page.
    QByteArrayList NewsRequests() const
    {
        QByteArrayList paths = Server.RequestedPaths();
        paths.removeAll("/menu/page.html");
        return paths;
    }

private:
    std::vector<QProcess*> processes_;
};

} // namespace

TEST_F(Program, RunsTheNewsCheckForItsOwnVersionThenWaitsInItsMenu)
{
    PointAtServer();
    WriteCategoryFolder(Folder, QStringLiteral("VEK英単語"), 3);
    Server.Route("/files/page.html", {200, "downloaded"});
    Serve("/news/info2000.txt", QStringLiteral("File=P\r\nP=%1,help\\page.html").arg(Url("/files/page.html")));
    QProcess& program = Start();
    ASSERT_TRUE(MenuShown()) << program.readAllStandardError().constData();
    // The news check came first, with the files it names, then the menu.
    EXPECT_EQ(Server.RequestedPaths().mid(0, 4),
              QByteArrayList({"/news/info.txt", "/news/info2000.txt", "/files/page.html", "/menu/page.html"}));
    EXPECT_EQ(Folder.Read(QStringLiteral("help/page.html")), "downloaded");
    EXPECT_TRUE(WaitsInTheMenu(program));
    EXPECT_EQ(LogLines(), QStringList());
    Kill(program, SIGTERM);
}

TEST_F(Program, ReachesItsMenuEvenWhenTheWindowSystemNeverPaintsItsWindows)
{
    PointAtServer();
    QProcess& program = Start("minimal");
    ASSERT_TRUE(MenuShown()) << program.readAllStandardError().constData();
    EXPECT_EQ(NewsRequests(), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
    EXPECT_TRUE(WaitsInTheMenu(program));
    Kill(program, SIGTERM);
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

    Kill(first, SIGKILL);
    Serve("/news/info.txt", QString());
    QProcess& third = Start();
    ASSERT_TRUE(MenuShown()) << third.readAllStandardError().constData();
    EXPECT_EQ(NewsRequests().mid(1), QByteArrayList({"/news/info.txt", "/news/info2000.txt"}));
    // While the third waits in its menu, a fourth start ends at once.
    QProcess& fourth = Start();
    EXPECT_TRUE(Ends(fourth, 10000));
    EXPECT_TRUE(WaitsInTheMenu(third));
    Kill(third, SIGTERM);
}

TEST_F(Program, DamagedCategoriesNeitherAbortItNorKeepItsMenuFromOpening)
{
    PointAtServer();
    WriteDamagedCategories();
    const QByteArray goodAnswers = Folder.Read(QStringLiteral("VEKGood/Answer.cds"));
    QProcess& program = Start();
    ASSERT_TRUE(MenuShown()) << program.readAllStandardError().constData();
    EXPECT_TRUE(WaitsInTheMenu(program)) << program.readAllStandardError().constData();
    // The menu's list reads the answers of every category: the damaged ones are one line.
    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 1) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("VEKBadAnswer/Answer.cds"))) << log[0].toStdString();
    Kill(program, SIGTERM);
    EXPECT_FALSE(program.readAllStandardError().contains("terminate called"));
    EXPECT_EQ(Folder.Read(QStringLiteral("VEKGood/Answer.cds")), goodAnswers);
}
