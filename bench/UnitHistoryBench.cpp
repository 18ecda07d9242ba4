// The history store of a category whose UnitHistory.cds holds 10,000 rows, 5,000 of them
// of one unit: loading it, and the history list, chart and statistics of that unit, and
// the statistics of all 50 units of the category (what one fill of the unit list asks).
#include "bench/BenchApplication.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
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

constexpr int UnitRows = 5000;
constexpr int OtherRows = 5000;
constexpr int Units = 50;
constexpr int UnitSize = 20;
constexpr int BusyUnit = 1;
constexpr double Second = 1.0 / 86400.0;
const QString All = QStringLiteral("全ての問題");

void AddRow(TClientDataSet& ds, int no, int i)
{
    ds.Append();
    ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(UnitSize);
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
    ds.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(All);
    ds.FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(45000.0 + i / 24.0);
    ds.FieldByName(QStringLiteral("TESTCOUNT")).SetAsInteger(UnitSize);
    ds.FieldByName(QStringLiteral("ANSWERCOUNT")).SetAsInteger(i % (UnitSize + 1));
    ds.FieldByName(QStringLiteral("CLEARCOUNT")).SetAsInteger(i % (UnitSize / 2 + 1));
    ds.FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(-(1.0 + (i % 90) / 10.0) * Second);
    ds.Post();
}

// The category folder with its UnitHistory.cds, written once: the rows of the busy unit
// and of the others alternate.
const QString& Folder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/");
        TClientDataSet ds;
        DefineHistoryFields(ds.FieldDefs());
        ds.CreateDataSet();
        for (int i = 0; i < UnitRows + OtherRows; ++i)
            AddRow(ds, i % 2 == 0 ? BusyUnit : 2 + (i / 2) % (Units - 1), i);
        ds.SaveToFile(path + QStringLiteral("UnitHistory.cds"));
        return path;
    }();
    return folder;
}

// The units and a widget application (for the chart), started once; the store is open.
void OpenStore()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"UUnitHistory", "UUnitHistoryControl"}));
    if (UnitHistoryControl->Folder != Folder())
        UnitHistoryControlClass->CreateInstance(Folder());
}

void BM_HistoryStoreLoad(benchmark::State& state)
{
    OpenStore();
    for (auto _ : state)
        UnitHistoryControlClass->CreateInstance(Folder());
}
BENCHMARK(BM_HistoryStoreLoad)->Unit(benchmark::kMillisecond);

void BM_HistoryListOfAUnitWith5000Rows(benchmark::State& state)
{
    OpenStore();
    TListView list;
    list.SetOwnerData(true);
    TRowList rows;
    for (auto _ : state) {
        ClearListViewObjects(list, rows);
        UnitHistoryControl->FillListView(UnitSize, BusyUnit, All, list, rows);
        list.SetItemCount(static_cast<int>(rows.size()));
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_HistoryListOfAUnitWith5000Rows)->Unit(benchmark::kMillisecond);

void BM_HistoryChartOfAUnitWith5000Rows(benchmark::State& state)
{
    OpenStore();
    TChart chart;
    for (int i = 0; i < 5; ++i)
        chart.AddSeries();
    for (auto _ : state)
        UnitHistoryControl->ShowChart(UnitSize, BusyUnit, All, chart);
    state.counters["points"] = chart.Series(0).Count();
}
BENCHMARK(BM_HistoryChartOfAUnitWith5000Rows)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same for a unit of about 100 rows, to show how the chart's cost grows.
void BM_HistoryChartOfAUnitWith100Rows(benchmark::State& state)
{
    OpenStore();
    TChart chart;
    for (int i = 0; i < 5; ++i)
        chart.AddSeries();
    for (auto _ : state)
        UnitHistoryControl->ShowChart(UnitSize, BusyUnit + 1, All, chart);
    state.counters["points"] = chart.Series(0).Count();
}
BENCHMARK(BM_HistoryChartOfAUnitWith100Rows)->Unit(benchmark::kMillisecond);

void BM_HistoryStatisticsOfAUnitWith5000Rows(benchmark::State& state)
{
    OpenStore();
    TStringList lines;
    for (auto _ : state)
        UnitHistoryControl->GetStatistics(UnitSize, BusyUnit, All, lines);
}
BENCHMARK(BM_HistoryStatisticsOfAUnitWith5000Rows)->Unit(benchmark::kMicrosecond);

void BM_HistoryStatisticsOfAll50Units(benchmark::State& state)
{
    OpenStore();
    TStringList lines;
    for (auto _ : state)
        for (int no = 1; no <= Units; ++no)
            UnitHistoryControl->GetStatistics(UnitSize, no, All, lines);
}
BENCHMARK(BM_HistoryStatisticsOfAll50Units)->Unit(benchmark::kMillisecond);

} // namespace
