#pragma once
// Shared by the answer tests: a fresh program folder with a category folder, the units
// of questions, replies, settings and answers started, and Answer.cds and Reply.cds
// files written by the dataset engine.

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

struct TAnswerRow {
    int No = 0;
    int Type = 1;
    QString Data;
};

// Replies of one question: how many, how many correct, how many passed (the correct
// ones first, the passed among them), one a minute from `start`, each taking 2.5 s.
struct TReplySet {
    int No = 0;
    int Tests = 0;
    int Correct = 0;
    int Cleared = 0;
};

inline constexpr TDateTime AnswerSecond = 1.0 / 86400.0;

class AnswerFolder : public testing::Test {
protected:
    AnswerFolder()
        : units_(ProgramUnits({"UQuestion", "UQuestionControl", "UReply", "USetting",
                               "UReplyControl", "UAnswer", "UAnswerControl"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }

    void WriteAnswers(const std::vector<TAnswerRow>& rows) const
    {
        WriteRecordFile(Folder() + QStringLiteral("Answer.cds"), RecordRows(rows));
    }

    // The numbers 1..n, answered "a1".."an" as text.
    void WriteTextAnswers(int n) const
    {
        std::vector<TAnswerRow> rows;
        for (int no = 1; no <= n; ++no)
            rows.push_back({no, 1, QStringLiteral("a%1").arg(no)});
        WriteAnswers(rows);
    }

    void WriteReplies(const std::vector<TReplySet>& sets, TDateTime start) const
    {
        std::vector<TReplyRow> rows;
        int minute = 0;
        for (const TReplySet& set : sets)
            for (int i = 0; i < set.Tests; ++i) {
                const TDateTime shown = start + (minute++) * 60 * AnswerSecond;
                rows.push_back({set.No, ReplyTypeText, ReplyStateWritten, shown + AnswerSecond,
                                shown, shown + 2.5 * AnswerSecond, QString(), i < set.Cleared,
                                i < set.Correct});
            }
        WriteReplyFile(Folder() + QStringLiteral("Reply.cds"), rows);
    }

    // Opens the category as the data screen does: settings, questions, replies, answers.
    void Open() const
    {
        SettingClass->CreateInstance(Folder());
        QuestionControlClass->CreateInstance(Folder());
        ReplyControlClass->CreateInstance(Folder());
        AnswerControlClass->CreateInstance(Folder());
    }

    QString Log() const
    {
        const QString path = program_.FilePath(QStringLiteral("Vek.Log"));
        return QFile::exists(path) ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))) : QString();
    }

    TempProgramFolder program_;
    TUnits units_;
};

// The texts of each row: caption, the sub-items and the tick, separated by "|".
inline QStringList AnswerRowTexts(const TRowList& rows)
{
    QStringList texts;
    for (const auto& row : rows)
        texts << row->Caption + u'|' + row->SubItems.join(u'|') + (row->Checked ? "|v" : "|-");
    return texts;
}

inline TStringList AnswerNumbers(std::initializer_list<int> numbers)
{
    TStringList list;
    for (int no : numbers)
        list.Add(QString::number(no));
    return list;
}
