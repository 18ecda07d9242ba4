#pragma once
// Shared by the unit-history tests: a fresh program folder with two category folders,
// the history units started, and UnitHistory.cds files written and read back in stored
// order by the dataset engine.

#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/datetime/DateTime.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

class HistoryFolder : public testing::Test {
protected:
    HistoryFolder()
        : units_(ProgramUnits({"UUnitHistory", "UUnitHistoryControl"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
        program_.MakeDir(QStringLiteral("VEKOther"));
    }

    // The category folders, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    QString OtherFolder() const { return program_.FilePath(QStringLiteral("VEKOther/")); }
    QString HistoryPath() const { return Folder() + QStringLiteral("UnitHistory.cds"); }

    // Writes the rows, in this stored order, as the folder's UnitHistory.cds with the
    // eight history fields.
    void WriteHistory(const std::vector<THistoryRow>& rows) const
    {
        WriteHistoryFile(HistoryPath(), rows);
    }

    // The rows of UnitHistory.cds in stored order.
    std::vector<THistoryRow> StoredHistory() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(HistoryPath());
        std::vector<THistoryRow> rows;
        for (ds.First(); !ds.Eof(); ds.Next())
            rows.push_back({ds.FieldByName(QStringLiteral("COUNT")).AsInteger(),
                            ds.FieldByName(QStringLiteral("NO")).AsInteger(),
                            ds.FieldByName(QStringLiteral("SUBCATEGORY")).AsString(),
                            ds.FieldByName(QStringLiteral("TESTDATE")).AsDateTime(),
                            ds.FieldByName(QStringLiteral("AVERAGE")).AsDateTime(),
                            ds.FieldByName(QStringLiteral("TESTCOUNT")).AsInteger(),
                            ds.FieldByName(QStringLiteral("ANSWERCOUNT")).AsInteger(),
                            ds.FieldByName(QStringLiteral("CLEARCOUNT")).AsInteger()});
        return rows;
    }

    // The unit numbers of the stored rows, in stored order.
    std::vector<int> StoredNumbers() const
    {
        std::vector<int> numbers;
        for (const THistoryRow& row : StoredHistory())
            numbers.push_back(row.No);
        return numbers;
    }

    void Open() const { UnitHistoryControlClass->CreateInstance(Folder()); }

    void Add(const THistoryRow& row) const
    {
        UnitHistoryControl->AddRecord(row.Count, row.No, row.SubCategory, row.TestDate, row.Average,
                                      row.TestCount, row.AnswerCount, row.ClearCount);
    }

    QString Log() const
    {
        const QString path = program_.FilePath(QStringLiteral("Vek.Log"));
        return QFile::exists(path) ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))) : QString();
    }

    TempProgramFolder program_;
    TUnits units_;
};

// The unit numbers of the chain from head on, without its TUnitHistoryNull.
inline std::vector<int> HistoryChainNumbers(const TUnitHistory* head)
{
    std::vector<int> numbers;
    for (const TUnitHistory* r = head; r && r->Next; r = r->Next.get())
        numbers.push_back(r->No);
    return numbers;
}

// A chart laid out as the data screen's history chart: five series.
inline void AddHistorySeries(TChart& chart)
{
    for (int i = 0; i < 5; ++i)
        chart.AddSeries();
}

inline QStringList HistoryRowTexts(const TRowList& rows)
{
    QStringList texts;
    for (const auto& row : rows)
        texts << row->Caption + u'|' + row->SubItems.join(u'|');
    return texts;
}

inline QStringList HistoryStatistics(int count, int no, const QString& name)
{
    TStringList lines;
    UnitHistoryControl->GetStatistics(count, no, name, lines);
    return lines.Lines();
}
