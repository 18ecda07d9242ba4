// The subset editor on a category of 2,000 text questions with 100,000 replies and a
// subset of 1,000 of them: opening until both lists are painted, moving every row to the
// other list and back, and sorting by the correct rate.
#include "bench/BenchApplication.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USubCategory.h"
#include "data/USetting.h"
#include "shell/ProgramUnits.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ListView.h"
#include "screens/subset/UfrmCategoryCreate.h"
#include "screens/subset/UfrmCategoryName.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int Questions = 2000;
constexpr int Replies = 100000;
constexpr double Second = 1.0 / 86400.0;
constexpr int CorrectRateColumn = 6;
const QString SubsetName = QStringLiteral("偶数");

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

// 50 replies per question; how many are correct and passed varies with the question.
void WriteReplies(const QString& folder)
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
        ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(start + 3 * Second);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("回答%1").arg(i));
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(round < no % 17);
        ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(round < no % 37);
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Reply.cds"));
}

// The category folder, written once: the even questions make the saved subset.
const QString& Folder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/VEKSubset/");
        QDir().mkpath(path);
        WriteTexts(path + QStringLiteral("Question.cds"), QStringLiteral("問題"));
        WriteTexts(path + QStringLiteral("Answer.cds"), QStringLiteral("答え"));
        WriteReplies(path);
        QStringList even;
        for (int no = 2; no <= Questions; no += 2)
            even << QString::number(no);
        QFile file(path + SubsetName + QStringLiteral(".sub"));
        if (file.open(QIODevice::WriteOnly))
            file.write(EncodeAnsi(even.join(u',') + QStringLiteral(" \r\n")));
        TIniFile(path + QStringLiteral("Control.inf"))
            .WriteString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), SubsetName);
        return path;
    }();
    return folder;
}

// The units and a widget application, started once; the category is current as the data
// screen leaves it before it opens the editor.
void OpenCategory()
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"UReply", "USetting", "UReplyControl", "USubCategory", "UfrmCategoryName", "UfrmCategoryCreate"}));
    if (SubCategory->Folder != Folder())
        SubCategory->SetFolder(Folder());
    if (ReplyControl->Folder != Folder())
        ReplyControlClass->CreateInstance(Folder());
}

// Paints both lists now, as the screen does when they are shown or changed.
void PaintLists()
{
    frmCategoryCreate->lvAnswerUnit->viewport()->repaint();
    frmCategoryCreate->lvSubCategory->viewport()->repaint();
}

// The editor shown without its modal run, so that the benchmark drives it.
class TOpenEditor {
public:
    TOpenEditor()
    {
        CategoryCreateControl = CategoryCreateControlClass->Create(Folder());
        frmCategoryCreate->show();
        QApplication::processEvents();
        PaintLists();
    }
    ~TOpenEditor() { CategoryCreateControl.reset(); }
    TOpenEditor(const TOpenEditor&) = delete;
    TOpenEditor& operator=(const TOpenEditor&) = delete;
};

// From the data screen's call until both lists have painted their rows.
void BM_SubsetEditorOpen(benchmark::State& state)
{
    OpenCategory();
    for (auto _ : state) {
        QElapsedTimer clock;
        double seconds = 0;
        bool halves = false;
        QTimer::singleShot(0, [&] {
            PaintLists();
            seconds = clock.nsecsElapsed() / 1e9;
            halves = frmCategoryCreate->lvAnswerUnit->ItemCount() == Questions / 2
                     && frmCategoryCreate->lvSubCategory->ItemCount() == Questions / 2;
            frmCategoryCreate->done(mrCancel);
        });
        clock.start();
        CategoryCreateControlClass->Execute(Folder());
        state.SetIterationTime(seconds);
        if (!halves) {
            state.SkipWithError("the lists do not hold the subset and the rest");
            break;
        }
    }
}
BENCHMARK(BM_SubsetEditorOpen)->Unit(benchmark::kMillisecond)->UseManualTime();

// ">>" and then "<<", each with the lists painted.
void BM_SubsetEditorMoveAllRightAndBack(benchmark::State& state)
{
    OpenCategory();
    TOpenEditor editor;
    for (auto _ : state) {
        frmCategoryCreate->btnRightAll->click();
        PaintLists();
        frmCategoryCreate->btnLeftAll->click();
        PaintLists();
    }
    if (frmCategoryCreate->lvAnswerUnit->ItemCount() != Questions)
        state.SkipWithError("not every row came back");
}
BENCHMARK(BM_SubsetEditorMoveAllRightAndBack)->Unit(benchmark::kMillisecond);

// Every row selected and moved with ">", then every row selected and moved back with "<".
void BM_SubsetEditorMoveSelectedRightAndBack(benchmark::State& state)
{
    OpenCategory();
    TOpenEditor editor;
    frmCategoryCreate->btnLeftAll->click();
    for (auto _ : state) {
        frmCategoryCreate->lvAnswerUnit->selectAll();
        frmCategoryCreate->btnRight->click();
        PaintLists();
        frmCategoryCreate->lvSubCategory->selectAll();
        frmCategoryCreate->btnLeft->click();
        PaintLists();
    }
    if (frmCategoryCreate->lvAnswerUnit->ItemCount() != Questions)
        state.SkipWithError("not every row came back");
}
BENCHMARK(BM_SubsetEditorMoveSelectedRightAndBack)->Unit(benchmark::kMillisecond);

// A click on the header "正解率" of the left list holding all 2,000 rows (ascending and
// descending by turns), with the list painted.
void BM_SubsetEditorSortByCorrectRate(benchmark::State& state)
{
    OpenCategory();
    TOpenEditor editor;
    TListView& list = *frmCategoryCreate->lvAnswerUnit;
    frmCategoryCreate->btnLeftAll->click();
    for (auto _ : state) {
        emit list.header()->sectionClicked(CorrectRateColumn);
        list.viewport()->repaint();
    }
}
BENCHMARK(BM_SubsetEditorSortByCorrectRate)->Unit(benchmark::kMillisecond);

} // namespace
