// The checking screen's marks: automatic judging of typed replies, the pass flag from
// the category's clear time, and the time label's colour.
#include "UfrmJudgeTestSupport.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const QColor White(255, 255, 255);
const QColor LightGreen(0x80, 0xFF, 0x80);

QColor TimeColour()
{
    return frmJudge->lblTestTime->palette().color(QPalette::WindowText);
}

} // namespace

using JudgeMarks = JudgeScreen;

TEST_F(JudgeMarks, TypedReplyEqualToTheAnswerIsMarkedCorrectAtEveryShowing)
{
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, "q1"}, {2, 1, "q2"}, {3, 1, "q3"}});
    WriteRows(QStringLiteral("Answer.cds"), {{1, 1, "Apple"}, {2, 1, "Pear"}, {3, 1, "Plum"}});
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral(" \tapPLE  ")); // blanks around, other case
    AddTyped(2, 1, 2.0, QStringLiteral("pears"));
    AddTyped(3, 2, 2.0, QStringLiteral("x"));
    Run([&] {
        EXPECT_EQ(Form().lblAnswer->text(), "正　解　：○");
        EXPECT_EQ(Form().lblClear->text(), "合　格　：○");
        EXPECT_EQ(Queued(0).State, ReplyStateJudged);
        Key(Qt::Key_Escape); // × for 1
        EXPECT_FALSE(Queued(0).Answer);
        EXPECT_EQ(Form().lblAnswer->text(), "正　解　：×"); // 2 differs from its answer
        Key(Qt::Key_Up); // 1 shown again: ○ again
        EXPECT_TRUE(Queued(0).Answer);
        EXPECT_EQ(Form().lblAnswer->text(), "正　解　：○");
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{3, ReplyStateWritten, false, false},
                                                          {2, ReplyStateWritten, false, false},
                                                          {1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgeMarks, LastReplyEqualToItsAnswerEndsCorrectAfterBatsu)
{
    WriteTextCategory(1);
    Open();
    AddTyped(1, 0, 2.0, QStringLiteral("a1"));
    Run([&] { Key(Qt::Key_Escape); });
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgeMarks, EmptyTextsAreNoMatchSoDrawnAndEmptyRepliesCanEndWrong)
{
    // A picture answer leaves the answer label empty; a drawn, an empty and a blank
    // reply leave the edit empty (after trimming).
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, "q1"}, {2, 1, "q2"}, {3, 1, "q3"}, {4, 1, "q4"}});
    WriteRows(QStringLiteral("Answer.cds"),
              {{1, AnswerTypeImage, "a1.jpg"}, {2, AnswerTypeImage, "a2.jpg"},
               {3, AnswerTypeVoice, "a3.wav"}, {4, 1, "a4"}});
    Open();
    AddReply(ReplyTypeImage, 1, 0, 1.0, 2.0, WriteReplyPicture(QStringLiteral("20260101000000000.BMP")));
    AddEmpty(2, 1);
    AddTyped(3, 2, 2.0, QStringLiteral("  "));
    AddEmpty(4, 3);
    Run([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Form().lblAnswerText->text(), "");
            EXPECT_EQ(Form().lblAnswer->text(), "正　解　：×") << i;
            EXPECT_NE(Queued(i).State, ReplyStateJudged) << i;
            Key(Qt::Key_Down); // Next keeps the shown ×
        }
        EXPECT_EQ(Form().lblAnswer->text(), "正　解　：×");
        Key(Qt::Key_Escape);
    });
    const std::vector<TStoredReply> stored = StoredReplies();
    ASSERT_EQ(stored.size(), 4u);
    for (const TStoredReply& reply : stored)
        EXPECT_FALSE(reply.Answer) << reply;
}

TEST_F(JudgeMarks, PassFollowsTheClearTimeOfTheSettings)
{
    WriteTextCategory(4);
    WriteControlInf("[設定]\r\nｸﾘｱｰ秒=1\r\n"); // 1.0 s
    Open();
    AddTyped(1, 0, 0.999, QStringLiteral("x"));
    AddTyped(2, 1, 1.0, QStringLiteral("x"));
    AddTyped(3, 2, 0.5, QStringLiteral("x"));
    AddTyped(4, 3, 0.5, QStringLiteral("a4"));
    Run([&] {
        EXPECT_EQ(Form().lblMondai->text(), "問題:1回目(ｸﾘｱ秒：1秒)");
        EXPECT_EQ(Form().lblTestTime->text(), "回答時間：0.999秒");
        EXPECT_EQ(TimeColour(), LightGreen);
        Key(Qt::Key_Return);
        EXPECT_EQ(Form().lblTestTime->text(), "回答時間：1.000秒");
        EXPECT_EQ(TimeColour(), White); // exactly the clear time is not within it
        Key(Qt::Key_Return);
        EXPECT_EQ(TimeColour(), LightGreen);
        Key(Qt::Key_Escape);
        EXPECT_EQ(Form().lblClear->text(), "合　格　：○"); // typed as the answer, in time
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{4, ReplyStateWritten, true, true},
                                                          {3, ReplyStateWritten, false, false},
                                                          {2, ReplyStateWritten, true, false},
                                                          {1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgeMarks, ReplyWithoutTimesNeverShowsGreen)
{
    WriteTextCategory(1);
    WriteControlInf("[設定]\r\nｸﾘｱｰ秒=18\r\n"); // 9.5 s
    Open();
    AddEmpty(1, 0);
    Run([&] {
        EXPECT_EQ(Form().lblMondai->text(), "問題:1回目(ｸﾘｱ秒：9.5秒)");
        EXPECT_EQ(Form().lblTestTime->text(), "回答時間： - 秒");
        EXPECT_EQ(Form().lblStartTime->text(), "開始時刻： - 秒");
        EXPECT_EQ(TimeColour(), White);
        Key(Qt::Key_Return);
    });
    // Marked correct, but ten seconds are beyond the clear time.
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{1, ReplyStateWritten, true, false}}));
}
