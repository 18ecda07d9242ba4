// What replies contribute to texts: statistics lines, info lines, list rows, chart points.
#include "data/UReply.h"

#include "platform/core/Checked.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Chart.h"

namespace {

const QString NoTime = QStringLiteral("- 秒");
const QString Seconds = QStringLiteral("秒");

// The seconds within the minute and the milliseconds of a duration, as one integer
// (3.25 s gives 3250); the value is taken to the nearest millisecond first.
int SecondsAndMs(TDateTime duration)
{
    return StrToIntDef(FormatDateTime(QStringLiteral("szzz"), duration), 0);
}

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

const TReply* TReply::AddToListView(int no, TListView&, TRowList& rows) const
{
    if (no != No)
        return Next.get();
    const int totalMs = SecondsAndMs(EndTime - StartTime);
    const int startMs = SecondsAndMs(ReplyStart - StartTime);
    QString answerMark;
    QString clearMark;
    GetMarkText(Answer, answerMark);
    GetMarkText(Clear, clearMark);

    auto row = std::make_unique<TListItem>();
    row->SubItems = {NoTime, NoTime, answerMark, clearMark};
    row->Caption = FormatDateTime(QStringLiteral("YYYY/MM/DD HH:MM:SS"), StartTime);
    row->SubItems[0] = SecondsText(EndTime - StartTime) + Seconds;
    if (totalMs > startMs)
        row->SubItems[1] = SecondsText(ReplyStart - StartTime) + Seconds;
    // The list shows the last reply of the chain first.
    rows.insert(rows.begin(), std::move(row));
    return Next.get();
}

const TReply* TReply::AddToChart(int no, TChart& chart) const
{
    if (no != No)
        return Next.get();
    const int totalMs = SecondsAndMs(EndTime - StartTime);
    const int startMs = SecondsAndMs(ReplyStart - StartTime);
    const QString label = IntToStr(CheckedAdd(chart.Series(1).Count(), 1));
    chart.Series(0).Add(0.0, label);
    chart.Series(1).Add(totalMs / 1000.0, label);
    chart.Series(2).Add((totalMs > startMs ? startMs : totalMs) / 1000.0, label);
    return Next.get();
}
