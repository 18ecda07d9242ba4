// The reply kinds: how each is written and how each shows itself.
#include "data/UReply.h"

#include "data/UConst.h"
#include "data/UConstDisplay.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

#include <QLineEdit>

void TReplyText::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeText);
}

void TReplyText::ShowData(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(Data);
}

void TReplyImage::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeImage);
}

void TReplyImage::ShowData(QWidget* control)
{
    auto* image = qobject_cast<TImage*>(control);
    if (!image)
        return;
    DrawControlFrame(*image);
    // A picture that cannot be shown (missing, damaged, too large) leaves the frame blank,
    // and the log names it once.
    try {
        image->LoadFromFile(Data);
    } catch (...) {
        WriteLogOnce(QStringLiteral("TReplyImage"),
                     QStringLiteral("ShowData\t%1\t<No=%2>").arg(ExceptMessage()).arg(No));
    }
}

void TReplyVoice::SaveToDataSet(TClientDataSet& dataSet)
{
    WriteRecord(dataSet, ReplyTypeVoice);
}

void TReplyVoice::ShowData(QWidget*)
{
    // A sound that cannot play is silence.
    if (FileExists(Data))
        PlayWaveFile(Data);
}
