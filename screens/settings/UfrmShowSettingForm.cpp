// The display settings dialog's form: the layout of UfrmShowSetting.ui with its
// components and the background picture.
#include "screens/settings/UfrmShowSetting.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "ui_UfrmShowSetting.h"

TfrmShowSetting::TfrmShowSetting(QWidget* owner) : TForm(owner)
{
    Ui::TfrmShowSetting ui;
    ui.setupUi(this);
    imgMenu = ui.imgMenu;
    lvShowList = ui.lvShowList;
    btnSetting = ui.btnSetting;
    btnCancel = ui.btnCancel;
    btnAllDisp = ui.btnAllDisp;
    btnAllNoDisp = ui.btnAllNoDisp;
    imgMenu->LoadFromFile(QStringLiteral(":/settings/showsetting_background.svg"));
}

TfrmShowSetting::~TfrmShowSetting() = default;
