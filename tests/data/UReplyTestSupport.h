#pragma once
// Shared by the reply tests: a fresh program folder with a category folder, the units of
// replies, settings and the reply store started, and Reply.cds files written and read
// back in stored order by the dataset engine.

#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <vector>

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
        : units_(ProgramUnits({"UReply", "USetting", "UReplyControl"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    QString ReplyPath() const { return Folder() + QStringLiteral("Reply.cds"); }

    // Writes the rows, in this stored order, as the folder's Reply.cds.
    void WriteReplies(const std::vector<TReplyRow>& rows) const
    {
        WriteReplyFile(ReplyPath(), rows);
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
