// Input at the wrong moment: keys hammered during the countdown, and keys, clicks, pen
// strokes and timer ticks that reach the test screen while its checking screen opens.
// Every question gets one reply, the test ends once with one history row, and neither
// screen is started twice.
#include "UfrmTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/SpeedButton.h"

#include <QDir>
#include <algorithm>
#include <numeric>
#include <ostream>

namespace {

// The key sequences typed during the countdown: E is Enter, X is Esc.
struct THammer {
    int Questions = 0;
    const char* Keys = "";
    // The count the checking screen shows once the held keys are all delivered; empty
    // when they close it by themselves.
    const char* JudgeFrom = "";
    int Correct = 0; // replies marked ○ by the held keys
    int Asked = 0;   // stop questions (answered No)
};

void PrintTo(const THammer& hammer, std::ostream* out)
{
    *out << hammer.Questions << " questions, keys " << hammer.Keys;
}

bool CountDownShown()
{
    return QTest::qWaitFor([] { return frmTest && frmTest->memQuestion->toPlainText() == "３秒前"; }, 2000);
}

bool TestClosed(int timeoutMs)
{
    return QTest::qWaitFor([] { return !frmJudge && frmTest && !frmTest->isVisible(); }, timeoutMs);
}

QStringList Numbers(int n)
{
    QStringList numbers;
    for (int no = 1; no <= n; ++no)
        numbers << QString::number(no);
    return numbers;
}

} // namespace

class TestScreenLateInput : public TestScreen {
protected:
    // Once the checking screen shows the count `from`, runs `first` (if any), then types
    // `key` on it until it closes.
    void JudgeRestWith(Qt::Key key, const QString& from, std::function<void()> first = {})
    {
        auto* poll = new QTimer;
        polls_.emplace_back(poll);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, key, from, first] {
            if (!frmJudge || !frmJudge->isVisible() || frmJudge->lblCount->text() != from)
                return;
            poll->stop();
            if (first)
                first();
            for (int i = 0; i < 30 && frmJudge && frmJudge->isVisible(); ++i)
                Type(frmJudge.get(), key);
        });
        poll->start();
    }

    // One reply per question of 1..n, one history row of n questions within the limit.
    void ExpectOneReplyEachAndOneHistoryRow(int n, int correct) const
    {
        std::vector<int> numbers;
        for (const TScreenReply& reply : StoredReplies()) {
            numbers.push_back(reply.No);
            EXPECT_EQ(reply.State, ReplyStateWritten);
            EXPECT_LE(MsBetween(reply.StartTime, reply.EndTime), 10000);
        }
        std::sort(numbers.begin(), numbers.end());
        std::vector<int> expected(n);
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(numbers, expected);
        const std::vector<TScreenHistory> history = StoredHistory();
        ASSERT_EQ(history.size(), 1u);
        EXPECT_EQ(history[0].TestCount, n);
        EXPECT_EQ(history[0].AnswerCount, correct);
        const qint64 average = MsBetween(0, UnitHistoryControl->Head->Average);
        EXPECT_GE(average, -10000);
        EXPECT_LE(average, 0);
    }

    std::vector<std::unique_ptr<QTimer>> polls_;
};

class TestScreenHammer : public TestScreenLateInput, public testing::WithParamInterface<THammer> {};

TEST_P(TestScreenHammer, KeysOfTheCountdownAnswerEachQuestionOnceAndTheRestActWhereTheyLand)
{
    const THammer& hammer = GetParam();
    WriteCategory(hammer.Questions);
    int asked = 0;
    SetDialogAnswerer([&](const TDialogQuestion&) {
        ++asked;
        return mrNo;
    });
    if (*hammer.JudgeFrom)
        JudgeRestWith(Qt::Key_Escape, QString::fromUtf8(hammer.JudgeFrom));
    RunTest(Numbers(hammer.Questions), [&] {
        ASSERT_TRUE(CountDownShown());
        for (const char* key = hammer.Keys; *key; ++key)
            Type(frmTest.get(), *key == 'E' ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_EQ(frmTest->lblCount->text(), QStringLiteral("件数：0／%1").arg(hammer.Questions));
        EXPECT_TRUE(TestClosed(15000));
    });
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(remaining_.Count(), 0);
    EXPECT_EQ(asked, hammer.Asked);
    ExpectOneReplyEachAndOneHistoryRow(hammer.Questions, hammer.Correct);
    // Every reply was left empty: it takes the whole limit.
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -10000);
}

INSTANTIATE_TEST_SUITE_P(
    TestScreen, TestScreenHammer,
    testing::Values(
        // The second Enter marks the one reply ○ and closes the checking screen.
        THammer{1, "EE", "", 1, 0},
        // Those after it find the checking screen closing and the test ending.
        THammer{1, "EEEEEEEEEEE", "", 1, 0},
        // An Esc after the closing Enter marks nothing: the reply stays ○.
        THammer{1, "EEXE", "", 1, 0},
        // The eleventh Enter marks the first reply ○ on the checking screen.
        THammer{10, "EEEEEEEEEEE", "件数：2/10", 1, 0},
        // Esc on the second question asks to stop (No); the last Enter reaches the
        // checking screen.
        THammer{3, "EXEEE", "件数：2/3", 1, 1}));

TEST_F(TestScreenLateInput, KeysOfTheCountdownAfterAStopAnsweredYesActNoMore)
{
    WriteCategory(3);
    int asked = 0;
    SetDialogAnswerer([&](const TDialogQuestion&) {
        ++asked;
        return mrYes;
    });
    RunTest({"1", "2", "3"}, [&] {
        ASSERT_TRUE(CountDownShown());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape})
            Type(frmTest.get(), key);
        EXPECT_TRUE(TestClosed(5000));
    });
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(remaining_.Lines(), QStringList({"3"}));
    EXPECT_TRUE(StoredReplies().empty());
    EXPECT_TRUE(StoredHistory().empty());
}

TEST_F(TestScreenLateInput, PenStrokesAndClicksOfTheCountdownLeaveNoInk)
{
    InstallTabletLibrary();
    WriteCategory(1);
    RunTest({"1"}, [&] {
        ASSERT_TRUE(CountDownShown());
        TImage* pen = frmTest->imgPen;
        TestControl->Pressure = 900; // as a pen pressed at the end of a test before
        QTest::mouseMove(pen, {100, 60});
        QTest::mouseMove(pen, {300, 60});
        QTest::mouseClick(pen, Qt::LeftButton, {}, {200, 100});
        EXPECT_EQ(pen->Canvas().Pixel(200, 60), clWhite);
        ASSERT_TRUE(WaitForQuestion(1, 1));
        EXPECT_EQ(pen->Canvas().Pixel(200, 60), clWhite);
        TestControl->Pressure = 0;
        QTest::mouseMove(pen, {10, 10}); // lifted: the next stroke starts afresh
        JudgeRestWith(Qt::Key_Escape, "件数：1/1");
        Type(frmTest.get(), Qt::Key_Return);
        EXPECT_TRUE(TestClosed(5000));
    });
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].Type, ReplyTypeText);
    EXPECT_EQ(replies[0].Data, "");
}

class TestScreenJudgeOpening : public TestScreenLateInput, public testing::WithParamInterface<int> {};

TEST_P(TestScreenJudgeOpening, KeysClicksPenAndTicksReachingTheTestScreenWhileItsCheckingOpensDoNothing)
{
    const int n = GetParam();
    InstallTabletLibrary();
    WriteCategory(n);
    int asked = 0;
    SetDialogAnswerer([&](const TDialogQuestion&) {
        ++asked;
        return mrYes;
    });
    QPointer<TfrmJudge> judge;
    // Once the checking screen is up, everything a test screen can get arrives at it.
    JudgeRestWith(Qt::Key_Escape, QStringLiteral("件数：1/%1").arg(n), [this, &judge] {
        judge = frmJudge.get();
        Advance(2.0); // past the register button's first second
        // Typed: the checking screen is modal over the test screen.
        Type(frmTest.get(), Qt::Key_Return);
        Type(frmTest.get(), Qt::Key_Escape);
        // Sent straight to the test screen's widgets, past the modal block.
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        QTest::keyClicks(frmTest->edtKeyInput, "late");
        QTest::mouseClick(frmTest->sbtnResist, Qt::LeftButton);
        SendTablet(QEvent::TabletPress, {100, 60}, 1.0);
        QTest::mouseMove(frmTest->imgPen, {100, 60});
        QTest::mouseMove(frmTest->imgPen, {300, 60});
        SendTablet(QEvent::TabletRelease, {300, 60}, 0.0);
        TestControl->TimerTimeUp(); // a tick of the question timer that came late
        TestControl->sbtnResistClick();
        EXPECT_EQ(frmTest->imgPen->Canvas().Pixel(200, 60), clWhite);
        EXPECT_EQ(frmJudge.get(), judge.data());
    });
    RunTest(Numbers(n), [&] {
        for (int k = 1; k <= n; ++k) {
            ASSERT_TRUE(WaitForQuestion(k, n));
            Type(frmTest.get(), Qt::Key_Return);
        }
        EXPECT_TRUE(TestClosed(5000));
    });
    EXPECT_TRUE(judge.isNull()); // freed once, after its run
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(asked, 0);
    ExpectOneReplyEachAndOneHistoryRow(n, 0);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -10000);
    // No picture reply was saved for the late strokes.
    EXPECT_TRUE(QDir(Folder() + "ImageAnswer").entryList(QDir::Files).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(TestScreen, TestScreenJudgeOpening, testing::Values(1, 10));

TEST_F(TestScreenLateInput, ASecondStartOfEitherScreenWhileItRunsIsRefusedAndLeavesItRunning)
{
    WriteCategory(2);
    TStringList other;
    other.Add("2");
    TStringList questions;
    bool judgeRefused = false;
    bool testRefused = false;
    JudgeRestWith(Qt::Key_Escape, "件数：1/2", [&] {
        try {
            JudgeControl->Execute(questions, Folder());
        } catch (const Exception&) {
            judgeRefused = true;
        }
        try {
            TestControl->Execute(3, 1, Folder(), QStringLiteral("全ての問題"), other);
        } catch (const Exception&) {
            testRefused = true;
        }
        EXPECT_TRUE(frmJudge && frmJudge->isVisible());
    });
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        Type(frmTest.get(), Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));
        Type(frmTest.get(), Qt::Key_Return);
        EXPECT_TRUE(TestClosed(5000));
    });
    EXPECT_TRUE(judgeRefused);
    EXPECT_TRUE(testRefused);
    EXPECT_EQ(other.Count(), 1); // the refused test took no question
    ExpectOneReplyEachAndOneHistoryRow(2, 0);
}
