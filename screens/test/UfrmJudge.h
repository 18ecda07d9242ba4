#pragma once
// The answer-checking screen: at the end of a test it walks the replies of the reply
// store that are not yet judged (the store's judge queue), shows each beside its question
// and the model answer with its timing, and lets the user mark it correct (○) or wrong (×).
// A typed reply equal to a text answer is marked ○ as it is shown; the last reply of the
// queue is judged with its shown mark, and the next ○ or × on it closes the screen, so
// every reply of the queue is judged when Execute returns. The checker may draw red marks
// with the pen over a drawn reply; they are never stored. The window's position is kept
// in Control.inf [判定画面] of the category.
//
// The form TfrmJudge holds the components of UfrmJudge.ui; the one controller
// JudgeControl (TfrmJudgeControl) drives it, its virtual handlers assigned to the form's
// events by Execute.

#include "components/KT_WinTab.h"
#include "platform/core/ClassRef.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Form.h"
#include "ui_UfrmJudge.h"
#include "platform/vcl/Input.h"

#include <QString>
#include <array>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class TImage;
class TMemo;
class TSpeedButton;
class TStringList;

// The prefixes of the four reply-info labels: time, start, correct, passed.
extern const std::array<QString, 4> ReplyInfoCaptions;

class TfrmJudge : public TForm, public Ui::TfrmJudge {
    Q_OBJECT
public:
    explicit TfrmJudge(QWidget* owner = nullptr);
    ~TfrmJudge() override;

    TKoltWinTab* KoltWinTab = nullptr; // inactive until Execute switches it on
};

class TfrmJudgeControl {
public:
    TfrmJudgeControl() = default;
    virtual ~TfrmJudgeControl() = default;
    TfrmJudgeControl(const TfrmJudgeControl&) = delete;
    TfrmJudgeControl& operator=(const TfrmJudgeControl&) = delete;

    // How the next mark point is reached on imgPen's canvas: MoveTo or LineTo.
    using TDrawTo = void (TCanvas::*)(int x, int y);

    TfrmJudge* Form = nullptr;    // the form while Execute shows it (frmJudge), else none
    bool RestorePosition = false; // the saved position is still to be restored at a paint
    QString Folder;               // category folder, with trailing separator
    int No = 0;                   // question number of the reply on screen
    int Pressure = 0;             // normal pressure of the last tablet packet
    TDrawTo DrawTo = nullptr;
    bool AtLast = false; // the last reply of the queue has been shown and judged
    // The checking is over and the screen closes: a late key or click marks nothing more.
    bool Closing = false;

    // Event handlers, assigned by Execute.
    virtual void edtKeyInputKeyPress(char16_t& key);
    virtual void sbtnReViewClick();
    virtual void sbtnClearClick();
    virtual void sbtnPriorClick();
    virtual void sbtnNextClick();
    virtual void sbtnMaruClick();
    virtual void sbtnBatuClick();
    virtual void FormShow();
    virtual void imgPenMouseMove(TShiftState shift, int x, int y);
    virtual void KoltWinTabPacket(HWND packetSerial, HWND handle, const TTabletPacket& packet);
    virtual void FormKeyDown(TKey& key, TShiftState shift);

    // Shows the current reply of the queue with question `no`, its answer and its info,
    // judging it when its typed text equals the answer's text.
    virtual void ShowReply(int no);
    // The count, timing and marks of the current reply; at the last reply it is judged
    // with its shown mark, and the second such showing in a row closes the screen.
    virtual void ShowReplyInfo(double clearSeconds);
    virtual void FormPaint();

    // Shows the checking screen modally over the test screen and returns when it has
    // closed and been freed, every reply of the store's judge queue then judged. The
    // store must hold at least one unjudged reply. Questions (the test's question
    // numbers) is left as it is: the screen works from the store's queue. A second start
    // while the screen is open raises and leaves the open screen as it is.
    virtual void Execute(TStringList& questions, const QString& folder);
};

using TfrmJudgeClass = TMetaClass<TfrmJudge, QWidget*>;
using TfrmJudgeControlClass = TMetaClass<TfrmJudgeControl>;

inline const TfrmJudgeClass* JudgeFormClass = nullptr;
inline const TfrmJudgeControlClass* JudgeControlClass = nullptr;
// The one controller, alive from the unit's initialisation to its finalisation.
inline std::unique_ptr<TfrmJudgeControl> JudgeControl;
// The form while the screen is open, else empty.
inline std::unique_ptr<TfrmJudge> frmJudge;

// Unit initialisation (JudgeFormClass, JudgeControlClass, then JudgeControl := a new
// controller) and finalisation (frees the form and the controller, clears the globals).
void InitializeUfrmJudge();
void FinalizeUfrmJudge();
