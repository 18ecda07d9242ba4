// The clock of the test screen: the 10-second limit of a question, the one-second guard
// of the register button and the cap of a reply registered late.
#include "UfrmTestSupport.h"

#include "platform/vcl/SpeedButton.h"

#include <QElapsedTimer>

TEST_F(TestScreen, AnEmptyQuestionTimesOutAtTenSecondsAndTheRegisterButtonWaitsOneSecond)
{
    WriteCategory(3);
    std::array<TDateTime, 3> shown{};
    qint64 timedOutAfter = 0;
    SetDialogAnswerer([](const TDialogQuestion&) { return mrNo; });
    RunTest({"1", "2", "3"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 3));
        shown[0] = clock_;
        Advance(10.0); // the clock the screen reads, as the timer will find it
        QElapsedTimer waited;
        waited.start();
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->lblMondai->text() == "問題:10秒"; }, 1500));
        ASSERT_TRUE(WaitForQuestion(2, 3, 12000));
        timedOutAfter = waited.elapsed();

        // The register button does nothing within the first second, a press after it
        // registers (the click that ends the press falls into the next question's first
        // second and is ignored there).
        shown[1] = clock_;
        Advance(1.0);
        QTest::mouseClick(frmTest->sbtnResist, Qt::LeftButton);
        EXPECT_EQ(frmTest->lblCount->text(), "件数：2／3");
        Advance(0.001);
        QTest::mouseClick(frmTest->sbtnResist, Qt::LeftButton);
        ASSERT_TRUE(WaitForQuestion(3, 3, 0));

        // Begun at 2 s, the stop question answered No, registered at 60.5 s: the whole
        // time counts for the guard, and the reply ends at the limit.
        shown[2] = clock_;
        Advance(2.0);
        QTest::keyClicks(frmTest->edtKeyInput, "z");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        EXPECT_TRUE(frmTest->isVisible());
        Advance(58.5);
        WhenJudge({Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape});
        QTest::mouseClick(frmTest->sbtnResist, Qt::LeftButton);
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "終　了");
    });
    EXPECT_FALSE(frmTest);
    EXPECT_GE(timedOutAfter, 9900);

    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replies[i].Type, ReplyTypeText);
        EXPECT_EQ(MsBetween(shown[i], replies[i].StartTime), 0);
        EXPECT_EQ(MsBetween(shown[i], replies[i].EndTime), 10000);
        EXPECT_FALSE(replies[i].Answer);
    }
    // Left empty: begun at the limit, whether by time-out or the button.
    EXPECT_EQ(replies[0].Data, "");
    EXPECT_EQ(MsBetween(shown[0], replies[0].ReplyStart), 10000);
    EXPECT_EQ(replies[1].Data, "");
    EXPECT_EQ(MsBetween(shown[1], replies[1].ReplyStart), 10000);
    EXPECT_EQ(replies[2].Data, "z");
    EXPECT_EQ(MsBetween(shown[2], replies[2].ReplyStart), 2000);
    const std::vector<TScreenHistory> history = StoredHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -10000);
    EXPECT_EQ(history[0].AnswerCount, 0);
}

TEST_F(TestScreen, EscAnsweredNoAndControlKeysLeaveAnUntouchedQuestionEmptyUntilItsLimit)
{
    WriteCategory(1);
    int asked = 0;
    SetDialogAnswerer([&](const TDialogQuestion&) {
        ++asked;
        return mrNo;
    });
    TDateTime shown = 0;
    RunTest({"1"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 1));
        shown = clock_;
        Advance(2.0);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        EXPECT_EQ(asked, 1);
        Advance(1.0);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Backspace);
        // Ctrl+A, as the platform sends it: character 1.
        QKeyEvent control(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
        QApplication::sendEvent(frmTest->edtKeyInput, &control);
        EXPECT_EQ(frmTest->edtKeyInput->text(), "");
        // Past the limit; the time-out comes 10 s after the stop question.
        Advance(8.0);
        WhenJudge({Qt::Key_Escape});
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmTest->isVisible(); }, 12000));
    });
    EXPECT_FALSE(frmTest);
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].Data, "");
    EXPECT_EQ(MsBetween(shown, replies[0].StartTime), 0);
    EXPECT_EQ(MsBetween(shown, replies[0].ReplyStart), 10000);
    EXPECT_EQ(MsBetween(shown, replies[0].EndTime), 10000);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -10000);
}

TEST_F(TestScreen, TheSystemClockSteppedDuringQuestionsChangesNoDurationAndTheStoredMomentsFollowIt)
{
    WriteCategory(2);
    std::array<TDateTime, 2> shown{};
    QStringList judgedTimes;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &judgedTimes] {
        if (!frmJudge || !frmJudge->isVisible())
            return;
        poll->stop();
        for (int i = 0; i < 2 && frmJudge; ++i) {
            judgedTimes << frmJudge->lblTestTime->text();
            Type(frmJudge.get(), Qt::Key_Escape);
        }
    });
    poll->start(20);
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        shown[0] = clock_;
        Advance(1.0);
        StepWallClock(-30.0); // set back by hand or by a time server
        Advance(0.5);
        QTest::keyClicks(frmTest->edtKeyInput, "a1");
        Advance(1.5);
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->lblMondai->text() == "問題:3秒"; }, 1500));
        Type(frmTest.get(), Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));

        shown[1] = clock_;
        Advance(1.0);
        StepWallClock(3600.0); // and forward by an hour
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, "x");
        Advance(0.5);
        Type(frmTest.get(), Qt::Key_Return);
    });
    delete poll;
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(judgedTimes, QStringList({"回答時間：3.000秒", "回答時間：2.500秒"}));

    const std::vector<TScreenReply> replies = StoredReplies(); // by start: the second first
    ASSERT_EQ(replies.size(), 2u);
    const TScreenReply& second = replies[0];
    const TScreenReply& first = replies[1];
    // The moments a question appeared are those of the wall clock at the time.
    EXPECT_EQ(MsBetween(shown[0], first.StartTime), 0);
    EXPECT_EQ(MsBetween(shown[0], second.StartTime), -27000);
    EXPECT_EQ(MsBetween(first.StartTime, first.ReplyStart), 1500);
    EXPECT_EQ(MsBetween(first.StartTime, first.EndTime), 3000);
    EXPECT_EQ(MsBetween(second.StartTime, second.ReplyStart), 2000);
    EXPECT_EQ(MsBetween(second.StartTime, second.EndTime), 2500);
    const std::vector<TScreenHistory> history = StoredHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(MsBetween(shown[0], history[0].TestDate), 0);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -2750);
}
