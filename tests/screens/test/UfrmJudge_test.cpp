// The checking screen's walk through the replies of a test: opening, the keys, moving and
// marking, the last-reply rule, the question memo and the window's position.
#include "UfrmJudgeTestSupport.h"

#include "platform/vcl/Memo.h"
#include "platform/vcl/SpeedButton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest/qtestspontaneevent.h>

namespace {

class JudgeWalk : public JudgeScreen {
protected:
    // Three text questions, replies to 1, 2 and 3 typed "x1".."x3" (no match), each 2 s.
    void ThreeReplies()
    {
        WriteTextCategory(3);
        Open();
        for (int no = 1; no <= 3; ++no)
            AddTyped(no, no, 2.0, QStringLiteral("x%1").arg(no));
    }
};

} // namespace

TEST_F(JudgeWalk, OneQuestionIsJudgedAtOpeningAndOneMarkCloses)
{
    for (const auto& [key, correct] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Escape, false}, {Qt::Key_Space, true}}) {
        SCOPED_TRACE(key);
        WriteTextCategory(1);
        Open();
        AddTyped(1, 0, 2.0, QStringLiteral("x"));
        questions_.SetCommaText(QStringLiteral("1"));
        Run([&, key = key] {
            EXPECT_EQ(Form().Caption(), "答え合わせ");
            EXPECT_EQ(Form().lblCount->text(), "件数：1/1");
            EXPECT_EQ(Form().lblAnswer->text(), "正　解　：×");
            EXPECT_TRUE(Queued(0).State == ReplyStateJudged); // judged with its shown mark
            EXPECT_TRUE(JudgeControl->AtLast);
            EXPECT_FALSE(Form().edtKeyInput->hasFocus());
            Key(key);
        });
        EXPECT_EQ(questions_.CommaText(), "1"); // the caller's list stays as it was
        // The newest written reply stands first.
        EXPECT_EQ(StoredReplies().front(), (TStoredReply{1, ReplyStateWritten, correct, correct}));
    }
}

TEST_F(JudgeWalk, ShowsQuestionAnswerReplyAndInfo)
{
    WriteTextCategory(3);
    Open();
    AddTyped(2, 0, 1.0, QStringLiteral("old")); // an earlier test of question 2, judged
    ReplyControl->FirstUnjudged();
    ReplyControl->JudgeCurrent(false, ReplyControl->GetCurrentTotalTime());
    ReplyControl->SavePending();
    for (int no = 1; no <= 3; ++no)
        AddTyped(no, no, 2.0, QStringLiteral("x%1").arg(no));
    Run([&] {
        EXPECT_EQ(Form().lblMondai->text(), "問題:1回目(ｸﾘｱ秒：3秒)");
        EXPECT_EQ(Form().memQuestion->toPlainText(), "q1");
        EXPECT_EQ(Form().lblAnswerText->text(), "a1");
        EXPECT_EQ(Form().edtKeyInput->text(), "x1");
        EXPECT_EQ(Form().lblTestTime->text(), "回答時間：2.000秒");
        EXPECT_EQ(Form().lblStartTime->text(), "開始時刻：1.000秒");
        EXPECT_EQ(Form().lblClear->text(), "合　格　：×");
        EXPECT_EQ(Form().lblCount->text(), "件数：1/3");
        Key(Qt::Key_Down);
        EXPECT_EQ(Form().lblMondai->text(), "問題:2回目(ｸﾘｱ秒：3秒)");
        EXPECT_EQ(Form().lblCount->text(), "件数：2/3");
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);
    });
}

TEST_F(JudgeWalk, PriorStaysOnTheFirstAndTheLastNeedsAMarkToClose)
{
    ThreeReplies();
    Run([&] {
        Key(Qt::Key_Up);
        EXPECT_EQ(QueueIndex(), 0);
        EXPECT_NE(Queued(0).State, ReplyStateJudged); // moving back judges nothing
        Key(Qt::Key_Return); // ○ for 1
        Key(Qt::Key_Escape); // × for 2
        ASSERT_EQ(QueueIndex(), 2);
        EXPECT_TRUE(JudgeControl->AtLast);
        Key(Qt::Key_Down); // Next at the last: judged again, stays
        Form().sbtnReView->click();
        Form().sbtnNext->click();
        EXPECT_EQ(QueueIndex(), 2);
        EXPECT_TRUE(Form().isVisible());
        Key(Qt::Key_Up); // back to 2, which shows its ×
        EXPECT_EQ(QueueIndex(), 1);
        EXPECT_FALSE(JudgeControl->AtLast);
        EXPECT_EQ(Form().lblAnswer->text(), "正　解　：×");
        Form().sbtnNext->click(); // keeps × for 2
        Form().sbtnMaru->click(); // ○ for 3 closes
    });
    // The chain's last reply is written first.
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{3, ReplyStateWritten, true, true},
                                                          {2, ReplyStateWritten, false, false},
                                                          {1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgeWalk, EditingKeysActOnlyWhileTheEditHasNoFocus)
{
    ThreeReplies();
    Run([&] {
        // Without the edit's focus: Right and Left move, Delete erases the shown reply,
        // Backspace shows it again, Space marks ○.
        Key(Qt::Key_Right);
        EXPECT_EQ(QueueIndex(), 1);
        Key(Qt::Key_Left);
        EXPECT_EQ(QueueIndex(), 0);
        Key(Qt::Key_Delete);
        EXPECT_EQ(Form().edtKeyInput->text(), "");
        Key(Qt::Key_Backspace);
        EXPECT_EQ(Form().edtKeyInput->text(), "x1");
        Key(Qt::Key_Space);
        EXPECT_EQ(QueueIndex(), 1);
        EXPECT_TRUE(Queued(0).Answer);

        // With the edit's focus those keys are the edit's own; the others still act.
        Form().edtKeyInput->setFocus();
        ASSERT_TRUE(Form().edtKeyInput->hasFocus());
        Key(Qt::Key_Right);
        Key(Qt::Key_Left);
        Key(Qt::Key_Space);
        Key(Qt::Key_Delete);
        Key(Qt::Key_Backspace);
        EXPECT_EQ(QueueIndex(), 1);
        EXPECT_FALSE(Queued(1).Answer);
        EXPECT_EQ(Form().edtKeyInput->text(), "x"); // " " typed and removed, "2" deleted
        Key(Qt::Key_Up);
        EXPECT_EQ(QueueIndex(), 0);
        Key(Qt::Key_Down); // keeps ○ for 1
        Key(Qt::Key_Escape);
        EXPECT_EQ(Form().edtKeyInput->text(), "x3"); // Esc never reaches the edit
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{3, ReplyStateWritten, true, true},
                                                          {2, ReplyStateWritten, false, false},
                                                          {1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgeWalk, AltF4AndTheWindowSystemCannotCloseIt)
{
    WriteTextCategory(1);
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("x"));
    Run([&] {
        Key(Qt::Key_F4, Qt::AltModifier);
        QCloseEvent fromWindowManager;
        QSpontaneKeyEvent::setSpontaneous(&fromWindowManager);
        qApp->notify(frmJudge.get(), &fromWindowManager);
        QTest::qWait(20);
        EXPECT_TRUE(Form().isVisible());
        EXPECT_EQ(Form().ModalResult(), mrNone);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{1, ReplyStateWritten, false, false}}));
}

TEST_F(JudgeWalk, QuestionMemoHasNoCaretAndKeepsTheFocus)
{
    WriteTextCategory(1);
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("x"));
    Run([&] {
        TMemo& memo = *Form().memQuestion;
        EXPECT_TRUE(memo.hasFocus());
        EXPECT_TRUE(memo.isReadOnly());
        EXPECT_EQ(memo.cursorWidth(), 0);
        EXPECT_EQ(memo.focusPolicy() & Qt::TabFocus, 0);
        EXPECT_EQ(memo.viewport()->geometry().left() - memo.contentsRect().left(), 10);
        EXPECT_EQ(memo.contentsRect().right() - memo.viewport()->geometry().right(), 10);
        QTest::keyClicks(&memo, "ab"); // read-only: typed characters change nothing
        EXPECT_EQ(memo.toPlainText(), "q1");
        Key(Qt::Key_Return);
    });
}

TEST_F(JudgeWalk, WidthFollowsWhetherTheCategoryHasPictureQuestions)
{
    WriteTextCategory(1);
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("x"));
    Run([&] {
        EXPECT_EQ(Form().ClientWidth(), 567);
        EXPECT_EQ(Form().ClientHeight(), 538);
        Key(Qt::Key_Return);
    });
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, QStringLiteral("q1")}, {9, QuestionTypeImage, QStringLiteral("none.jpg")}});
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("x"));
    Run([&] {
        EXPECT_EQ(Form().ClientWidth(), 981);
        Key(Qt::Key_Return);
    });
}

TEST_F(JudgeWalk, PositionIsRestoredAtTheFirstPaintAndWrittenAtClosing)
{
    WriteTextCategory(1);
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("x"));
    Run([&] {
        // Without saved keys the screen opens centred.
        const QRect screen = Form().screen()->availableGeometry();
        EXPECT_NEAR(Form().Left() + Form().Width() / 2, screen.center().x(), 1);
        Form().SetBounds(40, 30, Form().Width(), Form().Height());
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(ControlInf(), "[判定画面]\r\nTop=30\r\nLeft=40\r\n");

    WriteControlInf("[判定画面]\r\nTop=77\r\nLeft=66\r\n");
    Open();
    AddTyped(1, 1, 2.0, QStringLiteral("x"));
    Run([&] {
        EXPECT_TRUE(QTest::qWaitFor([] { return Form().Top() == 77; }, 1000));
        EXPECT_EQ(Form().Left(), 66);
        // Moved by the user, it stays there through further paints.
        Form().SetLeft(150);
        Form().repaint();
        QTest::qWait(10);
        EXPECT_EQ(Form().Left(), 150);
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(ControlInf(), "[判定画面]\r\nTop=77\r\nLeft=150\r\n");
}
