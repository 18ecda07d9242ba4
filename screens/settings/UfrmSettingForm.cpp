// The settings dialog's form: the layout of UfrmSetting.ui with its components.
#include "screens/settings/UfrmSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/SpinEdit.h"
#include "ui_UfrmSetting.h"

#include <QLabel>

TfrmSetting::TfrmSetting(QWidget* owner) : TForm(owner)
{
    Ui::TfrmSetting ui;
    ui.setupUi(this);
    imgMenu = ui.imgMenu;
    lblUserUnitCount = ui.lblUserUnitCount;
    sedtUserUnitCount = ui.sedtUserUnitCount;
    lblClear = ui.lblClear;
    sedtClear = ui.sedtClear;
    lblClearCount = ui.lblClearCount;
    sedtClearCount = ui.sedtClearCount;
    lblMaxCount = ui.lblMaxCount;
    sedtMaxCount = ui.sedtMaxCount;
    lblOutList = ui.lblOutList;
    cmbOutList = ui.cmbOutList;
    btnSetting = ui.btnSetting;
    btnCancel = ui.btnCancel;
}

TfrmSetting::~TfrmSetting() = default;
