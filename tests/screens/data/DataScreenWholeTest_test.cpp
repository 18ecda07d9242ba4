// A whole test from the data screen through the test and checking screens, and what the
// data screen and the files show afterwards.
#include "tests/screens/data/DataScreenSupport.h"

#include <QLineEdit>

TEST_F(DataScreen, AWholeTestFromTheDataScreenShowsItsRepliesAndHistoryRowAfterwards)
{
    WriteCategory(5);
    Ini().WriteInteger("単位", "単位数", 3);
    WriteReplies({{2, base_, 4.0, false, false}});
    const QStringList typed = {"a1", "x", "a3"};
    // ○ for a1 (shown as ○) and × for x (shown as ×); a3, the last, is judged as shown
    // (○) and the next ○ closes the screen.
    const std::vector<Qt::Key> judgeKeys = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return};
    QStringList judged; // answer|reply as the checking screen showed them
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswer->SetItemIndex(1);
        ASSERT_EQ(form.lvReply->ItemCount(), 1);

        // The test screen: each question answered a second after it shows.
        int answered = 0;
        auto* testPoll = new QTimer;
        polls_.emplace_back(testPoll);
        testPoll->setInterval(20);
        QObject::connect(testPoll, &QTimer::timeout, [&] {
            if (!frmTest || !frmTest->isVisible() || answered >= 3 ||
                frmTest->lblCount->text() != QStringLiteral("件数：%1／3").arg(answered + 1))
                return;
            clock_ += ScreenSecond;
            QTest::keyClicks(frmTest->edtKeyInput, typed[answered]);
            clock_ += ScreenSecond;
            if (++answered == 3)
                testPoll->stop();
            QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        });
        testPoll->start();
        auto* judgePoll = new QTimer;
        polls_.emplace_back(judgePoll);
        judgePoll->setInterval(20);
        QObject::connect(judgePoll, &QTimer::timeout, [&] {
            if (!frmJudge || !frmJudge->isVisible())
                return;
            judgePoll->stop();
            for (Qt::Key key : judgeKeys) {
                if (!frmJudge)
                    break;
                judged << frmJudge->lblAnswerText->text() + u'|' + frmJudge->edtKeyInput->text();
                QWidget* target = frmJudge->focusWidget() ? frmJudge->focusWidget() : frmJudge.get();
                QTest::keyClick(target, key);
            }
        });
        judgePoll->start();

        // Enter on the unit list starts the test of unit 1.
        QTest::keyClick(form.lvAnswerUnit, Qt::Key_Return);
        ASSERT_FALSE(frmTest);
        EXPECT_EQ(answered, 3);
        EXPECT_EQ(judged, QStringList({"a1|a1", "a2|x", "a3|a3"}));

        // Back on the data screen: the unit list without a selection, the tested unit's
        // history row and chart, the answer row of before with its new reply.
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), -1);
        EXPECT_EQ(form.lvAnswerUnit->Item(0).SubItems.value(0), "1"); // tests of unit 1
        EXPECT_EQ(form.lvAnswerUnit->Item(1).SubItems.value(0), "0");
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 1);
        EXPECT_EQ(form.lvUnitHistory->Item(0).SubItems.mid(0, 3), QStringList({"3", "2", "2"}));
        EXPECT_EQ(ChartPoints(*form.chtUnitHistory, 1), 1);
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 1);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：2");
        EXPECT_EQ(form.lvReply->ItemCount(), 2);
        EXPECT_EQ(ChartPoints(*form.chtReply, 1), 2);
        EXPECT_TRUE(Control().Tested);
        EXPECT_EQ(Control().UnitNo, 1);
    });
    // The files hold the test: three new replies beside the older one, one history row.
    EXPECT_EQ(StoredReplyNumbers(), std::vector<int>({1, 2, 2, 3}));
    EXPECT_EQ(StoredHistory(), QStringList({"3/1/全ての問題"}));
    TClientDataSet history;
    history.LoadFromFile(Folder() + "UnitHistory.cds");
    EXPECT_EQ(history.FieldByName("TESTCOUNT").AsInteger(), 3);
    EXPECT_EQ(history.FieldByName("ANSWERCOUNT").AsInteger(), 2);
    EXPECT_EQ(history.FieldByName("CLEARCOUNT").AsInteger(), 2);
    EXPECT_EQ(GetCategorySelectCount("Test"), 1);
    EXPECT_EQ(Ini().ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", -1), 0);
}
