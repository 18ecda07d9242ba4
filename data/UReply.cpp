// The reply records: fields, the node operations of the chain, how each kind is written,
// the statistics and info lines, the TReplyNull; the metaclass with the factory and the
// loader; the unit's class references.
#include "data/UReply.h"

#include "data/ReplyFields.h"
#include "data/UConst.h"

#include "platform/core/Checked.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"

namespace {

[[noreturn]] void AbstractError()
{
    throw Exception(QStringLiteral("Abstract Error"));
}

const QString Seconds = QStringLiteral("秒");

QString SecondsText(TDateTime duration)
{
    return FormatDateTimeOr(QStringLiteral("s.zzz"), duration, QStringLiteral(" - "));
}

} // namespace

TReply::TReply(int state, int no, TDateTime replyStart, TDateTime startTime, TDateTime endTime,
               QString data, bool clear, bool answer)
    : No(no), ReplyStart(replyStart), StartTime(startTime), EndTime(endTime), Data(std::move(data)),
      Clear(clear), Answer(answer), State(state)
{
}

TReply::~TReply()
{
    FreeChain(Next);
}

TReply* TReply::LoadNext(const TReplyFields& fields)
{
    fields.DataSet.Next();
    if (fields.DataSet.Eof()) {
        Next = CreateReplyNull();
        return nullptr;
    }
    Next = ReplyClass->CreateFromRecord(fields);
    return Next.get();
}

TReply* TReply::AppendNode(std::unique_ptr<TReply>*& link, std::unique_ptr<TReply>&)
{
    link = &Next;
    return Next.get();
}

void TReply::SaveToDataSet(TClientDataSet&)
{
    AbstractError();
}

const TReply* TReply::FindLatest(int no, TDateTime& lastStart, TDateTime& lastTotal) const
{
    if (no == No && (lastStart < StartTime || lastStart == 0.0)) {
        lastStart = StartTime;
        lastTotal = GetTotalTime();
    }
    return Next.get();
}

void TReply::GetMarkText(bool value, QString& s) const
{
    s = value ? QStringLiteral("○") : QStringLiteral("×");
}

void TReply::WriteRecord(TClientDataSet& dataSet, int type)
{
    dataSet.Insert();
    dataSet.FieldByName(QStringLiteral("NO")).SetAsInteger(No);
    dataSet.FieldByName(QStringLiteral("TYPE")).SetAsInteger(type);
    dataSet.FieldByName(QStringLiteral("STATE")).SetAsInteger(ReplyStateWritten);
    dataSet.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(ReplyStart);
    dataSet.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(StartTime);
    dataSet.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(EndTime);
    // The engine cuts a text longer than the field on a character boundary.
    dataSet.FieldByName(QStringLiteral("DATA")).SetAsString(Data);
    dataSet.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(Clear);
    dataSet.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(Answer);
    dataSet.Post();
}

const TReply* TReply::CountCleared(int no, int& count) const
{
    if (no == No && Clear)
        count = CheckedAdd(count, 1);
    return Next.get();
}

TReply* TReply::SavePending(TClientDataSet& dataSet)
{
    if (State == ReplyStateJudged) {
        SaveToDataSet(dataSet);
        // Written once: a later save of the same chain passes it by.
        State = ReplyStateWritten;
    }
    return Next.get();
}

TReply* TReply::CollectUnjudged(std::vector<TReply*>& list)
{
    if (State == ReplyStateUnjudged)
        list.push_back(this);
    return Next.get();
}

const TReply* TReply::CountTests(int no, int& count) const
{
    if (no == No)
        count = CheckedAdd(count, 1);
    return Next.get();
}

const TReply* TReply::CountCorrect(int no, int& count) const
{
    if (no == No && Answer)
        count = CheckedAdd(count, 1);
    return Next.get();
}

TDateTime TReply::GetTotalTime() const
{
    return EndTime - StartTime;
}

bool TReply::Showable() const
{
    return IsShowableDateTime(StartTime) && IsShowableDateTime(ReplyStart)
        && IsShowableDateTime(EndTime) && IsShowableDateTime(GetTotalTime())
        && IsShowableDateTime(ReplyStart - StartTime);
}

void TReply::SetJudgement(bool clear, bool answer)
{
    Clear = clear;
    Answer = answer;
    State = ReplyStateJudged;
}

TReply* TReply::AddRecord(std::unique_ptr<TReply>& head, int type, int no, TDateTime replyStart,
                          TDateTime startTime, TDateTime endTime, const QString& data)
{
    std::unique_ptr<TReply> reply = ReplyClass->CreateByType(
        type, no, ReplyStateUnjudged, replyStart, startTime, endTime, data, false, false);
    TReply* added = reply.get();
    std::unique_ptr<TReply>* link = &head;
    WalkChain(head.get(), [&](TReply& node) { return node.AppendNode(link, reply); });
    return added;
}

TReply* TReplyNull::AppendNode(std::unique_ptr<TReply>*& link, std::unique_ptr<TReply>& reply)
{
    // link owns this node: the new reply takes its place and keeps it as its Next.
    reply->Next = std::move(*link);
    *link = std::move(reply);
    return nullptr;
}

const TReply* TReplyNull::FindLatest(int, TDateTime&, TDateTime&) const
{
    return nullptr;
}

const TReply* TReplyNull::CountCleared(int, int&) const
{
    return nullptr;
}

TReply* TReplyNull::SavePending(TClientDataSet&)
{
    return nullptr;
}

TReply* TReplyNull::CollectUnjudged(std::vector<TReply*>&)
{
    return nullptr;
}

const TReply* TReplyNull::CountTests(int, int&) const
{
    return nullptr;
}

const TReply* TReplyNull::CountCorrect(int, int&) const
{
    return nullptr;
}

void TReplyText::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeText);
}

void TReplyImage::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeImage);
}

void TReplyVoice::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeVoice);
}

void TReplyTotals::Add(const TReply& reply, int no)
{
    reply.FindLatest(no, LastStart, LastTotal);
    reply.CountTests(no, TestCount);
    reply.CountCorrect(no, AnswerCount);
    reply.CountCleared(no, ClearCount);
}

void StatisticsLines(const TReplyTotals& totals, TStringList& lines)
{
    QString endText = DateTimeToStrOrEmpty(totals.LastStart);
    const QString zeroText = DateTimeToStr(0.0);
    if (const qsizetype at = endText.indexOf(zeroText); at >= 0)
        endText.remove(at, zeroText.size());
    QString timeText = FormatDateTimeOr(QStringLiteral(" s.zzz"), totals.LastTotal, QStringLiteral(" 0.000"));
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
    const int startSeconds = StrToIntDef(FormatDateTimeOr(QStringLiteral("s"), untilStart, QString()), 10);
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

std::unique_ptr<TReply> TReplyClass::CreateByType(int type, int no, int state, TDateTime replyStart,
                                                  TDateTime startTime, TDateTime endTime,
                                                  QString data, bool clear, bool answer) const
{
    const TReplyClass* kind = ReplyTextClass;
    if (type == ReplyTypeImage)
        kind = ReplyImageClass;
    else if (type == ReplyTypeVoice)
        kind = ReplyVoiceClass;
    return kind->Create(state, no, replyStart, startTime, endTime, std::move(data), clear, answer);
}

std::unique_ptr<TReply> TReplyClass::CreateFromRecord(const TReplyFields& fields) const
{
    const int state = fields.State.AsInteger();
    const TDateTime replyStart = fields.ReplyStart.AsDateTime();
    const TDateTime startTime = fields.StartTime.AsDateTime();
    const TDateTime endTime = fields.EndTime.AsDateTime();
    QString data = fields.Data.AsString();
    const bool clear = fields.Clear.AsBoolean();
    const bool answer = fields.Answer.AsBoolean();
    const int no = fields.No.AsInteger();
    const int type = fields.Type.AsInteger();
    return CreateByType(type, no, state, replyStart, startTime, endTime, std::move(data), clear, answer);
}

std::unique_ptr<TReply> TReplyClass::LoadChain(TClientDataSet& dataSet) const
{
    // Every caller hands over a dataset just read, so the records are in memory: going
    // to the first one stands for closing and opening it again.
    dataSet.First();
    if (dataSet.Eof())
        return CreateReplyNull();
    // The fields are looked up once, for every record.
    const TReplyFields fields(dataSet);
    std::unique_ptr<TReply> head = CreateFromRecord(fields);
    WalkChain(head.get(), [&](TReply& node) { return node.LoadNext(fields); });
    return head;
}

std::unique_ptr<TReply> CreateReplyNull()
{
    return ReplyNullClass->Create(0, 0, 0.0, 0.0, 0.0, QString(), false, false);
}

void InitializeUReply()
{
    ReplyClass = ClassOf<TReply, TReplyClass>();
    ReplyTextClass = ClassOf<TReplyText, TReplyClass>();
    ReplyImageClass = ClassOf<TReplyImage, TReplyClass>();
    ReplyVoiceClass = ClassOf<TReplyVoice, TReplyClass>();
    ReplyNullClass = ClassOf<TReplyNull, TReplyClass>();
}

void FinalizeUReply()
{
    ReplyClass = ReplyTextClass = ReplyImageClass = ReplyVoiceClass = ReplyNullClass = nullptr;
}
