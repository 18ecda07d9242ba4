// The reply records: fields, the node operations of the chain and the TReplyNull.
#include "data/UReply.h"

#include "platform/core/Checked.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"

namespace {

[[noreturn]] void AbstractError()
{
    throw Exception(QStringLiteral("Abstract Error"));
}

} // namespace

TReply::TReply(int state, int no, TDateTime replyStart, TDateTime startTime, TDateTime endTime,
               const QString& data, bool clear, bool answer)
    : No(no), ReplyStart(replyStart), StartTime(startTime), EndTime(endTime), Data(data),
      Clear(clear), Answer(answer), State(state)
{
}

TReply::~TReply()
{
    // Each node is freed after its successor has been taken from it.
    std::unique_ptr<TReply> rest = std::move(Next);
    while (rest)
        rest = std::move(rest->Next);
}

TReply* TReply::LoadNext(TClientDataSet& dataSet)
{
    dataSet.Next();
    if (dataSet.Eof()) {
        Next = CreateReplyNull();
        return nullptr;
    }
    Next = ReplyClass->CreateFromRecord(dataSet);
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

void TReply::ShowData(QWidget*)
{
    AbstractError();
}

TDateTime TReply::GetTotalTime() const
{
    return EndTime - StartTime;
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
