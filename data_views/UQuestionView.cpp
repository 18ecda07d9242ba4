// What a question shows: a text question its text in a text component, a picture
// question its JPEG file in a picture component, a sound question its wave file played.
#include "data/UQuestion.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/files/Files.h"
#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

TQuestion* TQuestion::Show(int, QWidget*)
{
    return Next.get();
}

TQuestion* TQuestionText::Show(int no, QWidget* control)
{
    if (no == No)
        ShowTextComponent(control, Data);
    return TQuestion::Show(no, control);
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
