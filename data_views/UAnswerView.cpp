// What an answer shows: itself in a component (a text in a text component, a picture in
// a picture component, a sound played aloud), and the rows of text answers: the answer
// list of a test unit with each question's reply statistics, and the list of every text
// answer.
#include "data/UAnswer.h"

#include "data/UConst.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "data_views/UConstDisplay.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "platform/winapi/Sound.h"

namespace {

const QString TestCountKey = QStringLiteral("TestCount");
const QString AnswerCountKey = QStringLiteral("AnswerCount");
const QString ClearCountKey = QStringLiteral("ClearCount");

QString NumberCaption(int no)
{
    return FormatInt(no, 3);
}

} // namespace

const TAnswer* TAnswerText::AddToListView(int no, TListView& listView, TReplyControl& replyCtl,
                                          int clearCount, int maxTests, TRowList& rows) const
{
    if (no != No)
        return TAnswer::AddToListView(no, listView, replyCtl, clearCount, maxTests, rows);
    auto item = std::make_unique<TListItem>();
    item->Caption = NumberCaption(No);
    item->SubItems.append(Data);
    FillStatistics(*item, replyCtl, clearCount, maxTests);
    rows.push_back(std::move(item));
    return TAnswer::AddToListView(no, listView, replyCtl, clearCount, maxTests, rows);
}

void TAnswerText::FillStatistics(TListItem& item, TReplyControl& replyCtl, int clearCount,
                                 int maxTests) const
{
    try {
        TStringList lines;
        replyCtl.GetStatistics(No, lines);
        const QString tests = lines.Values(TestCountKey);
        const QString correct = lines.Values(AnswerCountKey);
        const QString cleared = lines.Values(ClearCountKey);
        item.Checked = DecimalOrZero(cleared) >= clearCount || DecimalOrZero(tests) >= maxTests;
        item.SubItems.append(ZeroIfBlank(tests));
        item.SubItems.append(ZeroIfBlank(correct));
        item.SubItems.append(ZeroIfBlank(cleared));
        item.SubItems.append(FormatPercentStr(correct, tests));
        item.SubItems.append(FormatPercentStr(cleared, tests));
        item.SubItems.append(lines.Values(QStringLiteral("TestTime")));
        item.SubItems.append(FormatDateTimeOrDash(lines.Values(QStringLiteral("EndDate"))));
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("ShowSetList"), s);
        WriteLog(QStringLiteral("TAnswerText"), s);
    }
}

const TAnswer* TAnswerText::AddAllToListView(TListView& listView) const
{
    try {
        QString question;
        QuestionControl->GetText(No, question);
        TStringList lines;
        ReplyControl->GetStatistics(No, lines);
        const QString tests = lines.Values(TestCountKey);
        const QString correct = lines.Values(AnswerCountKey);
        const QString cleared = lines.Values(ClearCountKey);
        TListItem& item = listView.AddItem();
        item.Caption = NumberCaption(No);
        item.SubItems = {question,
                         Data,
                         ZeroIfBlank(tests),
                         ZeroIfBlank(correct),
                         ZeroIfBlank(cleared),
                         FormatPercentStr(correct, tests),
                         FormatPercentStr(cleared, tests)};
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("ShowAllList"), s);
        WriteLog(QStringLiteral("TAnswerText"), s);
    }
    return TAnswer::AddAllToListView(listView);
}

TAnswer* TAnswer::Show(int, QWidget*)
{
    return Next.get();
}

const TAnswer* TAnswer::AddToListView(int, TListView&, TReplyControl&, int, int, TRowList&) const
{
    return Next.get();
}

const TAnswer* TAnswer::AddAllToListView(TListView&) const
{
    return Next.get();
}

TAnswer* TAnswerText::Show(int no, QWidget* control)
{
    if (no == No)
        ShowTextComponent(control, Data);
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerImage::Show(int no, QWidget* control)
{
    if (no != No)
        return TAnswer::Show(no, control);
    // A picture that cannot be shown (missing, damaged, too large) leaves the image as it
    // was, and the log names it once.
    try {
        if (auto* image = qobject_cast<TImage*>(control))
            image->LoadFromFile(DataPath());
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("Show"), s);
        WriteLogOnce(QStringLiteral("TAnswerImage"), s);
    }
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerVoice::Show(int no, QWidget* control)
{
    if (no != No)
        return TAnswer::Show(no, control);
    try {
        const QString path = DataPath();
        // Whether it played is of no concern here: a sound that cannot play is silence.
        if (FileExists(path))
            PlayWaveFile(path);
    } catch (const std::exception& e) {
        QString s;
        DescribeError(e, QStringLiteral("Show"), s);
        WriteLog(QStringLiteral("TAnswerVoice"), s);
    }
    return TAnswer::Show(no, control);
}

TAnswer* TAnswerNull::Show(int, QWidget*)
{
    return nullptr;
}

const TAnswer* TAnswerNull::AddToListView(int, TListView&, TReplyControl&, int, int,
                                          TRowList&) const
{
    return nullptr;
}

const TAnswer* TAnswerNull::AddAllToListView(TListView&) const
{
    return nullptr;
}
