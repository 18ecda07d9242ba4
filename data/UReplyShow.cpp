// The reply kinds: how each is written and how each shows itself.
#include "data/UReply.h"

#include "data/UConstDisplay.h"
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
    // The test screen deletes its pictures when it closes: a missing file stays blank.
    if (FileExists(Data))
        image->LoadFromFile(Data);
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
