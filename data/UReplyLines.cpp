// What replies contribute to texts: statistics lines and info lines.
#include "data/UReply.h"

#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"

namespace {

const QString Seconds = QStringLiteral("秒");

QString SecondsText(TDateTime duration)
{
    return FormatDateTime(QStringLiteral("s.zzz"), duration);
}

} // namespace

void TReplyTotals::Add(const TReply& reply, int no)
{
    reply.FindLatest(no, LastStart, LastTotal);
    reply.CountTests(no, TestCount);
    reply.CountCorrect(no, AnswerCount);
    reply.CountCleared(no, ClearCount);
}

void StatisticsLines(const TReplyTotals& totals, TStringList& lines)
{
    QString endText = DateTimeToStr(totals.LastStart);
    const QString zeroText = DateTimeToStr(0.0);
    if (const qsizetype at = endText.indexOf(zeroText); at >= 0)
        endText.remove(at, zeroText.size());
    QString timeText = FormatDateTime(QStringLiteral(" s.zzz"), totals.LastTotal);
    if (const qsizetype at = timeText.indexOf(QStringLiteral(" 0.000")); at >= 0)
        timeText.replace(at, 6, QStringLiteral("- "));

    lines.Clear();
    lines.Add(QStringLiteral("EndDate=") + endText);
    lines.Add(QStringLiteral("TestTime=") + Trim(timeText + Seconds));
    lines.Add(QStringLiteral("TestCount=") + IntToStr(totals.TestCount));
    lines.Add(QStringLiteral("AnswerCount=") + IntToStr(totals.AnswerCount));
    lines.Add(QStringLiteral("ClearCount=") + IntToStr(totals.ClearCount));
}

void TReply::GetStatistics(int no, TStringList& lines) const
{
    TReplyTotals totals;
    WalkChain(this, [&](const TReply& r) { return r.FindLatest(no, totals.LastStart, totals.LastTotal); });
    WalkChain(this, [&](const TReply& r) { return r.CountTests(no, totals.TestCount); });
    WalkChain(this, [&](const TReply& r) { return r.CountCorrect(no, totals.AnswerCount); });
    WalkChain(this, [&](const TReply& r) { return r.CountCleared(no, totals.ClearCount); });
    StatisticsLines(totals, lines);
}

void TReply::GetReplyInfo(TStringList& lines) const
{
    const TDateTime untilStart = ReplyStart - StartTime;
    const int startSeconds = StrToIntDef(FormatDateTime(QStringLiteral("s"), untilStart), 10);
    if (ReplyStart > 0.0 && startSeconds < 10) {
        lines.Add(QStringLiteral("REPLY_START=") + SecondsText(untilStart));
        lines.Add(QStringLiteral("TOTAL_TIME=") + SecondsText(GetTotalTime()));
    } else {
        lines.Add(QStringLiteral("REPLY_START= - "));
        lines.Add(QStringLiteral("TOTAL_TIME= - "));
    }
    QString mark;
    GetMarkText(Clear, mark);
    lines.Add(QStringLiteral("REPLY_CLEAR=") + mark);
    GetMarkText(Answer, mark);
    lines.Add(QStringLiteral("REPLY_ANSWER=") + mark);
}
