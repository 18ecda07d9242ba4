// The reply classes' metaclass: the factory and the loader; the unit's class references.
#include "data/UReply.h"

#include "platform/dataset/ClientDataSet.h"

std::unique_ptr<TReply> TReplyClass::CreateByType(int type, int no, int state, TDateTime replyStart,
                                                  TDateTime startTime, TDateTime endTime,
                                                  const QString& data, bool clear, bool answer) const
{
    const TReplyClass* kind = ReplyTextClass;
    if (type == ReplyTypeImage)
        kind = ReplyImageClass;
    else if (type == ReplyTypeVoice)
        kind = ReplyVoiceClass;
    return kind->Create(state, no, replyStart, startTime, endTime, data, clear, answer);
}

std::unique_ptr<TReply> TReplyClass::CreateFromRecord(TClientDataSet& dataSet) const
{
    const int state = dataSet.FieldByName(QStringLiteral("STATE")).AsInteger();
    const TDateTime replyStart = dataSet.FieldByName(QStringLiteral("REPLYSTART")).AsDateTime();
    const TDateTime startTime = dataSet.FieldByName(QStringLiteral("STARTTIME")).AsDateTime();
    const TDateTime endTime = dataSet.FieldByName(QStringLiteral("ENDTIME")).AsDateTime();
    const QString data = dataSet.FieldByName(QStringLiteral("DATA")).AsString();
    const bool clear = dataSet.FieldByName(QStringLiteral("CLEAR")).AsBoolean();
    const bool answer = dataSet.FieldByName(QStringLiteral("ANSWER")).AsBoolean();
    const int no = dataSet.FieldByName(QStringLiteral("NO")).AsInteger();
    const int type = dataSet.FieldByName(QStringLiteral("TYPE")).AsInteger();
    return CreateByType(type, no, state, replyStart, startTime, endTime, data, clear, answer);
}

std::unique_ptr<TReply> TReplyClass::LoadChain(TClientDataSet& dataSet) const
{
    // Every caller hands over a dataset just read, so the records are in memory: going
    // to the first one stands for closing and opening it again.
    dataSet.First();
    if (dataSet.Eof())
        return CreateReplyNull();
    std::unique_ptr<TReply> head = CreateFromRecord(dataSet);
    WalkChain(head.get(), [&](TReply& node) { return node.LoadNext(dataSet); });
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
