#include "data/UQuestion.h"

#include "data/UConst.h"
#include "data/UConstDisplay.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

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

TQuestion* TQuestion::Show(int, QWidget*)
{
    return Next.get();
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

TQuestion* TQuestionText::Show(int no, QWidget* control)
{
    if (no == No)
        ShowTextComponent(control, Data);
    return TQuestion::Show(no, control);
}

const TQuestion* TQuestionText::GetText(int no, QString& s) const
{
    if (no == No)
        s = Data;
    return TQuestion::GetText(no, s);
}

TQuestion* TQuestionImage::Show(int no, QWidget* control)
{
    auto* image = qobject_cast<TImage*>(control);
    if (no != No || !image)
        return TQuestion::Show(no, control);
    // A picture that cannot be shown (missing, damaged, too large) leaves the image as it
    // was, and the log names it once; the question goes on without it.
    try {
        image->LoadJpegFromFile(DataPath());
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("Show"), s);
        WriteLogOnce(QStringLiteral("TQuestionImage"), s);
    }
    return TQuestion::Show(no, control);
}

const TQuestion* TQuestionImage::HasImage(bool& result) const
{
    result = true;
    return nullptr;
}

TQuestion* TQuestionVoice::Show(int no, QWidget* control)
{
    if (no == No) {
        const QString path = DataPath();
        // Whether it played is of no concern here: a sound that cannot play is silence.
        if (FileExists(path))
            PlayWaveFile(path);
    }
    return TQuestion::Show(no, control);
}

TQuestion* TQuestionNull::Show(int, QWidget*)
{
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
