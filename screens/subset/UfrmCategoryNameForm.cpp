// The subset name dialog's form: the layout of UfrmCategoryName.ui with its components.
#include "screens/subset/UfrmCategoryName.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"

#include <QLabel>
#include <QLineEdit>

TfrmCategoryName::TfrmCategoryName(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    imgMenu->LoadFromFile(QStringLiteral(":/subset/name_background.svg"));
}

TfrmCategoryName::~TfrmCategoryName() = default;
