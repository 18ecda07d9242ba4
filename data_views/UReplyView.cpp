// What a reply shows: its row of the reply list, its points of the reply chart, and its
// data in a component (a typed text in an edit, a drawn picture in a picture component,
// a sound played aloud).
#include "data/UReply.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Checked.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListItem.h"
#include "platform/winapi/Sound.h"

#include <QLineEdit>

namespace {

const QString NoTime = QStringLiteral("- 秒");
const QString Seconds = QStringLiteral("秒");

// The seconds within the minute and the milliseconds of a duration, as one integer
// (3.25 s gives 3250); the value is taken to the nearest millisecond first.
// 0 for a duration that cannot be shown.
int SecondsAndMs(TDateTime duration)
{
    return StrToIntDef(FormatDateTimeOr(QStringLiteral("szzz"), duration, QString()), 0);
}

// "- 秒" for a duration that cannot be shown.
QString SecondsCell(TDateTime duration)
{
    return FormatDateTimeOr(QStringLiteral("s.zzz"), duration, QStringLiteral("- ")) + Seconds;
}

} // namespace

const TReply* TReply::AddToListView(int no, TListView&, TRowList& rows) const
{
    if (no != No)
        return Next.get();
    const int totalMs = SecondsAndMs(EndTime - StartTime);
    const int startMs = SecondsAndMs(ReplyStart - StartTime);
    QString answerMark;
    QString clearMark;
    GetMarkText(Answer, answerMark);
    GetMarkText(Clear, clearMark);

    auto row = std::make_unique<TListItem>();
    row->SubItems = {NoTime, NoTime, answerMark, clearMark};
    row->Caption = FormatDateTimeOr(QStringLiteral("YYYY/MM/DD HH:MM:SS"), StartTime, QStringLiteral("-"));
    row->SubItems[0] = SecondsCell(EndTime - StartTime);
    if (totalMs > startMs)
        row->SubItems[1] = SecondsCell(ReplyStart - StartTime);
    // The list shows the last reply of the chain first.
    rows.insert(rows.begin(), std::move(row));
    return Next.get();
}

const TReply* TReply::AddToChart(int no, TChart& chart) const
{
    if (no != No)
        return Next.get();
    const int totalMs = SecondsAndMs(EndTime - StartTime);
    const int startMs = SecondsAndMs(ReplyStart - StartTime);
    const QString label = IntToStr(CheckedAdd(chart.Series(1).Count(), 1));
    chart.Series(0).Add(0.0, label);
    chart.Series(1).Add(totalMs / 1000.0, label);
    chart.Series(2).Add((totalMs > startMs ? startMs : totalMs) / 1000.0, label);
    return Next.get();
}

void TReply::ShowData(QWidget*)
{
    throw Exception(QStringLiteral("Abstract Error"));
}

void TReplyText::ShowData(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(Data);
}

void TReplyImage::ShowData(QWidget* control)
{
    auto* image = qobject_cast<TImage*>(control);
    if (!image)
        return;
    DrawControlFrame(*image);
    // A picture that cannot be shown (missing, damaged, too large) leaves the frame blank,
    // and the log names it once.
    try {
        image->LoadFromFile(Data);
    } catch (...) {
        WriteLogOnce(QStringLiteral("TReplyImage"),
                     QStringLiteral("ShowData\t%1\t<No=%2>").arg(ExceptMessage()).arg(No));
    }
}

void TReplyVoice::ShowData(QWidget*)
{
    // A sound that cannot play is silence.
    if (FileExists(Data))
        PlayWaveFile(Data);
}

const TReply* TReplyNull::AddToListView(int, TListView&, TRowList&) const
{
    return nullptr;
}

const TReply* TReplyNull::AddToChart(int, TChart&) const
{
    return nullptr;
}
