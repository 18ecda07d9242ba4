// The settings dialog's form: the layout of UfrmSetting.ui with its components.
#include "screens/settings/UfrmSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/SpinEdit.h"

#include <QLabel>

TfrmSetting::TfrmSetting(QWidget* owner) : TForm(owner)
{
    setupUi(this);
}

TfrmSetting::~TfrmSetting() = default;
