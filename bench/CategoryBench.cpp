// The category menu's opening with 20, 100 and 1,000 categories of 200 questions each,
// every one with its keys in Menu.inf: the store made (each Answer.cds read), the columns
// set up and the list filled and sorted. Each key is read from Menu.inf afresh, as the
// menu does, so the time grows with the square of the number of categories.
#include "bench/BenchApplication.h"
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "shell/ProgramUnits.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/AppDir.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/ListView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int Questions = 200;

QByteArray AnswerFile(const QString& path)
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
    ds.SaveToFile(path);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The program folder of count categories, made once: the category folders and Menu.inf
// with the three keys of every category.
QString ProgramFolder(int count)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& dir = made[count];
    if (dir)
        return dir->path() + u'/';
    dir = std::make_unique<QTemporaryDir>();
    const QString path = dir->path() + u'/';
    const QByteArray answers = AnswerFile(path + QStringLiteral("answers.cds"));
    QString menu = QStringLiteral("[表示]\r\n");
    QString counts = QStringLiteral("[選択回数]\r\n");
    QString dates = QStringLiteral("[更新日時]\r\n");
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("カテゴリー%1").arg(i, 4, 10, QLatin1Char('0'));
        const QString category = path + QStringLiteral("VEK") + name + u'/';
        QDir().mkpath(category);
        Write(category + QStringLiteral("Answer.cds"), answers);
        Write(category + QStringLiteral("Question.cds"), answers);
        menu += name + QStringLiteral("=1\r\n");
        counts += name + QStringLiteral("=%1\r\n").arg(i % 7);
        dates += name + QStringLiteral("=2012/01/02 03:04:05\r\n");
    }
    Write(path + QStringLiteral("Menu.inf"), EncodeAnsi(menu + counts + dates));
    return path;
}

void BM_CategoryMenuOpen(benchmark::State& state)
{
    EnsureBenchApplication();
    static TUnits units(ProgramUnits({"UCategory", "UCategoryControl"}));
    const int count = static_cast<int>(state.range(0));
    SetAppDirOverride(ProgramFolder(count));
    TListView list;
    for (auto _ : state) {
        CategoryControlClass->CreateInstance();
        CategoryControl->SetupColumns(list);
        CategoryControl->FillListView(list);
        benchmark::DoNotOptimize(list.Item(0));
    }
    if (list.ItemCount() != count)
        state.SkipWithError("wrong number of category rows");
    state.SetItemsProcessed(state.iterations() * count);
    ClearAppDirOverride();
}
BENCHMARK(BM_CategoryMenuOpen)->Arg(20)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
