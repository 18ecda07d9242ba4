// The answer store: loading, showing, finished questions and the current store.
#include "data/UAnswerControl.h"

#include "data/UConstDisplay.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Image.h"

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
    const auto* own = dynamic_cast<const Exception*>(&e);
    const QString message = own ? own->Message() : QString::fromLocal8Bit(e.what());
    const QChar tab(u'\t');
    s = prefix + tab + message + tab + QStringLiteral("<Folder=") + Folder + QLatin1Char('>');
}

void TAnswerControl::Show(int no, QWidget* control)
{
    ShowTextComponent(control, QString());
    if (auto* image = qobject_cast<TImage*>(control))
        DrawControlFrame(*image);
    ShowAnswerChain(Head.get(), no, control);
}

int TAnswerControl::CountFinished(const TStringList& numbers)
{
    int count = 0;
    for (int i = 0; i < numbers.Count(); ++i) {
        bool done = false;
        ChainIsFinished(Head.get(), DecimalOrZero(numbers[i]), done);
        if (done)
            ++count;
    }
    return count;
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
