// The display settings dialog's form: the layout of UfrmShowSetting.ui with its
// components and the background picture.
#include "screens/settings/UfrmShowSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"

TfrmShowSetting::TfrmShowSetting(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    imgMenu->LoadFromFile(QStringLiteral(":/settings/showsetting_background.svg"));
}

TfrmShowSetting::~TfrmShowSetting() = default;
