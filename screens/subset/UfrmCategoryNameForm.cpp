// The subset name dialog's form: the layout of UfrmCategoryName.ui with its components.
#include "screens/subset/UfrmCategoryName.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "ui_UfrmCategoryName.h"

#include <QLabel>
#include <QLineEdit>

TfrmCategoryName::TfrmCategoryName(QWidget* owner) : TForm(owner)
{
    Ui::TfrmCategoryName ui;
    ui.setupUi(this);
    imgMenu = ui.imgMenu;
    edtName = ui.edtName;
    lblHint = ui.lblHint;
    btnOK = ui.btnOK;
    btnCancel = ui.btnCancel;
    imgMenu->LoadFromFile(QStringLiteral(":/subset/name_background.svg"));
}

TfrmCategoryName::~TfrmCategoryName() = default;
