// The checking screen's input: marking and moving through the replies, the keys, and the
// checker's red pen marks.
#include "screens/test/UfrmJudge.h"

#include "data/UReplyControl.h"
#include "data_views/UConstDisplay.h"
#include "platform/vcl/Color.h"
#include "platform/vcl/Image.h"

#include <QLabel>
#include <QLineEdit>

void TfrmJudgeControl::edtKeyInputKeyPress(char16_t& key)
{
    // Enter and Esc mark the reply; they never reach the edit.
    if (key == 13 || key == 27)
        key = 0;
}

void TfrmJudgeControl::sbtnReViewClick()
{
    if (Closing)
        return;
    AtLast = false;
    ShowReply(No);
}

void TfrmJudgeControl::sbtnClearClick()
{
    // Only what is shown is erased; the stored reply stays.
    DrawControlFrame(*Form->imgPen);
    Form->edtKeyInput->clear();
}

void TfrmJudgeControl::sbtnPriorClick()
{
    if (Closing)
        return;
    No = ReplyControl->PriorUnjudged();
    ShowReply(No);
}

void TfrmJudgeControl::sbtnNextClick()
{
    if (Closing)
        return;
    const TDateTime time = ReplyControl->GetCurrentTotalTime();
    ReplyControl->JudgeCurrent(Form->lblAnswer->text().contains(QStringLiteral("○")), time);
    No = ReplyControl->NextUnjudged();
    AtLast = false;
    ShowReply(No);
}

void TfrmJudgeControl::sbtnMaruClick()
{
    if (Closing)
        return;
    const TDateTime time = ReplyControl->GetCurrentTotalTime();
    ReplyControl->JudgeCurrent(true, time);
    No = ReplyControl->NextUnjudged();
    ShowReply(No);
}

void TfrmJudgeControl::sbtnBatuClick()
{
    if (Closing)
        return;
    const TDateTime time = ReplyControl->GetCurrentTotalTime();
    ReplyControl->JudgeCurrent(false, time);
    No = ReplyControl->NextUnjudged();
    ShowReply(No);
}

void TfrmJudgeControl::FormKeyDown(TKey& key, TShiftState)
{
    switch (key) {
    case VK_UP: sbtnPriorClick(); break;
    case VK_DOWN: sbtnNextClick(); break;
    case VK_RETURN: sbtnMaruClick(); break;
    case VK_ESCAPE: sbtnBatuClick(); break;
    case VK_F4: key = 0; break; // so that Alt+F4 does not close the screen
    default: break;
    }
    // Keys that edit text act on the reply only while the edit does not have the focus.
    if (Form->edtKeyInput->hasFocus())
        return;
    switch (key) {
    case VK_LEFT: sbtnPriorClick(); break;
    case VK_RIGHT: sbtnNextClick(); break;
    case VK_BACK: sbtnReViewClick(); break;
    case VK_SPACE: sbtnMaruClick(); break;
    case VK_DELETE: sbtnClearClick(); break;
    default: break;
    }
}

void TfrmJudgeControl::imgPenMouseMove(TShiftState, int x, int y)
{
    // The pen draws only under pressure; a stroke starts with a move to its first point.
    if (Pressure <= 0) {
        DrawTo = &TCanvas::MoveTo;
        return;
    }
    // The canvas is taken at each point: showing a reply gives imgPen a new picture.
    TCanvas& canvas = Form->imgPen->Canvas();
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = Pressure / 150;
    (canvas.*DrawTo)(x, y);
    canvas.Pen.Color = clBlack;
    DrawTo = &TCanvas::LineTo;
}

void TfrmJudgeControl::KoltWinTabPacket(HWND, HWND, const TTabletPacket& packet)
{
    Pressure = static_cast<int>(packet.pkNormalPressure);
}
