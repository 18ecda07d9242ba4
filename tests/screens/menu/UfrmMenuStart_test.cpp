// The menu's form, its first start and the settings it keeps in Menu.inf and Menu.dat.
#include "tests/screens/menu/MenuTestSupport.h"

#include "components/KvUserWdwState.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Splitter.h"
#include "tests/support/LocalHttpServer.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>

TEST_F(MenuScreen, TheFormHasItsComponentsCaptionsAndPictures)
{
    TfrmMenu form;
    EXPECT_EQ(form.Caption(), Text("ケルナ - ミモリア"));
    // Designed with a client of 984 x 728; a window system without frames widens it to
    // the least outer width.
    EXPECT_EQ(form.ClientWidth(), std::max(984, 992 - (form.Width() - form.ClientWidth())));
    EXPECT_EQ(form.ClientHeight(), 728);
    EXPECT_EQ(form.minimumWidth(), 992);
    EXPECT_EQ(form.minimumHeight(), 500);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.Panel1->width(), 163);
    EXPECT_FALSE(form.imgMenu->IsEmpty());
    EXPECT_TRUE(form.imgMenu->Stretch());
    EXPECT_FALSE(form.imgCategory->IsEmpty());
    EXPECT_EQ(form.imgCategory->maximumHeight(), 22);
    EXPECT_EQ(form.lblMondai->text(), Text("問題一覧"));
    EXPECT_TRUE(form.lblMondai->font().bold());
    EXPECT_EQ(form.CategoryHeight(), 200);
    form.SetCategoryHeight(40);
    EXPECT_EQ(form.CategoryHeight(), MenuCategoryMinHeight);
    EXPECT_EQ(form.Splitter1->height(), 8);
    EXPECT_EQ(form.Splitter1->Control(), form.pnlCategory);

    const std::vector<std::pair<TSpeedButton*, int>> tagged = {
        {form.sbtnManual, 1}, {form.sbtnTestInfo, 2}, {form.sbtnInfo, 3}};
    int top = 9;
    for (const auto& [button, tag] : tagged) {
        EXPECT_EQ(button->Tag(), tag);
        EXPECT_EQ(button->y(), top);
        EXPECT_TRUE(button->Flat());
        EXPECT_FALSE(button->Picture().isEmpty());
        top += 40;
    }
    for (TSpeedButton* button : {form.sbtnTestStart, form.sbtnDisplay, form.sbtnClose})
        EXPECT_FALSE(QIcon(button->Picture()).isNull());

    EXPECT_TRUE(form.lvCategory->SortByText());
    EXPECT_FALSE(form.lvCategory->ColumnClick());
    EXPECT_EQ(form.WebBrowser->focusPolicy() & Qt::TabFocus, 0);
    ASSERT_EQ(form.pmeCategory->actions().size(), 3);
    EXPECT_EQ(form.pmuNonDisplay->Caption(), Text("問題非表示"));
    EXPECT_EQ(form.pmuAllDisplay->Caption(), Text("全問題表示"));
    EXPECT_EQ(form.pmuDisplaySetting->Caption(), Text("表示設定..."));
    EXPECT_TRUE(form.KvUserWdwState->AutoSaveRestore);
    EXPECT_EQ(form.KvUserWdwState->Options, TKvWdwStateOptions(woFitWorkArea));
    EXPECT_EQ(form.StatusBar1->findChildren<QLabel*>().size(), 2);
}

TEST_F(MenuScreen, FirstStartWritesMenuInfShowsTheGuideAndSelectsNothing)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    ASSERT_FALSE(QFile::exists(program_.FilePath(QStringLiteral("Menu.inf"))));
    const QString host = HelpSiteHost();
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.CategoryHeight(), 200);
        EXPECT_EQ(form.pnlCategory->height(), 200);
        EXPECT_EQ(Captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
        EXPECT_EQ(List().ItemIndex(), -1);
        // The help site of the build does not exist: its guide's local copy shows.
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(PageTitle(), Text("ミモリアについて"));
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        // The menu's hints.
        EXPECT_EQ(form.sbtnManual->Hint(), Text("ミモリアについて説明します"));
        EXPECT_EQ(form.sbtnTestInfo->Hint(), Text("記憶手順を説明します"));
        EXPECT_EQ(form.sbtnInfo->Hint(), Text("ミモリアからのお知らせです"));
        EXPECT_EQ(form.sbtnTestStart->Hint(), Text("テストを開始します"));
        EXPECT_EQ(form.sbtnClose->Hint(), Text("ミモリアを終了します"));
        EXPECT_EQ(form.sbtnDisplay->Hint(), QString());
        // Written before the form was made, in this order.
        const QByteArray expected = EncodeAnsi(Text(
            "[表示設定画面]\r\nｶﾃｺﾞﾘｰ幅=400\r\n"
            "[ｶﾃｺﾞﾘ幅]\r\n名称=235\r\n選択回数=85\r\n問題数=73\r\n更新日時=175\r\n"
            "[ｶﾃｺﾞﾘｰ]\r\n高さ=200\r\nｲﾝﾃﾞｯｸｽ=-1\r\n"
            "[Web]\r\nURL=%1/help/guide.html\r\nPAGE1=%1/help/guide.html\r\n"
            "PAGE2=%1/help/flow.html\r\nPAGE3=%1/help/info.html\r\n").arg(host));
        EXPECT_EQ(program_.Read(QStringLiteral("Menu.inf")), expected);
        form.Close();
    });
}

TEST_F(MenuScreen, AnExistingMenuInfGetsNothingAtOpeningAndItsReadersDefaults)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteMenuInf(program_, "[Server]\r\nFile=x\r\n");
    const QByteArray before = program_.Read(QStringLiteral("Menu.inf"));
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(program_.Read(QStringLiteral("Menu.inf")), before);
        EXPECT_EQ(form.CategoryHeight(), 200);
        EXPECT_EQ(List().ItemIndex(), -1);
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        form.Close();
    });
}

TEST_F(MenuScreen, ClosingKeepsPanelHeightShownPageAndSelection)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    WriteCategoryFolder(program_, QStringLiteral("VEKGamma"), 1);
    WriteMenuInf(program_, "[ｶﾃｺﾞﾘｰ]\r\n高さ=260\r\nｲﾝﾃﾞｯｸｽ=2\r\n");
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.CategoryHeight(), 260);
        EXPECT_EQ(List().ItemIndex(), 2);
        EXPECT_TRUE(List().IsItemFocused(2));
        ASSERT_TRUE(WaitForPage());
        ClickRow(1);
        form.SetCategoryHeight(150);
        form.Close();
    });
    const QString inf = ReadMenuInf(program_);
    EXPECT_TRUE(inf.contains(Text("高さ=150\r\n"))) << inf.toStdString();
    EXPECT_TRUE(inf.contains(Text("ｲﾝﾃﾞｯｸｽ=1\r\n"))) << inf.toStdString();
    // The local copy standing in for the absent site is not stored as the page to open.
    EXPECT_FALSE(inf.contains(QStringLiteral("URL="))) << inf.toStdString();
    // The column widths of the list.
    EXPECT_TRUE(inf.contains(Text("[ｶﾃｺﾞﾘ幅]"))) << inf.toStdString();
    // Opened again: the same page, panel and row.
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.CategoryHeight(), 150);
        EXPECT_EQ(List().ItemIndex(), 1);
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().LocationURL(), LocalUrl("guide.html"));
        form.Close();
    });
}

TEST_F(MenuScreen, AStoredRowBeyondTheListOrBelowNoneSelectsNothing)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    for (const char* stored : {"2", "-7", "x"}) {
        SCOPED_TRACE(stored);
        WriteMenuInf(program_, (std::string("[ｶﾃｺﾞﾘｰ]\r\nｲﾝﾃﾞｯｸｽ=") + stored + "\r\n").c_str());
        Run([&](TfrmMenu& form) {
            EXPECT_EQ(List().ItemIndex(), -1);
            form.Close();
        });
    }
}

TEST_F(MenuScreen, TheAddressOfAPageThatDidNotLoadIsNotKept)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TClosedLocalPort closed;
    const QString unreachable = QStringLiteral("127.0.0.1:%1/help/flow.html").arg(closed.Port());
    WriteMenuInf(program_, (QStringLiteral("[Web]\r\nURL=") + unreachable + "\r\n").toUtf8().constData());
    // Without the local copy the start page fails twice and the error page stays.
    QFile::remove(program_.FilePath(QStringLiteral("help/flow.html")));
    Run([&](TfrmMenu& form) {
        ASSERT_TRUE(WaitForPage());
        EXPECT_EQ(Browser().Document(), nullptr);
        form.Close();
    });
    EXPECT_TRUE(ReadMenuInf(program_).contains(QStringLiteral("URL=") + unreachable + "\r\n"));
}

TEST_F(MenuScreen, SavesThatFailAreLoggedAndEscStillCloses)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    // Folders where Menu.inf and Menu.dat should be: every write of them fails.
    program_.MakeDir(QStringLiteral("Menu.inf"));
    program_.MakeDir(QStringLiteral("Menu.dat"));
    Run([&](TfrmMenu&) {
        ASSERT_TRUE(WaitForPage());
        ClickRow(0);
        Key(List().viewport(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmMenu || !frmMenu->isVisible(); }, 3000));
    });
    // The close button too.
    Run([&](TfrmMenu& form) {
        QTest::mouseClick(form.sbtnClose, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmMenu || !frmMenu->isVisible(); }, 3000));
    });
    const QStringList log = ReadLogLines(program_);
    const auto count = [&](const char* place) { return log.filter(QString::fromUtf8(place)).size(); };
    EXPECT_EQ(count("TfrmMenuControl.EnsureMenuIni: "), 2) << log.join('\n').toStdString();
    EXPECT_EQ(count("TfrmMenuControl.SaveColumnWidths: "), 2) << log.join('\n').toStdString();
    // Height and row each time (the local guide that stands in for the site is no page to
    // store).
    EXPECT_EQ(count("TfrmMenuControl.SaveMenuSettings: "), 4) << log.join('\n').toStdString();
    EXPECT_EQ(count("TfrmMenuControl.Menu.dat: "), 2) << log.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(program_.FilePath(QStringLiteral("Menu.inf"))).isDir());
}

TEST_F(MenuScreen, AShortMenuDatOpensTheMenuAsDesignedWithOneLogLine)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    auto placement = [] {
        QRect shown;
        Run([&](TfrmMenu& form) {
            shown = form.frameGeometry();
            form.Close();
        });
        return shown;
    };
    const QRect designed = placement(); // no Menu.dat yet
    program_.Write(QStringLiteral("Menu.dat"), QByteArray(7, '\x01'));
    EXPECT_EQ(placement(), designed);
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 1) << log.join('\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("TfrmMenuControl.Menu.dat holds 7 bytes")));
    // Closing wrote the whole placement again.
    EXPECT_EQ(program_.Read(QStringLiteral("Menu.dat")).size(), 20);
}

TEST_F(MenuScreen, MenuDatRestoresThePlacementAndKeepsTheNewOne)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    TKvWdwStateData saved;
    saved.Left = 40;
    saved.Top = 30;
    saved.Width = 1010;
    saved.Height = 620;
    program_.Write(QStringLiteral("Menu.dat"), saved.ToBytes());
    QSize opened;
    Run([&](TfrmMenu& form) {
        opened = form.size();
        form.Close();
    });
    // Restored and kept unchanged.
    EXPECT_EQ(program_.Read(QStringLiteral("Menu.dat")), saved.ToBytes());
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.size(), opened);
        form.resize(opened + QSize(60, 40));
        QApplication::processEvents();
        form.Close();
    });
    const std::optional<TKvWdwStateData> kept = TKvWdwStateData::FromBytes(program_.Read(QStringLiteral("Menu.dat")));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->Width, 1070);
    EXPECT_EQ(kept->Height, 660);
    EXPECT_TRUE(ReadLogLines(program_).isEmpty());
}
