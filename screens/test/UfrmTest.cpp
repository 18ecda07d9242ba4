#include "screens/test/UfrmTest.h"

#include "data/UConst.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/UUnitHistoryControl.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Exception.h"
#include "platform/datetime/SteadyClock.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Abort.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/KeyPress.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTestComposition.h"
#include "screens/test/UfrmTestInputHold.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <array>

namespace {

const QString PositionSection = QStringLiteral("ﾃｽﾄ画面");
const QString KeyTop = QStringLiteral("Top");
const QString KeyLeft = QStringLiteral("Left");
const QString ImageFolder = QStringLiteral("ImageAnswer");

// The countdown texts, by the seconds still to go.
const std::array<QString, 3> CountDownTexts = {
    QStringLiteral("１秒前"), QStringLiteral("２秒前"), QStringLiteral("３秒前")};

// Within the first second of a question the register button does nothing.
constexpr qint64 GuardMs = 1000;
constexpr double MsPerDay = 86'400'000.0;

// Releases the input held during the countdown when the countdown ends, however it ends:
// it is then delivered as if typed after the countdown, to the first question or to
// whatever window is active by then.
struct THoldRelease {
    std::unique_ptr<TInputHold>& Hold;
    ~THoldRelease()
    {
        if (Hold)
            Hold->Release();
    }
};

// Starts the clock of the question being shown when showing it ends, however it ends.
struct TQuestionStart {
    TfrmTestControl& Control;
    ~TQuestionStart()
    {
        Dispatch([this] { Control.StartQuestion(); });
    }
};

// Frees the form and its helpers when Execute ends, however it ends; held input not
// delivered by then is dropped with the screen it was typed into.
struct TFormRelease {
    TTestPhase& Phase;
    std::unique_ptr<TComposition>& Composition;
    std::unique_ptr<TInputHold>& Hold;
    TfrmTest*& Form;
    ~TFormRelease()
    {
        Phase = TTestPhase::Idle;
        Hold.reset();
        Composition.reset();
        Form = nullptr;
        frmTest.reset();
    }
};

} // namespace

TfrmTestControl::TfrmTestControl() = default;
TfrmTestControl::~TfrmTestControl() = default;

void TfrmTestControl::TimerTimeUp()
{
    if (!Started)
        ReplyStart = QuestionStart + QuestionTimeLimit;
    RegisterReply(false);
}

void TfrmTestControl::ShowNextQuestion()
{
    if (Remaining->Count() == 0)
        EndTest();
    else
        ShowQuestion();
}

void TfrmTestControl::RegisterReply(bool force)
{
    if (phase_ != TTestPhase::Asking)
        return; // no question takes a reply: a late key, click or tick does nothing
    // The whole time since the question appeared counts, minutes included.
    if (!force && SteadyMs() - questionStartMs_ <= GuardMs)
        return;
    // A word still being composed belongs to the reply shown.
    CommitComposition();
    const TDateTime limit = QuestionStart + QuestionTimeLimit;
    TDateTime end = QuestionClock();
    if (limit < end)
        end = limit;
    if (!Started) {
        // An empty reply takes the full time, whenever it is registered.
        end = limit;
        ReplyStart = limit;
    }
    int type = ReplyTypeText;
    if (PenUsed) {
        SaveImageAnswer();
        type = ReplyTypeImage;
    } else {
        ReplyData = Form->edtKeyInput->text();
    }
    ReplyControl->AddRecord(type, No, ReplyStart, QuestionStart, end, ReplyData);
    // Counted once the reply is recorded, so that a failed picture save, which keeps the
    // question on screen, does not count its time twice.
    TimeSum += QuestionStart - end;
    // The next question starts with an empty reply; showing it restarts the period.
    ReplyStart = 0;
    DrawControlFrame(*Form->imgPen);
    Form->edtKeyInput->clear();
    PenUsed = false;
    ShowNextQuestion();
}

void TfrmTestControl::SaveImageAnswer()
{
    const QString folder = Folder + ImageFolder;
    ForceDirectories(folder); // a failure shows in the save below
    // Named by the moment of saving; a name already taken moves on by a millisecond.
    TDateTime moment = Now();
    QString path;
    do {
        path = folder + u'/' + FormatDateTime(QStringLiteral("YYYYMMDDHHMMSSZZZ"), moment) +
               QStringLiteral(".BMP");
        moment += 1.0 / MsPerDay;
    } while (FileExists(path));
    ReplyData = path;
    Form->imgPen->SaveToFile(path);
}

void TfrmTestControl::ShowCount(int done, int total)
{
    Form->lblCount->setText(QStringLiteral("件数：%1／%2").arg(done).arg(total));
}

void TfrmTestControl::ShowQuestion()
{
    Started = false;
    // The question's count, time and limit start however showing it ends.
    const TQuestionStart start{*this};
    int index = 0;
    if (Setting->RandomOrder)
        index = int(QRandomGenerator::global()->bounded(quint32(Remaining->Count())));
    const QString entry = Remaining->Strings(index);
    Remaining->Delete(index);
    Form->memQuestion->clear();
    No = 0; // an entry that is no number answers no question
    No = StrToInt(entry);
    // A part of the question that cannot be shown is logged and left empty.
    Dispatch([&] { QuestionControl->Show(No, Form->memQuestion); });
    // A question without a picture must not show the picture of the one before.
    DrawControlFrame(*Form->imgQuestion);
    Dispatch([&] { QuestionControl->Show(No, Form->imgQuestion); });
}

void TfrmTestControl::StartQuestion()
{
    ShowCount(Total - Remaining->Count(), Total);
    Form->edtKeyInput->setFocus();
    // The 10-second period starts now, after a sound question has played.
    Form->Timer->SetEnabled(false);
    Form->Timer->SetEnabled(true);
    QuestionStart = Now();
    questionStartMs_ = SteadyMs();
    Form->TimerCaption->SetEnabled(true);
    Form->lblMondai->setText(QStringLiteral("問題:0秒"));
}

void TfrmTestControl::EndTest()
{
    // The end runs once: whatever arrives from now on finds no question to answer.
    if (phase_ != TTestPhase::Asking)
        return;
    phase_ = TTestPhase::Ending;
    Form->Timer->SetEnabled(false);
    Form->TimerCaption->SetEnabled(false);
    Form->memQuestion->setPlainText(QStringLiteral("終　了"));
    // A checking screen that fails is logged; the test screen closes all the same, and
    // the history row is added only for a test whose replies were all judged.
    if (Dispatch([&] { JudgeControl->Execute(*Questions, Folder); })) {
        const int n = Questions->Count();
        Dispatch([&] {
            UnitHistoryControl->AddRecord(UnitSize, UnitNo, SubCategoryName, TestStart, TimeSum / n,
                                          n, ReplyControl->CountCorrectInList(),
                                          ReplyControl->CountClearedInList());
        });
    }
    Questions.reset();
    Form->Close();
    // Written now, so that nothing of the test is lost should the program end abruptly;
    // each store writes a row once, so its later writes add nothing.
    std::exception_ptr failure;
    try {
        ReplyControl->SavePending();
    } catch (...) {
        failure = std::current_exception();
    }
    UnitHistoryControl->SavePending();
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmTestControl::FormShow()
{
    // The countdown starts whatever the layout step does.
    Dispatch([this] {
        Form->SetClientWidth(Form->pnlImg->x() + Form->pnlImg->width());
        if (QuestionControl->HasImage())
            Form->SetClientWidth(Form->pnlQuestion->x() + Form->pnlQuestion->width() + 10);
    });
    ReplyStart = 0;
    PenUsed = false;
    TimeSum = 0;
    CountDown = 0;
    DrawControlFrame(*Form->imgPen);
    DrawControlFrame(*Form->imgQuestion);
    // What the user does before the first question takes effect once it is on screen.
    hold_ = std::make_unique<TInputHold>(Form);
    Form->Timer->SetEnabled(true);
}

void TfrmTestControl::TimerCountDown()
{
    // Every second one step: 3, 2, 1, then the first question. The screen stays
    // responsive meanwhile; the input it gets is held until the question is shown.
    if (phase_ != TTestPhase::CountDown)
        return;
    Form->Timer->SetEnabled(false);
    if (CountDown == 0) {
        CountDown = int(CountDownTexts.size());
    } else if (--CountDown == 0) {
        FinishCountDown();
        return;
    }
    // The next step is due before this one is shown, so that the countdown goes on
    // whatever showing it does.
    Form->Timer->SetInterval(1000);
    Form->Timer->SetEnabled(true);
    Form->memQuestion->setPlainText(CountDownTexts[CountDown - 1]);
    Form->memQuestion->repaint();
}

void TfrmTestControl::FinishCountDown()
{
    const THoldRelease release{hold_};
    Form->edtKeyInput->clear();
    DrawControlFrame(*Form->imgPen);
    Form->sbtnResist->setVisible(true);
    TestStart = Now();
    Form->Timer->SetInterval(QuestionTimerInterval);
    Form->Timer->OnTimer = [this] { TimerTimeUp(); };
    phase_ = TTestPhase::Asking;
    Dispatch([this] { ShowNextQuestion(); });
    // Without the tablet the keyboard still answers.
    Dispatch([this] { Form->KoltWinTab->SetActive(true); });
}

void TfrmTestControl::TimerCaptionTimer()
{
    Form->lblMondai->setText(QStringLiteral("問題:") +
                                FormatDateTime(QStringLiteral("s"), QuestionClock() - QuestionStart) +
                                QStringLiteral("秒"));
}

void TfrmTestControl::sbtnResistClick()
{
    RegisterReply(false);
}

void TfrmTestControl::edtKeyInputKeyPress(char16_t& key)
{
    if (key == 13)
        Abort(); // Enter registers (in FormKeyDown); it neither types nor starts the reply
    // Only a character that types something starts the reply: Esc (the stop question),
    // Backspace and the other control characters do not.
    if (key >= 32 && key != 127)
        NoteReplyStart();
}

void TfrmTestControl::sbtnStopClick()
{
    // Asked only while a question is on screen, and only once at a time.
    if (phase_ != TTestPhase::Asking)
        return;
    phase_ = TTestPhase::Stopping;
    Form->Timer->SetEnabled(false);
    TModalResult answer = mrNo;
    Dispatch([&] {
        answer = MessageDlg(QStringLiteral("中止しますか？"), TMsgDlgType::mtWarning, mbYesNo);
    });
    if (answer != mrYes) {
        phase_ = TTestPhase::Asking;
        Form->Timer->SetEnabled(true);
        return;
    }
    phase_ = TTestPhase::Ending;
    // Drops this test's unjudged replies; the screen closes even when that fails.
    Dispatch([&] { ReplyControlClass->CreateInstance(Folder); });
    Questions.reset();
    Form->Close();
}

void TfrmTestControl::imgPenMouseMove(TShiftState, int x, int y)
{
    if (phase_ != TTestPhase::Asking)
        return; // no ink before the first question, under the stop question or after the last
    if (Pressure <= 0) {
        DrawTo = &TCanvas::MoveTo;
        return;
    }
    PenUsed = true;
    NoteReplyStart();
    TCanvas& canvas = Form->imgPen->Canvas();
    canvas.Pen.Width = Pressure / 150;
    (canvas.*DrawTo)(x, y);
    DrawTo = &TCanvas::LineTo;
}

void TfrmTestControl::KoltWinTabPacket(HWND, HWND, const TTabletPacket& packet)
{
    Pressure = int(packet.pkNormalPressure);
}

void TfrmTestControl::sbtnResistMouseDown(TMouseButton, TShiftState, int, int)
{
    sbtnResistClick();
}

void TfrmTestControl::FormKeyDown(TKey& key, TShiftState)
{
    switch (key) {
    case VK_RETURN:
        if (composition_ && composition_->Composing()) {
            CommitComposition(); // Enter confirms the word being composed
            key = 0;
        } else {
            RegisterReply(true);
        }
        break;
    case VK_ESCAPE:
        sbtnStopClick();
        break;
    case VK_F4:
        key = 0;
        break;
    default:
        break;
    }
}

void TfrmTestControl::FormClose(TForm::TCloseAction&)
{
    // A failure is logged and the screen still closes, with its timers off.
    frmTest->Timer->SetEnabled(false);
    frmTest->TimerCaption->SetEnabled(false);
    try {
        TIniFile ini = ControlInf(Folder);
        ini.WriteInteger(PositionSection, KeyTop, Form->Top());
        ini.WriteInteger(PositionSection, KeyLeft, Form->Left());
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    const QString folder = Folder + ImageFolder + u'/';
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (FileExists(folder + name))
            DeleteFile(folder + name);
}

void TfrmTestControl::FormPaint()
{
    const TIniFile ini = ControlInf(Folder);
    if (!ini.ValueExists(PositionSection, KeyTop) || !ini.ValueExists(PositionSection, KeyLeft))
        return;
    Form->SetTop(ini.ReadInteger(PositionSection, KeyTop, 0));
    Form->SetLeft(ini.ReadInteger(PositionSection, KeyLeft, 0));
}

void TfrmTestControl::Execute(int unitSize, int unitNo, const QString& folder,
                              const QString& subCategoryName, TStringList& questions)
{
    // A second start while a test runs would free the running screen.
    if (Form)
        throw Exception(QStringLiteral("A test is already running"));
    frmTest.reset();
    if (questions.Count() == 0)
        return; // no test: nothing to ask, and no history row without questions
    Folder = folder;
    TFormRelease release{phase_, composition_, hold_, Form};
    frmTest = TestFormClass->Create(nullptr);
    Form = frmTest.get();
    DrawTo = &TCanvas::MoveTo;
    AssignEvents();
    UnitNo = unitNo;
    UnitSize = unitSize;
    SubCategoryName = subCategoryName;
    Total = questions.Count();
    Remaining = &questions;
    Questions = std::make_unique<TStringList>();
    for (const QString& line : questions.Lines())
        Questions->Add(line);
    ShowCount(0, Total);
    phase_ = TTestPhase::CountDown;
    Form->ShowModal();
}

void TfrmTestControl::AssignEvents()
{
    TfrmTest& form = *Form;
    form.OnShow = [this] { FormShow(); };
    form.sbtnResist->OnClick = [this] { sbtnResistClick(); };
    SetOnKeyPress(form.edtKeyInput, [this](char16_t& key) { edtKeyInputKeyPress(key); });
    form.Timer->OnTimer = [this] { TimerCountDown(); };
    form.TimerCaption->OnTimer = [this] { TimerCaptionTimer(); };
    form.sbtnStop->OnClick = [this] { sbtnStopClick(); };
    form.imgPen->OnMouseMove = [this](TImage&, TShiftState shift, int x, int y) {
        imgPenMouseMove(shift, x, y);
    };
    form.KoltWinTab->OnPacket = [this](QObject*, HWND serial, HWND handle,
                                       const TTabletPacket& packet) {
        KoltWinTabPacket(serial, handle, packet);
    };
    form.sbtnResist->OnMouseDown = [this](TMouseButton button, TShiftState shift, int x, int y) {
        sbtnResistMouseDown(button, shift, x, y);
    };
    form.OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    form.OnClose = [this](TForm::TCloseAction& action) { FormClose(action); };
    form.OnPaint = [this] { FormPaint(); };
    composition_ = std::make_unique<TComposition>(form.edtKeyInput);
    composition_->OnStart = [this] { NoteReplyStart(); };
}

void TfrmTestControl::NoteReplyStart()
{
    if (Started || phase_ != TTestPhase::Asking)
        return;
    ReplyStart = QuestionClock();
    Started = true;
}

TDateTime TfrmTestControl::QuestionClock() const
{
    return QuestionStart + double(SteadyMs() - questionStartMs_) / MsPerDay;
}

void TfrmTestControl::CommitComposition()
{
    if (composition_)
        composition_->Commit();
}

void InitializeUfrmTest()
{
    QuestionTimeLimit = StrToDateTime(QStringLiteral("1899/12/30 00:00:10.000"));
    TestFormClass = ClassOf<TfrmTest, TfrmTestClass>();
    TestControlClass = ClassOf<TfrmTestControl, TfrmTestControlClass>();
    TestControl = TestControlClass->Create();
}

void FinalizeUfrmTest()
{
    frmTest.reset();
    TestControl.reset();
    TestControlClass = nullptr;
    TestFormClass = nullptr;
}
