// The reply store: its file, loading, new replies, the judge queue and judging, statistics
// and counts, writing, deleting, and the current store.
#include "data/UReplyControl.h"

#include "data/UConst.h"
#include "data/USetting.h"
#include "platform/core/Checked.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"

#include <algorithm>

namespace {

const QString ReplyFile = QStringLiteral("Reply.cds");
const QString ReplyIndex = QStringLiteral("REPLYSTART");

} // namespace

void DefineReplyFields(TFieldDefs& defs)
{
    defs.Add(QStringLiteral("NO"), ftInteger);
    defs.Add(QStringLiteral("TYPE"), ftInteger);
    defs.Add(QStringLiteral("STATE"), ftInteger);
    defs.Add(QStringLiteral("REPLYSTART"), ftDateTime);
    defs.Add(QStringLiteral("STARTTIME"), ftDateTime);
    defs.Add(QStringLiteral("ENDTIME"), ftDateTime);
    defs.Add(QStringLiteral("DATA"), ftString, ReplyDataSize);
    defs.Add(QStringLiteral("CLEAR"), ftBoolean);
    defs.Add(QStringLiteral("ANSWER"), ftBoolean);
}

const std::array<QString, ReplyColumnCount> ReplyColumnCaptions = {
    QStringLiteral("ﾃｽﾄ時刻"), QStringLiteral("回答時間"), QStringLiteral("開始時刻"),
    QStringLiteral("正解"), QStringLiteral("合格")};

TReplyControl::TReplyControl(const QString& folder) : Folder(folder)
{
    EnsureDataFile();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(DataFilePath());
    TFieldDefs fields;
    DefineReplyFields(fields);
    RequireFields(dataSet, fields, DataFilePath());
    dataSet.SetIndexFieldNames(ReplyIndex);
    dataSet.Open();
    const int unshowable = ReplaceChain(dataSet);
    dataSet.Close();
    LogUnshowableRows(QStringLiteral("TReplyControl.Create"), DataFilePath(), unshowable);
}

TReplyControl::TReplyControl(const QString& folder, TNoFile)
    : Folder(folder), Head(CreateReplyNull()), writes_(false)
{
}

TReplyControl::~TReplyControl()
{
    try {
        WriteJudged();
    } catch (...) {
        // Nothing may leave a destructor: the replies that could not be written are lost,
        // and the log says why.
        WriteLog(QStringLiteral("TReplyControl.Destroy"), ExceptMessage());
    }
    JudgeList.clear();
}

std::unique_ptr<TReplyControl> TReplyControl::CreateEmpty(const QString& folder)
{
    return std::unique_ptr<TReplyControl>(new TReplyControl(folder, TNoFile{}));
}

QString TReplyControl::DataFilePath() const
{
    return ResolvePath(Folder, ReplyFile);
}

void TReplyControl::EnsureDataFile()
{
    const QString path = DataFilePath();
    if (FileExists(path))
        return;
    TClientDataSet dataSet;
    DefineReplyFields(dataSet.FieldDefs());
    dataSet.SetIndexFieldNames(ReplyIndex);
    dataSet.CreateDataSet();
    dataSet.SaveToFile(path);
}

// The chain becomes the dataset's records from its first on, in its current order. A
// record stored as judged but not written (STATE 1, from a file written elsewhere) is in
// the file already: its reply counts as written, so that no save inserts it a second
// time, and the record itself gets STATE 2 at the next write. Returns how many replies
// have a date or time that cannot be shown.
int TReplyControl::ReplaceChain(TClientDataSet& dataSet)
{
    std::unique_ptr<TReply> head = ReplyClass->LoadChain(dataSet);
    EmptyQueue();
    index_.Clear();
    Head = std::move(head);
    // One walk: each reply is restated, indexed and checked (the closing TReplyNull is
    // none of them).
    int unshowable = 0;
    for (TReply* node = Head.get(); node->Next; node = node->Next.get()) {
        if (node->State == ReplyStateJudged) {
            node->State = ReplyStateWritten;
            restate_ = true;
        }
        index_.Add(node);
        if (!node->Showable())
            ++unshowable;
    }
    return unshowable;
}

// Every record stored with STATE 1 gets STATE 2, and the cursor goes back to the first.
void TReplyControl::RestateStoredRecords(TClientDataSet& dataSet)
{
    dataSet.First();
    if (dataSet.Eof())
        return;
    TField& state = dataSet.FieldByName(QStringLiteral("STATE"));
    for (; !dataSet.Eof(); dataSet.Next()) {
        if (state.AsInteger() != ReplyStateJudged)
            continue;
        dataSet.Edit();
        state.SetAsInteger(ReplyStateWritten);
        dataSet.Post();
    }
    dataSet.First();
}

void TReplyControl::EmptyQueue()
{
    JudgeList.clear();
    JudgeIndex = -1;
}

void TReplyControl::WriteJudged()
{
    if (!writes_)
        return;
    // A save that fails leaves the file as it was; its replies count as judged again.
    std::vector<TReply*> judged;
    for (TReply* node = Head.get(); node; node = node->Next.get())
        if (node->State == ReplyStateJudged)
            judged.push_back(node);
    if (judged.empty() && !restate_)
        return;
    try {
        TClientDataSet dataSet;
        dataSet.SetFileName(DataFilePath());
        dataSet.Open();
        if (restate_)
            RestateStoredRecords(dataSet);
        WalkChain(Head.get(), [&](TReply& node) { return node.SavePending(dataSet); });
        dataSet.Close();
        restate_ = false;
    } catch (...) {
        for (TReply* reply : judged)
            reply->State = ReplyStateJudged;
        throw;
    }
}

void TReplyControl::SavePending()
{
    WriteJudged();
    EmptyQueue();
}

void TReplyControl::DeleteRecords(const TStringList& numbers)
{
    if (numbers.Count() == 0 || !writes_)
        return;
    SavePending();
    const QString path = DataFilePath();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.Open();
    dataSet.SetFiltered(false);
    dataSet.SetFilter(BuildNoFilter(numbers));
    dataSet.SetFiltered(true);
    while (!dataSet.Eof())
        dataSet.Delete();
    dataSet.SetFilter(QString());
    dataSet.SetFiltered(false);
    dataSet.SaveToFile(path);
    // Read back without the index: the chain follows the stored order until the store
    // is next made.
    ReplaceChain(dataSet);
    dataSet.Close();
}

void TReplyControl::ClearAll()
{
    if (!writes_)
        return;
    const QString path = DataFilePath();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.EmptyDataSet();
    dataSet.SaveToFile(path);
    ReplaceChain(dataSet);
    dataSet.Close();
}

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

void TReplyControl::GetStatistics(int no, TStringList& lines)
{
    StatisticsLines(GetTotals(no), lines);
}

TReplyTotals TReplyControl::GetTotals(int no)
{
    TReplyTotals totals;
    for (const TReply* reply : index_.Of(no))
        totals.Add(*reply, no);
    return totals;
}

void TReplyControlClass::CreateInstance(const QString& folder) const
{
    ReplyControl.reset();
    QString setAside;
    try {
        ReplyControl = Create(folder);
        return;
    } catch (...) {
        // A file that cannot be read is kept under another name, and a new one records
        // the replies from now on.
        setAside = SetAsideDamagedFile(ResolvePath(folder, ReplyFile),
                                       QStringLiteral("TReplyControl.CreateInstance"));
        if (setAside.isEmpty()) {
            ReplyControl = TReplyControl::CreateEmpty(folder);
            throw;
        }
    }
    try {
        ReplyControl = Create(folder);
        ReplyControl->SetAsideFile = setAside;
    } catch (...) {
        ReplyControl = TReplyControl::CreateEmpty(folder);
        throw;
    }
}

void InitializeUReplyControl()
{
    ReplyControlClass = ClassOf<TReplyControl, TReplyControlClass>();
    ReplyControl = ClassOf<TReplyControlNull, TReplyControlClass>()->Create(QString());
}

void FinalizeUReplyControl()
{
    ReplyControl.reset();
    ReplyControlClass = nullptr;
}
