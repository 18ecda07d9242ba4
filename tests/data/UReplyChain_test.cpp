// Long chains and the per-question index of the reply store: a million replies load, are
// walked and freed on a small stack; the index answers exactly what a walk of the whole
// chain answers, also after adding, deleting and clearing.
#include "UReplyTestSupport.h"

#include "data/UConstDisplay.h"
#include "platform/core/Exception.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"

#include <QThread>
#include <random>

namespace {

using ReplyChains = ReplyFolder;

const TDateTime Day = EncodeDateTime(2026, 1, 5, 9, 0, 0, 0);

// Runs work on a thread whose stack is far smaller than a recursion over the chain would
// need; the message of an exception it raised, empty when none.
QString OnSmallStack(const std::function<void()>& work)
{
    QString error;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            error = ExceptMessage();
        }
    }));
    thread->setStackSize(512 * 1024);
    thread->start();
    thread->wait();
    return error;
}

// The store's chain, for walks of its read-only operations.
const TReply* Chain()
{
    return ReplyControl->Head.get();
}

QStringList WalkStatistics(int no)
{
    TStringList lines;
    ReplyControl->Head->GetStatistics(no, lines);
    return lines.Lines();
}

QStringList IndexStatistics(int no)
{
    TStringList lines;
    ReplyControl->GetStatistics(no, lines);
    return lines.Lines();
}

QStringList RowTexts(const TRowList& rows)
{
    QStringList texts;
    for (const auto& row : rows)
        texts << row->Caption + u'|' + row->SubItems.join(u'|');
    return texts;
}

std::vector<double> Points(TChart& chart)
{
    std::vector<double> values;
    for (int s = 0; s < 3; ++s)
        for (int i = 0; i < chart.Series(s).Count(); ++i)
            values.push_back(chart.Series(s).YValue(i));
    return values;
}

// Every per-question answer of the store against a walk of its whole chain.
void ExpectIndexMatchesWalk(int maxNo)
{
    TListView list;
    TChart walked;
    TChart indexed;
    for (int i = 0; i < 3; ++i) {
        walked.AddSeries();
        indexed.AddSeries();
    }
    for (int no = 0; no <= maxNo; ++no) {
        EXPECT_EQ(IndexStatistics(no), WalkStatistics(no)) << no;
        int count = 0;
        WalkChain(Chain(), [&](const TReply& r) { return r.CountTests(no, count); });
        EXPECT_EQ(ReplyControl->CountTests(no), count) << no;

        TRowList byWalk;
        TRowList byIndex;
        WalkChain(Chain(),
                  [&](const TReply& r) { return r.AddToListView(no, list, byWalk); });
        ReplyControl->FillListView(no, list, byIndex);
        EXPECT_EQ(RowTexts(byIndex), RowTexts(byWalk)) << no;

        ReplyControl->SetupChart(walked);
        WalkChain(Chain(), [&](const TReply& r) { return r.AddToChart(no, walked); });
        PadChartSeries(walked);
        ReplyControl->ShowChart(no, indexed);
        EXPECT_EQ(Points(indexed), Points(walked)) << no;
    }
}

} // namespace

TEST_F(ReplyChains, AMillionRepliesLoadAreWalkedAndFreedOnASmallStack)
{
    constexpr int Count = 1'000'000;
    std::vector<TReplyRow> rows;
    rows.reserve(Count);
    for (int i = 0; i < Count; ++i)
        rows.push_back(Row(i % 1000, Day + i * 20 * Second, 1, 3, {}, i % 4 == 0, i % 2 == 0));
    WriteReplies(rows);
    rows.clear();

    QStringList statistics;
    int first = -2;
    int tests = -1;
    const QString error = OnSmallStack([&] {
        Open();
        ReplyControl->AddRecord(ReplyTypeText, 7, Day + 100, Day + 100, Day + 100 + Second, {});
        first = ReplyControl->FirstUnjudged();
        tests = ReplyControl->CountTests(7);
        statistics = WalkStatistics(8);
        ReplyControlClass->CreateInstance(program_.Path()); // frees the chain
    });
    EXPECT_EQ(error, QString());
    EXPECT_EQ(first, 7);
    EXPECT_EQ(tests, 1001);
    EXPECT_EQ(statistics.mid(2), (QStringList{QStringLiteral("TestCount=1000"),
                                              QStringLiteral("AnswerCount=1000"),
                                              QStringLiteral("ClearCount=1000")}));
}

TEST_F(ReplyChains, TheIndexAnswersWhatAWalkOfTheWholeChainAnswers)
{
    std::mt19937 random(20261209);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<TReplyRow> rows;
    for (int i = 0; i < 3000; ++i) {
        // Few distinct start times, so that ties between replies of a question occur.
        const TDateTime shown = Day + pick(200) * 15 * Second;
        TReplyRow row = Row(1 + pick(60), shown, pick(11000) / 1000.0, pick(10001) / 1000.0, {},
                            pick(2) == 1, pick(2) == 1);
        row.Type = 1 + pick(3);
        row.State = pick(3);
        rows.push_back(row);
    }
    WriteReplies(rows);
    Open();
    for (int i = 0; i < 40; ++i) {
        const TDateTime shown = Day + pick(200) * 15 * Second;
        ReplyControl->AddRecord(ReplyTypeText, 1 + pick(62), shown + Second, shown, shown + 4 * Second, {});
    }
    ExpectIndexMatchesWalk(63);

    TStringList numbers;
    for (int no = 1; no <= 60; no += 3)
        numbers.Add(QString::number(no));
    ReplyControl->FirstUnjudged();
    ReplyControl->JudgeCurrent(true, Second);
    ReplyControl->DeleteRecords(numbers);
    ExpectIndexMatchesWalk(63);

    ReplyControl->ClearAll();
    ExpectIndexMatchesWalk(3);
}
