// The question store: loading and the lookups, and the current store.
#include "data/UQuestionControl.h"

#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"

namespace {

const QString QuestionFile = QStringLiteral("Question.cds");

} // namespace

TQuestionControl::TQuestionControl(const QString& folder) : Folder(folder)
{
    const QString path = ResolvePath(Folder, QuestionFile);
    if (!FileExists(path)) {
        Head = CreateQuestionNull();
        return;
    }
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.Open();
    dataSet.First();
    QuestionClass->LoadChain(Head, Folder, dataSet);
    dataSet.Close();
}

TQuestionControl::TQuestionControl(const QString& folder, TNoQuestions) : Folder(folder) {}

TQuestionControl::~TQuestionControl() = default;

std::unique_ptr<TQuestionControl> TQuestionControl::CreateEmpty(const QString& folder)
{
    std::unique_ptr<TQuestionControl> store(new TQuestionControl(folder, TNoQuestions{}));
    store->Head = CreateQuestionNull();
    return store;
}

bool TQuestionControl::HasImage() const
{
    return ChainHasImage(Head.get());
}

void TQuestionControl::GetText(int no, QString& s) const
{
    ChainGetText(Head.get(), no, s);
}

void TQuestionControlClass::CreateInstance(const QString& folder) const
{
    QuestionControl.reset();
    try {
        QuestionControl = Create(folder);
    } catch (...) {
        QuestionControl = TQuestionControl::CreateEmpty(folder);
        throw;
    }
}

void InitializeUQuestionControl()
{
    QuestionControlClass = ClassOf<TQuestionControl, TQuestionControlClass>();
    QuestionControl = ClassOf<TQuestionControlNull, TQuestionControlClass>()->Create(QString());
}

void FinalizeUQuestionControl()
{
    QuestionControl.reset();
    QuestionControlClass = nullptr;
}
