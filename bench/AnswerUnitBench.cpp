// The unit list of a category of 2,000 questions at unit size 10 (200 units), with
// 100,000 replies and 5,000 history rows: what the data screen fills when it opens and
// after every test.
#include "bench/BenchApplication.h"
#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Questions = 2000;
constexpr int Replies = 100000;
constexpr int HistoryRows = 5000;
constexpr int UnitSize = 10;
constexpr double Second = 1.0 / 86400.0;
const QString All = QStringLiteral("全ての問題");

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
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("答え%1").arg(no));
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Answer.cds"));
}

// 50 replies per question, a third of them passed.
void WriteReplies(const QString& folder)
{
    TClientDataSet ds;
    DefineReplyFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (int i = 0; i < Replies; ++i) {
        const double start = 46000.0 + i * 10 * Second;
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(i % Questions + 1);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(ReplyTypeText);
        ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(ReplyStateWritten);
        ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(start + Second);
        ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(start);
        ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(start + 3 * Second);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("回答%1").arg(i));
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(i % 3 == 0);
        ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(i % 3 != 2);
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Reply.cds"));
}

// 25 tests of every unit of size 10 of all questions.
void WriteHistory(const QString& folder)
{
    TClientDataSet ds;
    DefineHistoryFields(ds.FieldDefs());
    ds.CreateDataSet();
    constexpr int units = Questions / UnitSize;
    for (int i = 0; i < HistoryRows; ++i) {
        ds.Append();
        ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(UnitSize);
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(i % units + 1);
        ds.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(All);
        ds.FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(46000.0 + i / 100.0);
        ds.FieldByName(QStringLiteral("TESTCOUNT")).SetAsInteger(UnitSize);
        ds.FieldByName(QStringLiteral("ANSWERCOUNT")).SetAsInteger(7);
        ds.FieldByName(QStringLiteral("CLEARCOUNT")).SetAsInteger(4);
        ds.FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(-3.5 * Second);
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("UnitHistory.cds"));
}

// The category folder, written once.
const QString& Folder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/VEKBench/");
        QDir().mkpath(path);
        WriteAnswers(path);
        WriteReplies(path);
        WriteHistory(path);
        TIniFile(path + QStringLiteral("Control.inf"))
            .WriteString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), All);
        return path;
    }();
    return folder;
}

// A widget application (for the list view) and the units, started once; the stores of
// the category are open, in the data screen's order.
void OpenCategory()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"USubCategory", "UReply", "USetting", "UReplyControl",
                                      "UAnswer", "UAnswerControl", "UUnitHistory",
                                      "UUnitHistoryControl", "UAnswerUnit", "UAnswerUnitControl"}));
    if (SubCategory->Folder == Folder())
        return;
    SettingClass->CreateInstance(Folder());
    SubCategory->SetFolder(Folder());
    AnswerUnitControlClass->CreateInstance(Folder(), UnitSize);
    UnitHistoryControlClass->CreateInstance(Folder());
    ReplyControlClass->CreateInstance(Folder());
    AnswerControlClass->CreateInstance(Folder());
}

void BM_AnswerUnitFillListView(benchmark::State& state)
{
    OpenCategory();
    TListView list;
    TRowList rows;
    for (auto _ : state) {
        rows.clear();
        AnswerUnitControl->FillListView(UnitSize, list, rows);
    }
    if (rows.size() != Questions / UnitSize)
        state.SkipWithError("wrong number of unit rows");
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(rows.size()));
}
BENCHMARK(BM_AnswerUnitFillListView)->Unit(benchmark::kMillisecond);

} // namespace
