// The checking screen: showing a reply with its question, answer and info, and the
// automatic judging of typed replies.
#include "screens/test/UfrmJudge.h"

#include "data/UAnswerControl.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data_views/UConstDisplay.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Color.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr TColor LightGreen = 0x80FF80;
const QString Mark = QStringLiteral("○");

// The text as automatic judging compares it: without surrounding blanks and control
// characters, upper-cased character by character.
QString JudgeText(const QString& text)
{
    QString s = Trim(text);
    for (QChar& c : s)
        c = c.toUpper();
    return s;
}

// A typed reply is correct by itself when it equals the answer's text. Two empty texts
// (a drawn or empty reply against a picture or sound answer, which leaves the answer
// label empty) are not a match: the user judges those.
bool IsSameText(const QString& answer, const QString& reply)
{
    const QString typed = JudgeText(reply);
    return !typed.isEmpty() && typed == JudgeText(answer);
}

// A seconds text of the info lines as a number; a text that is none (" - ") counts as 10.
double SecondsValue(const QString& text)
{
    bool ok = false;
    const double value = Trim(text).toDouble(&ok);
    return ok ? value : 10.0;
}

void SetFontColor(QLabel* label, TColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    label->setPalette(palette);
}

} // namespace

void TfrmJudgeControl::ShowReply(int no)
{
    TfrmJudge& form = *Form;
    form.lblMondai->setText(QStringLiteral("問題:%1回目(ｸﾘｱ秒：%2秒)")
                                .arg(ReplyControl->CountTests(no))
                                .arg(QString::number(Setting->GetClearSeconds(), 'g', 15)));
    // Every part is emptied first, so that nothing of the reply shown before stays beside
    // this one; a part that cannot be shown is logged and left empty, and the reply is
    // still judged, counted and can be marked.
    form.edtKeyInput->clear();
    DrawControlFrame(*form.imgPen);
    form.memQuestion->clear();
    // A question without a picture must not keep the picture of the one shown before.
    DrawControlFrame(*form.imgQuestion);
    form.lblAnswerText->clear();
    Dispatch([&] { QuestionControl->Show(no, form.memQuestion); });
    Dispatch([&] { QuestionControl->Show(no, form.imgQuestion); });
    Dispatch([&] { AnswerControl->Show(no, form.lblAnswerText); });
    Dispatch([&] { ReplyControl->ShowCurrentData(form.edtKeyInput); });
    Dispatch([&] { ReplyControl->ShowCurrentData(form.imgPen); });
    if (IsSameText(form.lblAnswerText->text(), form.edtKeyInput->text()))
        ReplyControl->JudgeCurrent(true, ReplyControl->GetCurrentTotalTime());
    ShowReplyInfo(Setting->GetClearSeconds());
}

void TfrmJudgeControl::ShowReplyInfo(double clearSeconds)
{
    TfrmJudge& form = *Form;
    SetFontColor(form.lblTestTime, clWhite);
    TStringList lines;
    ReplyControl->GetCurrentInfo(lines);
    const QString index = lines.Values(QStringLiteral("ANSWER_INDEX"));
    const QString count = lines.Values(QStringLiteral("ANSWER_COUNT"));
    form.lblCount->setText(QStringLiteral("件数：") + index + u'/' + count);
    const QString totalTime = lines.Values(QStringLiteral("TOTAL_TIME"));
    if (SecondsValue(totalTime) < clearSeconds)
        SetFontColor(form.lblTestTime, LightGreen);

    const QString seconds = QStringLiteral("秒");
    form.lblTestTime->setText(ReplyInfoCaptions[0] + totalTime + seconds);
    form.lblStartTime->setText(ReplyInfoCaptions[1] + lines.Values(QStringLiteral("REPLY_START")) + seconds);
    form.lblAnswer->setText(ReplyInfoCaptions[2] + lines.Values(QStringLiteral("REPLY_ANSWER")));
    form.lblClear->setText(ReplyInfoCaptions[3] + lines.Values(QStringLiteral("REPLY_CLEAR")));

    if (index != count) {
        AtLast = false;
        return;
    }
    // The last reply is judged with the mark it shows; showing it again after that ends
    // the checking.
    ReplyControl->JudgeCurrent(form.lblAnswer->text().contains(Mark), ReplyControl->GetCurrentTotalTime());
    if (AtLast) {
        Closing = true;
        form.Close();
    }
    AtLast = true;
}
