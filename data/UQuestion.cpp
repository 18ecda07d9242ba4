// The question records: fields, the text and picture lookups and the TQuestionNull; the
// metaclass with the factory and the loader; the walkers; the unit's class references.
#include "data/UQuestion.h"

#include "data/RecordNodeFields.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"

const TQuestion* TQuestion::HasImage(bool&) const
{
    return Next.get();
}

const TQuestion* TQuestion::GetText(int, QString&) const
{
    return Next.get();
}

const TQuestion* TQuestionText::GetText(int no, QString& s) const
{
    if (no == No)
        s = Data;
    return TQuestion::GetText(no, s);
}

const TQuestion* TQuestionImage::HasImage(bool& result) const
{
    result = true;
    return nullptr;
}

const TQuestion* TQuestionNull::HasImage(bool& result) const
{
    result = false;
    return nullptr;
}

const TQuestion* TQuestionNull::GetText(int, QString&) const
{
    return nullptr;
}

std::unique_ptr<TQuestion> TQuestionClass::CreateByType(int type, int no, const QString& folder,
                                                        const QString& data) const
{
    switch (type) {
    case QuestionTypeImage:
        return QuestionImageClass->Create(no, folder, data);
    case QuestionTypeVoice:
        return QuestionVoiceClass->Create(no, folder, data);
    default:
        return QuestionTextClass->Create(no, folder, data);
    }
}

void TQuestionClass::LoadChain(std::unique_ptr<TQuestion>& head, const QString& folder,
                               TClientDataSet& dataSet) const
{
    std::unique_ptr<TQuestion>* link = &head;
    if (!dataSet.Eof()) {
        const TRecordNodeFields fields(dataSet);
        while (!dataSet.Eof()) {
            const TRecordNodeRow row = fields.Read();
            *link = CreateByType(row.Type, row.No, folder, row.Data);
            link = &(*link)->Next;
            dataSet.Next();
        }
    }
    *link = CreateQuestionNull();
}

std::unique_ptr<TQuestion> CreateQuestionNull()
{
    return QuestionNullClass->Create(-99, QStringLiteral("Null"), QStringLiteral("Null"));
}

void ShowChain(TQuestion* head, int no, QWidget* control)
{
    WalkChain(head, [&](TQuestion& node) { return node.Show(no, control); });
}

bool ChainHasImage(const TQuestion* head)
{
    bool result = false;
    WalkChain(head, [&](const TQuestion& node) { return node.HasImage(result); });
    return result;
}

void ChainGetText(const TQuestion* head, int no, QString& s)
{
    WalkChain(head, [&](const TQuestion& node) { return node.GetText(no, s); });
}

void InitializeUQuestion()
{
    QuestionClass = ClassOf<TQuestion, TQuestionClass>();
    QuestionTextClass = ClassOf<TQuestionText, TQuestionClass>();
    QuestionImageClass = ClassOf<TQuestionImage, TQuestionClass>();
    QuestionVoiceClass = ClassOf<TQuestionVoice, TQuestionClass>();
    QuestionNullClass = ClassOf<TQuestionNull, TQuestionClass>();
}

void FinalizeUQuestion()
{
    QuestionClass = QuestionTextClass = QuestionImageClass = QuestionVoiceClass =
        QuestionNullClass = nullptr;
}
