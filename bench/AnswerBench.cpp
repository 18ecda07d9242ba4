// The answer store of a category of 2,000 questions with 100,000 replies: loading it, the
// answer list of one test unit of 100 questions, and the finished count of all 2,000
// questions (what the unit list asks for every unit together). The first 1,000
// questions have 95 replies each, the other 1,000 five each.
#include "bench/BenchApplication.h"
#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/text/StringList.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Questions = 2000;
constexpr int Replies = 100000;
constexpr int UnitSize = 100;
constexpr double Second = 1.0 / 86400.0;

void WriteAnswers(const QString& folder)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (int no = 1; no <= Questions; ++no) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        // One answer in fifty is a picture.
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(no % 50 == 0 ? 2 : 1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("こたえ%1").arg(no));
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Answer.cds"));
}

void WriteReplies(const QString& folder)
{
    TClientDataSet ds;
    DefineReplyFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (int i = 0; i < Replies; ++i) {
        // The first half of the questions asked 95 times, the second half 5 times, in
        // tests that mix both halves.
        const int no = i % 20 == 0 ? Questions / 2 + 1 + (i / 20) % (Questions / 2)
                                   : 1 + (i - i / 20 - 1) % (Questions / 2);
        const double shown = 46000.0 + i * 12 * Second;
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(2);
        ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(shown + (i % 9 + 1) * Second);
        ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(shown);
        ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(shown + (i % 9 + 1.5) * Second);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("こたえ%1").arg(i));
        // Every third question is passed each time: of the second half only these are
        // finished.
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(no % 3 == 0);
        ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(i % 2 == 0);
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Reply.cds"));
}

// The category folder with its Answer.cds and Reply.cds, written once.
const QString& Folder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/");
        WriteAnswers(path);
        WriteReplies(path);
        return path;
    }();
    return folder;
}

// The units and a widget application, started once; the category is open.
void OpenCategory()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"UQuestion", "UQuestionControl", "UReply", "USetting",
                                      "UReplyControl", "UAnswer", "UAnswerControl"}));
    if (Setting->Folder != Folder())
        SettingClass->CreateInstance(Folder());
    if (ReplyControl->Folder != Folder())
        ReplyControlClass->CreateInstance(Folder());
    if (AnswerControl->Folder != Folder())
        AnswerControlClass->CreateInstance(Folder());
}

TStringList NumbersFrom(int first, int count)
{
    TStringList numbers;
    for (int no = first; no < first + count; ++no)
        numbers.Add(QString::number(no));
    return numbers;
}

void BM_AnswerStoreLoad(benchmark::State& state)
{
    OpenCategory();
    for (auto _ : state)
        AnswerControlClass->CreateInstance(Folder());
}
BENCHMARK(BM_AnswerStoreLoad)->Unit(benchmark::kMillisecond);

void BM_AnswerListOfAUnitOf100(benchmark::State& state)
{
    OpenCategory();
    const TStringList numbers = NumbersFrom(1001, UnitSize);
    TListView list;
    list.SetOwnerData(true);
    TRowList rows;
    for (auto _ : state) {
        rows.clear();
        AnswerControl->FillListView(numbers, list, rows);
        list.SetItemCount(static_cast<int>(rows.size()));
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_AnswerListOfAUnitOf100)->Unit(benchmark::kMillisecond);

void BM_AnswerCountFinishedOfAll2000(benchmark::State& state)
{
    OpenCategory();
    const TStringList numbers = NumbersFrom(1, Questions);
    int finished = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(finished = AnswerControl->CountFinished(numbers));
    state.counters["finished"] = finished;
}
BENCHMARK(BM_AnswerCountFinishedOfAll2000)->Unit(benchmark::kMillisecond);

} // namespace
