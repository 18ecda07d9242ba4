#include "data/UQuestion.h"

#include "platform/core/Exception.h"
#include "platform/files/Files.h"

TQuestion::TQuestion(int no, const QString& folder, const QString& data)
    : No(no), Folder(folder), Data(data)
{
}

TQuestion::~TQuestion()
{
    // Each node is freed after its successor has been taken from it.
    std::unique_ptr<TQuestion> rest = std::move(Next);
    while (rest)
        rest = std::move(rest->Next);
}

void TQuestion::DescribeError(const std::exception& e, const QString& prefix, QString& s) const
{
    const auto* own = dynamic_cast<const Exception*>(&e);
    const QString message = own ? own->Message() : QString::fromLocal8Bit(e.what());
    const QChar tab(u'\t');
    s = prefix + tab + message + tab + QStringLiteral("<No=") + QString::number(No) + tab
        + QStringLiteral("Folder=") + Folder + tab + QStringLiteral("Data=") + Data
        + QLatin1Char('>');
}

const TQuestion* TQuestion::HasImage(bool&) const
{
    return Next.get();
}

const TQuestion* TQuestion::GetText(int, QString&) const
{
    return Next.get();
}

QString TQuestion::DataPath() const
{
    return ResolvePath(Folder, Data);
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
