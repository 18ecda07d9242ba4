// The record classes' metaclass, the chain loader and the chain walkers.
#include "data/UQuestion.h"

#include "platform/dataset/ClientDataSet.h"

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
    while (!dataSet.Eof()) {
        const QString data = dataSet.FieldByName(QStringLiteral("DATA")).AsString();
        const int no = dataSet.FieldByName(QStringLiteral("NO")).AsInteger();
        const int type = dataSet.FieldByName(QStringLiteral("TYPE")).AsInteger();
        *link = CreateByType(type, no, folder, data);
        link = &(*link)->Next;
        dataSet.Next();
    }
    *link = CreateQuestionNull();
}

std::unique_ptr<TQuestion> CreateQuestionNull()
{
    return QuestionNullClass->Create(-99, QStringLiteral("Null"), QStringLiteral("Null"));
}

void ShowChain(TQuestion* head, int no, QWidget* control)
{
    for (TQuestion* node = head; node;)
        node = node->Show(no, control);
}

bool ChainHasImage(const TQuestion* head)
{
    bool result = false;
    for (const TQuestion* node = head; node;)
        node = node->HasImage(result);
    return result;
}

void ChainGetText(const TQuestion* head, int no, QString& s)
{
    for (const TQuestion* node = head; node;)
        node = node->GetText(no, s);
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
