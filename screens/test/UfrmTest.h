#pragma once
// The test screen: one test of one test unit. A 3-2-1 countdown, then the unit's questions
// one after another, each for at most 10 seconds, while the user types a reply or draws
// it with a pen tablet. Every reply goes unjudged to the reply store; after the last
// question the checking screen opens over this one, then the test's history row is added,
// the judged replies and the new history row are written, and the screen closes. The
// stop button (or Esc) asks whether to stop; Yes drops the test's replies.
//
// Times of a reply: STARTTIME when its question appeared, REPLYSTART at the first key,
// composition or ink point (STARTTIME + 10 s when none came), ENDTIME when it was
// registered, at most STARTTIME + 10 s. STARTTIME and the test's start are read from the
// wall clock; REPLYSTART and ENDTIME are STARTTIME plus durations of the steady clock, so
// a change of the system's time during a question never makes a reply's time negative.
// Drawn replies are kept as Windows bitmap files in the category's ImageAnswer folder,
// emptied when the screen closes. The window's position is kept in Control.inf
// [ﾃｽﾄ画面] and restored at every paint.
//
// Each step and each input handler acts only in the phase of the test it belongs to
// (TTestPhase): a late key, click, pen stroke or timer tick can neither answer a question
// twice nor end the test twice, and neither screen can be started again while it runs.
//
// The form TfrmTest holds the components of UfrmTest.ui; the one controller
// TestControl (TfrmTestControl) drives it, its virtual handlers assigned to the form's
// events by Execute.

#include "components/KT_WinTab.h"
#include "platform/core/ClassRef.h"
#include "platform/datetime/DateTime.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Form.h"
#include "ui_UfrmTest.h"
#include "platform/vcl/Input.h"
#include "platform/vcl/Timer.h"

#include <QString>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class TComposition;
class TImage;
class TInputHold;
class TMemo;
class TSpeedButton;
class TStringList;

// The period of Timer while a question is on screen, in milliseconds.
inline constexpr int QuestionTimerInterval = 10000;

// Where a test stands.
enum class TTestPhase {
    Idle,      // no test runs
    CountDown, // the screen is shown and counts down; input is held
    Asking,    // a question is on screen and takes replies
    Stopping,  // the stop question is open
    Ending,    // the last reply is registered or the test stopped: checking and closing
};

class TfrmTest : public TForm, public Ui::TfrmTest {
    Q_OBJECT
public:
    explicit TfrmTest(QWidget* owner = nullptr);
    ~TfrmTest() override;

    TTimer* Timer = nullptr;        // on, 100 ms: start of the countdown
    TTimer* TimerCaption = nullptr; // off, 1000 ms: elapsed seconds
    TKoltWinTab* KoltWinTab = nullptr; // inactive until the first question
};

class TfrmTestControl {
public:
    TfrmTestControl();
    virtual ~TfrmTestControl();
    TfrmTestControl(const TfrmTestControl&) = delete;
    TfrmTestControl& operator=(const TfrmTestControl&) = delete;

    // How the next ink point is reached on imgPen's canvas: MoveTo or LineTo.
    using TDrawTo = void (TCanvas::*)(int x, int y);

    TfrmTest* Form = nullptr;   // the form while a test runs (frmTest), else none
    QString Folder;             // category folder, with trailing separator
    int Pressure = 0;           // normal pressure of the last tablet packet
    int UnitNo = 0;             // number of the test unit
    int No = 0;                 // number of the question on screen
    QString SubCategoryName;    // subset of the unit
    TDateTime TestStart = 0;    // the first question appeared
    TDateTime QuestionStart = 0;
    TDateTime ReplyStart = 0;   // first key, composition or ink point of the question
    bool Started = false;       // such a key or point has come
    std::unique_ptr<TStringList> Questions; // copy of the test's question numbers
    TStringList* Remaining = nullptr;       // the caller's list: numbers not yet shown
    int UnitSize = 0;
    int Total = 0;              // questions of the test
    QString ReplyData;          // typed text or picture path of the reply registered
    TDrawTo DrawTo = nullptr;
    bool PenUsed = false;       // the current reply has ink
    double TimeSum = 0;         // sum of (question start - reply end), days, never positive
    int CountDown = 0;          // seconds of the countdown still to show

    // Steps of a test.
    virtual void TimerTimeUp();
    virtual void ShowNextQuestion();
    // Records the reply on screen and shows the next question; unless force, nothing
    // happens within the first second of the question.
    virtual void RegisterReply(bool force);
    virtual void SaveImageAnswer();
    virtual void ShowCount(int done, int total);
    virtual void ShowQuestion();
    virtual void EndTest();

    // Event handlers, assigned by Execute.
    virtual void FormShow();
    virtual void TimerCountDown();
    virtual void TimerCaptionTimer();
    virtual void sbtnResistClick();
    virtual void edtKeyInputKeyPress(char16_t& key);
    virtual void sbtnStopClick();
    virtual void imgPenMouseMove(TShiftState shift, int x, int y);
    virtual void KoltWinTabPacket(HWND packetSerial, HWND handle, const TTabletPacket& packet);
    virtual void sbtnResistMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void FormKeyDown(TKey& key, TShiftState shift);
    virtual void FormClose(TForm::TCloseAction& action);
    virtual void FormPaint();

    // Runs one test of the unit modally and returns when the screen has closed and been
    // freed. Questions holds the question numbers as decimal text, at least one; one is
    // removed per question shown, so it is empty after a finished test and holds the
    // numbers not shown after a stopped one. An empty list runs no test.
    virtual void Execute(int unitSize, int unitNo, const QString& folder,
                         const QString& subCategoryName, TStringList& questions);

    // The count, the focus, the 10-second period and QuestionStart of the question just
    // shown; ShowQuestion runs it on every path.
    void StartQuestion();

private:
    void AssignEvents();
    void NoteReplyStart();
    void FinishCountDown();
    void CommitComposition();
    // The present moment on the clock of the question on screen: QuestionStart plus the
    // steady time since it appeared.
    TDateTime QuestionClock() const;

    TTestPhase phase_ = TTestPhase::Idle;
    qint64 questionStartMs_ = 0; // the steady clock when the question appeared

    std::unique_ptr<TComposition> composition_; // of edtKeyInput while a test runs
    std::unique_ptr<TInputHold> hold_;          // user input held during the countdown
};

using TfrmTestClass = TMetaClass<TfrmTest, QWidget*>;
using TfrmTestControlClass = TMetaClass<TfrmTestControl>;

// The time allowed per question: 10 s as a date-time value.
inline TDateTime QuestionTimeLimit = 0;
inline const TfrmTestClass* TestFormClass = nullptr;
inline const TfrmTestControlClass* TestControlClass = nullptr;
// The one controller, alive from the unit's initialisation to its finalisation.
inline std::unique_ptr<TfrmTestControl> TestControl;
// The form while a test runs, else empty.
inline std::unique_ptr<TfrmTest> frmTest;

// Unit initialisation (QuestionTimeLimit, TestFormClass, TestControlClass, then
// TestControl := a new controller) and finalisation (frees the form and the controller,
// clears the globals).
void InitializeUfrmTest();
void FinalizeUfrmTest();
