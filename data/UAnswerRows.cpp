// The rows of text answers: the answer list of a test unit with each question's reply
// statistics, and the list of every text answer.
#include "data/UAnswer.h"

#include "data/UConst.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/vcl/ListView.h"

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
