// The answer store: loading, finished questions and the current store.
#include "data/UAnswerControl.h"

#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/text/StringList.h"

namespace {

const QString AnswerFile = QStringLiteral("Answer.cds");

} // namespace

TAnswerControl::TAnswerControl(const QString& folder) : Folder(folder)
{
    const QString path = ResolvePath(Folder, AnswerFile);
    if (!FileExists(path)) {
        Head = CreateAnswerNull();
        return;
    }
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.Open();
    dataSet.First();
    AnswerClass->LoadChain(Head, Folder, dataSet);
    dataSet.Close();
}

TAnswerControl::TAnswerControl(const QString& folder, TNoAnswers) : Folder(folder) {}

TAnswerControl::~TAnswerControl() = default;

std::unique_ptr<TAnswerControl> TAnswerControl::CreateEmpty(const QString& folder)
{
    std::unique_ptr<TAnswerControl> store(new TAnswerControl(folder, TNoAnswers{}));
    store->Head = CreateAnswerNull();
    return store;
}

void TAnswerControl::DescribeError(const std::exception& e, const QString& prefix, QString& s) const
{
    const QChar tab(u'\t');
    s = prefix + tab + ErrorText(e) + tab + QStringLiteral("<Folder=") + Folder + QLatin1Char('>');
}

int TAnswerControl::CountFinished(const TStringList& numbers)
{
    int count = 0;
    for (int i = 0; i < numbers.Count(); ++i) {
        const int no = DecimalOrZero(numbers[i]);
        bool done = false;
        if (const TAnswer* first = FirstOf(no))
            ChainIsFinished(first, no, done);
        if (done)
            ++count;
    }
    return count;
}

const TAnswer* TAnswerControl::FirstOf(int no)
{
    if (indexedHead_ != Head.get()) {
        firstOf_.clear();
        // The last node of a chain is its TAnswerNull, which stands for no question.
        for (const TAnswer* node = Head.get(); node && node->Next; node = node->Next.get())
            firstOf_.try_emplace(node->No, node);
        indexedHead_ = Head.get();
    }
    const auto found = firstOf_.find(no);
    return found == firstOf_.end() ? nullptr : found->second;
}

void TAnswerControlClass::CreateInstance(const QString& folder) const
{
    AnswerControl.reset();
    try {
        AnswerControl = Create(folder);
    } catch (...) {
        AnswerControl = TAnswerControl::CreateEmpty(folder);
        throw;
    }
}

void InitializeUAnswerControl()
{
    AnswerControlClass = ClassOf<TAnswerControl, TAnswerControlClass>();
    AnswerControl = ClassOf<TAnswerControlNull, TAnswerControlClass>()->Create(QString());
}

void FinalizeUAnswerControl()
{
    AnswerControl.reset();
    AnswerControlClass = nullptr;
}
