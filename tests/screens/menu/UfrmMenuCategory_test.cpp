// The category list of the menu: hiding and showing categories, opening a category's data
// screen, the keys, the row colours and the display settings dialog.
#include "tests/screens/menu/MenuTestSupport.h"

#include "platform/vcl/Button.h"

#include <QImage>

namespace {

// Runs steps once the data screen (or dialog) opened by trigger is on screen.
void WhenOpen(const std::function<QWidget*()>& window, const std::function<void()>& steps)
{
    QTimer::singleShot(0, [window, steps] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return window() && window()->isVisible(); }, 10000));
        steps();
    });
}

QWidget* DataScreenWindow() { return frmData.get(); }

} // namespace

TEST_F(MenuScreen, AHiddenCategoryStaysHiddenUntilAllAreShownAgain)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    WriteCategoryFolder(program_, QStringLiteral("VEKGamma"), 1);
    Run([&](TfrmMenu& form) {
        ClickRow(1);
        form.pmuNonDisplay->trigger();
        EXPECT_EQ(Captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Gamma")}));
        EXPECT_EQ(List().ItemIndex(), -1);
        // Without a selected row nothing more is hidden.
        form.pmuNonDisplay->trigger();
        EXPECT_EQ(Captions().size(), 2);
        form.Close();
    });
    EXPECT_TRUE(ReadMenuInf(program_).contains(Text("[表示]\r\nBeta=0\r\n")));
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(Captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Gamma")}));
        form.pmuAllDisplay->trigger();
        EXPECT_EQ(Captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
        EXPECT_EQ(List().ItemIndex(), 0);
        form.Close();
    });
    EXPECT_TRUE(ReadMenuInf(program_).contains(Text("Beta=1\r\n")));
}

TEST_F(MenuScreen, ReturningFromTheDataScreenSelectsTheSameRowWithFreshCounts)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    WriteCategoryFolder(program_, QStringLiteral("VEKGamma"), 1);
    QString openedCaption;
    Run([&](TfrmMenu&) {
        ClickRow(1);
        EXPECT_EQ(Row(1), (QStringList{QStringLiteral("Beta"), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("-")}));
        WhenOpen(DataScreenWindow, [&] {
            openedCaption = frmData->Caption();
            // What the data screen records when it closes after a test.
            CountCategorySelection(QStringLiteral("Beta"));
            frmData->Close();
        });
        QTest::mouseClick(Form().sbtnTestStart, Qt::LeftButton);
        EXPECT_FALSE(frmData);
        EXPECT_EQ(List().ItemIndex(), 1);
        EXPECT_TRUE(List().IsItemFocused(1));
        const QStringList row = Row(1);
        EXPECT_EQ(row.mid(0, 3), (QStringList{QStringLiteral("Beta"), QStringLiteral("1"), QStringLiteral("5")}));
        EXPECT_NE(row[3], QStringLiteral("-"));
        Form().Close();
    });
    EXPECT_EQ(openedCaption, QStringLiteral("Beta"));
}

TEST_F(MenuScreen, EnterAndDoubleClickOpenTheSelectedCategoryAndNothingWithoutOne)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    QStringList opened;
    Run([&](TfrmMenu& form) {
        // Nothing selected: Enter opens nothing.
        List().setFocus();
        Key(List().viewport(), Qt::Key_Return);
        QTest::qWait(200);
        EXPECT_TRUE(opened.isEmpty());

        auto closeWhenOpen = [&] {
            WhenOpen(DataScreenWindow, [&] {
                opened << frmData->Caption();
                frmData->Close();
            });
        };
        ClickRow(0);
        closeWhenOpen();
        Key(List().viewport(), Qt::Key_Return); // focus on the list
        ActivateMenu();
        closeWhenOpen();
        QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, OnRow(1));
        ActivateMenu();
        // A help button takes no focus and gives it to the browser; Enter still starts.
        ClickRow(0);
        QTest::mouseClick(form.sbtnInfo, Qt::LeftButton);
        EXPECT_TRUE(form.WebBrowser->Focused());
        closeWhenOpen();
        ASSERT_TRUE(QApplication::focusWidget());
        Key(QApplication::focusWidget(), Qt::Key_Return);
        form.Close();
    });
    EXPECT_EQ(opened, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Alpha")}));
}

TEST_F(MenuScreen, EscClosesTheMenuFromTheListAndFromTheBrowser)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    for (bool inBrowser : {false, true}) {
        SCOPED_TRACE(inBrowser ? "browser" : "list");
        bool closedByKey = false;
        Run([&](TfrmMenu& form) {
            ASSERT_TRUE(WaitForPage());
            ClickRow(0);
            if (inBrowser)
                form.WebBrowser->SetFocus();
            EXPECT_EQ(form.WebBrowser->Focused(), inBrowser);
            ASSERT_TRUE(QApplication::focusWidget());
            Key(QApplication::focusWidget(), Qt::Key_Escape);
            closedByKey = QTest::qWaitFor([] { return !frmMenu || !frmMenu->isVisible(); }, 3000);
        });
        EXPECT_TRUE(closedByKey);
    }
}

TEST_F(MenuScreen, RowsOneThreeFiveAreDrawnOnLightGrey)
{
    for (const char* name : {"VEKa", "VEKb", "VEKc", "VEKd"})
        WriteCategoryFolder(program_, QString::fromUtf8(name), 1);
    Run([&](TfrmMenu& form) {
        // Without the focus, the list draws no focus frame over its current row.
        form.WebBrowser->SetFocus();
        const QImage shot = List().viewport()->grab().toImage();
        const QColor grey(0xE5, 0xE5, 0xE5);
        for (int row = 0; row < 4; ++row) {
            // A point of the last column's cell clear of its text.
            const QRect cell = List().visualRect(List().model()->index(row, 3));
            const QColor pixel = shot.pixelColor(cell.right() - 3, cell.center().y());
            SCOPED_TRACE(row);
            if (row % 2 == 0)
                EXPECT_EQ(pixel, grey);
            else
                EXPECT_NE(pixel, grey);
        }
        form.Close();
    });
}

TEST_F(MenuScreen, TheDisplaySettingsDialogRefillsTheListOnlyOnOk)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    auto dialog = [] { return static_cast<QWidget*>(frmShowSetting.get()); };
    Run([&](TfrmMenu& form) {
        // Cancel after hiding everything: the list stays.
        WhenOpen(dialog, [] {
            frmShowSetting->btnAllNoDisp->Click();
            frmShowSetting->btnCancel->Click();
        });
        QTest::mouseClick(form.sbtnDisplay, Qt::LeftButton);
        EXPECT_EQ(Captions().size(), 2);
        // OK after hiding everything: the list is empty.
        WhenOpen(dialog, [] {
            frmShowSetting->btnAllNoDisp->Click();
            frmShowSetting->btnSetting->Click();
        });
        form.pmuDisplaySetting->trigger();
        EXPECT_TRUE(Captions().isEmpty());
        form.Close();
    });
}

TEST_F(MenuScreen, ACategoryWhoseNameCannotBeAKeyOpensAndLeavesMenuInfWithoutItsKeys)
{
    WriteCategoryFolder(program_, QStringLiteral("VEK[x]"), 2);
    WriteCategoryFolder(program_, QStringLiteral("VEKa=b"), 3);
    QStringList opened;
    Run([&](TfrmMenu&) {
        for (int row = 0; row < 2; ++row) {
            ClickRow(row);
            WhenOpen(DataScreenWindow, [&] {
                opened << frmData->Caption();
                CountCategorySelection(frmData->Caption()); // as after a test
                frmData->Close();
            });
            Key(List().viewport(), Qt::Key_Return);
        }
        EXPECT_EQ(Row(0).mid(0, 3), (QStringList{QStringLiteral("[x]"), QStringLiteral("0"), QStringLiteral("2")}));
        Form().Close();
    });
    EXPECT_EQ(opened, (QStringList{QStringLiteral("[x]"), QStringLiteral("a=b")}));
    const QString menuInf = QString::fromLatin1(program_.Read(QStringLiteral("Menu.inf")));
    EXPECT_FALSE(menuInf.contains(QStringLiteral("[x]="))) << menuInf.toStdString();
    EXPECT_FALSE(menuInf.contains(QStringLiteral("a=b"))) << menuInf.toStdString();
}

TEST_F(MenuScreen, TheListHasTheFocusAtOpeningSoKeysAloneChooseAndStartACategory)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
    QString opened;
    Run([&](TfrmMenu& form) {
        EXPECT_EQ(form.focusWidget(), &List()); // the control that takes the keys when the menu is active
        ActivateMenu();
        EXPECT_EQ(QApplication::focusWidget(), &List());
        EXPECT_EQ(List().ItemIndex(), -1); // a first start selects nothing
        Key(QApplication::focusWidget(), Qt::Key_Down);
        Key(QApplication::focusWidget(), Qt::Key_Down);
        WhenOpen(DataScreenWindow, [&] {
            opened = frmData->Caption();
            frmData->Close();
        });
        Key(QApplication::focusWidget(), Qt::Key_Return);
        ActivateMenu();
        EXPECT_EQ(QApplication::focusWidget(), &List()); // back on the list after the screen
        Form().Close();
    });
    EXPECT_EQ(opened, QStringLiteral("Beta"));
}
