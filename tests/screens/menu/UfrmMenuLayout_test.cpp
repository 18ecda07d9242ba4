// The menu's layout as the window changes size, and the help pages the build lays out.
#include "tests/screens/menu/MenuTestSupport.h"

#include "platform/vcl/Splitter.h"
#include "tests/support/LocalHttpServer.h"

#include <QFrame>
#include <QRegularExpression>

TEST_F(MenuScreen, TheBottomButtonsFollowTheBottomEdgeAndThePanelStaysInside)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteMenuInf(program_, "[ｶﾃｺﾞﾘｰ]\r\n高さ=600\r\n");
    int kept = 0;
    Run([&](TfrmMenu& form) {
        auto checkButtons = [&] {
            const int bottom = form.Panel1->height();
            EXPECT_EQ(form.sbtnTestStart->y(), bottom - 120);
            EXPECT_EQ(form.sbtnDisplay->y(), bottom - 80);
            EXPECT_EQ(form.sbtnClose->y(), bottom - 40);
            EXPECT_LE(form.CategoryHeight(), form.Height() - 80);
            EXPECT_LE(form.pnlCategory->height(), form.Height() - 80);
        };
        checkButtons();
        EXPECT_EQ(form.CategoryHeight(), 600);
        form.resize(1200, 780);
        QTest::qWait(50);
        checkButtons();
        EXPECT_EQ(form.CategoryHeight(), 600); // growing leaves the panel as it is
        form.resize(992, 500);
        QTest::qWait(50);
        checkButtons();
        EXPECT_EQ(form.CategoryHeight(), form.Height() - 80);
        kept = form.CategoryHeight();
        // The panel never goes below its least height by dragging the splitter.
        EXPECT_EQ(form.Splitter1->ClampedHeight(10), MenuCategoryMinHeight);
        form.Close();
    });
    EXPECT_TRUE(ReadMenuInf(program_).contains(Text("高さ=%1\r\n").arg(kept))) << ReadMenuInf(program_).toStdString();
}

TEST(HelpPages, AreLaidOutAsPlainJapaneseHtmlWithoutScriptOrRemoteResources)
{
    const QString folder = QStringLiteral(MORIVA_PROGRAM_DIR "/help/");
    for (const char* name : {"guide.html", "flow.html", "info.html", "help.css"}) {
        SCOPED_TRACE(name);
        QFile file(folder + QString::fromUtf8(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
        EXPECT_FALSE(text.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\bon[a-z]+\\s*="), QRegularExpression::CaseInsensitiveOption)));
        // Every referenced resource is a file beside the page.
        const QRegularExpression reference(QStringLiteral("(?:src|href)\\s*=\\s*\"([^\"]*)\"|url\\(([^)]*)\\)|@import"));
        for (auto it = reference.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QString target = match.captured(1) + match.captured(2);
            EXPECT_FALSE(target.isEmpty()) << match.captured(0).toStdString();
            EXPECT_FALSE(target.contains(QLatin1Char(':')) || target.startsWith(QLatin1String("//")))
                << target.toStdString();
            EXPECT_TRUE(QFile::exists(folder + target)) << target.toStdString();
        }
        if (QString::fromUtf8(name).endsWith(QLatin1String(".html"))) {
            EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
            EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"ja\">")));
        }
    }
    // The news page is that of this build.
    QFile info(folder + QStringLiteral("info.html"));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(info.readAll()).contains(QStringLiteral(MORIVA_VERSION)));
}
