// The reply store: new replies, the judge queue, judging and the counts.
#include "data/UReplyControl.h"

#include "data/USetting.h"
#include "platform/core/Checked.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"

#include <algorithm>

void TReplyControl::AddRecord(int type, int no, TDateTime replyStart, TDateTime startTime,
                              TDateTime endTime, const QString& data)
{
    TReply* added = Head->AddRecord(Head, type, no, replyStart, startTime, endTime, data);
    index_.Add(added);
}

TReply* TReplyControl::Current() const
{
    if (JudgeIndex < 0 || JudgeIndex >= static_cast<int>(JudgeList.size()))
        return nullptr;
    return JudgeList[static_cast<std::size_t>(JudgeIndex)];
}

int TReplyControl::FirstUnjudged()
{
    EmptyQueue();
    WalkChain(Head.get(), [&](TReply& node) { return node.CollectUnjudged(JudgeList); });
    if (JudgeList.empty())
        return -1;
    JudgeIndex = 0;
    return JudgeList.front()->No;
}

int TReplyControl::NextUnjudged()
{
    if (JudgeList.empty())
        return -1;
    JudgeIndex = std::min(JudgeIndex + 1, static_cast<int>(JudgeList.size()) - 1);
    return Current()->No;
}

int TReplyControl::PriorUnjudged()
{
    if (JudgeList.empty())
        return -1;
    JudgeIndex = std::max(JudgeIndex - 1, 0);
    return Current()->No;
}

void TReplyControl::ShowCurrentData(QWidget* control)
{
    if (TReply* reply = Current())
        reply->ShowData(control);
}

TDateTime TReplyControl::GetCurrentTotalTime()
{
    const TReply* reply = Current();
    return reply ? reply->GetTotalTime() : Now();
}

void TReplyControl::JudgeCurrent(bool correct, TDateTime time)
{
    TReply* reply = Current();
    if (!reply)
        return;
    const bool withinClearTime = Setting->IsWithinClearTime(time);
    reply->SetJudgement(withinClearTime && correct, correct);
}

void TReplyControl::GetCurrentInfo(TStringList& lines)
{
    lines.Clear();
    const TReply* reply = Current();
    if (!reply)
        return;
    lines.Add(QStringLiteral("ANSWER_COUNT=") + IntToStr(static_cast<long long>(JudgeList.size())));
    lines.Add(QStringLiteral("ANSWER_INDEX=") + IntToStr(JudgeIndex + 1));
    reply->GetReplyInfo(lines);
}

int TReplyControl::CountClearedInList()
{
    return static_cast<int>(
        std::count_if(JudgeList.begin(), JudgeList.end(), [](const TReply* r) { return r->Clear; }));
}

int TReplyControl::CountCorrectInList()
{
    return static_cast<int>(
        std::count_if(JudgeList.begin(), JudgeList.end(), [](const TReply* r) { return r->Answer; }));
}

int TReplyControl::CountTests(int no)
{
    int count = 0;
    for (const TReply* reply : index_.Of(no))
        reply->CountTests(no, count);
    return count;
}
