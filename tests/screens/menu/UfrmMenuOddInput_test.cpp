// The menu with odd input: Menu.inf values that make no sense, bytes that are no text,
// lone CR line ends, a help page missing from the program folder and a help host that
// answers with something that is not HTTP. The menu opens, stays usable, closes, and keeps
// what the file held.
#include "tests/screens/menu/MenuTestSupport.h"

#include "platform/text/Ansi.h"

#include <QElapsedTimer>
#include <QScreen>
#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Answers every connection on 127.0.0.1 with bytes that are no HTTP reply (or, made with
// reply, with those bytes), then closes it.
class TGarbageServer {
public:
    explicit TGarbageServer(QByteArray reply = Garbage()) : reply_(std::move(reply))
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listener_, 8);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TGarbageServer()
    {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    QString Address(const char* path) const { return QStringLiteral("127.0.0.1:%1%2").arg(port_).arg(path); }
    int Connections() const { return connections_; }

private:
    static QByteArray Garbage()
    {
        static const char bytes[] = "\x00\xff\xfe garbage \x81\x40 no status line\r\n\r\n\x01\x02";
        return QByteArray(bytes, sizeof bytes - 1);
    }

    void Serve()
    {
        while (!stop_) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                return;
            ++connections_;
            char request[4096];
            (void)::recv(client, request, sizeof request, 0);
            (void)::send(client, reply_.constData(), static_cast<size_t>(reply_.size()), MSG_NOSIGNAL);
            ::close(client);
        }
    }

    QByteArray reply_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};

} // namespace

TEST_F(MenuScreen, NonsenseValuesInMenuInfOpenTheMenuWithinTheScreen)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    WriteMenuInf(program_,
                 "[ｶﾃｺﾞﾘｰ]\r\n高さ=2147483647\r\nｲﾝﾃﾞｯｸｽ=99999999999\r\n"
                 "[ｶﾃｺﾞﾘ幅]\r\n名称=-100\r\n選択回数=99999999\r\n問題数=abc\r\n更新日時=-2147483648\r\n"
                 "[表示設定画面]\r\nｶﾃｺﾞﾘｰ幅=-7\r\n"
                 "[Web]\r\nURL=::::\r\n");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    int selected = -1;
    Run([&](TfrmMenu& form) {
        // The panel height is brought inside the window; the window stays on the screen.
        EXPECT_LE(form.Height(), screen.height());
        EXPECT_LE(form.pnlCategory->height(), form.Height() - 80);
        EXPECT_GE(form.pnlCategory->height(), MenuCategoryMinHeight);
        EXPECT_EQ(List().ItemIndex(), -1);
        EXPECT_EQ(List().ItemCount(), 2);
        const int underscore = List().TextWidth(QStringLiteral("_"));
        EXPECT_EQ(List().Column(0).Width(), std::clamp(underscore * 35 + 25, 50, 300));
        EXPECT_EQ(List().Column(1).Width(), 300);
        EXPECT_EQ(List().Column(2).Width(), std::clamp(underscore * 8 + 25, 50, 300));
        EXPECT_EQ(List().Column(3).Width(), std::clamp(underscore * 25 + 25, 50, 300));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        // Still usable: the keys work.
        Key(List().viewport(), Qt::Key_Down);
        selected = List().ItemIndex();
        EXPECT_GE(selected, 0);
        form.Close();
    });
    // Closing writes back what the menu showed, not the nonsense.
    const QString saved = ReadMenuInf(program_);
    EXPECT_FALSE(saved.contains(QStringLiteral("2147483647")));
    EXPECT_TRUE(saved.contains(QStringLiteral("ｲﾝﾃﾞｯｸｽ=%1\r\n").arg(selected)));
}

TEST_F(MenuScreen, ANegativePanelHeightOpensTheLeastPanel)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteMenuInf(program_, "[ｶﾃｺﾞﾘｰ]\r\n高さ=-50\r\n");
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.pnlCategory->height(), MenuCategoryMinHeight);
        form.Close();
    });
}

TEST_F(MenuScreen, BytesThatAreNoTextAndLoneCrLineEndsSurviveTheMenusSaves)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    // Lone CRs throughout, and a section of another part with bytes CP932 cannot decode.
    const QByteArray other = QByteArrayLiteral("[Server]\rFile=\xff\xfe\x80\x85\xa0\rInfo=\x82\xa0\r");
    program_.Write(QStringLiteral("Menu.inf"),
                   EncodeAnsi(Text("[ｶﾃｺﾞﾘｰ]\r高さ=260\rｲﾝﾃﾞｯｸｽ=1\r")) + other);
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.CategoryHeight(), 260);
        EXPECT_EQ(List().ItemIndex(), 1);
        form.Close();
    });
    const QByteArray saved = program_.Read(QStringLiteral("Menu.inf"));
    EXPECT_TRUE(saved.contains("File=\xff\xfe\x80\x85\xa0")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("Info=\x82\xa0")) << saved.toStdString();
    // Written back with CR LF and read again as it was.
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.CategoryHeight(), 260);
        EXPECT_EQ(List().ItemIndex(), 1);
        form.Close();
    });
}

TEST_F(MenuScreen, AMissingLocalHelpPageGivesOneLogLineAndTheMenuGoesOn)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    QFile::remove(program_.FilePath(QStringLiteral("help/flow.html")));
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html"); }, 10000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().Document(), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ReadLogLines(program_).filter(QStringLiteral("flow.html")).isEmpty(); }, 5000));
        // The other pages still come.
        QTest::mouseClick(form.sbtnInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("info.html"); }, 10000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアからのお知らせ"));
        form.Close();
    });
    EXPECT_EQ(ReadLogLines(program_).filter(QStringLiteral("flow.html")).size(), 1);
}

TEST_F(MenuScreen, AHelpHostAnsweringWithGarbageGivesTheLocalPages)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TGarbageServer garbage;
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=http://%1\r\nPAGE2=%2\r\n")
                                .arg(garbage.Address("/help/guide.html"), garbage.Address("/help/flow.html")))
                               .toUtf8()
                               .constData());
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("guide.html"); }, 15000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアについて"));
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html"); }, 10000));
        EXPECT_LT(clock.elapsed(), MenuBrowserWaitMs + 1000);
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("記憶手順"));
        form.Close();
    });
    EXPECT_GE(garbage.Connections(), 2);
    // The local copies that stood in do not replace the stored address: the site is asked
    // again next time.
    EXPECT_TRUE(ReadMenuInf(program_).contains(QStringLiteral("URL=http://") + garbage.Address("/help/guide.html") + "\r\n"));
}

TEST_F(MenuScreen, AHelpPageServedAsADownloadGivesTheLocalPage)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    const QByteArray body(4000, '\x9c');
    TGarbageServer binary(QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                                            "Content-Disposition: attachment; filename=x.bin\r\nContent-Length: ")
                          + QByteArray::number(body.size()) + QByteArrayLiteral("\r\nConnection: close\r\n\r\n") + body);
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nPAGE2=%1\r\n").arg(binary.Address("/help/flow.html")))
                               .toUtf8()
                               .constData());
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html")
                                                 && Browser().ReadyState() == READYSTATE_COMPLETE; }, 10000))
            << Browser().LocationURL().toStdString() << " " << Browser().ReadyState();
        EXPECT_EQ(PageTitle(), Text("記憶手順"));
        form.Close();
    });
    EXPECT_GE(binary.Connections(), 2);
}
