// The checking screen's form: the layout of UfrmJudge.ui with its components, the
// background picture and the (inactive) pen-tablet component.
#include "screens/test/UfrmJudge.h"

#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/SpeedButton.h"
#include "ui_UfrmJudge.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TfrmJudge::TfrmJudge(QWidget* owner) : TForm(owner)
{
    Ui::TfrmJudge ui;
    ui.setupUi(this);
    Image1 = ui.Image1;
    lblMondai = ui.lblMondai;
    lblCount = ui.lblCount;
    memQuestion = ui.memQuestion;
    Label3 = ui.Label3;
    pnlQuestion = ui.pnlQuestion;
    imgQuestion = ui.imgQuestion;
    Label1 = ui.Label1;
    lblAnswerText = ui.lblAnswerText;
    Label2 = ui.Label2;
    pnlImg = ui.pnlImg;
    imgPen = ui.imgPen;
    lblKeyInput = ui.lblKeyInput;
    edtKeyInput = ui.edtKeyInput;
    lblTestTime = ui.lblTestTime;
    lblStartTime = ui.lblStartTime;
    lblAnswer = ui.lblAnswer;
    lblClear = ui.lblClear;
    sbtnMaru = ui.sbtnMaru;
    sbtnBatu = ui.sbtnBatu;
    sbtnReView = ui.sbtnReView;
    sbtnClear = ui.sbtnClear;
    sbtnPrior = ui.sbtnPrior;
    sbtnNext = ui.sbtnNext;
    Image1->LoadFromFile(QStringLiteral(":/test/judge_background.svg"));
    KoltWinTab = new TKoltWinTab(this);
}

TfrmJudge::~TfrmJudge() = default;
