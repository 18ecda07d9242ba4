// The answer records: fields, the retirement rule and the TAnswerNull; the metaclass with
// the factory and the loader; the walkers; the unit's class references.
#include "data/UAnswer.h"

#include "data/RecordNodeFields.h"
#include "data/UConst.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"

const TAnswer* TAnswer::IsFinished(int no, bool& done) const
{
    if (no != No)
        return Next.get();
    const TReplyTotals totals = ReplyControl->GetTotals(No);
    done = totals.ClearCount >= Setting->ClearCount || totals.TestCount >= Setting->MaxTestCount;
    return nullptr;
}

const TAnswer* TAnswerNull::IsFinished(int, bool&) const
{
    return nullptr;
}

int DecimalOrZero(const QString& text)
{
    if (text.contains(QLatin1Char('$')) || text.contains(QLatin1Char('x'), Qt::CaseInsensitive))
        return 0;
    return StrToIntDef(text, 0);
}

std::unique_ptr<TAnswer> TAnswerClass::CreateByType(int type, int no, const QString& folder,
                                                    const QString& data) const
{
    switch (type) {
    case AnswerTypeImage:
        return AnswerImageClass->Create(no, folder, data);
    case AnswerTypeVoice:
        return AnswerVoiceClass->Create(no, folder, data);
    default:
        return AnswerTextClass->Create(no, folder, data);
    }
}

void TAnswerClass::LoadChain(std::unique_ptr<TAnswer>& head, const QString& folder,
                             TClientDataSet& dataSet) const
{
    std::unique_ptr<TAnswer>* link = &head;
    try {
        if (!dataSet.Eof()) {
            const TRecordNodeFields fields(dataSet);
            while (!dataSet.Eof()) {
                const TRecordNodeRow row = fields.Read();
                std::unique_ptr<TAnswer> node = CreateByType(row.Type, row.No, folder, row.Data);
                // A row whose move to the next one fails is dropped with it.
                dataSet.Next();
                *link = std::move(node);
                link = &(*link)->Next;
            }
        }
    } catch (const std::exception&) {
        WriteLog(QStringLiteral("TAnswer"), QStringLiteral("GetInstance E.Message=") + ExceptMessage());
    }
    *link = CreateAnswerNull();
}

std::unique_ptr<TAnswer> CreateAnswerNull()
{
    return AnswerNullClass->Create(-99, QStringLiteral("Null"), QStringLiteral("Null"));
}

void ShowAnswerChain(TAnswer* head, int no, QWidget* control)
{
    WalkChain(head, [&](TAnswer& node) { return node.Show(no, control); });
}

void AddAnswerRows(const TAnswer* head, int no, TListView& listView, TReplyControl& replyCtl,
                   int clearCount, int maxTests, TRowList& rows)
{
    WalkChain(head, [&](const TAnswer& node) {
        return node.AddToListView(no, listView, replyCtl, clearCount, maxTests, rows);
    });
}

void AddAllAnswerRows(const TAnswer* head, TListView& listView)
{
    WalkChain(head, [&](const TAnswer& node) { return node.AddAllToListView(listView); });
}

void ChainIsFinished(const TAnswer* head, int no, bool& done)
{
    WalkChain(head, [&](const TAnswer& node) { return node.IsFinished(no, done); });
}

void InitializeUAnswer()
{
    AnswerClass = ClassOf<TAnswer, TAnswerClass>();
    AnswerTextClass = ClassOf<TAnswerText, TAnswerClass>();
    AnswerImageClass = ClassOf<TAnswerImage, TAnswerClass>();
    AnswerVoiceClass = ClassOf<TAnswerVoice, TAnswerClass>();
    AnswerNullClass = ClassOf<TAnswerNull, TAnswerClass>();
}

void FinalizeUAnswer()
{
    AnswerClass = AnswerTextClass = AnswerImageClass = AnswerVoiceClass = AnswerNullClass = nullptr;
}
