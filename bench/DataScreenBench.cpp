// The data screen on a category of 2,000 text questions with 100,000 replies and 5,000
// history rows, unit size 10 (200 units): the full reload of the subset box with both
// charts drawn, the opening until the first paint has selected the saved unit, and one
// unit or one question selected. The argument is the number of history rows of unit 1,
// the unit the reload selects and the opening restores: 25 when the rows are spread
// evenly, 1,000 when one unit holds a fifth of them, 5,000 when it holds all; the other
// rows are spread over the other units. Each step ends with the window painted; the
// closing starts from a window painted with unit 1.
#include "bench/BenchApplication.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/UUnitHistoryControl.h"
#include "shell/ProgramUnits.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"
#include "screens/data/UfrmData.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <functional>
#include <map>

namespace {

constexpr int Questions = 2000;
constexpr int Replies = 100000;
constexpr int HistoryRows = 5000;
constexpr int UnitSize = 10;
constexpr int Units = Questions / UnitSize;
constexpr double Second = 1.0 / 86400.0;
const QString AllQuestions = QStringLiteral("全ての問題");

void WriteTexts(const QString& path, const QString& prefix)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (int no = 1; no <= Questions; ++no) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(prefix + QString::number(no));
        ds.Post();
    }
    ds.SaveToFile(path);
}

// 50 replies per question, in the order of the tests; how many are correct and passed
// varies with the question.
void WriteReplies(const QString& path)
{
    TClientDataSet ds;
    DefineReplyFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (int i = 0; i < Replies; ++i) {
        const int no = i % Questions + 1;
        const int round = i / Questions;
        const double start = 46000.0 + i * 10 * Second;
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(ReplyTypeText);
        ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(ReplyStateWritten);
        ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(start + Second);
        ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(start);
        ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(start + (2 + no % 7) * Second);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("回答%1").arg(i));
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(round < no % 17);
        ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(round < no % 37);
        ds.Post();
    }
    ds.SaveToFile(path);
}

// unitOneRows rows of unit 1, the rest round the other units, in date order.
void WriteHistory(const QString& path, int unitOneRows)
{
    TClientDataSet ds;
    DefineHistoryFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (int i = 0; i < HistoryRows; ++i) {
        const int no = i < unitOneRows ? 1 : 2 + (i - unitOneRows) % (Units - 1);
        ds.Append();
        ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(UnitSize);
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(AllQuestions);
        ds.FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(46000.0 + i * 0.01);
        ds.FieldByName(QStringLiteral("TESTCOUNT")).SetAsInteger(UnitSize);
        ds.FieldByName(QStringLiteral("ANSWERCOUNT")).SetAsInteger(i % (UnitSize + 1));
        ds.FieldByName(QStringLiteral("CLEARCOUNT")).SetAsInteger(i % (UnitSize / 2 + 1));
        ds.FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(-(2 + i % 5) * Second);
        ds.Post();
    }
    ds.SaveToFile(path);
}

QTemporaryDir& BenchDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The reply file, written once and copied into each category folder.
const QString& ReplyFile()
{
    static const QString path = [] {
        const QString file = BenchDir().path() + QStringLiteral("/Reply.cds");
        WriteReplies(file);
        return file;
    }();
    return path;
}

// The category folder whose unit 1 holds that many history rows, written once.
QString Folder(int unitOneRows)
{
    static std::map<int, QString> folders;
    if (const auto found = folders.find(unitOneRows); found != folders.end())
        return found->second;
    const QString path = BenchDir().path() + QStringLiteral("/VEKData%1/").arg(unitOneRows);
    QDir().mkpath(path);
    WriteTexts(path + QStringLiteral("Question.cds"), QStringLiteral("問題"));
    WriteTexts(path + QStringLiteral("Answer.cds"), QStringLiteral("答え"));
    QFile::copy(ReplyFile(), path + QStringLiteral("Reply.cds"));
    WriteHistory(path + QStringLiteral("UnitHistory.cds"), unitOneRows);
    TIniFile ini(path + QStringLiteral("Control.inf"));
    ini.WriteInteger(QStringLiteral("単位"), QStringLiteral("単位数"), UnitSize);
    ini.WriteString(QStringLiteral("単位"), QStringLiteral("名称"), QStringLiteral("sbtnSelectUser"));
    ini.WriteInteger(QStringLiteral("単位"), QStringLiteral("ｲﾝﾃﾞｯｸｽ"), 0);
    folders.emplace(unitOneRows, path);
    return path;
}

// The controller of the bench's openings: reachable while the screen is open, and it
// runs the hook once the first paint (which selects the saved unit) has been handled.
class TBenchDataControl : public TfrmDataControl {
public:
    TBenchDataControl() { Current = this; }
    ~TBenchDataControl() override { Current = nullptr; }
    static inline TBenchDataControl* Current = nullptr;
    static inline std::function<void()> AfterFirstPaint;

    void FormPaint() override
    {
        const bool first = !Shown;
        TfrmDataControl::FormPaint();
        if (first && AfterFirstPaint)
            QTimer::singleShot(0, AfterFirstPaint);
    }
};

void StartUnits()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"USubCategory", "UQuestion", "UQuestionControl", "UReply", "USetting", "UfrmSetting", "UReplyControl", "UAnswer", "UAnswerControl", "UUnitHistory", "UUnitHistoryControl", "UAnswerUnit", "UAnswerUnitControl", "UfrmJudge", "UfrmTest", "UfrmCategoryName", "UfrmCategoryCreate", "UfrmData"}));
    DataControlClass = ClassOf<TBenchDataControl, TfrmDataControlClass>();
}

// Opens the screen of the folder, runs script once the first paint is done, then closes.
void RunInScreen(const QString& folder, const std::function<void(TBenchDataControl&)>& script)
{
    TBenchDataControl::AfterFirstPaint = [&script] {
        script(*TBenchDataControl::Current);
        frmData->Close();
    };
    DataControlClass->Execute(QStringLiteral("ベンチ"), folder);
    TBenchDataControl::AfterFirstPaint = nullptr;
}

// Runs the event loop until it has nothing left to do: queued point syncs, chart layouts
// and the updates they ask for.
void Settle()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (int pass = 0; pass < 20 && dispatcher->processEvents(QEventLoop::AllEvents); ++pass) {
    }
}

// The window painted with everything its last step changed: the charts take their points
// and lay their axes out on the next turn of the event loop; once all that has run, the
// whole window, charts with their axes included, is painted.
void Draw(TfrmData& form)
{
    Settle();
    form.repaint();
    Settle();
}

int Points(TChart& chart)
{
    return chart.Series(1).Count();
}

// What a drawn unit 1 shows: its history rows in the list and the chart, its ten
// questions and the replies to question 1 with their chart.
bool ShowsUnitOne(TBenchDataControl& control, int unitOneRows)
{
    TfrmData& form = *frmData;
    return control.UnitNo == 1 && form.lvUnitHistory->ItemCount() == unitOneRows &&
           Points(*form.chtUnitHistory) == unitOneRows && form.lvAnswer->ItemCount() == UnitSize &&
           form.lvReply->ItemCount() == Replies / Questions && Points(*form.chtReply) > 0;
}

// cmbCategoryChange with the change handlers attached: the unit list built anew, unit 1
// selected with its history, questions, replies and both charts, the window painted.
void BM_DataScreenReload(benchmark::State& state)
{
    StartUnits();
    const int unitOneRows = static_cast<int>(state.range(0));
    RunInScreen(Folder(unitOneRows), [&](TBenchDataControl& control) {
        TfrmData& form = *frmData;
        for (auto _ : state) {
            state.PauseTiming();
            form.chtUnitHistory->Series(1).Clear();
            form.chtReply->Series(1).Clear();
            state.ResumeTiming();
            control.cmbCategoryChange();
            Draw(form);
        }
        if (form.lvAnswerUnit->ItemCount() != Units || !ShowsUnitOne(control, unitOneRows))
            state.SkipWithError("the reload did not show unit 1 with both charts");
    });
}
BENCHMARK(BM_DataScreenReload)->Arg(HistoryRows / Units)->Arg(1000)->Unit(benchmark::kMillisecond);

// From Execute until the first paint has selected the saved unit (unit 1) and the paint
// has ended.
void BM_DataScreenOpen(benchmark::State& state)
{
    StartUnits();
    const int unitOneRows = static_cast<int>(state.range(0));
    const QString folder = Folder(unitOneRows);
    for (auto _ : state) {
        QElapsedTimer clock;
        double seconds = 0;
        bool shown = false;
        clock.start();
        RunInScreen(folder, [&](TBenchDataControl& control) {
            seconds = clock.nsecsElapsed() / 1e9;
            shown = ShowsUnitOne(control, unitOneRows);
        });
        state.SetIterationTime(seconds);
        if (!shown) {
            state.SkipWithError("the opening did not select the saved unit");
            break;
        }
    }
}
BENCHMARK(BM_DataScreenOpen)
    ->Arg(HistoryRows / Units)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// A click on unit 1 (lvAnswerUnitChange) with the window painted; unit 2 is selected
// between the timed steps.
void BM_DataScreenSelectUnit(benchmark::State& state)
{
    StartUnits();
    const int unitOneRows = static_cast<int>(state.range(0));
    RunInScreen(Folder(unitOneRows), [&](TBenchDataControl& control) {
        TfrmData& form = *frmData;
        bool shown = true;
        for (auto _ : state) {
            state.PauseTiming();
            form.lvAnswerUnit->SetItemIndex(1);
            Draw(form);
            state.ResumeTiming();
            form.lvAnswerUnit->SetItemIndex(0);
            Draw(form);
            shown = shown && ShowsUnitOne(control, unitOneRows);
        }
        if (!shown)
            state.SkipWithError("selecting unit 1 did not show it");
    });
}
BENCHMARK(BM_DataScreenSelectUnit)->Arg(HistoryRows / Units)->Arg(1000)->Unit(benchmark::kMillisecond);

// A click on the first or the second question of the unit by turns (lvAnswerChange),
// with the window painted.
void BM_DataScreenSelectQuestion(benchmark::State& state)
{
    StartUnits();
    RunInScreen(Folder(static_cast<int>(state.range(0))), [&](TBenchDataControl&) {
        TfrmData& form = *frmData;
        int row = 0;
        bool shown = true;
        for (auto _ : state) {
            row = 1 - row;
            form.lvAnswer->SetItemIndex(row);
            Draw(form);
            shown = shown && form.lvReply->ItemCount() == Replies / Questions &&
                    Points(*form.chtReply) > 0;
        }
        if (!shown)
            state.SkipWithError("selecting a question did not show its replies");
    });
}
BENCHMARK(BM_DataScreenSelectQuestion)->Arg(HistoryRows / Units)->Unit(benchmark::kMillisecond);

// From the close request until the modal run has ended and the form is gone, the window
// painted with unit 1 and its history chart before.
void BM_DataScreenClose(benchmark::State& state)
{
    StartUnits();
    const int unitOneRows = static_cast<int>(state.range(0));
    const QString folder = Folder(unitOneRows);
    for (auto _ : state) {
        QElapsedTimer clock;
        bool shown = false;
        RunInScreen(folder, [&](TBenchDataControl& control) {
            Draw(*frmData);
            shown = ShowsUnitOne(control, unitOneRows);
            clock.start();
        });
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (!shown) {
            state.SkipWithError("the screen did not show unit 1 before closing");
            break;
        }
    }
}
BENCHMARK(BM_DataScreenClose)->Arg(HistoryRows)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
