// Loading and saving a reply file of 200,000 rows (the nine reply fields), and walking it
// in start-time order as the reply store does at program start.
#include "platform/dataset/ClientDataSet.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 200000;

void DefineReplyFields(TClientDataSet& ds)
{
    for (const char* n : {"NO", "TYPE", "STATE"})
        ds.FieldDefs().Add(QString::fromLatin1(n), ftInteger);
    for (const char* n : {"REPLYSTART", "STARTTIME", "ENDTIME"})
        ds.FieldDefs().Add(QString::fromLatin1(n), ftDateTime);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.FieldDefs().Add(QStringLiteral("CLEAR"), ftBoolean);
    ds.FieldDefs().Add(QStringLiteral("ANSWER"), ftBoolean);
}

// The reply file of the benchmarks, written once: typed Japanese answers and picture paths.
const QString& ReplyFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("Reply.cds"));
        TClientDataSet ds;
        DefineReplyFields(ds);
        ds.CreateDataSet();
        for (int i = 0; i < Rows; ++i) {
            const double start = 45000.0 + i / 1000.0;
            ds.Append();
            ds.FieldByName(QStringLiteral("NO")).SetAsInteger(i % 500 + 1);
            ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(i % 3 == 0 ? 2 : 1);
            ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(2);
            ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(start + 2.0 / 86400);
            ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(start);
            ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(start + 7.5 / 86400);
            ds.FieldByName(QStringLiteral("DATA"))
                .SetAsString(i % 3 == 0 ? QStringLiteral("C:\\Vek\\VEKSample\\Image\\%1.bmp").arg(i)
                                        : QStringLiteral("回答テキスト%1").arg(i));
            ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(i % 2 == 0);
            ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(i % 5 != 0);
            ds.Post();
        }
        ds.SaveToFile(file);
        return file;
    }();
    return path;
}

void Report(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * Rows);
    state.SetBytesProcessed(state.iterations() * QFileInfo(ReplyFile()).size());
}

void BM_ReplyLoad(benchmark::State& state)
{
    const QString& file = ReplyFile();
    for (auto _ : state) {
        TClientDataSet ds;
        ds.LoadFromFile(file);
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    Report(state);
}
BENCHMARK(BM_ReplyLoad)->Unit(benchmark::kMillisecond);

void BM_ReplySave(benchmark::State& state)
{
    TClientDataSet ds;
    ds.LoadFromFile(ReplyFile());
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Reply.cds"));
    for (auto _ : state)
        ds.SaveToFile(target);
    Report(state);
}
BENCHMARK(BM_ReplySave)->Unit(benchmark::kMillisecond);

// Load, index by start time and read every field of every record by name.
void BM_ReplyLoadIndexAndRead(benchmark::State& state)
{
    const QString& file = ReplyFile();
    for (auto _ : state) {
        TClientDataSet ds;
        ds.LoadFromFile(file);
        ds.SetIndexFieldNames(QStringLiteral("REPLYSTART"));
        TField& no = ds.FieldByName(QStringLiteral("NO"));
        TField& start = ds.FieldByName(QStringLiteral("REPLYSTART"));
        TField& data = ds.FieldByName(QStringLiteral("DATA"));
        TField& clear = ds.FieldByName(QStringLiteral("CLEAR"));
        double sum = 0;
        for (ds.First(); !ds.Eof(); ds.Next())
            sum += no.AsInteger() + start.AsDateTime() + data.AsString().size() + clear.AsBoolean();
        benchmark::DoNotOptimize(sum);
    }
    Report(state);
}
BENCHMARK(BM_ReplyLoadIndexAndRead)->Unit(benchmark::kMillisecond);

} // namespace
