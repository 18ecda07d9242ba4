#pragma once
// Shared by the reply tests: a fresh program folder with a category folder, the units of
// replies, settings and the reply store started, and Reply.cds files written and read
// back in stored order by the dataset engine.

#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <vector>

// One record of Reply.cds.
struct TReplyRow {
    int No = 0;
    int Type = ReplyTypeText;
    int State = ReplyStateWritten;
    TDateTime ReplyStart = 0.0;
    TDateTime StartTime = 0.0;
    TDateTime EndTime = 0.0;
    QString Data;
    bool Clear = false;
    bool Answer = false;
};

inline constexpr TDateTime Second = 1.0 / 86400.0;

// A reply of question `no` shown at `start` (days), begun after `begun` and registered
// after `total` seconds.
inline TReplyRow Row(int no, TDateTime start, double begun, double total, const QString& data = {},
                     bool clear = false, bool answer = false)
{
    return {no, ReplyTypeText, ReplyStateWritten, start + begun * Second, start,
            start + total * Second, data, clear, answer};
}

class ReplyFolder : public testing::Test {
protected:
    ReplyFolder()
        : units_({{"UReply", InitializeUReply, FinalizeUReply},
                  {"USetting", InitializeUSetting, FinalizeUSetting},
                  {"UReplyControl", InitializeUReplyControl, FinalizeUReplyControl}})
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    QString ReplyPath() const { return Folder() + QStringLiteral("Reply.cds"); }

    // Writes the rows, in this stored order, as the folder's Reply.cds.
    void WriteReplies(const std::vector<TReplyRow>& rows) const
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
        ds.SaveToFile(ReplyPath());
    }

    // The records of Reply.cds in stored order.
    std::vector<TReplyRow> StoredReplies() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(ReplyPath());
        std::vector<TReplyRow> rows;
        for (ds.First(); !ds.Eof(); ds.Next()) {
            rows.push_back({ds.FieldByName(QStringLiteral("NO")).AsInteger(),
                            ds.FieldByName(QStringLiteral("TYPE")).AsInteger(),
                            ds.FieldByName(QStringLiteral("STATE")).AsInteger(),
                            ds.FieldByName(QStringLiteral("REPLYSTART")).AsDateTime(),
                            ds.FieldByName(QStringLiteral("STARTTIME")).AsDateTime(),
                            ds.FieldByName(QStringLiteral("ENDTIME")).AsDateTime(),
                            ds.FieldByName(QStringLiteral("DATA")).AsString(),
                            ds.FieldByName(QStringLiteral("CLEAR")).AsBoolean(),
                            ds.FieldByName(QStringLiteral("ANSWER")).AsBoolean()});
        }
        return rows;
    }

    // The question numbers of the stored records, in stored order.
    std::vector<int> StoredNumbers() const
    {
        std::vector<int> numbers;
        for (const TReplyRow& row : StoredReplies())
            numbers.push_back(row.No);
        return numbers;
    }

    void Open() const { ReplyControlClass->CreateInstance(Folder()); }

    TempProgramFolder program_;
    TUnits units_;
};

// The question numbers of the chain from head on, without its TReplyNull.
inline std::vector<int> ChainNumbers(const TReply* head)
{
    std::vector<int> numbers;
    for (const TReply* r = head; r && r->Next; r = r->Next.get())
        numbers.push_back(r->No);
    return numbers;
}

// The states of the chain from head on, without its TReplyNull.
inline std::vector<int> ChainStates(const TReply* head)
{
    std::vector<int> states;
    for (const TReply* r = head; r && r->Next; r = r->Next.get())
        states.push_back(r->State);
    return states;
}
