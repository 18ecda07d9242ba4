// Whole tests on the test screen: typed replies checked on the checking screen, the
// stored replies, the history row and what the stores have written by the end; the
// stop question; input during the countdown; the window position.
#include "UfrmTestSupport.h"

#include "platform/ini/IniFile.h"
#include "platform/vcl/SpeedButton.h"

namespace {

const QString Section = QStringLiteral("ﾃｽﾄ画面");

} // namespace

TEST_F(TestScreen, AWholeTestOfThreeTypedRepliesIsCheckedAndLeavesItsRepliesAndOneHistoryRow)
{
    WriteCategory(3);
    const QByteArray emptyReplies = Bytes(QStringLiteral("Reply.cds"));
    const QByteArray emptyHistory = Bytes(QStringLiteral("UnitHistory.cds"));
    const TDateTime testStart = clock_;
    std::array<TDateTime, 3> shown{};
    RunTest({"1", "2", "3"}, [&] {
        EXPECT_EQ(frmTest->Caption(), "テスト回答");
        EXPECT_EQ(frmTest->lblCount->text(), "件数：0／3");
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->memQuestion->toPlainText() == "３秒前"; }, 2000));
        EXPECT_FALSE(frmTest->sbtnResist->isVisible());
        ASSERT_TRUE(WaitForQuestion(1, 3));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q1");
        EXPECT_EQ(frmTest->lblMondai->text(), "問題:0秒");
        EXPECT_TRUE(frmTest->sbtnResist->isVisible());
        EXPECT_EQ(frmTest->ClientWidth(), 556); // no picture questions: no picture panel

        shown[0] = clock_;
        Advance(0.5);
        QTest::keyClicks(frmTest->edtKeyInput, "a1");
        Advance(1.5);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 3, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q2");
        EXPECT_EQ(frmTest->edtKeyInput->text(), "");

        shown[1] = clock_;
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, "b");
        Advance(0.5);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(3, 3, 0));

        shown[2] = clock_;
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, " c ");
        Advance(3.0);
        // a1 is marked ○ as it is shown and taken with Enter; b gets × (Esc); c, the
        // last, is judged × at its showing, then ○ with Enter, which closes the screen.
        WhenJudge({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return});
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        EXPECT_FALSE(frmJudge);
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "終　了");
    });
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(remaining_.Count(), 0);
    EXPECT_EQ(judgeShown_, QStringList({"a1|a1|正　解　：○", "a2|b|正　解　：×", "a3| c |正　解　：×"}));

    // Written by the end of the test: judged, state 2, times of the questions.
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 3u);
    const std::array<QString, 3> texts = {"a1", "b", " c "};
    const std::array<double, 3> begun = {0.5, 1.0, 1.0};
    const std::array<double, 3> took = {2.0, 1.5, 4.0};
    const std::array<bool, 3> correct = {true, false, true};
    const std::array<bool, 3> passed = {true, false, false}; // clear time 3 s
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replies[i].No, int(i) + 1);
        EXPECT_EQ(replies[i].Type, ReplyTypeText);
        EXPECT_EQ(replies[i].State, ReplyStateWritten);
        EXPECT_EQ(replies[i].Data, texts[i]); // as typed, not trimmed
        EXPECT_EQ(MsBetween(shown[i], replies[i].StartTime), 0);
        EXPECT_EQ(MsBetween(shown[i], replies[i].ReplyStart), qRound64(begun[i] * 1000));
        EXPECT_EQ(MsBetween(shown[i], replies[i].EndTime), qRound64(took[i] * 1000));
        EXPECT_EQ(replies[i].Answer, correct[i]);
        EXPECT_EQ(replies[i].Clear, passed[i]);
    }
    const std::vector<TScreenHistory> history = StoredHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].Count, 3);
    EXPECT_EQ(history[0].No, 1);
    EXPECT_EQ(history[0].SubCategory, "全ての問題");
    EXPECT_EQ(MsBetween(testStart, history[0].TestDate), 0);
    // The mean of (question start - reply end), -(2 + 1.5 + 4) / 3 s; the file keeps a
    // duration's magnitude.
    const TDateTime average = UnitHistoryControl->Head->Average;
    EXPECT_EQ(MsBetween(0, average), -2500);
    EXPECT_EQ(MsBetween(0, history[0].Average), 2500);
    EXPECT_EQ(history[0].TestCount, 3);
    EXPECT_EQ(history[0].AnswerCount, 2);
    EXPECT_EQ(history[0].ClearCount, 1);
    const TIniFile ini(Folder() + "Control.inf");
    EXPECT_TRUE(ini.ValueExists(Section, "Top"));
    EXPECT_TRUE(ini.ValueExists(Section, "Left"));

    // The stores' later writes add nothing: each row was written once.
    const QByteArray replyBytes = Bytes(QStringLiteral("Reply.cds"));
    const QByteArray historyBytes = Bytes(QStringLiteral("UnitHistory.cds"));
    Open();
    EXPECT_EQ(Bytes(QStringLiteral("Reply.cds")), replyBytes);
    EXPECT_EQ(Bytes(QStringLiteral("UnitHistory.cds")), historyBytes);

    // The same replies and row, written only when the stores are replaced, give the
    // same bytes.
    program_.Write("VEKCopy/Reply.cds", emptyReplies);
    program_.Write("VEKCopy/UnitHistory.cds", emptyHistory);
    const QString copy = program_.FilePath("VEKCopy/");
    ReplyControlClass->CreateInstance(copy);
    UnitHistoryControlClass->CreateInstance(copy);
    for (const TScreenReply& r : replies)
        ReplyControl->AddRecord(r.Type, r.No, r.ReplyStart, r.StartTime, r.EndTime, r.Data);
    ReplyControl->FirstUnjudged();
    for (const TScreenReply& r : replies) {
        ReplyControl->JudgeCurrent(r.Answer, ReplyControl->GetCurrentTotalTime());
        ReplyControl->NextUnjudged();
    }
    const TScreenHistory& h = history[0];
    UnitHistoryControl->AddRecord(h.Count, h.No, h.SubCategory, h.TestDate, average, h.TestCount,
                                  h.AnswerCount, h.ClearCount);
    Open();
    EXPECT_EQ(program_.Read("VEKCopy/Reply.cds"), replyBytes);
    EXPECT_EQ(program_.Read("VEKCopy/UnitHistory.cds"), historyBytes);
}

TEST_F(TestScreen, InputOfTheCountdownActsOnTheFirstQuestionAndTheStopQuestionAnsweredYesDropsTheTest)
{
    WriteCategory(3);
    TIniFile(Folder() + "Control.inf").WriteInteger(Section, "Top", 120);
    TIniFile(Folder() + "Control.inf").WriteInteger(Section, "Left", 80);
    std::vector<TDialogQuestion> asked;
    std::vector<TModalResult> answers = {mrNo, mrYes};
    SetDialogAnswerer([&](const TDialogQuestion& question) {
        asked.push_back(question);
        return answers[asked.size() - 1];
    });
    RunTest({"3", "1", "2"}, [&] {
        // Typed before the first question: held, then typed into it, and Enter registers.
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->memQuestion->toPlainText() == "３秒前"; }, 2000));
        QTest::keyClicks(frmTest->edtKeyInput, "xy");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        EXPECT_EQ(frmTest->lblCount->text(), "件数：0／3");
        EXPECT_EQ(frmTest->edtKeyInput->text(), "");
        ASSERT_TRUE(WaitForQuestion(2, 3));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q1");
        EXPECT_EQ(frmTest->Top(), 120); // the saved position, restored at the paints
        EXPECT_EQ(frmTest->Left(), 80);
        EXPECT_EQ(ReplyControl->Head->No, 3);
        EXPECT_EQ(ReplyControl->Head->Data, "xy");
        EXPECT_EQ(ReplyControl->Head->State, ReplyStateUnjudged);

        // No: the test goes on with the same question.
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].Text, "中止しますか？");
        EXPECT_EQ(asked[0].Caption, "警告");
        EXPECT_EQ(asked[0].Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(asked[0].Buttons, QStringList({"はい(&Y)", "いいえ(&N)"}));
        EXPECT_TRUE(frmTest->isVisible());
        EXPECT_EQ(frmTest->lblCount->text(), "件数：2／3");
        // Yes: closed without the checking screen.
        frmTest->sbtnStop->click();
        EXPECT_EQ(asked.size(), 2u);
    });
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(remaining_.Lines(), QStringList({"2"})); // the numbers not shown
    EXPECT_EQ(ReplyControl->FirstUnjudged(), -1);       // the test's replies dropped
    EXPECT_TRUE(StoredReplies().empty());
    EXPECT_TRUE(StoredHistory().empty());
    const TIniFile ini(Folder() + "Control.inf");
    EXPECT_EQ(ini.ReadInteger(Section, "Top", -1), 120);
    EXPECT_EQ(ini.ReadInteger(Section, "Left", -1), 80);
}

TEST_F(TestScreen, InRandomOrderEveryQuestionOfTheListComesOnce)
{
    WriteCategory(4);
    Setting->RandomOrder = true;
    QStringList asked;
    RunTest({"1", "2", "3", "4"}, [&] {
        for (int k = 1; k <= 4; ++k) {
            ASSERT_TRUE(WaitForQuestion(k, 4));
            asked << frmTest->memQuestion->toPlainText();
            EXPECT_EQ(remaining_.Count(), 4 - k);
            if (k == 4)
                WhenJudge({Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape});
            QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        }
    });
    asked.sort();
    EXPECT_EQ(asked, QStringList({"q1", "q2", "q3", "q4"}));
    EXPECT_EQ(StoredReplies().size(), 4u);
}

TEST_F(TestScreen, AnEmptyListRunsNoTest)
{
    WriteCategory(1);
    const QByteArray history = Bytes(QStringLiteral("UnitHistory.cds"));
    TStringList none;
    TestControl->Execute(3, 1, Folder(), QStringLiteral("全ての問題"), none);
    EXPECT_FALSE(frmTest);
    EXPECT_TRUE(dynamic_cast<TUnitHistoryNull*>(UnitHistoryControl->Head.get()));
    Open();
    EXPECT_EQ(Bytes(QStringLiteral("UnitHistory.cds")), history);
}
