#pragma once
// The files of a category folder as the tests write them, through the dataset engine:
// Question.cds and Answer.cds (NO, TYPE, DATA of 255 characters), Reply.cds and
// UnitHistory.cds with the stores' own field lists. Each file is written whole, its rows
// in the order given.

#include "data/UReply.h"
#include "platform/datetime/DateTime.h"

#include <QString>
#include <optional>
#include <vector>

// One record of Question.cds or Answer.cds; a column without a value stays empty.
struct TRecordRow {
    std::optional<int> No;
    std::optional<int> Type;
    std::optional<QString> Data;
};

void WriteRecordFile(const QString& path, const std::vector<TRecordRow>& rows);

// The rows of any list of structs with the fields No, Type and Data.
template <class Row>
std::vector<TRecordRow> RecordRows(const std::vector<Row>& rows)
{
    std::vector<TRecordRow> records;
    for (const Row& row : rows)
        records.push_back({row.No, row.Type, row.Data});
    return records;
}

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

void WriteReplyFile(const QString& path, const std::vector<TReplyRow>& rows);

inline constexpr TDateTime HistorySecond = 1.0 / 86400.0;

// One history row, in the order of AddRecord's arguments.
struct THistoryRow {
    int Count = 10;
    int No = 1;
    QString SubCategory = QStringLiteral("全ての問題");
    TDateTime TestDate = 0.0;
    TDateTime Average = -3.5 * HistorySecond;
    int TestCount = 10;
    int AnswerCount = 8;
    int ClearCount = 6;
};

void WriteHistoryFile(const QString& path, const std::vector<THistoryRow>& rows);
