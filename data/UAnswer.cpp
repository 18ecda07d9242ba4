// The answer records: fields, showing, the retirement rule and the TAnswerNull.
#include "data/UAnswer.h"

#include "data/UConst.h"
#include "data/UConstDisplay.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

TAnswer::TAnswer(int no, const QString& folder, const QString& data)
    : No(no), Folder(folder), Data(data)
{
}

TAnswer::~TAnswer()
{
    // Each node is freed after its successor has been taken from it.
    std::unique_ptr<TAnswer> rest = std::move(Next);
    while (rest)
        rest = std::move(rest->Next);
}

void TAnswer::DescribeError(const std::exception& e, const QString& prefix, QString& s) const
{
    const auto* own = dynamic_cast<const Exception*>(&e);
    const QString message = own ? own->Message() : QString::fromLocal8Bit(e.what());
    const QChar tab(u'\t');
    s = prefix + tab + message + tab + QStringLiteral("<No=") + QString::number(No) + tab
        + QStringLiteral("Folder=") + Folder + tab + QStringLiteral("Data=") + Data
        + QLatin1Char('>');
}

TAnswer* TAnswer::Show(int, QWidget*)
{
    return Next.get();
}

const TAnswer* TAnswer::AddToListView(int, TListView&, TReplyControl&, int, int, TRowList&) const
{
    return Next.get();
}

const TAnswer* TAnswer::AddAllToListView(TListView&) const
{
    return Next.get();
}

const TAnswer* TAnswer::IsFinished(int no, bool& done) const
{
    if (no != No)
        return Next.get();
    TStringList lines;
    ReplyControl->GetStatistics(No, lines);
    const int cleared = DecimalOrZero(lines.Values(QStringLiteral("ClearCount")));
    const int tested = DecimalOrZero(lines.Values(QStringLiteral("TestCount")));
    done = cleared >= Setting->ClearCount || tested >= Setting->MaxTestCount;
    return nullptr;
}

QString TAnswer::DataPath() const
{
    return ResolvePath(Folder, Data);
}

TAnswer* TAnswerText::Show(int no, QWidget* control)
{
    if (no == No)
        ShowTextComponent(control, Data);
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerImage::Show(int no, QWidget* control)
{
    if (no != No)
        return TAnswer::Show(no, control);
    // A picture that cannot be shown (missing, damaged, too large) leaves the image as it
    // was, and the log names it once.
    try {
        if (auto* image = qobject_cast<TImage*>(control))
            image->LoadFromFile(DataPath());
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("Show"), s);
        WriteLogOnce(QStringLiteral("TAnswerImage"), s);
    }
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerVoice::Show(int no, QWidget* control)
{
    if (no != No)
        return TAnswer::Show(no, control);
    try {
        const QString path = DataPath();
        // Whether it played is of no concern here: a sound that cannot play is silence.
        if (FileExists(path))
            PlayWaveFile(path);
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("Show"), s);
        WriteLog(QStringLiteral("TAnswerVoice"), s);
    }
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerNull::Show(int, QWidget*)
{
    return nullptr;
}

const TAnswer* TAnswerNull::AddToListView(int, TListView&, TReplyControl&, int, int,
                                          TRowList&) const
{
    return nullptr;
}

const TAnswer* TAnswerNull::AddAllToListView(TListView&) const
{
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
