#include "tests/support/CategoryFiles.h"

#include "data/UReplyControl.h"
#include "data/UUnitHistoryControl.h"
#include "platform/dataset/ClientDataSet.h"

void WriteRecordFile(const QString& path, const std::vector<TRecordRow>& rows)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (const TRecordRow& row : rows) {
        ds.Append();
        if (row.No)
            ds.FieldByName(QStringLiteral("NO")).SetAsInteger(*row.No);
        if (row.Type)
            ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(*row.Type);
        if (row.Data)
            ds.FieldByName(QStringLiteral("DATA")).SetAsString(*row.Data);
        ds.Post();
    }
    ds.SaveToFile(path);
}

void WriteReplyFile(const QString& path, const std::vector<TReplyRow>& rows)
{
    TClientDataSet ds;
    DefineReplyFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (const TReplyRow& row : rows) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(row.No);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(row.Type);
        ds.FieldByName(QStringLiteral("STATE")).SetAsInteger(row.State);
        ds.FieldByName(QStringLiteral("REPLYSTART")).SetAsDateTime(row.ReplyStart);
        ds.FieldByName(QStringLiteral("STARTTIME")).SetAsDateTime(row.StartTime);
        ds.FieldByName(QStringLiteral("ENDTIME")).SetAsDateTime(row.EndTime);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(row.Data);
        ds.FieldByName(QStringLiteral("CLEAR")).SetAsBoolean(row.Clear);
        ds.FieldByName(QStringLiteral("ANSWER")).SetAsBoolean(row.Answer);
        ds.Post();
    }
    ds.SaveToFile(path);
}

void WriteHistoryFile(const QString& path, const std::vector<THistoryRow>& rows)
{
    TClientDataSet ds;
    DefineHistoryFields(ds.FieldDefs());
    ds.CreateDataSet();
    for (const THistoryRow& row : rows) {
        ds.Append();
        ds.FieldByName(QStringLiteral("COUNT")).SetAsInteger(row.Count);
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(row.No);
        ds.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(row.SubCategory);
        ds.FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(row.TestDate);
        ds.FieldByName(QStringLiteral("TESTCOUNT")).SetAsInteger(row.TestCount);
        ds.FieldByName(QStringLiteral("ANSWERCOUNT")).SetAsInteger(row.AnswerCount);
        ds.FieldByName(QStringLiteral("CLEARCOUNT")).SetAsInteger(row.ClearCount);
        ds.FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(row.Average);
        ds.Post();
    }
    ds.SaveToFile(path);
}
