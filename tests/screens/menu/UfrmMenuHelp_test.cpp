// The menu's browser: the start page and the three help buttons against a real help site
// on 127.0.0.1, one that is absent and one that never answers.
#include "tests/screens/menu/MenuTestSupport.h"

#include "tests/support/LocalHttpServer.h"

#include <QElapsedTimer>

namespace {

QByteArray RemotePage(const char* title)
{
    return QByteArrayLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + title +
        QByteArrayLiteral("</title></head><body>remote</body></html>");
}

// Menu.inf whose help pages are PAGE1-PAGE3 = the addresses given.
void WritePages(const TempProgramFolder& program, const QString& page1, const QString& page2, const QString& page3)
{
    WriteMenuInf(program, QStringLiteral("[Web]\r\nPAGE1=%1\r\nPAGE2=%2\r\nPAGE3=%3\r\n")
                              .arg(page1, page2, page3)
                              .toUtf8()
                              .constData());
}

} // namespace

TEST_F(MenuScreen, HelpButtonsShowTheSitesPagesWhenItAnswers)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TLocalHttpServer site({200, RemotePage("remote page")});
    WritePages(program_, site.Address(QStringLiteral("/help/guide.html")), site.Address(QStringLiteral("/help/flow.html")),
               site.Address(QStringLiteral("/help/info.html")));
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        for (TSpeedButton* button : {form.sbtnTestInfo, form.sbtnInfo, form.sbtnManual}) {
            const QString expected = QStringLiteral("http://") + site.Address(QStringLiteral("/help/%1.html")
                .arg(button->Tag() == 1 ? "guide" : button->Tag() == 2 ? "flow" : "info"));
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_TRUE(form.WebBrowser->Focused());
            ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == expected; }, 10000)) << expected.toStdString();
            ASSERT_TRUE(WaitForPage());
            EXPECT_EQ(PageTitle(), QStringLiteral("remote page"));
        }
        form.Close();
    });
    // The page shown last is the start page of the next opening.
    EXPECT_TRUE(ReadMenuInf(program_).contains(QStringLiteral("URL=http://") + site.Address(QStringLiteral("/help/guide.html"))));
}

TEST_F(MenuScreen, HelpButtonsShowTheLocalPagesWhenTheSiteIsAbsentOrEmpty)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TClosedLocalPort closed;
    TLocalHttpServer empty({200, {}});
    TLocalHttpServer missing({404, RemotePage("not found")});
    WritePages(program_, QStringLiteral("127.0.0.1:%1/help/guide.html").arg(closed.Port()),
               empty.Address(QStringLiteral("/help/flow.html")), missing.Address(QStringLiteral("/help/info.html")));
    Run([&](TfrmMenu& form) {
        const std::vector<std::pair<TSpeedButton*, const char*>> buttons = {
            {form.sbtnTestInfo, "flow.html"}, {form.sbtnInfo, "info.html"}, {form.sbtnManual, "guide.html"}};
        const std::vector<QString> titles = {Text("記憶手順"), Text("ミモリアからのお知らせ"), Text("ミモリアについて")};
        for (size_t i = 0; i < buttons.size(); ++i) {
            QTest::mouseClick(buttons[i].first, Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl(buttons[i].second); }, 10000));
            ASSERT_TRUE(WaitForPage());
            EXPECT_EQ(PageTitle(), titles[i]);
        }
        form.Close();
    });
}

TEST_F(MenuScreen, APageAddressWithASchemeFailsTheProbeAndShowsTheLocalPage)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TLocalHttpServer site({200, RemotePage("remote page")});
    const QString withScheme = QStringLiteral("http://") + site.Address(QStringLiteral("/help/flow.html"));
    WritePages(program_, withScheme, withScheme, withScheme);
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html"); }, 10000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("記憶手順"));
        form.Close();
    });
    EXPECT_EQ(site.RequestCount(), 0);
}

TEST_F(MenuScreen, ASiteThatNeverAnswersGivesTheLocalPageWithinTheBoundWhileTheListWorks)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    TLocalHttpServer silent({200, RemotePage("never"), true});
    const QString page = silent.Address(QStringLiteral("/help/info.html"));
    WritePages(program_, page, page, page);
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(form.sbtnInfo, Qt::LeftButton);
        EXPECT_LT(clock.elapsed(), 500); // the click returns at once
        // The list takes input while the site is asked.
        ClickRow(1);
        EXPECT_EQ(List().ItemIndex(), 1);
        ClickRow(0);
        EXPECT_EQ(List().ItemIndex(), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("info.html"); }, 10000));
        EXPECT_GE(clock.elapsed(), MenuBrowserWaitMs - 200);
        EXPECT_LT(clock.elapsed(), MenuBrowserWaitMs + 1500);
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアからのお知らせ"));
        form.Close();
    });
    EXPECT_GE(silent.RequestCount(), 1);
}

TEST_F(MenuScreen, AStartPageThatFailsToLoadShowsItsLocalCopy)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TLocalHttpServer missing({404, RemotePage("not found")});
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=http://") + missing.Address(QStringLiteral("/help/flow.html")) + "\r\n")
                               .toUtf8()
                               .constData());
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html"); }, 15000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("記憶手順"));
        form.Close();
    });
}

TEST_F(MenuScreen, AStartAddressTheBrowserRefusesShowsTheLocalGuideWithALogLine)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteMenuInf(program_, "[Web]\r\nURL=javascript:alert(1)\r\n");
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        form.Close();
    });
    EXPECT_EQ(ReadLogLines(program_).filter(QStringLiteral("TfrmMenuControl.LoadMenuSettings: ")).size(), 1);
}

TEST_F(MenuScreen, TheWaitForTheStartPageIsBoundedAndTheListWorksMeanwhile)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    TLocalHttpServer silent({200, RemotePage("never"), true});
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=") + silent.Address(QStringLiteral("/help/info.html")) + "\r\n")
                               .toUtf8()
                               .constData());
    QElapsedTimer clock;
    clock.start();
    Run([&](TfrmMenu&) {
        // On screen and taking input long before the page could come.
        EXPECT_LT(clock.elapsed(), MenuBrowserWaitMs);
        ClickRow(1);
        EXPECT_EQ(List().ItemIndex(), 1);
        EXPECT_EQ(Control().WaitEnded, 0);
        // The page has not come within the bound: its local copy instead.
        ASSERT_TRUE(QTest::qWaitFor([] { return Control().BoundPassed > 0; }, MenuBrowserWaitMs + 2000));
        EXPECT_GE(clock.elapsed(), MenuBrowserWaitMs);
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("info.html"));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアからのお知らせ"));
        EXPECT_TRUE(QTest::qWaitFor([] { return Control().WaitEnded == 1; }, 2000));
        Form().Close();
    });
}

TEST_F(MenuScreen, TheWaitEndsWithThePageAndSetsTheNormalTextSize)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    Run([&](TfrmMenu& form) {
        form.WebBrowser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 4);
        ASSERT_TRUE(WaitForPage());
        ASSERT_TRUE(QTest::qWaitFor([] { return Control().WaitEnded > 0; }, 2000));
        QVariant size;
        form.WebBrowser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, QVariant(), &size);
        EXPECT_EQ(size.toInt(), 2);
        // The bound passing later changes nothing: the local guide stays.
        QTest::qWait(MenuBrowserWaitMs + 200);
        EXPECT_EQ(Control().WaitEnded, 1);
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        form.Close();
    });
}

TEST_F(MenuScreen, AHelpPageChosenBeforeTheBoundIsNotReplacedByTheStartPage)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TLocalHttpServer silent({200, RemotePage("never"), true});
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=") + silent.Address(QStringLiteral("/help/guide.html")) +
                            "\r\nPAGE2=help.moriva.invalid/help/flow.html\r\n")
                               .toUtf8()
                               .constData());
    Run([&](TfrmMenu& form) {
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([] { return Control().BoundPassed > 0; }, MenuBrowserWaitMs + 2000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("flow.html"));
        form.Close();
    });
}

namespace {

// The [Web] URL line of Menu.inf, "" when there is none.
QString StoredUrl(const TempProgramFolder& program)
{
    for (const QString& line : ReadMenuInf(program).split(QStringLiteral("\r\n")))
        if (line.startsWith(QStringLiteral("URL=")))
            return line.mid(4);
    return {};
}

} // namespace

TEST_F(MenuScreen, ALocalCopyStandingInForTheSiteLeavesTheStoredAddress)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    // A site that answers only after the menu's bound, and one that is absent.
    TLocalHttpServer slow({200, RemotePage("slow page"), false, MenuBrowserWaitMs + 3000});
    TClosedLocalPort closed;
    const QString stored = slow.Address(QStringLiteral("/help/info.html"));
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=") + stored + QStringLiteral("\r\nPAGE2=127.0.0.1:%1/help/flow.html\r\n").arg(closed.Port()))
                               .toUtf8()
                               .constData());
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(QTest::qWaitFor([] { return Control().BoundPassed > 0; }, MenuBrowserWaitMs + 2000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("info.html"));
        form.Close();
    });
    EXPECT_EQ(StoredUrl(program_), stored);

    // A help button whose page the site cannot give shows the local copy: the same.
    Run([&](TfrmMenu& form) {
        QTest::mouseClick(form.sbtnTestInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("flow.html"); }, 10000));
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("記憶手順"));
        form.Close();
    });
    EXPECT_EQ(StoredUrl(program_), stored);
}

TEST_F(MenuScreen, AStoredLocalCopyOfAHelpPageIsReadAsTheSitesPage)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    const QString flow = program_.FilePath(QStringLiteral("help/flow.html"));
    const QString other = program_.FilePath(QStringLiteral("notes.html"));
    program_.Write(QStringLiteral("notes.html"), RemotePage("notes"));
    const QString elsewhere = program_.FilePath(QStringLiteral("VEKAlpha/help/info.html"));
    const std::vector<std::pair<QString, QString>> cases = {
        // As an earlier closing stored it, as a path, with other letter case.
        {QUrl::fromLocalFile(flow).toString(QUrl::FullyEncoded), QStringLiteral("http://") + HelpSitePage(2)},
        {flow, QStringLiteral("http://") + HelpSitePage(2)},
        {QUrl::fromLocalFile(program_.FilePath(QStringLiteral("Help/INFO.html"))).toString(), QStringLiteral("http://") + HelpSitePage(3)},
        // Other local files are opened as they are.
        {QUrl::fromLocalFile(other).toString(QUrl::FullyEncoded), QUrl::fromLocalFile(other).toString()},
        {QUrl::fromLocalFile(elsewhere).toString(QUrl::FullyEncoded), QUrl::fromLocalFile(elsewhere).toString()},
    };
    for (const auto& [stored, asked] : cases) {
        SCOPED_TRACE(stored.toStdString());
        WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=") + stored + "\r\n").toUtf8().constData());
        Run([&](TfrmMenu& form) {
            EXPECT_EQ(Control().StartLocation, asked);
            ASSERT_TRUE(WaitForPage());
            form.Close();
        });
        // The stand-in shown does not replace what was stored.
        EXPECT_EQ(StoredUrl(program_), stored);
    }
}

TEST_F(MenuScreen, APageOfTheWebThatFailsGivesWayToItsLocalCopyOnce)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TClosedLocalPort closed;
    // The site's news page, whose script goes where nothing answers.
    const QByteArray leaving = QByteArrayLiteral(
        "<!DOCTYPE html><html><head><title>leaving</title><script>setTimeout(function () {"
        " location.href = 'http://127.0.0.1:") + QByteArray::number(closed.Port()) +
        QByteArrayLiteral("/help/info.html'; }, 200);</script></head><body>x</body></html>");
    TLocalHttpServer site({200, leaving});
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nPAGE3=") + site.Address(QStringLiteral("/help/info.html")) + "\r\n")
                               .toUtf8()
                               .constData());
    auto showNews = [&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        QTest::mouseClick(form.sbtnInfo, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return PageTitle() == QStringLiteral("leaving"); }, 15000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser().LocationURL() == LocalUrl("info.html"); }, 15000))
            << Browser().LocationURL().toStdString();
        ASSERT_TRUE(WaitForPage());
    };
    Run([&](TfrmMenu& form) {
        showNews(form);
        EXPECT_EQ(PageTitle(), Text("ミモリアからのお知らせ"));
        form.Close();
    });
    EXPECT_EQ(ReadLogLines(program_).filter(QStringLiteral("could not be shown")).size(), 1);

    // Without the local copy the browser stays without a page: no error page, no loop.
    QFile::remove(program_.FilePath(QStringLiteral("help/info.html")));
    Run([&](TfrmMenu& form) {
        showNews(form);
        QTest::qWait(500);
        EXPECT_EQ(Browser().ReadyState(), READYSTATE_COMPLETE);
        EXPECT_EQ(Browser().Document(), nullptr);
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("info.html"));
        form.Close();
    });
    EXPECT_EQ(ReadLogLines(program_).filter(QStringLiteral("could not be shown")).size(), 3);
}
