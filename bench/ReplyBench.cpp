// The reply store of a category of 2,000 questions and 100,000 replies: loading the store,
// the statistics of every question (what the answer list and the unit list ask), and the
// reply list and chart of one question, each by the per-question index of the store and
// by a walk of the whole chain.
#include "bench/BenchApplication.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Questions = 2000;
constexpr int Replies = 100000;
constexpr int ChartQuestion = 1234;
constexpr double Second = 1.0 / 86400.0;

// The category folder with its Reply.cds, written once.
const QString& Folder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/");
        TClientDataSet ds;
        DefineReplyFields(ds.FieldDefs());
        ds.CreateDataSet();
        for (int i = 0; i < Replies; ++i) {
            // Tests of 20 questions, one after the other, every question asked 50 times.
            const double shown = 46000.0 + i * 12 * Second;
            ds.Append();
            ds.FieldByName(QStringLiteral("NO")).SetAsInteger((i * 7) % Questions + 1);
            ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
            ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(2);
            ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(shown + (i % 9 + 1) * Second);
            ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(shown);
            ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(shown + (i % 9 + 1.5) * Second);
            ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("こたえ%1").arg(i));
            ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(i % 3 == 0);
            ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(i % 2 == 0);
            ds.Post();
        }
        ds.SaveToFile(path + QStringLiteral("Reply.cds"));
        return path;
    }();
    return folder;
}

// The units and a widget application (for the chart), started once; the store is open.
void StartStore()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"UReply", "USetting", "UReplyControl"}));
    if (ReplyControl->Folder != Folder())
        ReplyControlClass->CreateInstance(Folder());
}

void BM_ReplyStoreLoad(benchmark::State& state)
{
    StartStore();
    for (auto _ : state)
        ReplyControlClass->CreateInstance(Folder());
}
BENCHMARK(BM_ReplyStoreLoad)->Unit(benchmark::kMillisecond);

void BM_ReplyStoreStatisticsAllIndexed(benchmark::State& state)
{
    StartStore();
    TStringList lines;
    for (auto _ : state)
        for (int no = 1; no <= Questions; ++no)
            ReplyControl->GetStatistics(no, lines);
}
BENCHMARK(BM_ReplyStoreStatisticsAllIndexed)->Unit(benchmark::kMillisecond);

void BM_ReplyStoreStatisticsAllWalk(benchmark::State& state)
{
    StartStore();
    TStringList lines;
    for (auto _ : state)
        for (int no = 1; no <= Questions; ++no)
            ReplyControl->Head->GetStatistics(no, lines);
}
BENCHMARK(BM_ReplyStoreStatisticsAllWalk)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReplyStoreFillListViewIndexed(benchmark::State& state)
{
    StartStore();
    TListView list;
    TRowList rows;
    for (auto _ : state) {
        rows.clear();
        ReplyControl->FillListView(ChartQuestion, list, rows);
    }
}
BENCHMARK(BM_ReplyStoreFillListViewIndexed)->Unit(benchmark::kMicrosecond);

void BM_ReplyStoreFillListViewWalk(benchmark::State& state)
{
    StartStore();
    TListView list;
    TRowList rows;
    const TReply* head = ReplyControl->Head.get();
    for (auto _ : state) {
        rows.clear();
        WalkChain(head, [&](const TReply& r) { return r.AddToListView(ChartQuestion, list, rows); });
    }
}
BENCHMARK(BM_ReplyStoreFillListViewWalk)->Unit(benchmark::kMicrosecond);

// The reply chart of the data screen: the zero line, the totals, the times until the start.
void AddReplySeries(TChart& chart)
{
    for (int i = 0; i < 3; ++i)
        chart.AddSeries();
}

void BM_ReplyStoreShowChartIndexed(benchmark::State& state)
{
    StartStore();
    TChart chart;
    AddReplySeries(chart);
    for (auto _ : state)
        ReplyControl->ShowChart(ChartQuestion, chart);
}
BENCHMARK(BM_ReplyStoreShowChartIndexed)->Unit(benchmark::kMicrosecond);

void BM_ReplyStoreShowChartWalk(benchmark::State& state)
{
    StartStore();
    TChart chart;
    AddReplySeries(chart);
    const TReply* head = ReplyControl->Head.get();
    for (auto _ : state) {
        ReplyControl->SetupChart(chart);
        WalkChain(head, [&](const TReply& r) { return r.AddToChart(ChartQuestion, chart); });
        PadChartSeries(chart);
    }
}
BENCHMARK(BM_ReplyStoreShowChartWalk)->Unit(benchmark::kMicrosecond);

} // namespace
