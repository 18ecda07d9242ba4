// The checking screen's unit: its globals, the modal run and the window's position.
#include "screens/test/UfrmJudge.h"

#include "data/UConst.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/KeyPress.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/NoCaret.h"
#include "platform/vcl/SpeedButton.h"

#include <QFrame>
#include <QLineEdit>

const std::array<QString, 4> ReplyInfoCaptions = {
    QStringLiteral("回答時間："), QStringLiteral("開始時刻："), QStringLiteral("正　解　："),
    QStringLiteral("合　格　：")};

namespace {

const QString Section = QStringLiteral("判定画面");
const QString KeyTop = QStringLiteral("Top");
const QString KeyLeft = QStringLiteral("Left");

// Frees the form when Execute ends, however it ends.
struct TFormRelease {
    TfrmJudge*& Form;
    ~TFormRelease()
    {
        Form = nullptr;
        frmJudge.reset();
    }
};

} // namespace

void TfrmJudgeControl::Execute(TStringList&, const QString& folder)
{
    // A nested start would free the form whose modal run is still going on.
    if (Form)
        throw Exception(QStringLiteral("The checking screen is already open"));
    Folder = folder;
    frmJudge.reset();
    TFormRelease release{Form};
    frmJudge = JudgeFormClass->Create(nullptr);
    Form = frmJudge.get();
    TfrmJudge& form = *Form;
    DrawTo = &TCanvas::MoveTo;

    form.sbtnReView->OnClick = [this] { sbtnReViewClick(); };
    form.sbtnClear->OnClick = [this] { sbtnClearClick(); };
    form.sbtnPrior->OnClick = [this] { sbtnPriorClick(); };
    form.sbtnNext->OnClick = [this] { sbtnNextClick(); };
    form.sbtnMaru->OnClick = [this] { sbtnMaruClick(); };
    form.sbtnBatu->OnClick = [this] { sbtnBatuClick(); };
    form.imgPen->OnMouseMove = [this](TImage&, TShiftState shift, int x, int y) {
        imgPenMouseMove(shift, x, y);
    };
    form.KoltWinTab->OnPacket = [this](QObject*, HWND serial, HWND handle, const TTabletPacket& packet) {
        KoltWinTabPacket(serial, handle, packet);
    };
    form.OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    SetOnKeyPress(form.edtKeyInput, [this](char16_t& key) { edtKeyInputKeyPress(key); });
    form.OnShow = [this] { FormShow(); };
    form.OnPaint = [this] { FormPaint(); };

    AtLast = false;
    Closing = false;
    RestorePosition = true;
    No = ReplyControl->FirstUnjudged();
    ShowReply(No);
    // Without the tablet the keys and the mouse still judge.
    Dispatch([&] { form.KoltWinTab->SetActive(true); });
    form.ShowModal();

    // A position that cannot be written is logged; the judged test goes on to its
    // history row.
    Dispatch([&] {
        TIniFile ini = ControlInf(Folder);
        ini.WriteInteger(Section, KeyTop, form.Top());
        ini.WriteInteger(Section, KeyLeft, form.Left());
    });
}

void TfrmJudgeControl::FormShow()
{
    TfrmJudge& form = *Form;
    // The picture panel shows only for categories with picture questions.
    form.SetClientWidth(form.pnlImg->x() + form.pnlImg->width() + 10);
    form.memQuestion->setFocus();
    if (QuestionControl->HasImage())
        form.SetClientWidth(form.pnlQuestion->x() + form.pnlQuestion->width() + 10);
    SetNoCaret(form.memQuestion);
    form.memQuestion->SetTextMargins(10, 10);
}

void TfrmJudgeControl::FormPaint()
{
    // The saved position is taken once per opening; then the user may move the window.
    if (!RestorePosition)
        return;
    const TIniFile ini = ControlInf(Folder);
    if (!ini.ValueExists(Section, KeyTop) || !ini.ValueExists(Section, KeyLeft))
        return;
    TfrmJudge& form = *Form;
    form.SetTop(ini.ReadInteger(Section, KeyTop, 0));
    form.SetLeft(ini.ReadInteger(Section, KeyLeft, 0));
    RestorePosition = false;
}

void InitializeUfrmJudge()
{
    JudgeFormClass = ClassOf<TfrmJudge, TfrmJudgeClass>();
    JudgeControlClass = ClassOf<TfrmJudgeControl, TfrmJudgeControlClass>();
    JudgeControl = JudgeControlClass->Create();
}

void FinalizeUfrmJudge()
{
    frmJudge.reset();
    JudgeControl.reset();
    JudgeControlClass = nullptr;
    JudgeFormClass = nullptr;
}
