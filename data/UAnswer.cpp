// The answer records: fields, the retirement rule and the TAnswerNull.
#include "data/UAnswer.h"

#include "data/UConst.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"

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
