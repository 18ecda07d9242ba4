// The test screen's form: the layout of UfrmTest.ui with its components, the two
// timers and the pen-tablet component.
#include "screens/test/UfrmTest.h"

#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/SpeedButton.h"
#include "ui_UfrmTest.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TfrmTest::TfrmTest(QWidget* owner) : TForm(owner)
{
    Ui::TfrmTest ui;
    ui.setupUi(this);
    Panel6 = ui.Panel6;
    Image1 = ui.Image1;
    lblCount = ui.lblCount;
    lblMondai = ui.lblMondai;
    memQuestion = ui.memQuestion;
    Label1 = ui.Label1;
    pnlQuestion = ui.pnlQuestion;
    imgQuestion = ui.imgQuestion;
    pnlImg = ui.pnlImg;
    imgPen = ui.imgPen;
    lblKeyInput = ui.lblKeyInput;
    edtKeyInput = ui.edtKeyInput;
    sbtnResist = ui.sbtnResist;
    sbtnStop = ui.sbtnStop;
    Image1->LoadFromFile(QStringLiteral(":/test/test_background.svg"));

    Timer = new TTimer(this);
    Timer->SetInterval(100);
    TimerCaption = new TTimer(this);
    TimerCaption->SetEnabled(false);
    TimerCaption->SetInterval(1000);
    KoltWinTab = new TKoltWinTab(this);
}

TfrmTest::~TfrmTest()
{
    // The tablet component gives the window back before the widgets go.
    delete KoltWinTab;
}
