// The checking screen's form: the layout of UfrmJudge.ui with its components, the
// background picture and the (inactive) pen-tablet component.
#include "screens/test/UfrmJudge.h"

#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/SpeedButton.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TfrmJudge::TfrmJudge(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    Image1->LoadFromFile(QStringLiteral(":/test/judge_background.svg"));
    KoltWinTab = new TKoltWinTab(this);
}

TfrmJudge::~TfrmJudge() = default;
